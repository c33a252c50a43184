// The application object: its registry of forms and the main form, the terminating state,
// hooks on the application window that come off while they run, the timer service, and the
// gate that skin commands from elsewhere pass.

#include "core/error.h"
#include "ui/controls/button.h"
#include "ui/form.h"
#include "ui/skin_command_gate.h"
#include "ui/tests/win32/framework_fixture.h"
#include "ui/window_subclass.h"

#include <memory>
#include <thread>
#include <vector>

namespace ui {
namespace {

TEST_F(FrameworkTest, TheFormsRegistryFollowsCreationDestructionAndModalForms) {
    Application& application = Application::Instance();
    ASSERT_TRUE(application.Forms().empty());
    auto main = std::make_unique<Form>(nullptr);
    auto second = std::make_unique<Form>(nullptr);
    EXPECT_EQ(application.Forms(), (std::vector<Form*>{main.get(), second.get()}));
    EXPECT_EQ(application.MainForm(), main.get());
    // Other forms belong to the main form's window.
    main->Handle();
    EXPECT_EQ(GetWindow(second->Handle(), GW_OWNER), main->Handle());

    // A modal form is listed while it runs and gone once freed.
    std::vector<Form*> during_modal;
    {
        Form dialog(nullptr);
        Button& ok = Make<Button>(dialog);
        ok.SetParent(&dialog);
        ok.SetBounds({10, 10, 80, 24});
        ok.SetModalResult(mrOk);
        dialog.Handle();
        PostMessageW(ok.Handle(), BM_CLICK, 0, 0);
        ProcedureLayer watch = dialog.AddProcedureLayer([&](Message& message, const auto& next) {
            if (message.msg == WM_COMMAND && during_modal.empty())
                during_modal = application.Forms();
            next(message);
        });
        EXPECT_EQ(dialog.ShowModal(), mrOk);
        EXPECT_EQ(during_modal, (std::vector<Form*>{main.get(), second.get(), &dialog}));
    }
    EXPECT_EQ(application.Forms(), (std::vector<Form*>{main.get(), second.get()}));

    // Closing the main form: hidden first, the application terminating, then destroyed.
    std::vector<std::string> seen;
    ProcedureLayer watch = main->AddProcedureLayer([&](Message& message, const auto& next) {
        if (message.msg == WM_DESTROY)
            seen.push_back(std::string("destroy, visible ") +
                           (IsWindowVisible(main->Handle()) ? "yes" : "no") + ", terminating " +
                           (application.Terminating() ? "yes" : "no"));
        next(message);
    });
    main->Show();
    EXPECT_FALSE(application.Terminating());
    main->Close();
    EXPECT_EQ(seen, (std::vector<std::string>{"destroy, visible no, terminating yes"}));
    EXPECT_FALSE(main->HandleAllocated());
    EXPECT_TRUE(application.Terminating());

    // With the main form freed the next form created leads again, and nothing terminates.
    watch.Remove();
    main.reset();
    EXPECT_FALSE(application.Terminating());
    EXPECT_EQ(application.MainForm(), nullptr);
    auto next = std::make_unique<Form>(nullptr);
    EXPECT_EQ(application.MainForm(), next.get());
    next.reset();
    second.reset();
    EXPECT_TRUE(application.Forms().empty());
}

TEST_F(FrameworkTest, HooksOnTheApplicationWindowMayRemoveThemselvesAndOthersWhileTheyRun) {
    Application& application = Application::Instance();
    constexpr UINT kProbe = WM_APP + 11;
    std::vector<std::string> log;
    ProcedureLayer first, second, third;
    first = application.HookMainWindow([&](Message& message) {
        if (message.msg == kProbe)
            log.push_back("first");
        return false;
    });
    second = application.HookMainWindow([&](Message& message) {
        if (message.msg != kProbe)
            return false;
        log.push_back("second");
        second.Remove(); // itself
        first.Remove();  // and one below
        return false;
    });
    third = application.HookMainWindow([&](Message& message) {
        if (message.msg == kProbe && log.size() > 1) {
            message.result = 42;
            return true;
        }
        return false;
    });
    EXPECT_EQ(SendMessageW(application.Handle(), kProbe, 0, 0), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"second"}));
    log.push_back("again");
    EXPECT_EQ(SendMessageW(application.Handle(), kProbe, 0, 0), 42);
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(FrameworkTest, TimersTickUntilStoppedEvenFromInsideTheirOwnTick) {
    TimerService& timers = Application::Instance().Timers();
    int ticks = 0;
    Timer timer;
    timer = timers.Start(10, [&] {
        if (++ticks == 3)
            timer.Stop();
    });
    EXPECT_TRUE(timer.Running());
    EXPECT_TRUE(PumpUntil([&] { return !timer.Running(); }));
    EXPECT_EQ(ticks, 3);
    // No tick after the stop, also not one that was queued already.
    Sleep(50);
    Application::Instance().ProcessMessages();
    EXPECT_EQ(ticks, 3);

    // A timer destroyed by its own tick, and one whose tick fails: stopped, shown once.
    auto owned = std::make_unique<Timer>();
    int owned_ticks = 0;
    *owned = timers.Start(10, [&] {
        ++owned_ticks;
        owned.reset();
    });
    Timer failing = timers.Start(10, [] { throw core::Error(u"The fade lost its bitmap"); });
    EXPECT_TRUE(PumpUntil([&] { return !owned && !failing.Running(); }));
    Sleep(50);
    Application::Instance().ProcessMessages();
    EXPECT_EQ(owned_ticks, 1);
    EXPECT_EQ(errors, std::vector<std::u16string>{u"The fade lost its bitmap."});
    EXPECT_EQ(timers.Count(), 0u);
}

TEST_F(FrameworkTest, SkinCommandsFromElsewhereStopAtTheGateUnlessItsRulesLetThemIn) {
    Form form(nullptr);
    HWND window = form.Handle();
    int seen = 0;
    ProcedureLayer layer = form.AddProcedureLayer([&](Message& message, const auto& next) {
        if (message.msg == WM_SKINCOMMAND) {
            ++seen;
            message.result = 1;
            return;
        }
        next(message);
    });
    // Sent by this thread: in. Sent by another thread, or posted: out.
    EXPECT_EQ(SendMessageW(window, WM_SKINCOMMAND, MAKEWPARAM(0, 34), 0x1234), 1);
    LRESULT from_thread = -1;
    std::thread other(
        [&] { from_thread = SendMessageW(window, WM_SKINCOMMAND, MAKEWPARAM(0, 34), 0x1234); });
    EXPECT_TRUE(PumpUntil([&] { return from_thread != -1; }));
    other.join();
    EXPECT_EQ(from_thread, 0);
    PostMessageW(window, WM_SKINCOMMAND, MAKEWPARAM(0, 3), 0);
    Application::Instance().ProcessMessages();
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(form.Perform(WM_SKINCOMMAND, MAKEWPARAM(0, 34)), 1); // our own code: no gate
    EXPECT_EQ(seen, 2);

    // The engine's rules decide instead; they learn where each command came from.
    std::vector<MessageSource> sources;
    SetSkinCommandGate([&](const Message&, MessageSource source) {
        sources.push_back(source);
        return source == MessageSource::msPosted;
    });
    PostMessageW(window, WM_SKINCOMMAND, MAKEWPARAM(0, 3), 0);
    Application::Instance().ProcessMessages();
    SendMessageW(window, WM_SKINCOMMAND, MAKEWPARAM(0, 3), 0);
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(sources,
              (std::vector<MessageSource>{MessageSource::msPosted, MessageSource::msThisThread}));

    // A refused command reaches a foreign window as its own message, not the handler on it.
    SetSkinCommandGate([](const Message&, MessageSource) { return false; });
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    int handled = 0;
    WindowSubclass subclass;
    subclass.Attach(edit, [&](Message& message) {
        handled += message.msg == WM_SKINCOMMAND;
        return false;
    });
    SendMessageW(edit, WM_SKINCOMMAND, 0, 0);
    EXPECT_EQ(handled, 0);
    DestroyWindow(edit);
    SetSkinCommandGate(nullptr);
}

} // namespace
} // namespace ui
