// Platform dialogs and run-time forms dressed through the window-creation watch, on real
// windows under Wine: the message box's frame, children and position, freeing with the
// dialog, the skip rules for forms, and the platform's look back once the watch is removed.

#include "skin/engine/creation_hook.h"
#include "skin/windows/dialog_skinner.h"
#include "skinned_form.h"

#include <functional>
#include <string>
#include <vector>

namespace skin::windows {
namespace {

using testing::Settle;
using testing::Source;

class NamedForm : public ui::Form {
public:
    explicit NamedForm(std::u16string class_name)
        : ui::Form(nullptr), class_name_(std::move(class_name)) {
        SetBorderStyle(ui::BorderStyle::bsDialog);
        SetText(u"Run-time form");
        SetBounds({200, 150, 240, 120});
        FinishCreation();
    }
    std::u16string_view ClassName() const override { return class_name_; }

private:
    std::u16string class_name_;
};

bool HasProvider(const ui::Form& form) {
    for (const ui::Component* component : form.Components())
        if (dynamic_cast<const TsSkinProvider*>(component))
            return true;
    return false;
}

// What a message box looked like while it was up.
struct BoxSeen {
    HWND box = nullptr;
    bool dressed = false;
    bool skinned = false;
    std::u16string section;
    LONG style = 0;
    bool has_region = false;
    RECT bounds{};
    std::vector<std::u16string> handled; // class names of the children with the marker
    std::vector<std::u16string> all;
};

class DialogSkinnerTest : public ui::FrameworkTest {
protected:
    void SetUp() override {
        ui::FrameworkTest::SetUp();
        skinner = std::make_unique<TacDialogSkinner>([this] { return settings; });
        settings.Source = &Source(false);
        ASSERT_TRUE(engine::InstallCreationHook());
        watch = engine::RegisterCreationRule(
            {u"#32770", [this](HWND w) { last_dialog = w; }, nullptr, nullptr, nullptr});
    }
    void TearDown() override {
        engine::RemoveCreationHook();
        watch.Remove();
        skinner.reset();
        ui::FrameworkTest::TearDown();
    }

    // Shows a message box owned by `owner`, looks at it once it is up, then presses OK.
    int ShowBox(HWND owner, BoxSeen& seen) {
        current = &seen;
        instance = this;
        last_dialog = nullptr;
        SetTimer(nullptr, 0, 400, LookAndClose);
        return MessageBoxW(owner, L"Folders were successfully created!", L"Arbordir", MB_OK);
    }

    static void CALLBACK LookAndClose(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        DialogSkinnerTest& test = *instance;
        BoxSeen& seen = *test.current;
        // Without the watch the box is found by its class and caption.
        seen.box = test.last_dialog ? test.last_dialog : FindWindowW(L"#32770", L"Arbordir");
        if (TacDialogWnd* dialog = test.skinner->DialogOf(seen.box)) {
            seen.dressed = dialog->Dressed();
            seen.skinned = dialog->Frame() && dialog->Frame()->Skinned();
            seen.section = dialog->Frame() ? dialog->Frame()->SkinSection : u"";
        }
        seen.style = GetWindowLongW(seen.box, GWL_STYLE);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        seen.has_region = GetWindowRgn(seen.box, region) != ERROR;
        DeleteObject(region);
        GetWindowRect(seen.box, &seen.bounds);
        EnumChildWindows(
            seen.box,
            [](HWND child, LPARAM list) {
                auto& s = *reinterpret_cast<BoxSeen*>(list);
                s.all.push_back(engine::WindowClassName(child));
                if (HasHandledMarker(child))
                    s.handled.push_back(engine::WindowClassName(child));
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&seen));
        PostMessageW(seen.box, WM_COMMAND, IDOK, 0);
    }

    DialogSkinSettings settings;
    std::unique_ptr<TacDialogSkinner> skinner;
    engine::CreationRuleHandle watch;
    HWND last_dialog = nullptr;
    BoxSeen* current = nullptr;
    static DialogSkinnerTest* instance;
};

DialogSkinnerTest* DialogSkinnerTest::instance = nullptr;

TEST_F(DialogSkinnerTest, AnOwnedMessageBoxWearsTheDialogFrameAndItsChildrenTheirHandlers) {
    testing::SkinnedForm owner(false);
    skinner->RequestedPosition = [] { return POINT{37, 41}; };
    BoxSeen seen;
    EXPECT_EQ(ShowBox(owner.Window(), seen), IDOK);
    ASSERT_NE(seen.box, nullptr);
    EXPECT_TRUE(seen.dressed);
    EXPECT_TRUE(seen.skinned);
    EXPECT_EQ(seen.section, u"DIALOG");
    // The platform no longer draws the caption buttons; the skin's region cuts the corners.
    EXPECT_EQ(seen.style & WS_SYSMENU, 0);
    EXPECT_TRUE(seen.has_region);
    EXPECT_EQ(seen.bounds.left, 37);
    EXPECT_EQ(seen.bounds.top, 41);
    // Wine's box keeps the text, the icon static and the one button it needs: the text and
    // the button are dressed.
    EXPECT_EQ(std::count(seen.handled.begin(), seen.handled.end(), u"Button"), 1);
    EXPECT_GE(std::count(seen.handled.begin(), seen.handled.end(), u"Static"), 1);
    // Freed on the dialog's own end.
    EXPECT_EQ(skinner->DialogCount(), 0u);
}

TEST_F(DialogSkinnerTest, NothingIsDressedWithoutASkinOrTheDialogRuleOrAfterTheWatchIsGone) {
    testing::SkinnedForm owner(false);
    BoxSeen without_rule;
    settings.StdDialogs = false;
    ShowBox(owner.Window(), without_rule);
    EXPECT_FALSE(without_rule.dressed);
    EXPECT_NE(without_rule.style & WS_SYSMENU, 0);

    settings.StdDialogs = true;
    settings.Source = nullptr;
    BoxSeen without_skin;
    ShowBox(owner.Window(), without_skin);
    EXPECT_FALSE(without_skin.dressed);

    settings.Source = &Source(false);
    engine::RemoveCreationHook();
    BoxSeen unhooked;
    ShowBox(owner.Window(), unhooked);
    EXPECT_FALSE(unhooked.dressed);
    EXPECT_FALSE(engine::CreationHookInstalled());
    EXPECT_TRUE(unhooked.handled.empty());
    EXPECT_NE(unhooked.style & WS_SYSMENU, 0);
}

TEST_F(DialogSkinnerTest, RemovingTheWatchGivesADressedDialogBackToThePlatform) {
    HWND dialog = nullptr;
    alignas(4) WORD words[32] = {};
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words);
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    header->cx = 120;
    header->cy = 60;
    dialog = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), header, nullptr,
        [](HWND, UINT msg, WPARAM, LPARAM) -> INT_PTR { return msg == WM_INITDIALOG; }, 0);
    ASSERT_NE(dialog, nullptr);
    Settle(200);
    ASSERT_NE(skinner->DialogOf(dialog), nullptr);
    EXPECT_TRUE(skinner->DialogOf(dialog)->Dressed());
    EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU, 0);

    engine::RemoveCreationHook();
    EXPECT_EQ(skinner->DialogCount(), 0u);
    EXPECT_NE(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU, 0);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(dialog, region), ERROR);
    DeleteObject(region);
    DestroyWindow(dialog);
}

TEST_F(DialogSkinnerTest, AChildShownAfterTheDialogSettledIsDressedSoonAfter) {
    testing::SkinnedForm owner(false);
    alignas(4) WORD words[32] = {};
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words);
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    header->cx = 160;
    header->cy = 80;
    HWND dialog = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), header, owner.Window(),
        [](HWND, UINT msg, WPARAM, LPARAM) -> INT_PTR { return msg == WM_INITDIALOG; }, 0);
    ASSERT_NE(dialog, nullptr);
    Settle(200);
    ASSERT_NE(skinner->DialogOf(dialog), nullptr);
    ASSERT_TRUE(skinner->DialogOf(dialog)->Dressed());
    // As the open dialog's file name field under Wine: there, hidden, at every mapping so far.
    HWND late = CreateWindowExW(0, L"Edit", L"name", WS_CHILD | WS_BORDER, 10, 10, 120, 22, dialog,
                                nullptr, nullptr, nullptr);
    Settle(100);
    EXPECT_FALSE(HasHandledMarker(late));
    ShowWindow(late, SW_SHOW);
    Settle(600);
    EXPECT_TRUE(HasHandledMarker(late));
    DestroyWindow(dialog);
    Settle(50);
    EXPECT_EQ(skinner->DialogCount(), 0u);
}

TEST_F(DialogSkinnerTest, RunTimeFormsByTheirClassTagAndRules) {
    NamedForm message(u"TMessageForm"), plain(u"TInputQueryForm"), excluded(u"TInputQueryForm"),
        application(u"TApplication");
    excluded.SetTag(-98 | 0x100);
    settings.StdForms = false;
    for (ui::Form* form : {&message, &plain, &excluded, &application}) {
        form->Show();
        Settle(100);
    }
    EXPECT_TRUE(HasProvider(message));
    EXPECT_FALSE(HasProvider(plain)); // other forms need the forms rule
    EXPECT_FALSE(HasProvider(excluded));
    EXPECT_FALSE(HasProvider(application));

    settings.StdForms = true;
    plain.SetVisible(false);
    plain.Show();
    Settle(100);
    EXPECT_TRUE(HasProvider(plain));
    // Activated again, a dressed form keeps its one provider.
    message.SetVisible(false);
    message.Show();
    Settle(100);
    int providers = 0;
    for (const ui::Component* component : message.Components())
        providers += dynamic_cast<const TsSkinProvider*>(component) != nullptr;
    EXPECT_EQ(providers, 1);
}

} // namespace
} // namespace skin::windows
