#pragma once

// The special folders a shell tree can start from, by name ("rfDesktop", "rfMyComputer", ...).

#include "dialogs/shell_item.h"

#include <optional>
#include <string>
#include <string_view>

namespace dialogs {

enum class TacRootFolder {
    rfDesktop,
    rfMyComputer,
    rfNetwork,
    rfRecycleBin,
    rfAppData,
    rfCommonDesktopDirectory,
    rfCommonPrograms,
    rfCommonStartMenu,
    rfCommonStartup,
    rfControlPanel,
    rfDesktopDirectory,
    rfFavorites,
    rfFonts,
    rfInternet,
    rfPersonal,
    rfPrinters,
    rfPrintHood,
    rfPrograms,
    rfRecent,
    rfSendTo,
    rfStartMenu,
    rfStartup,
    rfTemplates
};

// The folder of that name, compared exactly; none for any other text (a path, then).
std::optional<TacRootFolder> RootFolderNamed(std::u16string_view name);
std::u16string RootFolderName(TacRootFolder folder);
// The special folder's full item id, or none when the platform has no such folder.
ItemId RootFolderId(TacRootFolder folder);

} // namespace dialogs
