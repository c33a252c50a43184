#include "app/name_messages.h"

#include "core/text.h"

#include <unordered_map>

namespace app {

namespace {

using core::NameProblem;

// A name in quotes, with control characters shown as replacement marks: a tab or a line
// break would not be seen, or would break the line.
std::u16string Quoted(std::u16string_view name) {
    std::u16string quoted = u"\"";
    for (char16_t c : name)
        quoted += c < 0x20 ? u'\uFFFD' : c;
    return quoted + u'"';
}

long long Count(std::size_t value) {
    return static_cast<long long>(value);
}

// The node's folder as the tree shows it, written as creation composes it from the field.
std::u16string ShownPath(const std::u16string& destination, const core::FolderNode& node) {
    return destination + u'\\' + core::PathFromRoot(node);
}

void AddListed(std::u16string& message, std::size_t listed, std::u16string_view line) {
    if (listed < kFoldersListed)
        message.append(u"\r\n").append(line);
    else if (listed == kFoldersListed)
        message += u"\r\n...";
}

} // namespace

std::u16string NameReason(const core::FolderNode& node, const core::NameVerdict& verdict) {
    const std::u16string name = Quoted(node.Text());
    const std::u16string detail = Quoted(verdict.detail);
    switch (verdict.problem) {
    case NameProblem::npNone:
        break;
    case NameProblem::npTrailingDotsOrBlanks:
        return core::Format(u"%s becomes %s: Windows removes dots and blanks at the end of names",
                            {name, detail});
    case NameProblem::npSameFolder:
        if (verdict.trimmed)
            return core::Format(u"%s becomes %s, which is also a folder beside it", {name, detail});
        return core::Format(u"%s is the same folder as %s beside it: Windows names ignore case",
                            {name, detail});
    case NameProblem::npControlCharacter:
        return core::Format(u"%s is refused: Windows allows no control characters in names",
                            {name});
    case NameProblem::npForbiddenCharacter:
        return core::Format(u"%s is refused: Windows allows no %s in names",
                            {name, verdict.detail});
    case NameProblem::npDotsAndBlanksOnly:
        return core::Format(u"%s is refused: dots and blanks alone name no folder on Windows",
                            {name});
    case NameProblem::npReservedName:
        return core::Format(u"%s is refused: Windows keeps the name %s for a device",
                            {name, verdict.detail});
    case NameProblem::npPathTooLong:
        return core::Format(
            u"%s is refused: its path would be %d characters long, and Windows creates folders "
            u"up to %d",
            {name}, {Count(verdict.path_length), Count(core::kMaxDirectoryPath)});
    case NameProblem::npInsideRefused:
        return core::Format(u"%s is inside a refused folder", {name});
    }
    return {};
}

std::u16string NamesQuestion(const core::NameCheck& check) {
    std::u16string message = core::Format(u"%d of %d folders would not be created as shown:", {},
                                          {Count(check.NotAsTyped()), Count(check.Nodes())});
    std::size_t listed = 0;
    for (const core::FolderNode* node : check.Marked())
        AddListed(message, listed++, NameReason(*node, check.Of(*node)) + u'.');
    message += check.AnyRefused() ? u"\r\n\r\nCreate the folders anyway? Refused names are left "
                                    u"out, with the folders inside them."
                                  : u"\r\n\r\nCreate the folders anyway?";
    return message;
}

std::u16string CreationResult(const core::FolderTree& tree, const std::u16string& destination,
                              const core::NameCheck& check, const core::CreationReport& report,
                              const std::function<std::u16string(std::uint32_t)>& error_text) {
    if (report.failures.empty() && check.AllAsTyped())
        return {};
    std::unordered_map<const core::FolderNode*, const core::CreationFailure*> failed;
    for (const core::CreationFailure& failure : report.failures)
        failed.emplace(failure.node, &failure);

    std::u16string lines;
    std::size_t listed = 0;
    for (const core::FolderNode* node = tree.GetFirstNode(); node;
         node = core::FolderTree::GetNext(*node)) {
        if (auto failure = failed.find(node); failure != failed.end()) {
            AddListed(lines, listed++,
                      failure->second->path + u" (" + error_text(failure->second->error) + u')');
        } else if (const core::NameVerdict& verdict = check.Of(*node); !verdict.AsTyped()) {
            AddListed(lines, listed++,
                      ShownPath(destination, *node) + u" (" + NameReason(*node, verdict) + u')');
        }
    }
    // Without a name problem, failures are told as they always were.
    const char16_t* header = check.AllAsTyped() ? u"%d of %d folders could not be created:"
                                                : u"%d of %d folders were not created as shown:";
    return core::Format(header, {}, {Count(listed), Count(report.nodes)}) + lines;
}

std::u16string CreationProgressText(std::size_t done, std::size_t total) {
    return core::Format(u"Creating folders: %d of %d", {},
                        {static_cast<long long>(done), static_cast<long long>(total)});
}

} // namespace app
