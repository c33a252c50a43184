#include "dialogs/file_dir_edit.h"

#include "ui/wide.h"

#include <shellapi.h>

namespace dialogs {

namespace {
constexpr int kMaxNameLength = 255;
}

TsFileDirEdit::TsFileDirEdit(ui::Component* owner, int default_glyph)
    : TsCustomComboEdit(owner, default_glyph) {
    SetMaxLength(kMaxNameLength);
}

void TsFileDirEdit::SetAcceptFiles(bool accept) {
    accept_files_ = accept;
    if (handle_)
        DragAcceptFiles(handle_, accept);
}

void TsFileDirEdit::HandleCreated() {
    TsCustomComboEdit::HandleCreated();
    if (accept_files_)
        DragAcceptFiles(handle_, TRUE);
}

void TsFileDirEdit::DropFiles(HDROP drop) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        DragQueryFileW(drop, i, name.data(), length + 1);
        name.resize(length);
        ReceptFileDir(ui::FromWide(name));
        if (!multiple_dirs_)
            break;
    }
    DragFinish(drop);
    if (OnDropFiles)
        OnDropFiles(*this);
}

void TsFileDirEdit::WndProc(ui::Message& message) {
    if (message.msg == WM_DROPFILES) {
        if (accept_files_)
            DropFiles(reinterpret_cast<HDROP>(message.wParam));
        else
            DragFinish(reinterpret_cast<HDROP>(message.wParam));
        message.result = 0;
        return;
    }
    TsCustomComboEdit::WndProc(message);
}

} // namespace dialogs
