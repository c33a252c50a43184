#include "dialogs/directory_edit.h"

#include "core/error.h"
#include "core/file_system.h"
#include "dialogs/folder_rules.h"
#include "dialogs/path_dialog.h"
#include "dialogs/shell_item.h"
#include "ui/wide.h"
#include "ui/win32_error.h"

namespace dialogs {

namespace {

// The folder strip of the internal glyph list.
constexpr int kFolderGlyph = 1;

bool DirectoryExists(const std::u16string& path) {
    return !path.empty() && core::SystemFileSystem().DirectoryExists(path);
}

bool FileExists(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(ui::Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void MakeCurrentDirectory(const std::u16string& path) {
    if (!SetCurrentDirectoryW(ui::Wide(path))) {
        const DWORD code = GetLastError();
        throw core::InOutError(u"Cannot change to " + path + u". " + ui::SystemErrorText(code),
                               static_cast<int>(code));
    }
}

} // namespace

TsDirectoryEdit::TsDirectoryEdit(ui::Component* owner) : TsFileDirEdit(owner, kFolderGlyph) {}

void TsDirectoryEdit::ButtonClick() {
    TsFileDirEdit::ButtonClick();
    if (ReadOnly())
        return;

    std::u16string name = Text();
    bool action = true;
    if (OnBeforeDialog)
        OnBeforeDialog(*this, name, action);
    if (!action)
        return;

    name = PickerStartFolder(name, initial_dir_, DirectoryExists);
    if (!name.empty() && !no_change_dir_)
        MakeCurrentDirectory(name);

    {
        // The picker lives for this pick only; leaving the block destroys it, also on errors.
        TPathDialogForm picker(nullptr);
        picker.sBitBtn3.SetVisible(dialog_options_ & sdAllowCreate);
        picker.ShowRootButtons(show_root_btns_);
        picker.FixAnchors();
        picker.sShellTreeView1.SetBoundLabelText(dialog_text_);
        picker.sShellTreeView1.SetRoot(root_);
        if (DirectoryExists(name))
            picker.sShellTreeView1.SetPath(name);
        if (OnPickerReady)
            OnPickerReady(picker);
        if (picker.ShowModal() == ui::mrOk) {
            TacShellFolder* chosen = picker.sShellTreeView1.SelectedFolder();
            name = chosen ? FileSystemPath(chosen->FullId()) : std::u16string();
            if (DirectoryExists(name))
                initial_dir_ = name;
        }
    }

    action = true;
    if (OnAfterDialog)
        OnAfterDialog(*this, name, action);
    if (action) {
        SetText(name);
        SetFocus();
    }
}

void TsDirectoryEdit::ReceptFileDir(const std::u16string& name) {
    const std::u16string folder = DroppedFolder(name, FileExists);
    SetText(TextAfterDrop(Text(), folder, MultipleDirs()));
}

} // namespace dialogs
