#pragma once

// How the skin manager finds a skin by name: the name's ".asz" extension, the skin directory as
// the user wrote it resolved against the program's folder, the skins a directory offers, and
// which source a name selects (a package file before a folder skin before an internal skin).

#include "core/file_system.h"

#include <string>
#include <string_view>
#include <vector>

namespace skin::manager {

inline constexpr std::u16string_view kPackageExtension = u".asz";
inline constexpr std::u16string_view kOptionsFileName = u"Options.dat";
inline constexpr std::u16string_view kDefaultSkinDirectory = u"c:\\Skins";

// The name as stored: ".asz" in any case removed from a name longer than 4 characters.
std::u16string StoredSkinName(std::u16string_view name);

// A folder with exactly one trailing "\": "/" at the end becomes "\", a one-character folder
// (a drive letter) gets ":\", an empty folder stays empty.
std::u16string NormalisedDirectory(std::u16string_view folder);

// The skin directory resolved against the executable's folder (ending in "\"): "..\x" from
// the folder's parent, ".\x" and bare names inside it, anything with ":" or "\\" unchanged.
std::u16string FullSkinDirectory(std::u16string_view skin_directory,
                                 std::u16string_view executable_folder);

enum class SkinTypes { stUnpacked, stPacked, stAllSkins };

// The names of the internal skins, then of the skins in the directory (folders holding
// Options.dat, files ending exactly in ".asz", named by what precedes their first "."), sorted.
// `first` gets the first name found, before sorting.
std::vector<std::u16string> ListSkinNames(core::FileSystem& fs,
                                          const std::vector<std::u16string>& internal_names,
                                          const std::u16string& full_directory, SkinTypes filter,
                                          std::u16string& first);

enum class SkinSource { Package, Folder, Internal, None };

struct SkinChoice {
    SkinSource source = SkinSource::None;
    std::u16string name;     // the skin name as stored after the choice
    std::u16string path;     // the package file, or the folder ending in "\"
    int internal_index = -1; // for an internal skin
};

// Which skin `name` (already stored) selects. The package file is looked for in the skin
// directory as written, the folder skin in the resolved directory; an unknown name selects the
// first internal skin. `folder_first` (the skin editor link was used) puts a folder before a
// package of the same name.
SkinChoice ChooseSkin(core::FileSystem& fs, std::u16string_view name,
                      std::u16string_view skin_directory, const std::u16string& full_directory,
                      const std::vector<std::u16string>& internal_names, bool folder_first = false);

// SkinInfo: a skin version with "." as the decimal separator and no trailing zeros.
std::u16string FormatSkinVersion(double version);

} // namespace skin::manager
