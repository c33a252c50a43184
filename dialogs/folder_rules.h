#pragma once

// The folder picker's and the directory edit's rules about names and paths. Portable: the
// file system is asked through the predicates passed in.

#include <functional>
#include <string>
#include <string_view>

namespace dialogs {

using PathPredicate = std::function<bool(const std::u16string& path)>;

// A root given as a path, ready to be expanded and parsed: a lone drive letter becomes the
// drive's root, a trailing slash becomes a backslash and a backslash is appended otherwise.
std::u16string RootPathText(std::u16string_view root);

// The folder in which "Create" makes a new folder, with a backslash at its end (a trailing
// slash becomes one; a single letter is a drive and gets ":\").
std::u16string CreationFolder(std::u16string_view path);

// "<folder>New folder<n>", the n-th name "Create" tries.
std::u16string NewFolderCandidate(std::u16string_view folder, int n);

// The first of New folder1, New folder2, ... inside `folder` that nothing on disk holds yet,
// or empty when the first kMaxNewFolderNumber names are all taken.
inline constexpr int kMaxNewFolderNumber = 100000;
std::u16string FirstFreeNewFolder(std::u16string_view folder, const PathPredicate& taken);

// The shell names items without a file system path "::{<class id>}...".
bool IsVirtualItemName(std::u16string_view name);

// The directory part of a name dropped onto a directory edit: an existing file gives its
// folder (up to and including the last backslash); any other name stays as it is.
std::u16string DroppedFolder(const std::u16string& name, const PathPredicate& file_exists);

// The field's text after a dropped folder: appended after a semicolon when several folders are
// allowed and the field has text, otherwise in place of the text.
std::u16string TextAfterDrop(std::u16string_view text, std::u16string_view folder,
                             bool multiple_dirs);

// The folder the picker starts on: the field's text, or the initial folder when the field is
// empty; nothing unless that is an existing directory. Cancelling the picker writes this back.
std::u16string PickerStartFolder(const std::u16string& text, const std::u16string& initial_dir,
                                 const PathPredicate& directory_exists);

// Equal paths as the file system compares them: letters of either case and a trailing
// backslash make no difference.
bool SamePath(std::u16string_view a, std::u16string_view b);

} // namespace dialogs
