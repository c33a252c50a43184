// The window-creation watch on real windows under Wine: which events reach which rules, rules
// that create windows, throw or unregister themselves while an event is handled, and the
// hook's removal.

#include "skin/engine/creation_hook.h"
#include "ui/tests/win32/framework_fixture.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace skin::engine {
namespace {

INT_PTR CALLBACK QuietDialogProcedure(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A modeless dialog of the platform's dialog class, from a template in memory.
HWND CreatePlatformDialog(HWND owner) {
    alignas(4) WORD words[32] = {};
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words);
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    header->cx = 100;
    header->cy = 40;
    // No menu, the default class and an empty title follow the header as three zero words.
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), header, owner,
                                      QuietDialogProcedure, 0);
}

HWND CreatePlainWindow(HWND parent = nullptr) {
    return CreateWindowExW(0, L"STATIC", L"plain", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10,
                           parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

class CreationHookTest : public ui::FrameworkTest {
protected:
    void SetUp() override {
        ui::FrameworkTest::SetUp();
        ASSERT_TRUE(InstallCreationHook());
    }
    void TearDown() override {
        RemoveCreationHook();
        ui::FrameworkTest::TearDown();
    }
};

TEST_F(CreationHookTest, EventsReachTheRulesOfTheirClass) {
    std::vector<HWND> dialogs_seen, created, activated, destroyed;
    CreationRuleHandle dialogs_only = RegisterCreationRule(
        {u"#32770", [&](HWND w) { dialogs_seen.push_back(w); }, nullptr, nullptr, nullptr});
    CreationRuleHandle all = RegisterCreationRule(
        {u"", [&](HWND w) { created.push_back(w); }, [&](HWND w) { activated.push_back(w); },
         [&](HWND w) { destroyed.push_back(w); }, nullptr});
    const auto has = [](const std::vector<HWND>& list, HWND window) {
        return std::count(list.begin(), list.end(), window) == 1;
    };

    HWND plain = CreatePlainWindow();
    HWND dialog = CreatePlatformDialog(nullptr);
    ASSERT_TRUE(plain && dialog);
    EXPECT_EQ(dialogs_seen, std::vector<HWND>{dialog});
    EXPECT_EQ(created, (std::vector<HWND>{plain, dialog}));
    EXPECT_EQ(WindowClassName(dialog), u"#32770");

    ShowWindow(dialog, SW_SHOW);
    EXPECT_EQ(activated, std::vector<HWND>{dialog});
    DestroyWindow(dialog);
    DestroyWindow(plain);
    EXPECT_TRUE(has(destroyed, dialog));
    EXPECT_TRUE(has(destroyed, plain));

    // A removed rule hears nothing more.
    all.Remove();
    dialogs_only = {};
    HWND later = CreatePlatformDialog(nullptr);
    DestroyWindow(later);
    EXPECT_FALSE(has(created, later));
    EXPECT_EQ(dialogs_seen.size(), 1u);
}

TEST_F(CreationHookTest, RulesMayCreateWindowsThrowAndLeaveWhileAnEventRuns) {
    std::vector<HWND> created;
    HWND nested = nullptr;
    CreationRuleHandle thrower = RegisterCreationRule(
        {u"", [](HWND) { throw std::runtime_error("rule failed"); }, nullptr, nullptr, nullptr});
    CreationRuleHandle creator = RegisterCreationRule({u"#32770",
                                                       [&](HWND) {
                                                           if (!nested)
                                                               nested = CreatePlainWindow();
                                                       },
                                                       nullptr, nullptr, nullptr});
    CreationRuleHandle once;
    int once_calls = 0;
    once = RegisterCreationRule({u"",
                                 [&](HWND) {
                                     ++once_calls;
                                     once.Remove();
                                 },
                                 nullptr, nullptr, nullptr});
    CreationRuleHandle recorder = RegisterCreationRule(
        {u"", [&](HWND w) { created.push_back(w); }, nullptr, nullptr, nullptr});

    HWND dialog = CreatePlatformDialog(nullptr);
    // The throwing rule neither stops the creation nor the rules after it.
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(nested, nullptr);
    // The nested creation is reported from inside the dialog's own event, before it.
    EXPECT_EQ(created, (std::vector<HWND>{nested, dialog}));
    EXPECT_EQ(once_calls, 1);
    EXPECT_FALSE(once.Registered());
    DestroyWindow(nested);
    DestroyWindow(dialog);
}

TEST_F(CreationHookTest, RemovalTellsTheRulesAndStopsTheEvents) {
    int removed = 0, created = 0;
    CreationRuleHandle rule =
        RegisterCreationRule({u"", [&](HWND) { ++created; }, nullptr, nullptr, [&] { ++removed; }});
    DestroyWindow(CreatePlainWindow());
    EXPECT_EQ(created, 1);
    RemoveCreationHook();
    EXPECT_FALSE(CreationHookInstalled());
    EXPECT_EQ(removed, 1);
    RemoveCreationHook();
    EXPECT_EQ(removed, 1);
    DestroyWindow(CreatePlainWindow());
    EXPECT_EQ(created, 1);

    // A rule may remove the hook from inside an event; the event still completes.
    ASSERT_TRUE(InstallCreationHook());
    CreationRuleHandle remover =
        RegisterCreationRule({u"", [](HWND) { RemoveCreationHook(); }, nullptr, nullptr, nullptr});
    HWND window = CreatePlainWindow();
    EXPECT_NE(window, nullptr);
    EXPECT_FALSE(CreationHookInstalled());
    EXPECT_EQ(removed, 2);
    DestroyWindow(window);
}

TEST(CreationHookNames, ClassNamesCompareWithoutCase) {
    EXPECT_TRUE(SameClassName(u"ToolbarWindow32", u"toolbarwindow32"));
    EXPECT_TRUE(SameClassName(u"#32770", u"#32770"));
    EXPECT_FALSE(SameClassName(u"#32770", u"#32768"));
    EXPECT_FALSE(SameClassName(u"Edit", u"Edit2"));
}

} // namespace
} // namespace skin::engine
