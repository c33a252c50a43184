#include "dialogs/open_dialog.h"

#include "dialogs/file_filter.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/wide.h"

#include <commdlg.h>
#include <vector>
#include <windows.h>

namespace dialogs {

namespace {

// Long enough for any path the platform can give back.
constexpr std::size_t kFileNameCapacity = 32768;

DWORD PlatformFlags(TOpenOptions options) {
    DWORD flags = OFN_EXPLORER;
    if (options & ofHideReadOnly)
        flags |= OFN_HIDEREADONLY;
    if (options & ofEnableSizing)
        flags |= OFN_ENABLESIZING;
    if (options & ofFileMustExist)
        flags |= OFN_FILEMUSTEXIST;
    if (options & ofPathMustExist)
        flags |= OFN_PATHMUSTEXIST;
    if (options & ofNoChangeDir)
        flags |= OFN_NOCHANGEDIR;
    return flags;
}

HWND OwnerForm() {
    HWND active = GetActiveWindow();
    if (active && dynamic_cast<ui::Form*>(ui::WinControl::FromHandle(active)))
        return active;
    ui::Form* main = ui::Application::Instance().MainForm();
    return main && main->HandleAllocated() ? main->Handle() : nullptr;
}

} // namespace

TsOpenDialog::TsOpenDialog(ui::Component* owner) : Component(owner) {}

bool TsOpenDialog::Execute() {
    const std::u16string filter = PlatformFilter(filter_);
    std::vector<wchar_t> file_name(kFileNameCapacity, L'\0');
    const std::wstring name = ui::ToWide(file_name_);
    name.copy(file_name.data(), std::min(name.size(), kFileNameCapacity - 1));

    OPENFILENAMEW params{};
    params.lStructSize = sizeof(params);
    params.hwndOwner = OwnerForm();
    params.lpstrFilter = ui::Wide(filter);
    params.nFilterIndex = 1;
    params.lpstrFile = file_name.data();
    params.nMaxFile = static_cast<DWORD>(file_name.size());
    params.lpstrInitialDir = initial_dir_.empty() ? nullptr : ui::Wide(initial_dir_);
    params.lpstrTitle = title_.empty() ? nullptr : ui::Wide(title_);
    params.Flags = PlatformFlags(options_);

    ui::Application& application = ui::Application::Instance();
    application.ModalStarted();
    const BOOL chosen = GetOpenFileNameW(&params);
    application.ModalFinished();
    if (!chosen)
        return false;
    file_name_ = ui::FromWide(file_name.data());
    return true;
}

} // namespace dialogs
