#include "dialogs/shell_item.h"

#include "ui/wide.h"

#include <cstring>
#include <shlwapi.h>

namespace dialogs {

ItemId CloneItemId(LPCITEMIDLIST id) {
    return ItemId(id ? ILClone(id) : nullptr);
}

ItemId CombineItemIds(LPCITEMIDLIST parent, LPCITEMIDLIST child) {
    return ItemId(ILCombine(parent, child));
}

namespace {

// The bytes of the first `count` ids, without the terminating zero.
std::size_t PrefixBytes(LPCITEMIDLIST id, int count) {
    std::size_t bytes = 0;
    auto* at = reinterpret_cast<const BYTE*>(id);
    for (int i = 0; i < count; ++i) {
        USHORT size;
        std::memcpy(&size, at + bytes, sizeof(size));
        if (size == 0)
            break;
        bytes += size;
    }
    return bytes;
}

} // namespace

ItemId ItemIdPrefix(LPCITEMIDLIST id, int count) {
    const std::size_t bytes = id ? PrefixBytes(id, count) : 0;
    auto* copy = static_cast<BYTE*>(CoTaskMemAlloc(bytes + sizeof(USHORT)));
    if (!copy)
        return nullptr;
    if (bytes)
        std::memcpy(copy, id, bytes);
    std::memset(copy + bytes, 0, sizeof(USHORT));
    return ItemId(reinterpret_cast<ITEMIDLIST*>(copy));
}

ItemId ParentItemId(LPCITEMIDLIST id) {
    const int count = ItemIdCount(id);
    return ItemIdPrefix(id, count > 0 ? count - 1 : 0);
}

int ItemIdCount(LPCITEMIDLIST id) {
    if (!id)
        return 0;
    int count = 0;
    auto* at = reinterpret_cast<const BYTE*>(id);
    for (;;) {
        USHORT size;
        std::memcpy(&size, at, sizeof(size));
        if (size == 0)
            return count;
        at += size;
        ++count;
    }
}

bool IsEmptyItemId(LPCITEMIDLIST id) {
    return ItemIdCount(id) == 0;
}

ComRef<IShellFolder> DesktopFolder() {
    ComRef<IShellFolder> desktop;
    SHGetDesktopFolder(desktop.Put());
    return desktop;
}

bool SameItem(LPCITEMIDLIST a, LPCITEMIDLIST b) {
    if (!a || !b)
        return false;
    if (IsEmptyItemId(a) || IsEmptyItemId(b))
        return IsEmptyItemId(a) && IsEmptyItemId(b);
    ComRef<IShellFolder> desktop = DesktopFolder();
    if (!desktop)
        return false;
    const HRESULT result = desktop->CompareIDs(0, a, b);
    return SUCCEEDED(result) && static_cast<short>(HRESULT_CODE(result)) == 0;
}

std::u16string DisplayNameOf(IShellFolder& folder, LPCITEMIDLIST id, SHGDNF flags) {
    STRRET name{};
    if (FAILED(folder.GetDisplayNameOf(id, flags, &name)))
        return {};
    wchar_t buffer[MAX_PATH * 2];
    if (FAILED(StrRetToBufW(&name, id, buffer, MAX_PATH * 2)))
        return {};
    return ui::FromWide(buffer);
}

ItemId ParseName(const std::u16string& name, HWND owner) {
    ComRef<IShellFolder> desktop = DesktopFolder();
    if (!desktop)
        return nullptr;
    std::wstring text = ui::ToWide(name);
    ITEMIDLIST* id = nullptr;
    if (FAILED(desktop->ParseDisplayName(owner, nullptr, text.data(), nullptr, &id, nullptr)))
        return nullptr;
    return ItemId(id);
}

std::u16string FileSystemPath(LPCITEMIDLIST full_id) {
    wchar_t path[MAX_PATH];
    if (!full_id || !SHGetPathFromIDListW(full_id, path))
        return {};
    return ui::FromWide(path);
}

} // namespace dialogs
