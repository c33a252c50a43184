#include "app/main_form.h"

#include "app/frame_skin.h"
#include "app/name_messages.h"
#include "app/resources/resource_ids.h"
#include "app/template_location.h"
#include "app/tree_keys.h"
#include "app/win32_paths.h"
#include "core/directory_scanner.h"
#include "core/folder_creation.h"
#include "core/template_file.h"
#include "core/text.h"
#include "dialogs/input_query.h"
#include "dialogs/message_dialogs.h"
#include "dialogs/path_dialog.h"
#include "ui/application.h"
#include "ui/text_rules.h"
#include "ui/trace.h"
#include "ui/wide.h"
#include "ui/win32_error.h"

#include <cstdint>
#include <functional>
#include <shellapi.h>

namespace app {

namespace {

constexpr char16_t kDestinationPrompt[] = u"Destination folder...";
constexpr char16_t kSuccess[] = u"Folders were successfully created!";
constexpr char16_t kTemplateFilter[] = u"Arbordir Files|*.arbordir";
constexpr char16_t kSaveCaption[] = u"Save Template";
constexpr char16_t kSavePrompt[] = u"Type a name of the Template";
constexpr wchar_t kMakerAddress[] = L"https://quillmark.example/arbordir";
// Posted when the window is shown: the name editor asked for at start opens once the window
// and its tree can take the keyboard focus.
constexpr UINT WM_OPENPENDINGEDIT = WM_APP + 1;
// Posted after changes to the tree or the destination: the names are checked once for all.
constexpr UINT WM_CHECKNAMES = WM_APP + 2;

HICON LoadGlyph(int id) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
}

// A resource of raw bytes (RCDATA) of the program; empty when it is missing.
std::vector<std::uint8_t> ResourceBytes(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes)
        return {};
    return {bytes, bytes + SizeofResource(module, found)};
}

ui::Font MakeFont(std::u16string name, int height) {
    ui::Font font;
    font.name = std::move(name);
    font.height = height;
    font.color = ui::Rgb(0, 0, 0);
    return font;
}

template <class T>
T& Child(ui::Form& form, const char16_t* name, ui::Bounds bounds) {
    T& control = ui::Make<T>(form);
    control.SetName(name);
    control.SetParent(&form);
    control.SetBounds(bounds);
    return control;
}

// The busy cursor for the length of a scope, also when an error leaves it.
class BusyCursor {
public:
    BusyCursor() { ui::Application::Instance().SetBusyCursor(true); }
    ~BusyCursor() { ui::Application::Instance().SetBusyCursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// While folders are created, the caption says how far the creation got, and the windows are
// painted (only painted: a click must not start anything in the middle). The first word comes
// after a moment, so that a short creation does not flicker; the caption comes back at the end.
class CreationProgressCaption {
public:
    explicit CreationProgressCaption(ui::Form& form)
        : form_(form), caption_(form.Text()), last_shown_(GetTickCount64()) {}
    ~CreationProgressCaption() {
        if (shown_)
            form_.SetText(caption_);
    }
    CreationProgressCaption(const CreationProgressCaption&) = delete;
    CreationProgressCaption& operator=(const CreationProgressCaption&) = delete;

    void operator()(std::size_t done, std::size_t total) {
        const ULONGLONG now = GetTickCount64();
        if (now - last_shown_ < kInterval)
            return;
        last_shown_ = now;
        shown_ = true;
        form_.SetText(CreationProgressText(done, total));
        ui::TraceEvent(form_, "creation progress", static_cast<long long>(done),
                       static_cast<long long>(total));
        MSG message;
        while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageW(&message);
    }

private:
    // Four times a second: readable, and the skinned caption is not repainted all the time.
    static constexpr ULONGLONG kInterval = 250; // milliseconds

    ui::Form& form_;
    std::u16string caption_;
    ULONGLONG last_shown_;
    bool shown_ = false;
};

} // namespace

TForm1::TForm1(ui::Component* owner, std::u16string destination)
    : Form(owner),
      LoadTpl(Child<skin::controls::TsSpeedButton>(*this, u"LoadTpl", {87, 312, 129, 24})),
      SaveTemplate(
          Child<skin::controls::TsSpeedButton>(*this, u"SaveTemplate", {215, 312, 129, 24})),
      scan(Child<skin::controls::TsSpeedButton>(*this, u"scan", {8, 312, 81, 24})),
      sLabelFX1(Child<skin::controls::TsLabelFX>(*this, u"sLabelFX1", {215, 369, 0, 0})),
      TreeView1(Child<ui::TreeView>(*this, u"TreeView1", {-2, 0, 489, 305})),
      CreateFolders(Child<skin::controls::TsButton>(*this, u"CreateFolders", {350, 338, 137, 34})),
      sDirectoryEdit1(
          Child<dialogs::TsDirectoryEdit>(*this, u"sDirectoryEdit1", {6, 342, 338, 26})),
      sDirectoryEdit2(Child<dialogs::TsDirectoryEdit>(*this, u"sDirectoryEdit2", {8, 8, 121, 21})),
      sOpenDialog1(ui::Make<dialogs::TsOpenDialog>(*this)), sSkinManager1(CreateSkinManager(*this)),
      destination_(std::move(destination)) {
    SetName(u"Form1");
    SetText(u"Arbordir");
    SetClientSize(488, 387);
    SetBorderStyle(ui::BorderStyle::bsSingle);
    SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
    SetPosition(ui::FormPosition::poScreenCenter);
    SetColor(ui::Rgb(232, 232, 232));
    SetFont(MakeFont(u"MS Sans Serif", 10));

    const ui::Font button_font = MakeFont(u"MS Sans Serif", 10);
    for (auto [button, caption, glyph] :
         {std::tuple{&LoadTpl, u"Load Template", IDI_LOAD_TEMPLATE},
          std::tuple{&SaveTemplate, u"Save Template", IDI_SAVE_TEMPLATE},
          std::tuple{&scan, u"Scan...", IDI_SCAN}}) {
        button->SetText(caption);
        button->SetFont(button_font);
        button->SetGlyph(LoadGlyph(glyph));
    }
    LoadTpl.OnClick = [this](ui::Control&) { LoadTplClick(); };
    SaveTemplate.OnClick = [this](ui::Control&) { SaveTemplateClick(); };
    scan.OnClick = [this](ui::Control&) { scanClick(); };

    sLabelFX1.Shadow().Mode = skin::controls::TShadowMode::smCustom;
    sLabelFX1.Shadow().Color = 0x808080; // grey
    sLabelFX1.Shadow().BlurCount = 1;
    sLabelFX1.SetFont(MakeFont(u"Myriad Pro", 12));
    sLabelFX1.SetText(u"Quillmark");
    sLabelFX1.SetHandCursor(true);
    sLabelFX1.OnClick = [this](ui::Control&) { sLabelFX1Click(); };

    for (int id : {IDR_FOLDER, IDR_FOLDER_NAME_CHANGED, IDR_FOLDER_NAME_REFUSED})
        sAlphaImageList1.AddItem(skin::render::TsImageFormat::ifPNG, ResourceBytes(id));
    sAlphaImageList1.GenerateStdList();
    TreeView1.SetBorder(false);
    TreeView1.SetHideSelection(false);
    TreeView1.SetColor(ui::Rgb(255, 255, 255));
    TreeView1.SetFont(MakeFont(u"Myriad Pro Light", 15));
    TreeView1.SetImageList(sAlphaImageList1.Handle());
    TreeView1.SetIndent(20);
    TreeView1.SetTabOrder(0);
    tree_view_ = std::make_unique<FolderTreeView>(tree_, TreeView1);
    tree_view_->OnEdited = [this](core::FolderNode& node) { TreeView1Edited(node); };
    TreeView1.OnKeyDown = [this](ui::Control&, WORD& key, ui::ShiftState) {
        TreeView1KeyDown(key);
    };
    name_marks_ = std::make_unique<NameMarks>(tree_, *tree_view_, TreeView1);
    tree_view_->OnNamesChanged = [this] { ScheduleNameCheck(); };
    tree_view_->OnNodeRemoving = [this](core::FolderNode& node) { name_marks_->Forget(node); };

    CreateFolders.SetText(u"Create Folders");
    CreateFolders.SetFont(MakeFont(u"MS Sans Serif", 13));
    CreateFolders.SetTabOrder(1);
    CreateFolders.OnClick = [this](ui::Control&) { CreateFoldersClick(); };

    ConfigureDirectoryEdits();

    sOpenDialog1.SetName(u"sOpenDialog1");
    sOpenDialog1.SetFilter(kTemplateFilter);

    OnCreate = [this](ui::Form&) { FormCreate(); };
    DressForm(*this, false);
    DressTreeView(TreeView1);
    for (dialogs::TsDirectoryEdit* edit : {&sDirectoryEdit1, &sDirectoryEdit2})
        DressEdit(*edit);
    FinishCreation();
}

TForm1::~TForm1() {
    name_marks_.reset();
    tree_view_.reset();
}

void TForm1::ConfigureDirectoryEdits() {
    for (dialogs::TsDirectoryEdit* edit : {&sDirectoryEdit1, &sDirectoryEdit2}) {
        edit->SetColor(ui::Rgb(255, 255, 255));
        edit->SetFont(MakeFont(u"MS Sans Serif", 13));
        edit->SetMaxLength(255);
    }
    sDirectoryEdit1.SetText(kDestinationPrompt);
    sDirectoryEdit1.SetTabOrder(2);
    // Path lengths depend on the destination.
    sDirectoryEdit1.OnChange = [this](ui::Control&) { ScheduleNameCheck(); };
    sDirectoryEdit2.SetTabOrder(3);
    sDirectoryEdit2.SetVisible(false);
    for (dialogs::TsDirectoryEdit* edit : {&sDirectoryEdit1, &sDirectoryEdit2})
        edit->OnPickerReady = [](dialogs::TPathDialogForm& picker) {
            DressForm(picker, true);
            DressTreeView(picker.sShellTreeView1);
            DressScrollBars(picker.sScrollBox1);
        };
}

void TForm1::FormCreate() {
    sDirectoryEdit1.SetText(destination_);
    core::FolderNode& first = tree_.Add(nullptr, kNewFolder);
    tree_.EditText(first);
}

void TForm1::WndProc(ui::Message& message) {
    if (message.msg == WM_QUERYENDSESSION) {
        // No fade may hold up logging off: they end now, whatever their frame.
        skin::controls::EndAllFades();
    }
    if (message.msg == WM_COPYDATA) {
        // Only the skin editor's records, once its link is open; everything else answers 0.
        message.result = 0;
        try {
            message.result = sSkinManager1.HandleEditorRecord(
                message.wParam, reinterpret_cast<const COPYDATASTRUCT*>(message.lParam));
        } catch (const std::exception&) {
            // A record that cannot be applied leaves the skin as it is.
        }
        return;
    }
    if (message.msg == WM_SHOWWINDOW && message.wParam) {
        if (!editor_searched_) {
            editor_searched_ = true;
            sSkinManager1.ConnectSkinEditor(Handle());
        }
        PostMessageW(Handle(), WM_OPENPENDINGEDIT, 0, 0);
        ScheduleNameCheck();
    } else if (message.msg == WM_OPENPENDINGEDIT && tree_view_) {
        tree_view_->OpenPendingEdit();
    } else if (message.msg == WM_CHECKNAMES) {
        CheckNames();
    }
    Form::WndProc(message);
}

void TForm1::ScheduleNameCheck() {
    // Before the window exists, its showing schedules the check.
    if (name_check_posted_ || !HandleAllocated())
        return;
    name_check_posted_ = PostMessageW(Handle(), WM_CHECKNAMES, 0, 0) != FALSE;
}

void TForm1::CheckNames() {
    name_check_posted_ = false;
    if (!name_marks_)
        return;
    const std::u16string destination = sDirectoryEdit1.Text();
    const bool known = !destination.empty() && destination != kDestinationPrompt;
    name_marks_->SetDestination(known ? ExpandedOrAsGiven(destination) : std::u16string());
    name_marks_->Refresh();
}

void TForm1::CMDialogKey(ui::Message& message) {
    // Never the form's own dialog-key handling: Tab moves no focus, Enter presses no button.
    message.result = 0;
    const WPARAM key = message.wParam;
    if (key != VK_TAB && key != VK_RETURN)
        return;
    // A name being typed is kept, and its node becomes the one the new folder is placed by.
    TreeView1.EndEditing(false);
    if (key == VK_TAB)
        AddSubFolder(tree_);
    else
        AddFolder(tree_);
    // The key is used up here. Going on as a typed character it would do nothing in the tree
    // or on a button, but it would put a tab into the destination field's text.
    message.result = 1;
}

void TForm1::TreeView1KeyDown(WORD& key) {
    const bool editing = TreeView1.IsEditing();
    const KeyAction action = ActionOfKey(key, editing);
    if (action == KeyAction::kaNone)
        return;
    if (action == KeyAction::kaDelete && editing) {
        // Delete in the name editor removes the folder being named, not a character: accepting
        // the edit makes that folder the selected one.
        TreeView1.EndEditing(false);
    }
    ApplyKeyAction(tree_, action);
    // The name editor that had the focus may have gone with its folder.
    if (action == KeyAction::kaDelete && !GetFocus())
        TreeView1.SetFocus();
}

void TForm1::TreeView1Edited(core::FolderNode& node) {
    tree_.Select(&node);
}

void TForm1::CreateFoldersClick() {
    std::u16string destination = sDirectoryEdit1.Text();
    if (destination.empty() || destination == kDestinationPrompt) {
        sDirectoryEdit1.DoClick();
        destination = sDirectoryEdit1.Text();
    }
    if (destination.empty() || destination == kDestinationPrompt || tree_.Empty())
        return;

    // Before the disk is touched: names Windows would change or refuse are told, and the user
    // decides whether the rest is created.
    const core::NameCheck names(tree_, ExpandedOrAsGiven(destination));
    if (!names.AllAsTyped() && !dialogs::ShowQuestion(NamesQuestion(names)))
        return;
    const core::CreationReport report = MakeFolders(destination, names);
    const std::u16string result =
        CreationResult(tree_, destination, names, report, ui::SystemErrorText);
    if (result.empty())
        dialogs::ShowMessage(kSuccess);
    else
        throw core::Error(result);
}

core::CreationReport TForm1::MakeFolders(const std::u16string& destination,
                                         const core::NameCheck& names) {
    BusyCursor busy;
    CreationProgressCaption progress(*this);
    return core::CreateFolders(tree_, destination, core::SystemFileSystem(), names,
                               std::ref(progress));
}

void TForm1::LoadTplClick() {
    sOpenDialog1.SetInitialDir(ExpandFileName(TemplatesSearchPath(ExecutablePath())));
    if (sOpenDialog1.Execute()) {
        LoadTemplate(sOpenDialog1.FileName());
    } else {
        // Also after a cancel: the user sees the whole tree either way.
        BusyCursor busy;
        tree_.FullExpand();
    }
}

void TForm1::LoadTemplate(const std::u16string& file) {
    BusyCursor busy;
    // One batch: the view shows the loaded tree once, fully expanded.
    core::TreeUpdate update(tree_);
    core::LoadFromFile(tree_, file, core::SystemFileSystem());
    tree_.FullExpand();
}

void TForm1::SaveTemplateClick() {
    std::u16string name;
    if (!dialogs::InputQuery(kSaveCaption, kSavePrompt, name))
        return;
    core::SaveToFile(tree_, core::TemplateFilePath(ExecutablePath(), name),
                     core::SystemFileSystem());
}

void TForm1::scanClick() {
    // The hidden field keeps the folder of the last pick: a cancelled picker scans it again.
    sDirectoryEdit2.DoClick();
    const std::u16string folder = sDirectoryEdit2.Text();
    if (!folder.empty())
        ScanFolder(folder);
}

void TForm1::ScanFolder(const std::u16string& folder) {
    core::ScanDirectory(tree_, folder, core::SystemFileSystem(),
                        [](bool busy) { ui::Application::Instance().SetBusyCursor(busy); });
}

void TForm1::sLabelFX1Click() {
    ShellExecuteW(Handle(), L"OPEN", kMakerAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace app
