#include "core/name_check.h"

#include "core/upper_case.h"

#include <algorithm>

namespace core {

namespace {

bool IsForbidden(char16_t c) {
    switch (c) {
    case u'<':
    case u'>':
    case u':':
    case u'"':
    case u'/':
    case u'|':
    case u'?':
    case u'*':
        return true;
    default:
        return false;
    }
}

bool IsDotOrBlank(char16_t c) {
    return c == u'.' || c == u' ';
}

// Calls `visit` with every non-empty part of a name between backslashes.
template <class Visit>
void ForEachPart(std::u16string_view name, Visit visit) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i < name.size() && name[i] != u'\\')
            continue;
        if (i > start && !visit(name.substr(start, i - start)))
            return;
        start = i + 1;
    }
}

std::u16string TrimmedParts(std::u16string_view name) {
    std::u16string trimmed;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = name.find(u'\\', start);
        trimmed += TrimmedName(name.substr(start, end - start));
        if (end == std::u16string_view::npos)
            return trimmed;
        trimmed += u'\\';
        start = end + 1;
    }
}

} // namespace

std::u16string_view TrimmedName(std::u16string_view name) {
    while (!name.empty() && IsDotOrBlank(name.back()))
        name.remove_suffix(1);
    return name;
}

std::u16string DeviceNameOf(std::u16string_view part) {
    // The device is what comes before the extension, without the blanks in front of the dot.
    std::u16string_view base = part.substr(0, part.find(u'.'));
    while (!base.empty() && base.back() == u' ')
        base.remove_suffix(1);
    if (base.size() < 3 || base.size() > 7) // most names, at once
        return {};
    std::u16string name = UpperCase(base);
    // Wine refuses most of these too, but reports NUL as created without making a folder. The
    // console's own names are refused by Wine; Windows keeps them for the console in recent
    // versions. A folder of that name is no loss either way.
    if (name == u"CON" || name == u"PRN" || name == u"AUX" || name == u"NUL" || name == u"CONIN$" ||
        name == u"CONOUT$")
        return name;
    // COM0 and LPT0 are not devices, though the documentation advises against them. The
    // superscript digits are devices on Windows but not on Wine, which creates such folders.
    if (name.size() == 4 && (name.starts_with(u"COM") || name.starts_with(u"LPT"))) {
        const char16_t digit = name[3];
        if ((digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' ||
            digit == u'\u00B3')
            return name;
    }
    return {};
}

NameProblem RefusalOf(std::u16string_view part, std::u16string* detail) {
    // One pass for both kinds of character; a control character is told first.
    const char16_t* forbidden = nullptr;
    for (const char16_t& c : part) {
        if (c < 0x20)
            return NameProblem::npControlCharacter;
        // Wine creates a folder "a:b"; Windows takes the colon for a stream of the file "a".
        if (!forbidden && IsForbidden(c))
            forbidden = &c;
    }
    if (forbidden) {
        if (detail)
            detail->assign(1, *forbidden);
        return NameProblem::npForbiddenCharacter;
    }
    // "." and ".." are the folder itself and the one above it; longer runs of dots and blanks
    // lose everything to the trimming.
    if (TrimmedName(part).empty())
        return NameProblem::npDotsAndBlanksOnly;
    if (std::u16string device = DeviceNameOf(part); !device.empty()) {
        if (detail)
            *detail = std::move(device);
        return NameProblem::npReservedName;
    }
    return NameProblem::npNone;
}

std::u16string PathAsCreated(const FolderNode& node) {
    std::vector<const FolderNode*> chain;
    for (const FolderNode* n = &node; n; n = n->Parent())
        chain.push_back(n);
    std::u16string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        path += TrimmedParts((*it)->Text()) + u'\\';
    return path;
}

// Follows the tree in creation order and notes, for every folder the walk makes, its name on
// disk, the node that made it and the length of its path: a later name that Windows takes for
// an existing folder finds it, and tells whether that folder is what it typed.
class NameCheck::Walk {
public:
    Walk(NameCheck& check, std::u16string_view destination) : check_(check) {
        while (!destination.empty() && destination.back() == u'\\')
            destination.remove_suffix(1);
        check_lengths_ = !destination.empty();
        folders_.push_back({destination, nullptr, 0, destination.size(), 0});
    }

    void Run(const FolderTree& tree) {
        folders_.reserve(tree.Count() + 1);
        index_.reserve(tree.Count());
        struct Step {
            const FolderNode* node;
            std::size_t folder;
            bool inside_refused;
        };
        std::vector<Step> stack;
        for (std::size_t i = tree.RootCount(); i-- > 0;)
            stack.push_back({tree.Root(i), 0, false});
        while (!stack.empty()) {
            const Step step = stack.back();
            stack.pop_back();
            ++check_.nodes_;
            std::size_t folder = step.folder;
            bool refused = step.inside_refused;
            if (refused)
                Note(*step.node, {NameProblem::npInsideRefused});
            else
                refused = !Visit(*step.node, folder);
            for (std::size_t i = step.node->ChildCount(); i-- > 0;)
                stack.push_back({step.node->Child(i), folder, refused});
        }
        // A changed name that another one reached later is also a folder beside it.
        for (auto [node, folder] : trimmed_) {
            if (folders_[folder].arrivals > 1) {
                NameVerdict& verdict = check_.verdicts_[node];
                verdict.problem = NameProblem::npSameFolder;
                verdict.trimmed = true;
            }
        }
    }

private:
    // Names are views into the nodes' texts, which stay as they are while the walk runs.
    struct Folder {
        std::u16string_view name;
        const FolderNode* creator;
        std::size_t parent;
        std::size_t path_length;
        std::size_t arrivals;
    };
    // A folder's name inside its parent, compared and hashed without case.
    struct Key {
        std::size_t parent;
        std::u16string_view name;
        bool operator==(const Key& other) const {
            return parent == other.parent && name.size() == other.name.size() &&
                   std::equal(name.begin(), name.end(), other.name.begin(),
                              [](char16_t a, char16_t b) {
                                  return a == b || UpperCaseUnit(a) == UpperCaseUnit(b);
                              });
        }
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const {
            std::size_t hash = key.parent * 0x9E3779B97F4A7C15u;
            for (char16_t unit : key.name)
                hash = (hash ^ UpperCaseUnit(unit)) * 0x100000001B3u;
            return hash;
        }
    };

    // Goes through the parts of the node's name from `folder` down and leaves `folder` at the
    // last one. False when the name is refused; a refused name leaves no folder behind, since
    // creation never asks for any part of it.
    bool Visit(const FolderNode& node, std::size_t& folder) {
        NameVerdict verdict;
        std::size_t length = folders_[folder].path_length;
        ForEachPart(node.Text(), [&](std::u16string_view part) {
            verdict.problem = RefusalOf(part, &verdict.detail);
            length += 1 + TrimmedName(part).size();
            return verdict.AsTyped();
        });
        if (verdict.AsTyped() && check_lengths_ && length > kMaxDirectoryPath) {
            verdict.problem = NameProblem::npPathTooLong;
            verdict.path_length = length;
        }
        if (!verdict.AsTyped()) {
            Note(node, std::move(verdict));
            return false;
        }

        bool merged = false;
        std::size_t first_trimmed = 0;
        const std::size_t above = folder;
        ForEachPart(node.Text(), [&](std::u16string_view part) {
            const std::u16string_view trimmed = TrimmedName(part);
            folder = FolderFor(folder, trimmed, node);
            merged = merged || (folders_[folder].name != part && folders_[folder].creator != &node);
            if (trimmed.size() != part.size() && !verdict.trimmed) {
                verdict.trimmed = true;
                first_trimmed = folder;
            }
            return true;
        });
        if (merged || verdict.trimmed) {
            verdict.problem =
                merged ? NameProblem::npSameFolder : NameProblem::npTrailingDotsOrBlanks;
            verdict.detail = NamesBetween(above, folder);
            if (!merged)
                trimmed_.emplace_back(&node, first_trimmed);
            Note(node, std::move(verdict));
        }
        return true;
    }

    // The folder of that name inside `parent`: the one made earlier, which Windows finds
    // whatever the case, or a new one.
    std::size_t FolderFor(std::size_t parent, std::u16string_view name, const FolderNode& node) {
        auto [found, added] = index_.try_emplace(Key{parent, name}, folders_.size());
        if (added)
            folders_.push_back(
                {name, &node, parent, folders_[parent].path_length + 1 + name.size(), 0});
        ++folders_[found->second].arrivals;
        return found->second;
    }

    // The names on disk from below folder `above` down to `folder`, joined by backslashes.
    std::u16string NamesBetween(std::size_t above, std::size_t folder) const {
        std::vector<std::u16string_view> names;
        for (; folder != above; folder = folders_[folder].parent)
            names.push_back(folders_[folder].name);
        std::u16string joined;
        for (auto it = names.rbegin(); it != names.rend(); ++it)
            joined.append(joined.empty() ? u"" : u"\\").append(*it);
        return joined;
    }

    void Note(const FolderNode& node, NameVerdict verdict) {
        if (verdict.problem != NameProblem::npInsideRefused)
            check_.marked_.push_back(&node);
        check_.any_refused_ = check_.any_refused_ || verdict.Refused();
        check_.verdicts_.emplace(&node, std::move(verdict));
    }

    NameCheck& check_;
    bool check_lengths_ = false;
    std::vector<Folder> folders_;
    std::unordered_map<Key, std::size_t, KeyHash> index_;
    std::vector<std::pair<const FolderNode*, std::size_t>> trimmed_;
};

NameCheck::NameCheck(const FolderTree& tree, std::u16string_view destination) {
    Walk(*this, destination).Run(tree);
}

const NameVerdict& NameCheck::Of(const FolderNode& node) const {
    static const NameVerdict kAsTyped;
    const auto found = verdicts_.find(&node);
    return found == verdicts_.end() ? kAsTyped : found->second;
}

} // namespace core
