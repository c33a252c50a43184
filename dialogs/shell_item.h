#pragma once

// Small owners for the shell namespace's objects: counted interface references and item id
// lists allocated by the shell, plus the desktop's questions about item ids.

#include <memory>
#include <objbase.h>
#include <shlobj.h>
#include <string>
#include <utility>

namespace dialogs {

// A counted reference to a COM interface, released when it goes.
template <class T>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller already holds.
    explicit ComRef(T* adopted) : pointer_(adopted) {}
    // Takes a reference of its own to an interface somebody else holds.
    static ComRef Share(T* shared) {
        if (shared)
            shared->AddRef();
        return ComRef(shared);
    }
    ComRef(const ComRef& other) : pointer_(other.pointer_) {
        if (pointer_)
            pointer_->AddRef();
    }
    ComRef(ComRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComRef& operator=(ComRef other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComRef() {
        if (pointer_)
            pointer_->Release();
    }

    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For functions that hand out a new reference: releases the old one first.
    T** Put() {
        *this = ComRef();
        return &pointer_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

private:
    T* pointer_ = nullptr;
};

struct ItemIdFree {
    void operator()(ITEMIDLIST* id) const { CoTaskMemFree(id); }
};
// An item id list owned by us; the shell allocates them with the task allocator.
using ItemId = std::unique_ptr<ITEMIDLIST, ItemIdFree>;

ItemId CloneItemId(LPCITEMIDLIST id);
ItemId CombineItemIds(LPCITEMIDLIST parent, LPCITEMIDLIST child);
// The first `count` ids of the list.
ItemId ItemIdPrefix(LPCITEMIDLIST id, int count);
// The list without its last id (the parent's full id); the desktop's empty list stays empty.
ItemId ParentItemId(LPCITEMIDLIST id);
// The number of ids in the list: the level below the desktop.
int ItemIdCount(LPCITEMIDLIST id);
bool IsEmptyItemId(LPCITEMIDLIST id);

ComRef<IShellFolder> DesktopFolder();
// Whether two full item ids name the same item, as the desktop compares them.
bool SameItem(LPCITEMIDLIST a, LPCITEMIDLIST b);
// The name the folder gives one of its items; empty when it gives none.
std::u16string DisplayNameOf(IShellFolder& folder, LPCITEMIDLIST id, SHGDNF flags);
// The full id of a parsing name (a path), or none.
ItemId ParseName(const std::u16string& name, HWND owner = nullptr);
// The full path of a file system item, or empty for an item without one.
std::u16string FileSystemPath(LPCITEMIDLIST full_id);

} // namespace dialogs
