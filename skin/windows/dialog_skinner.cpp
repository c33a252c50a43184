#include "skin/windows/dialog_skinner.h"

#include "skin/frame/dialog_rules.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/trace.h"
#include "ui/win_control.h"

#include <algorithm>

namespace skin::windows {

namespace {

constexpr char16_t kDialogClass[] = u"#32770";

bool IsDialogClass(HWND window) {
    return engine::SameClassName(engine::WindowClassName(window), kDialogClass);
}

bool HasSkinProvider(const ui::Form& form) {
    const auto& owned = form.Components();
    return std::any_of(owned.begin(), owned.end(), [](const ui::Component* component) {
        return dynamic_cast<const TsSkinProvider*>(component) != nullptr;
    });
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// Every descendant window, parents before their children.
std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

// What lies behind a child of a form that the provider frames: the provider's cache with the
// child's place in it, or the platform's face colour while the form is not skinned.
render::TCacheInfo BehindChild(TsSkinProvider* provider, HWND form, HWND child) {
    if (!provider || !provider->Skinned())
        return {nullptr, 0, 0, GetSysColor(COLOR_BTNFACE), false};
    provider->PrepareCache();
    POINT origin{0, 0};
    MapWindowPoints(child, form, &origin, 1);
    const render::SkinBitmap& cache = provider->CacheBitmap();
    return {&cache, origin.x + provider->OffsetX(), origin.y + provider->OffsetY(),
            provider->FormColor(), !cache.IsEmpty()};
}

// The timer that looks again at the hidden children of a dressed dialog, out of the range the
// platform's dialogs use for their own.
constexpr UINT_PTR kRemapTimer = 0xAC5D;
constexpr UINT kRemapInterval = 250;
constexpr int kSettlingRounds = 8;

// Posted to a dressed dialog so that the children shown after its activation are mapped once
// the dialog has settled.
UINT MapLaterMessage() {
    static const UINT message = RegisterWindowMessageW(L"ArbordirMapDialogChildren");
    return message;
}

// The push buttons of a form dressed at run time, kept as long as the form: its components go
// while its windows still exist.
class TacFormButtons : public ui::Component {
public:
    TacFormButtons(ui::Component* form, TsSkinProvider& provider, const data::LoadedSkin& skin)
        : ui::Component(form), form_window_(provider.Window()), provider_(provider) {
        ChildContext context;
        context.Skin = &skin;
        context.Behind = [this](HWND child) { return Behind(child); };
        for (HWND child : Descendants(form_window_)) {
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            const frame::ChildMapping mapping =
                frame::MapDialogChild(engine::WindowClassName(child), static_cast<unsigned>(style),
                                      static_cast<unsigned>(GetWindowLongW(child, GWL_EXSTYLE)));
            if (mapping.Handler != frame::ChildHandler::BtnWnd)
                continue;
            if (std::unique_ptr<TacMainWnd> handler = MakeChildHandler(child, mapping, context))
                handlers_.push_back(std::move(handler));
        }
    }
    std::u16string_view ClassName() const override { return u"TacFormButtons"; }

private:
    render::TCacheInfo Behind(HWND child) const {
        return BehindChild(&provider_, form_window_, child);
    }

    HWND form_window_;
    TsSkinProvider& provider_;
    std::vector<std::unique_ptr<TacMainWnd>> handlers_;
};

bool HasToolbar(HWND dialog) {
    for (HWND child : Descendants(dialog))
        if (engine::SameClassName(engine::WindowClassName(child), u"ToolbarWindow32"))
            return true;
    return false;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TacDialogWnd

TacDialogWnd::TacDialogWnd(HWND dialog, TacDialogSkinner& skinner)
    : window_(dialog), skinner_(skinner) {
    subclass_.Attach(dialog, [this](ui::Message& m) { return Handle(m); });
}

TacDialogWnd::~TacDialogWnd() {
    if (IsWindow(window_))
        KillTimer(window_, kRemapTimer);
    children_.clear();
    const bool repaint = frame_ && IsWindow(window_);
    frame_.reset();
    subclass_.Detach();
    for (auto& [colour, brush] : brushes_)
        DeleteObject(brush);
    if (repaint) {
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

std::vector<HWND> TacDialogWnd::HandledChildren() const {
    std::vector<HWND> handled;
    for (const auto& [window, child] : children_)
        if (!child.Handler->Destroyed())
            handled.push_back(window);
    return handled;
}

void TacDialogWnd::Dress() {
    const DialogSkinSettings settings = skinner_.Settings();
    if (!settings.Source || frame_)
        return;
    frame_ = std::make_unique<TsSkinProvider>(nullptr, window_);
    frame_->SetName(u"DialogFrame");
    frame_->SkinSection = u"DIALOG";
    frame_->ShowAppIcon = false;
    // The dialog animations run only with a time; the program keeps both at 0.
    frame_->AllowAnimation = settings.DialogHideTime > 0;
    frame_->SetSkinSource(settings.Source);

    const POINT requested =
        skinner_.RequestedPosition ? skinner_.RequestedPosition() : POINT{-1, -1};
    if (requested.x != -1 || requested.y != -1) {
        RECT bounds{};
        GetWindowRect(window_, &bounds);
        SetWindowPos(window_, nullptr, requested.x != -1 ? requested.x : bounds.left,
                     requested.y != -1 ? requested.y : bounds.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    settling_rounds_ = kSettlingRounds;
    MapChildren();
    PostMessageW(window_, MapLaterMessage(), 0, 0);
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TacDialogWnd::MapChildren() {
    if (!frame_)
        return;
    // Handlers of children that have gone are dropped, so a reused handle is mapped afresh.
    std::erase_if(children_, [](const auto& entry) { return entry.second.Handler->Destroyed(); });
    std::erase_if(left_alone_, [](HWND child) { return !IsWindow(child); });

    ChildContext context;
    context.Skin = frame_->Skinned() ? skinner_.Settings().Source->Skin : nullptr;
    if (!context.Skin)
        return;
    context.Behind = [this](HWND child) { return Behind(child); };
    bool waiting = false;
    for (HWND child : Descendants(window_)) {
        if (children_.count(child) || left_alone_.count(child))
            continue;
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (!(style & WS_CHILD))
            continue;
        const frame::ChildMapping mapping =
            frame::MapDialogChild(engine::WindowClassName(child), static_cast<unsigned>(style),
                                  static_cast<unsigned>(GetWindowLongW(child, GWL_EXSTYLE)));
        if (mapping.VisibleOnly && !IsWindowVisible(child)) {
            waiting = true; // looked at again when it shows
            continue;
        }
        std::unique_ptr<TacMainWnd> handler = MakeChildHandler(child, mapping, context);
        if (handler)
            children_.emplace(child, Child{std::move(handler), mapping});
        else
            left_alone_.insert(child);
    }
    // A child may be made or shown after the dialog settled with no event the dialog hears of
    // (the open dialog's file name field under Wine): the children are looked at again for a
    // while after dressing, and the hidden ones as long as they wait.
    if (waiting || settling_rounds_ > 0)
        SetTimer(window_, kRemapTimer, kRemapInterval, nullptr);
    else
        KillTimer(window_, kRemapTimer);
}

render::TCacheInfo TacDialogWnd::Behind(HWND child) const {
    return BehindChild(frame_.get(), window_, child);
}

HBRUSH TacDialogWnd::BrushOf(COLORREF colour) {
    HBRUSH& brush = brushes_[colour];
    if (!brush)
        brush = CreateSolidBrush(colour);
    return brush;
}

bool TacDialogWnd::CtlColor(ui::Message& m) {
    if (!frame_ || !frame_->Skinned())
        return false;
    const data::LoadedSkin& skin = *skinner_.Settings().Source->Skin;
    HDC dc = reinterpret_cast<HDC>(m.wParam);
    HWND child = reinterpret_cast<HWND>(m.lParam);
    const auto handled = children_.find(child);
    // Edits and lists of a dialog keep the platform's window colour inside the skin's border.
    if (m.msg == WM_CTLCOLOREDIT || m.msg == WM_CTLCOLORLISTBOX ||
        engine::SameClassName(engine::WindowClassName(child), u"Edit"))
        return false;
    ChildColors colors;
    // Statics, check boxes, group boxes and the dialog itself: the dialog's face colour, the
    // text in the child's section colour.
    const std::u16string_view section = handled != children_.end()
                                            ? handled->second.Mapping.Section
                                            : std::u16string_view(u"CHECKBOX");
    if (!ColorsOfSection(skin, section, colors))
        colors.Text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF face = frame_->FormColor();
    SetTextColor(dc, colors.Text);
    SetBkColor(dc, face);
    SetBkMode(dc, TRANSPARENT);
    m.result = reinterpret_cast<LRESULT>(BrushOf(face));
    return true;
}

bool TacDialogWnd::Handle(ui::Message& m) {
    switch (m.msg) {
    case WM_INITDIALOG:
        // The children exist now; the platform has also removed the buttons it did not need.
        m.result = subclass_.CallPrevious(m);
        Dress();
        return true;
    case WM_SHOWWINDOW:
    case WM_ACTIVATE:
        m.result = subclass_.CallPrevious(m);
        MapChildren();
        if (frame_)
            PostMessageW(window_, MapLaterMessage(), 0, 0);
        return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
        return CtlColor(m);
    case WM_NCDESTROY: {
        m.result = subclass_.CallPrevious(m);
        // The skinner goes with its dialog, not at some later destruction.
        TacDialogSkinner& skinner = skinner_;
        skinner.Forget(this);
        return true;
    }
    case WM_TIMER:
        if (m.wParam != kRemapTimer)
            return false;
        if (settling_rounds_ > 0)
            --settling_rounds_;
        MapChildren();
        m.result = 0;
        return true;
    default:
        if (m.msg == MapLaterMessage()) {
            MapChildren();
            return true;
        }
        return false;
    }
}

// ---------------------------------------------------------------------------------------------
// TacDialogSkinner

TacDialogSkinner::TacDialogSkinner(std::function<DialogSkinSettings()> settings)
    : settings_(std::move(settings)) {
    dialog_rule_ = engine::RegisterCreationRule(
        {kDialogClass, [this](HWND window) { Created(window); }, nullptr, nullptr, nullptr});
    window_rule_ = engine::RegisterCreationRule(
        {u"", nullptr, [this](HWND window) { Activated(window); }, nullptr, [this] { FreeAll(); }});
}

TacDialogSkinner::~TacDialogSkinner() {
    dialog_rule_.Remove();
    window_rule_.Remove();
    FreeAll();
}

TacDialogWnd* TacDialogSkinner::DialogOf(HWND window) const {
    for (const auto& dialog : dialogs_)
        if (dialog->Window() == window)
            return dialog.get();
    return nullptr;
}

void TacDialogSkinner::FreeAll() {
    std::vector<std::unique_ptr<TacDialogWnd>> going = std::move(dialogs_);
    dialogs_.clear();
    going.clear();
}

std::vector<HWND> TacDialogSkinner::Release() {
    std::vector<HWND> windows;
    for (const auto& dialog : dialogs_)
        windows.push_back(dialog->Window());
    FreeAll();
    return windows;
}

void TacDialogSkinner::Redress(const std::vector<HWND>& windows) {
    const DialogSkinSettings settings = settings_();
    if (!settings.Source)
        return;
    for (HWND window : windows) {
        if (!IsWindow(window) || DialogOf(window))
            continue;
        dialogs_.push_back(std::make_unique<TacDialogWnd>(window, *this));
        dialogs_.back()->Dress();
    }
}

void TacDialogSkinner::Forget(TacDialogWnd* dialog) {
    auto found = std::find_if(dialogs_.begin(), dialogs_.end(),
                              [dialog](const auto& entry) { return entry.get() == dialog; });
    if (found == dialogs_.end())
        return;
    std::unique_ptr<TacDialogWnd> going = std::move(*found);
    dialogs_.erase(found);
}

bool TacDialogSkinner::MayDress(HWND window, const DialogSkinSettings& settings) const {
    if (!settings.Source || !settings.Source->Skin || ui::Application::Instance().Terminating())
        return false;
    if (DialogOf(window) || HasHandledMarker(window))
        return false;
    // A popup without a border shows no frame to dress.
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if ((style & WS_POPUP) && !(style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)))
        return false;
    return true;
}

void TacDialogSkinner::Created(HWND window) {
    const DialogSkinSettings settings = settings_();
    if (MayDress(window, settings))
        TryDialog(window, settings);
}

void TacDialogSkinner::Activated(HWND window) {
    if (TacDialogWnd* dialog = DialogOf(window)) {
        // Children created after WM_INITDIALOG (the open dialog's shell view) are mapped now.
        dialog->MapChildren();
        return;
    }
    const DialogSkinSettings settings = settings_();
    if (!MayDress(window, settings))
        return;
    TryForm(window, settings);
    if (IsDialogClass(window))
        TryDialog(window, settings);
}

void TacDialogSkinner::TryForm(HWND window, const DialogSkinSettings& settings) {
    auto* form = dynamic_cast<ui::Form*>(ui::WinControl::FromHandle(window));
    if (!form || HasSkinProvider(*form) || TagExcludesForm(form->Tag()) || form->Loading())
        return;
    const std::u16string_view name = form->ClassName();
    if (name == u"TApplication" || name == u"TfcPopup")
        return;
    const bool message_form = name == u"TMessageForm";
    if (message_form ? !settings.StdDialogs : !settings.StdForms)
        return;
    // The provider lives as long as the form; the form's end takes it.
    auto& provider = ui::Make<TsSkinProvider>(*form);
    provider.SetName(u"AutoSkinProvider");
    provider.SetSkinSource(settings.Source);
    if (settings.Source->Skin)
        ui::Make<TacFormButtons>(*form, provider, *settings.Source->Skin);
    ui::TraceEvent(*form, "auto-skin", 0, message_form ? 1 : 0);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TacDialogSkinner::TryDialog(HWND window, const DialogSkinSettings& settings) {
    if (!settings.StdDialogs)
        return;
    // Without a parent or an owner, or owned by a window of this thread: every dialog the
    // program opens is owned by one of its forms.
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if (style & WS_CHILD)
        return;
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner && GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId())
        return;
    const auto visible = std::count_if(dialogs_.begin(), dialogs_.end(), [](const auto& dialog) {
        return IsWindowVisible(dialog->Window());
    });
    if (visible > 1 && !HasToolbar(window))
        return;
    dialogs_.push_back(std::make_unique<TacDialogWnd>(window, *this));
    if (ui::TraceOn())
        ui::TraceLine(u"DialogSkinner", "dialog", static_cast<long long>(dialogs_.size()), 0);
    // A dialog caught after its creation already has its children.
    if (IsWindowVisible(window))
        dialogs_.back()->Dress();
}

} // namespace skin::windows
