// Arbordir: designs a tree of folders and creates it below a destination in one go.

#include "app/main_form.h"
#include "dialogs/message_dialogs.h"
#include "skin/engine/skin_manager.h"
#include "ui/application.h"
#include "ui/text_rules.h"
#include "ui/wide.h"

#include <commctrl.h>
#include <objbase.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    ui::Application& application = ui::Application::Instance();
    application.Initialize();
    application.OnShowError = dialogs::ShowErrorBox;
    skin::engine::StartEngine();

    const std::vector<std::u16string> arguments =
        ui::SplitCommandLine(ui::FromWide(GetCommandLineW()));
    std::u16string destination = arguments.size() > 1 ? arguments[1] : std::u16string();

    int exit_code = 0;
    try {
        app::TForm1 form(nullptr, std::move(destination));
        exit_code = application.Run(form);
    } catch (...) {
        application.HandleException(std::current_exception());
        exit_code = 1;
    }
    CoUninitialize();
    return exit_code;
}
