#include "dialogs/shell_folder.h"

#include "core/error.h"
#include "core/text.h"
#include "dialogs/folder_rules.h"
#include "ui/wide.h"

namespace dialogs {

namespace {

// The desktop has no parent folder to ask; these are the attributes it would give itself.
constexpr SFGAOF kDesktopAttributes =
    SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR | SFGAO_STORAGE;

struct CapabilityBit {
    SFGAOF attribute;
    unsigned flag;
};

constexpr CapabilityBit kCapabilities[] = {
    {SFGAO_CANCOPY, fcCanCopy},           {SFGAO_CANDELETE, fcCanDelete},
    {SFGAO_CANLINK, fcCanLink},           {SFGAO_CANMOVE, fcCanMove},
    {SFGAO_CANRENAME, fcCanRename},       {SFGAO_DROPTARGET, fcDropTarget},
    {SFGAO_HASPROPSHEET, fcHasPropSheet},
};

constexpr CapabilityBit kProperties[] = {
    {SFGAO_GHOSTED, fpCut},           {SFGAO_LINK, fpIsLink},
    {SFGAO_READONLY, fpReadOnly},     {SFGAO_SHARE, fpShared},
    {SFGAO_FILESYSTEM, fpFileSystem}, {SFGAO_FILESYSANCESTOR, fpFileSystemAncestor},
    {SFGAO_REMOVABLE, fpRemovable},   {SFGAO_VALIDATE, fpValidate},
};

template <std::size_t N>
unsigned FlagsOf(SFGAOF attributes, const CapabilityBit (&table)[N]) {
    unsigned flags = 0;
    for (const CapabilityBit& bit : table)
        if (attributes & bit.attribute)
            flags |= bit.flag;
    return flags;
}

template <std::size_t N>
SFGAOF AttributesOf(const CapabilityBit (&table)[N]) {
    SFGAOF attributes = 0;
    for (const CapabilityBit& bit : table)
        attributes |= bit.attribute;
    return attributes;
}

} // namespace

TacShellFolder::TacShellFolder(ComRef<IShellFolder> parent_folder, LPCITEMIDLIST parent_full_id,
                               LPCITEMIDLIST relative_id)
    : parent_folder_(std::move(parent_folder)), parent_full_id_(CloneItemId(parent_full_id)),
      relative_id_(CloneItemId(relative_id)),
      full_id_(CombineItemIds(parent_full_id, relative_id)) {}

std::unique_ptr<TacShellFolder> TacShellFolder::ForFullId(LPCITEMIDLIST full_id) {
    if (IsEmptyItemId(full_id)) {
        ComRef<IShellFolder> desktop = DesktopFolder();
        if (!desktop)
            return nullptr;
        return std::make_unique<TacShellFolder>(desktop, full_id, full_id);
    }
    ComRef<IShellFolder> parent;
    LPCITEMIDLIST last = nullptr;
    if (FAILED(SHBindToParent(full_id, IID_IShellFolder, parent.PutVoid(), &last)) || !parent)
        return nullptr;
    ItemId parent_id = ParentItemId(full_id);
    return std::make_unique<TacShellFolder>(parent, parent_id.get(), last);
}

std::unique_ptr<TacShellFolder> TacShellFolder::Clone() const {
    return std::make_unique<TacShellFolder>(parent_folder_, parent_full_id_.get(),
                                            relative_id_.get());
}

IShellFolder* TacShellFolder::ShellFolder() {
    if (!own_folder_bound_) {
        own_folder_bound_ = true;
        if (IsDesktop())
            own_folder_ = DesktopFolder();
        else if (IsFolder())
            parent_folder_->BindToObject(relative_id_.get(), nullptr, IID_IShellFolder,
                                         own_folder_.PutVoid());
    }
    return own_folder_.Get();
}

int TacShellFolder::Level() const {
    return ItemIdCount(full_id_.get());
}

bool TacShellFolder::IsDesktop() const {
    return IsEmptyItemId(full_id_.get());
}

SFGAOF TacShellFolder::Attributes(SFGAOF wanted) const {
    if (IsDesktop())
        return kDesktopAttributes & wanted;
    SFGAOF attributes = wanted;
    LPCITEMIDLIST ids[] = {relative_id_.get()};
    if (FAILED(parent_folder_->GetAttributesOf(1, ids, &attributes)))
        return 0;
    return attributes & wanted;
}

bool TacShellFolder::IsFolder() const {
    return Attributes(SFGAO_FOLDER) != 0;
}

bool TacShellFolder::SubFolders() const {
    return Attributes(SFGAO_HASSUBFOLDER) != 0;
}

unsigned TacShellFolder::Capabilities() const {
    return FlagsOf(Attributes(AttributesOf(kCapabilities)), kCapabilities);
}

unsigned TacShellFolder::Properties() const {
    // SFGAO_VALIDATE is a request, not an answer: it asks the folder to check that the item
    // still exists, so it never comes back set.
    return FlagsOf(Attributes(AttributesOf(kProperties) & ~SFGAO_VALIDATE), kProperties);
}

std::u16string TacShellFolder::DisplayName(TacShowExtension extensions) const {
    IShellFolder& parent = *parent_folder_.Get();
    std::u16string name = DisplayNameOf(parent, relative_id_.get(), SHGDN_INFOLDER);
    if (IsVirtualItemName(name) || IsDesktop())
        return DisplayNameOf(parent, relative_id_.get(), SHGDN_NORMAL);
    if (extensions == TacShowExtension::seSystem || IsFolder())
        return name;
    if (extensions == TacShowExtension::seShow) {
        std::u16string parsing =
            DisplayNameOf(parent, relative_id_.get(), SHGDN_INFOLDER | SHGDN_FORPARSING);
        return parsing.empty() || IsVirtualItemName(parsing) ? name : parsing;
    }
    const auto dot = name.find_last_of(u'.');
    return dot == std::u16string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::u16string TacShellFolder::PathName() const {
    ComRef<IShellFolder> desktop = DesktopFolder();
    if (!desktop)
        return {};
    std::u16string name = DisplayNameOf(*desktop.Get(), full_id_.get(), SHGDN_FORPARSING);
    if (IsVirtualItemName(name))
        name = DisplayNameOf(*desktop.Get(), full_id_.get(), SHGDN_NORMAL);
    return name;
}

bool TacShellFolder::Rename(const std::u16string& name, HWND owner) {
    if (!(Capabilities() & fcCanRename))
        return false;
    std::wstring text = ui::ToWide(name);
    ITEMIDLIST* renamed = nullptr;
    const HRESULT result = parent_folder_->SetNameOf(owner, relative_id_.get(), text.c_str(),
                                                     SHGDN_INFOLDER, &renamed);
    if (FAILED(result))
        throw core::Error(core::Format(u"Rename to %s failed", {name}));
    if (!renamed) {
        // Some folders rename without saying the new id; ask for it by the new name.
        parent_folder_->ParseDisplayName(owner, nullptr, text.data(), nullptr, &renamed, nullptr);
        if (!renamed)
            throw core::Error(core::Format(u"Rename to %s failed", {name}));
    }
    relative_id_.reset(renamed);
    full_id_ = CombineItemIds(parent_full_id_.get(), relative_id_.get());
    own_folder_ = ComRef<IShellFolder>();
    own_folder_bound_ = false;
    return true;
}

bool TacShellFolder::StillExists() const {
    if (IsDesktop())
        return true;
    // A file system item is there when its path is; the shell may answer from what it cached.
    if (const std::u16string path = FileSystemPath(full_id_.get()); !path.empty())
        return GetFileAttributesW(ui::Wide(path)) != INVALID_FILE_ATTRIBUTES;
    SFGAOF attributes = SFGAO_VALIDATE;
    LPCITEMIDLIST ids[] = {relative_id_.get()};
    return SUCCEEDED(parent_folder_->GetAttributesOf(1, ids, &attributes));
}

} // namespace dialogs
