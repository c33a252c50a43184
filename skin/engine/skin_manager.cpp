#include "skin/engine/skin_manager.h"

#include "core/error.h"
#include "skin/data/skin_loader.h"
#include "skin/engine/broadcast.h"
#include "skin/engine/common_data.h"
#include "skin/engine/creation_hook.h"
#include "skin/engine/forms_lock.h"
#include "skin/engine/skin_command_protocol.h"
#include "skin/render/skin_hue.h"
#include "skin/windows/dialog_skinner.h"
#include "skin/windows/popup_menu_skin.h"
#include "skin/windows/skin_provider.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/text_rules.h"
#include "ui/wide.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

namespace skin::engine {
namespace {

TsSkinManager* default_manager = nullptr;
// Every manager alive, so that a value passed with a skin command is only ever compared with
// them, never followed.
std::vector<TsSkinManager*> live_managers;
bool skin_loading = false;
bool skin_changing = false;
bool forms_locked = false;

class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = saved_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};

std::u16string ExecutableFolder() {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    std::u16string folder = ui::FromWide(std::wstring(path, length));
    const size_t slash = folder.find_last_of(u"\\/");
    return slash == std::u16string::npos ? std::u16string() : folder.substr(0, slash + 1);
}

bool CommandLineHas(std::u16string_view argument) {
    const std::vector<std::u16string> arguments =
        ui::SplitCommandLine(ui::FromWide(GetCommandLineW()));
    for (size_t i = 1; i < arguments.size(); ++i) {
        std::u16string lower = arguments[i];
        for (char16_t& c : lower)
            if (c >= u'A' && c <= u'Z')
                c = char16_t(c + 32);
        if (lower == argument)
            return true;
    }
    return false;
}

// The files of a folder skin, read when the loader asks for them.
class FolderFileSource : public data::SkinFileSource {
public:
    explicit FolderFileSource(std::u16string folder) : folder_(std::move(folder)) {}
    std::optional<std::span<const std::uint8_t>> Find(std::u16string_view name) override {
        const std::u16string path = folder_ + std::u16string(name);
        auto found = files_.find(path);
        if (found == files_.end()) {
            std::string bytes;
            if (core::SystemFileSystem().ReadWholeFile(path, bytes) != 0)
                return std::nullopt;
            found = files_.emplace(path, std::move(bytes)).first;
        }
        const std::string& bytes = found->second;
        return std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             bytes.size());
    }

private:
    std::u16string folder_;
    std::map<std::u16string, std::string> files_;
};

std::span<const std::uint8_t> AsBytes(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

std::u16string Ansi(const char* text, size_t field) {
    const size_t length = strnlen(text, field);
    std::u16string result;
    result.reserve(length);
    for (size_t i = 0; i < length; ++i)
        result += char16_t(static_cast<unsigned char>(text[i]));
    return result;
}

} // namespace

bool SkinLoading() {
    return skin_loading;
}
bool SkinChanging() {
    return skin_changing;
}
bool FormsLocked() {
    return forms_locked;
}

TsSkinManager* TsSkinManager::Default() {
    return default_manager;
}

TsSkinManager::TsSkinManager(ui::Component* owner)
    : ui::Component(owner), batch_([this](bool repaint) { Announce(repaint); }) {
    live_managers.push_back(this);
    // A form's provider takes its frame from the manager that announces a new skin.
    windows::TsSkinProvider::SourceOfManager() =
        [](LPARAM value) -> const windows::FrameSkinSource* {
        for (TsSkinManager* manager : live_managers)
            if (reinterpret_cast<LPARAM>(manager) == value)
                // Asked while the new skin is announced, before it counts as active.
                return manager->active_ && manager->skin_ ? &manager->frame_source_ : nullptr;
        return nullptr;
    };
    for (auto& list : ThirdLists)
        list = {u" "};
    ThirdLists[1] = {u"TButton"};
    if (!default_manager) {
        default_manager = this;
        if (ui::Application::Instance().Handle())
            application_hook_ = ui::Application::Instance().HookMainWindow(
                [this](ui::Message& message) { return HookApplication(message); });
        dialog_skinner_ = std::make_unique<windows::TacDialogSkinner>([this] {
            windows::DialogSkinSettings settings;
            settings.Source = active_ ? FrameSource() : nullptr;
            settings.StdForms = (SkinningRules & srStdForms) != 0;
            settings.StdDialogs = (SkinningRules & srStdDialogs) != 0;
            settings.DialogShowTime =
                AnimEffects.DialogShow.Active ? AnimEffects.DialogShow.Time : 0;
            settings.DialogHideTime =
                AnimEffects.DialogHide.Active ? AnimEffects.DialogHide.Time : 0;
            return settings;
        });
    }
}

TsSkinManager::~TsSkinManager() {
    application_hook_.Remove();
    if (skin_)
        RemoveSkin();
    if (default_manager == this)
        RemoveCreationHook();
    dialog_skinner_.reset();
    if (default_manager == this)
        default_manager = nullptr;
    std::erase(live_managers, this);
}

const windows::FrameSkinSource* TsSkinManager::FrameSource() const {
    return SkinActive() ? &frame_source_ : nullptr;
}

std::u16string TsSkinManager::SkinInfo() const {
    return SkinActive() ? manager::FormatSkinVersion(skin_->SkinData.Version) : u"N/A";
}

void TsSkinManager::SetSkinName(std::u16string_view name) {
    const std::u16string old_name = std::exchange(skin_name_, manager::StoredSkinName(name));
    if (active_)
        ChooseAndLoad(true, old_name);
}

void TsSkinManager::SetActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    if (active)
        ChooseAndLoad(true, skin_name_);
    else
        RemoveSkin();
}

void TsSkinManager::SetSkinDirectory(std::u16string_view directory) {
    skin_directory_ = directory.empty() ? std::u16string(manager::kDefaultSkinDirectory)
                                        : std::u16string(directory);
}

void TsSkinManager::SetExtendedBorders(bool extended) {
    if (extended == extended_borders_)
        return;
    extended_borders_ = extended;
    if (SkinActive()) {
        ComputeShadow();
        RepaintForms(true);
    }
}

void TsSkinManager::SetHueOffset(int degrees) {
    if (degrees == hue_offset_)
        return;
    hue_offset_ = degrees;
    if (active_)
        ChooseAndLoad(true, skin_name_);
}

void TsSkinManager::SetCommonSections(std::vector<std::u16string> lines) {
    common_sections_ = manager::CleanCommonSections(std::move(lines));
    if (active_)
        ChooseAndLoad(true, skin_name_);
}

void TsSkinManager::SetSaturation(int amount) {
    if (amount == saturation_)
        return;
    saturation_ = amount;
    if (active_)
        ChooseAndLoad(true, skin_name_);
}

std::u16string TsSkinManager::GetFullSkinDirectory() const {
    return manager::FullSkinDirectory(skin_directory_, ExecutableFolder());
}

std::vector<std::u16string> TsSkinManager::GetSkinNames(manager::SkinTypes filter,
                                                        std::u16string& first) {
    std::vector<std::u16string> internal;
    for (const TsStoredSkin& stored : InternalSkins)
        internal.push_back(stored.Name);
    return manager::ListSkinNames(core::SystemFileSystem(), internal, GetFullSkinDirectory(),
                                  filter, first);
}

void TsSkinManager::ExtractInternalSkin(std::u16string_view name, std::u16string_view folder) {
    core::FileSystem& fs = core::SystemFileSystem();
    const std::u16string target = manager::NormalisedDirectory(folder);
    bool matched = false;
    for (const TsStoredSkin& stored : InternalSkins) {
        if (stored.Name != name)
            continue;
        matched = true;
        if (!fs.DirectoryExists(target))
            throw core::Error(u"Directory does not exists.");
        const std::string bytes(reinterpret_cast<const char*>(stored.PackedData.data()),
                                stored.PackedData.size());
        if (const std::uint32_t code =
                fs.WriteWholeFile(target + stored.Name + u" extracted.asz", bytes))
            throw core::Error(core::ErrorMessage(fs, code));
    }
    if (!matched)
        throw core::Error(u"Skin does not exists.");
}

void TsSkinManager::ChooseAndLoad(bool announce, const std::u16string& old_name) {
    if (OnBeforeChange)
        OnBeforeChange();
    FlagScope loading(skin_loading);
    std::vector<std::u16string> internal;
    for (const TsStoredSkin& stored : InternalSkins)
        internal.push_back(stored.Name);
    const manager::SkinChoice choice =
        manager::ChooseSkin(core::SystemFileSystem(), skin_name_, skin_directory_,
                            GetFullSkinDirectory(), internal, editor_link_used_);
    if (choice.source == manager::SkinSource::None) {
        active_ = false;
        RemoveSkin();
        if (OnAfterChange)
            OnAfterChange();
        return;
    }
    skin_name_ = choice.name;
    // The old look is captured before the load replaces it, for the cross-fade.
    if (announce && skin_ && !batch_.NonAutoUpdate() && AnimEffects.SkinChanging.Active &&
        extended_borders_)
        pending_lock_ = LockForms();
    try {
        std::unique_ptr<data::LoadedSkin> loaded = LoadChosen(choice, pending_options_);
        // The dressed dialogs let go of the old skin before it goes, and wear the new one.
        const std::vector<HWND> dressed =
            dialog_skinner_ ? dialog_skinner_->Release() : std::vector<HWND>{};
        skin_ = std::move(loaded);
        skin_is_packed_ = choice.source != manager::SkinSource::Folder;
        ComputeShadow();
        if (dialog_skinner_)
            dialog_skinner_->Redress(dressed);
    } catch (const std::exception& error) {
        // The previous skin stays whole; with none, the internal skin of that name.
        skin_name_ = old_name;
        const core::Error* message = dynamic_cast<const core::Error*>(&error);
        const std::string what = error.what();
        ShowMessage(message ? message->Message() : std::u16string(what.begin(), what.end()), true);
        if (!skin_ && choice.source != manager::SkinSource::Internal && !internal.empty()) {
            manager::SkinChoice fallback = choice;
            auto found = std::find(internal.begin(), internal.end(), choice.name);
            fallback.internal_index = found == internal.end() ? 0 : int(found - internal.begin());
            fallback.name = internal[size_t(fallback.internal_index)];
            fallback.source = manager::SkinSource::Internal;
            try {
                skin_ = LoadChosen(fallback, {});
                skin_is_packed_ = true;
                ComputeShadow();
            } catch (...) {
                skin_.reset();
            }
        }
    }
    if (skin_ && announce)
        batch_.Changed(true);
    pending_lock_.reset();
    UpdateCreationHook();
    if (OnAfterChange)
        OnAfterChange();
}

std::unique_ptr<data::LoadedSkin> TsSkinManager::LoadChosen(const manager::SkinChoice& choice,
                                                            std::u16string_view options_override) {
    auto skin = std::make_unique<data::LoadedSkin>();
    auto reader = std::make_unique<data::TacSkinConvertor>();
    std::string file_bytes;
    data::SkinOptions options;
    std::unique_ptr<data::SkinFileSource> files;
    if (choice.source == manager::SkinSource::Folder) {
        skin->SkinData.SkinPath = choice.path;
        if (!options_override.empty()) {
            options = data::SkinOptions::ParseText(options_override);
        } else {
            std::string text;
            if (const std::uint32_t code = core::SystemFileSystem().ReadWholeFile(
                    choice.path + std::u16string(manager::kOptionsFileName), text))
                throw core::Error(core::ErrorMessage(core::SystemFileSystem(), code));
            options = data::SkinOptions::Parse(AsBytes(text));
        }
        files = std::make_unique<FolderFileSource>(choice.path);
    } else {
        if (choice.source == manager::SkinSource::Package) {
            if (const std::uint32_t code =
                    core::SystemFileSystem().ReadWholeFile(choice.path, file_bytes))
                throw core::Error(core::ErrorMessage(core::SystemFileSystem(), code));
            reader->PackedData = AsBytes(file_bytes);
            skin->SkinData.SkinPath = GetFullSkinDirectory();
        } else {
            reader->PackedData = InternalSkins[size_t(choice.internal_index)].PackedData;
        }
        data::UnpackSkinPackage(reader);
        if (!reader || !reader->Options)
            throw core::Error(u"Loaded data is not a packed Brelune file");
        options = data::SkinOptions::Parse(*reader->Options);
        files = std::make_unique<data::PackageFileSource>(*reader);
    }
    if (!common_sections_.empty())
        options = manager::MergeCommonSections(options, common_sections_);
    data::LoadSkinImages(*skin, options, *files);
    data::LoadGlobalSettings(skin->SkinData, options);
    FinishLoad(*skin);
    data::LoadSectionRecords(*skin, options);
    skin->FillSectionImageIndexes();
    render::ApplySkinHueAndSaturation(*skin, hue_offset_, saturation_);
    skin->RefreshConstData();
    skin->SkinData.Active = true;
    return skin;
}

// The version check, after the global settings are read.
void TsSkinManager::FinishLoad(data::LoadedSkin& skin) {
    const double version = skin.SkinData.Version;
    if (version > 7.99) {
        ShowMessage(u"This version of the skin have not complete support by used Corvane package "
                    u"release.\r\nComponents must be updated up to latest version for using this "
                    u"skin.",
                    false);
    } else if (version < 7 && CommandLineHas(u"/actest")) {
        ShowMessage(u"You are using an old version of the \"" + skin_name_ +
                        u"\" skin. Please, update a skins to latest or link with the Corvane "
                        u"support for upgrading of existing skin.\r\n\r\nThis notification "
                        u"occurs in design-time only for your information and will not occur in "
                        u"real-time.",
                    false);
    }
}

void TsSkinManager::ComputeShadow() {
    if (!skin_) {
        frame_source_ = {};
    } else {
        frame_source_ = windows::MakeFrameSkinSource(*skin_, extended_borders_);
    }
    frame_source_.SkinnedPopups = SkinnedPopups;
    frame_source_.ShowTime = AnimEffects.FormShow.Active ? AnimEffects.FormShow.Time : 0;
    frame_source_.HideTime = AnimEffects.FormHide.Active ? AnimEffects.FormHide.Time : 0;
    frame_source_.MoveBlend = AnimEffects.BlendOnMoving.Active
                                  ? std::clamp(AnimEffects.BlendOnMoving.BlendValue, 0, 255)
                                  : 255;
    frame_source_.MinimizeTime = AnimEffects.Minimizing.Active ? AnimEffects.Minimizing.Time : 0;
}

void TsSkinManager::Announce(bool repaint) {
    // The forms held since before the load (or from now) show the new skin when this ends.
    std::unique_ptr<FormsLock> lock = std::move(pending_lock_);
    if (!skin_)
        return;
    if (repaint && !lock && !SkinLoading())
        lock = LockForms();
    skin_->SkinData.Active = false;
    {
        FlagScope changing(skin_changing);
        BroadcastSkinCommand(SkinCmdSetNewSkin, reinterpret_cast<LPARAM>(this));
    }
    skin_->SkinData.Active = true;
    if (repaint)
        RepaintForms(false);
}

std::unique_ptr<FormsLock> TsSkinManager::LockForms() {
    const bool fade = AnimEffects.SkinChanging.Active && AnimEffects.SkinChanging.Time > 0;
    return std::make_unique<FormsLock>(fade ? AnimEffects.SkinChanging.Time : 0);
}

void TsSkinManager::UpdateSkin(bool repaint) {
    if (active_)
        Announce(repaint);
}

void TsSkinManager::EndUpdate(bool repaint, bool allow_animation) {
    const bool saved = AnimEffects.SkinChanging.Active;
    if (!allow_animation)
        AnimEffects.SkinChanging.Active = false;
    batch_.EndUpdate(repaint, active_);
    AnimEffects.SkinChanging.Active = saved;
}

void TsSkinManager::RepaintForms(bool lock_forms) {
    BroadcastSkinCommand(SkinCmdBeforeRefresh, reinterpret_cast<LPARAM>(this));
    if (!lock_forms || SkinLoading()) {
        BroadcastSkinCommand(SkinCmdRefresh, reinterpret_cast<LPARAM>(this));
        return;
    }
    FlagScope locked(forms_locked);
    forms_locked = default_manager == this && AnimEffects.SkinChanging.Active;
    const std::unique_ptr<FormsLock> lock = LockForms();
    BroadcastSkinCommand(SkinCmdRefresh, reinterpret_cast<LPARAM>(this));
}

void TsSkinManager::UpdateSkinSection(std::u16string_view section) {
    last_section_.assign(section);
    for (char16_t& c : last_section_)
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - 32);
    BroadcastSkinCommand(SkinCmdUpdateSection, 0);
}

void TsSkinManager::RemoveSkin() {
    if (dialog_skinner_)
        dialog_skinner_->FreeAll();
    if (skin_)
        skin_->SkinData.Active = false;
    BroadcastSkinCommand(SkinCmdRemoveSkin, reinterpret_cast<LPARAM>(this));
    skin_.reset();
    frame_source_ = {};
    UpdateCreationHook();
}

// Dialogs and forms the program did not dress itself are caught at their creation while a skin
// is active; without one the platform draws them.
void TsSkinManager::UpdateCreationHook() {
    if (default_manager != this)
        return;
    if (active_ && SkinActive()) {
        InstallCreationHook();
        if (!popup_menus_.Registered())
            popup_menus_ = windows::RegisterPopupMenuSkinning(
                [this] { return SkinnedPopups && SkinActive() ? skin_.get() : nullptr; });
    } else {
        RemoveCreationHook();
    }
}

bool TsSkinManager::GlobalHookInstalled() const {
    return default_manager == this && CreationHookInstalled();
}

void TsSkinManager::SetActiveControl(HWND window) {
    if (window == active_control_)
        return;
    if (active_graph_control_) {
        SetActiveGraphControl(nullptr);
        if (active_graph_control_)
            return;
    }
    const HWND old = active_control_;
    active_control_ = window;
    if (old && IsWindow(old))
        SendSkinCommand(old, SkinCmdMouseLeave, 0, reinterpret_cast<LPARAM>(this));
    if (window)
        SendSkinCommand(window, SkinCmdMouseEnter, 0, reinterpret_cast<LPARAM>(this));
}

void TsSkinManager::SetActiveGraphControl(ui::Control* control) {
    if (control == active_graph_control_)
        return;
    ui::Control* old = active_graph_control_;
    if (!control && old) {
        ui::Message question{ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdGetSkinData), 0, 0};
        old->Perform(question);
        // The control's skin state says whether the mouse is still above it.
        const auto* state = reinterpret_cast<const TsCommonData*>(question.result);
        if (state && state == TsCommonData::Of(*old) && state->MouseAbove)
            return;
    }
    active_graph_control_ = control;
    if (control)
        active_control_ = nullptr;
    if (old)
        old->Perform(ui::WM_SKINCOMMAND, MakeSkinCommand(SkinCmdMouseLeave),
                     reinterpret_cast<LPARAM>(this));
}

int TsSkinManager::GetSkinIndex(std::u16string_view section) const {
    return SkinActive() ? skin_->GetSkinIndex(section) : -1;
}

data::TColor TsSkinManager::GetGlobalColor() const {
    return skin_ ? skin_->GetGlobalColor() : data::TColor(GetSysColor(COLOR_BTNFACE));
}

bool TsSkinManager::ConnectSkinEditor(HWND main_window) {
    const std::vector<std::u16string> arguments =
        ui::SplitCommandLine(ui::FromWide(GetCommandLineW()));
    if (arguments.size() < 2 || arguments[1] != u"/acpreview" || !main_window)
        return false;
    constexpr UINT kEditorQuestion = 0xA400;
    constexpr UINT kAnswerWithinMs = 1000;
    for (int attempt = 0; attempt < 101 && !EditorLinkEnabled; ++attempt) {
        const HWND editor = FindWindowW(nullptr, L"Brelunes Editor");
        if (!editor)
            break;
        DWORD_PTR answer = 0;
        // A hung or slow editor ends the search: the program never waits on it.
        if (!SendMessageTimeoutW(editor, kEditorQuestion, 3, reinterpret_cast<LPARAM>(main_window),
                                 SMTO_ABORTIFHUNG | SMTO_NORMAL, kAnswerWithinMs, &answer))
            break;
        EditorLinkEnabled = answer == 1;
    }
    return EditorLinkEnabled;
}

LRESULT TsSkinManager::HandleEditorRecord(WPARAM wParam, const COPYDATASTRUCT* data) {
    constexpr DWORD kRecordSize = 30646;
    constexpr size_t kNameField = 128, kDirectoryField = 513, kOptionsField = 30001;
    if (!EditorLinkEnabled || handling_editor_record_ || wParam != 7 || !data ||
        data->cbData != kRecordSize || !data->lpData)
        return 0;
    // Our own copy: the sender's memory is only lent for the duration of the message.
    std::vector<char> record(static_cast<const char*>(data->lpData),
                             static_cast<const char*>(data->lpData) + kRecordSize);
    std::uint32_t identifier = 0;
    std::memcpy(&identifier, record.data(), 4);
    const char* name = record.data() + 4;
    const char* directory = name + kNameField;
    const char* options = directory + kDirectoryField;
    if (identifier != 0xA400 || strnlen(name, kNameField) == kNameField ||
        strnlen(directory, kDirectoryField) == kDirectoryField ||
        strnlen(options, kOptionsField) == kOptionsField)
        return 0;
    FlagScope handling(handling_editor_record_);
    editor_link_used_ = true;
    BeginUpdate();
    pending_options_ = Ansi(options, kOptionsField);
    SetSkinDirectory(Ansi(directory, kDirectoryField));
    SetSkinName(Ansi(name, kNameField));
    EndUpdate(true, false);
    pending_options_.clear();
    return 1;
}

void TsSkinManager::ShowMessage(const std::u16string& text, bool error) const {
    if (OnMessage) {
        OnMessage(text, error);
        return;
    }
    if (error) {
        ui::Application::Instance().ShowError(text);
        return;
    }
    MessageBoxW(nullptr, ui::ToWide(text).c_str(),
                ui::ToWide(ui::Application::Instance().Title()).c_str(),
                MB_OK | MB_ICONINFORMATION);
}

bool TsSkinManager::HookApplication(ui::Message& message) {
    switch (message.msg) {
    case WM_SYSCOMMAND: {
        const UINT command = static_cast<UINT>(message.wParam & 0xFFF0);
        if (command == SC_MINIMIZE)
            show_state_ = SkinActive() ? ShowAction::saMinimize : show_state_;
        else if (command == SC_RESTORE)
            show_state_ = SkinActive() ? ShowAction::saRestore : show_state_;
        else
            show_state_ = ShowAction::saIgnore;
        if ((command == SC_MINIMIZE || command == SC_RESTORE) && SkinActive()) {
            // The hidden application window never shows itself minimised or restored.
            PassToMainForm(command);
            message.result = 0;
            return true;
        }
        return false;
    }
    case WM_THEMECHANGED:
        return true;
    case 0x0313: // the taskbar button's menu: the main form's own system menu takes it
        return SkinActive();
    case 0xB000:
        for (ui::Form* form : std::vector<ui::Form*>(ui::Application::Instance().Forms()))
            if (ui::Application::Instance().Forms().end() !=
                std::find(ui::Application::Instance().Forms().begin(),
                          ui::Application::Instance().Forms().end(), form))
                SendSkinCommand(*form, SkinCmdRedrawForm);
        return true;
    case 0xBCB3: // a menu item: only a real menu handle is looked at
        if (!SkinnedPopups || !IsMenu(reinterpret_cast<HMENU>(message.lParam)))
            return false;
        return true;
    case 0xBCB4: { // a popup menu window of this thread
        const HWND window = reinterpret_cast<HWND>(message.lParam);
        wchar_t class_name[16] = {};
        if (!SkinnedPopups || !IsWindow(window) ||
            GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId() ||
            GetClassNameW(window, class_name, 16) == 0 || wcscmp(class_name, L"#32768") != 0)
            return false;
        return true;
    }
    default:
        return false;
    }
}

void TsSkinManager::PassToMainForm(UINT command) {
    ui::Form* main = ui::Application::Instance().MainForm();
    if (!main || !main->HandleAllocated() || main->Destroying())
        return;
    HWND window = main->Handle();
    const bool iconic = IsIconic(window) != FALSE;
    if (command == SC_MINIMIZE ? IsWindowVisible(window) && !iconic : iconic)
        SendMessageW(window, WM_SYSCOMMAND, command, 0);
}

void StartEngine() {
    InstallSkinCommandGate();
    if (CommandLineHas(u"/acver"))
        MessageBoxW(nullptr, L"Corvane v7.65",
                    ui::ToWide(ui::Application::Instance().Title()).c_str(),
                    MB_OK | MB_ICONINFORMATION);
}

} // namespace skin::engine
