#include "dialogs/root_folders.h"

#include <array>
#include <utility>

namespace dialogs {

namespace {

struct RootFolderEntry {
    TacRootFolder folder;
    std::u16string_view name;
    int csidl;
};

constexpr std::array<RootFolderEntry, 23> kRootFolders{{
    {TacRootFolder::rfDesktop, u"rfDesktop", CSIDL_DESKTOP},
    {TacRootFolder::rfMyComputer, u"rfMyComputer", CSIDL_DRIVES},
    {TacRootFolder::rfNetwork, u"rfNetwork", CSIDL_NETWORK},
    {TacRootFolder::rfRecycleBin, u"rfRecycleBin", CSIDL_BITBUCKET},
    {TacRootFolder::rfAppData, u"rfAppData", CSIDL_APPDATA},
    {TacRootFolder::rfCommonDesktopDirectory, u"rfCommonDesktopDirectory",
     CSIDL_COMMON_DESKTOPDIRECTORY},
    {TacRootFolder::rfCommonPrograms, u"rfCommonPrograms", CSIDL_COMMON_PROGRAMS},
    {TacRootFolder::rfCommonStartMenu, u"rfCommonStartMenu", CSIDL_COMMON_STARTMENU},
    {TacRootFolder::rfCommonStartup, u"rfCommonStartup", CSIDL_COMMON_STARTUP},
    {TacRootFolder::rfControlPanel, u"rfControlPanel", CSIDL_CONTROLS},
    {TacRootFolder::rfDesktopDirectory, u"rfDesktopDirectory", CSIDL_DESKTOPDIRECTORY},
    {TacRootFolder::rfFavorites, u"rfFavorites", CSIDL_FAVORITES},
    {TacRootFolder::rfFonts, u"rfFonts", CSIDL_FONTS},
    {TacRootFolder::rfInternet, u"rfInternet", CSIDL_INTERNET},
    {TacRootFolder::rfPersonal, u"rfPersonal", CSIDL_PERSONAL},
    {TacRootFolder::rfPrinters, u"rfPrinters", CSIDL_PRINTERS},
    {TacRootFolder::rfPrintHood, u"rfPrintHood", CSIDL_PRINTHOOD},
    {TacRootFolder::rfPrograms, u"rfPrograms", CSIDL_PROGRAMS},
    {TacRootFolder::rfRecent, u"rfRecent", CSIDL_RECENT},
    {TacRootFolder::rfSendTo, u"rfSendTo", CSIDL_SENDTO},
    {TacRootFolder::rfStartMenu, u"rfStartMenu", CSIDL_STARTMENU},
    {TacRootFolder::rfStartup, u"rfStartup", CSIDL_STARTUP},
    {TacRootFolder::rfTemplates, u"rfTemplates", CSIDL_TEMPLATES},
}};

} // namespace

std::optional<TacRootFolder> RootFolderNamed(std::u16string_view name) {
    for (const RootFolderEntry& entry : kRootFolders)
        if (entry.name == name)
            return entry.folder;
    return std::nullopt;
}

std::u16string RootFolderName(TacRootFolder folder) {
    return std::u16string(kRootFolders[static_cast<std::size_t>(folder)].name);
}

ItemId RootFolderId(TacRootFolder folder) {
    ITEMIDLIST* id = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(
            nullptr, kRootFolders[static_cast<std::size_t>(folder)].csidl, &id)))
        return nullptr;
    return ItemId(id);
}

} // namespace dialogs
