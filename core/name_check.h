#pragma once

// What Windows makes of the folder names of a tree, known before anything is created: every
// node's folder is created as typed, changed, or refused.
//
// Windows removes the dots and blanks at the end of a name. It compares names without case, so
// a name that differs from a folder beside it only in case, or that equals one once its end is
// removed, is that folder. It keeps the device names (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to
// LPT9, ...) with or without an extension, refuses < > : " / | ? * and control characters, and
// its directory creation call takes paths up to a length. A name with backslashes nests
// folders and an empty name adds no folder of its own, as creation has always done: the rules
// apply to each part between backslashes.

#include "core/folder_tree.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace core {

// The longest path CreateDirectoryW takes from a program without the long-path opt-in: MAX_PATH
// (260 with the terminating null) less room for an 8.3 file name, less that null. Wine has no
// such limit and creates longer paths; the check follows Windows, and creation, which never
// asks for a refused name, agrees with it on both.
inline constexpr std::size_t kMaxDirectoryPath = 247;

enum class NameProblem {
    npNone,
    // Changed: the folder is created, but not as typed.
    npTrailingDotsOrBlanks, // the dots or blanks at its end are removed
    npSameFolder,           // it is a folder beside it: equal without case, or after the change
    // Refused: neither the folder nor anything inside it is created.
    npControlCharacter,
    npForbiddenCharacter,
    npDotsAndBlanksOnly,
    npReservedName,
    npPathTooLong,
    npInsideRefused, // a folder above it is refused; its own name may be fine
};

struct NameVerdict {
    NameProblem problem = NameProblem::npNone;
    // Changed: the folder's name on disk, its parts joined by backslashes. Reserved name: the
    // device name. Forbidden character: the character.
    std::u16string detail;
    // Path too long: the length the path would have.
    std::size_t path_length = 0;
    // npSameFolder: the name also lost dots or blanks at its end.
    bool trimmed = false;

    bool AsTyped() const { return problem == NameProblem::npNone; }
    bool Changed() const {
        return problem == NameProblem::npTrailingDotsOrBlanks ||
               problem == NameProblem::npSameFolder;
    }
    bool Refused() const { return !AsTyped() && !Changed(); }
};

// The name Windows gives a folder created with this name as the last part of its path.
std::u16string_view TrimmedName(std::u16string_view name);
// Why Windows refuses a part of a name, or npNone. `detail` receives what NameVerdict::detail
// holds for the problem.
NameProblem RefusalOf(std::u16string_view part, std::u16string* detail = nullptr);
// The device name a part stands for ("CON" for "con.txt"), or empty.
std::u16string DeviceNameOf(std::u16string_view part);

// The node's folder path as creation composes it: PathFromRoot with every part trimmed.
// Windows trims only the last part of a path it is given, and a folder inside "foo." or
// "foo " would be looked for in a folder of that name, which it never made.
std::u16string PathAsCreated(const FolderNode& node);

class NameCheck {
public:
    // `destination` is the destination's full path, as the platform expands it; when it is
    // empty, path lengths are not checked. The check keeps pointers to the tree's nodes and
    // holds until the tree changes.
    NameCheck(const FolderTree& tree, std::u16string_view destination);

    // The verdict on a node of the tree.
    const NameVerdict& Of(const FolderNode& node) const;
    // The nodes with a problem of their own (all but npInsideRefused), in tree order.
    const std::vector<const FolderNode*>& Marked() const { return marked_; }
    std::size_t Nodes() const { return nodes_; }
    // Nodes whose folders are not created as typed: changed, refused or inside a refused one.
    std::size_t NotAsTyped() const { return verdicts_.size(); }
    bool AllAsTyped() const { return verdicts_.empty(); }
    bool AnyRefused() const { return any_refused_; }

private:
    class Walk;

    std::unordered_map<const FolderNode*, NameVerdict> verdicts_;
    std::vector<const FolderNode*> marked_;
    std::size_t nodes_ = 0;
    bool any_refused_ = false;
};

} // namespace core
