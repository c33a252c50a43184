// Procedures put in front of controls and of foreign windows, and what happens when they come
// and go while messages run: layers removed or replaced from inside, subclasses freed by their
// own handlers, owned components that take their layer off while their form is destroyed.

#include "ui/controls/button.h"
#include "ui/controls/speed_button.h"
#include "ui/form.h"
#include "ui/tests/win32/framework_fixture.h"
#include "ui/window_subclass.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {
namespace {

constexpr UINT kProbe = WM_APP + 7;

using Log = std::vector<std::string>;

// A layer that writes its name for every kProbe and passes it on.
ProcedureLayer Logging(Control& control, Log& log, std::string name) {
    return control.AddProcedureLayer([&log, name](Message& message, const auto& next) {
        if (message.msg == kProbe)
            log.push_back(name);
        next(message);
    });
}

TEST_F(FrameworkTest, LayersRemovedOrReplacedWhileTheyRunAreSkippedAndUnlinkedAfterwards) {
    Form form(nullptr);
    SpeedButton& button = Make<SpeedButton>(form);
    Log log;
    ProcedureLayer bottom = Logging(button, log, "bottom");
    ProcedureLayer middle = Logging(button, log, "middle");
    ProcedureLayer top = button.AddProcedureLayer([&](Message& message, const auto& next) {
        if (message.msg == kProbe) {
            log.push_back("top");
            middle.Remove(); // the middle one is below us, in the running dispatch
        }
        next(message);
    });
    button.Perform(kProbe);
    EXPECT_EQ(log, (Log{"top", "bottom"}));
    EXPECT_FALSE(middle.Attached());
    log.clear();
    button.Perform(kProbe);
    EXPECT_EQ(log, (Log{"top", "bottom"}));

    // A layer replaced from inside itself runs to its end, its successor takes the next message.
    log.clear();
    ProcedureLayer replaceable;
    int calls_after_replacing = 0;
    auto first = [&](Message& message, const ProcedureChain::Next& next) {
        if (message.msg != kProbe)
            return next(message);
        log.push_back("first");
        // Move-assigning removes the running layer and drops the handle to it.
        replaceable = Logging(button, log, "second");
        ++calls_after_replacing; // the closure is still alive here
        next(message);
    };
    replaceable = button.AddProcedureLayer(first);
    button.Perform(kProbe);
    button.Perform(kProbe);
    EXPECT_EQ(log, (Log{"first", "top", "bottom", "second", "top", "bottom"}));
    EXPECT_EQ(calls_after_replacing, 1);
    EXPECT_TRUE(replaceable.Attached());
}

TEST_F(FrameworkTest,
       ALayerAddedDuringADispatchSeesOnlyLaterMessagesAndHandlesOutliveTheirControl) {
    Log log;
    ProcedureLayer added, orphan;
    {
        Form form(nullptr);
        ProcedureLayer adder = form.AddProcedureLayer([&](Message& message, const auto& next) {
            if (message.msg == kProbe && !added.Attached())
                added = Logging(form, log, "added");
            next(message);
        });
        form.Perform(kProbe);
        EXPECT_TRUE(log.empty());
        form.Perform(kProbe);
        EXPECT_EQ(log, (Log{"added"}));
        orphan = Logging(form, log, "orphan");
    }
    // The form is gone: the handles only forget their layers.
    EXPECT_FALSE(orphan.Attached());
    orphan.Remove();
    added = ProcedureLayer();
}

// A component that puts a layer on its owner form and takes it off when it goes, as a skin
// provider does.
struct LayerOwner : Component {
    LayerOwner(Component* form, Log& log)
        : Component(form), form_(*static_cast<Form*>(form)), log_(log) {
        layer_ = form_.AddProcedureLayer([this](Message& message, const auto& next) {
            if (message.msg == WM_DESTROY)
                log_.push_back("layer saw WM_DESTROY");
            next(message);
        });
    }
    ~LayerOwner() override {
        // The form is still whole: its window exists and messages still reach its procedure.
        log_.push_back(form_.HandleAllocated() && IsWindow(form_.Handle())
                           ? "component goes, window alive"
                           : "component goes, window gone");
        form_.Perform(kProbe);
        layer_.Remove();
    }
    Form& form_;
    Log& log_;
    ProcedureLayer layer_;
};

TEST_F(FrameworkTest, OwnedComponentsGoFirstWhileTheFormIsWholeTheLastCreatedFirst) {
    Log log;
    {
        auto form = std::make_unique<Form>(nullptr);
        form->Handle();
        Make<LayerOwner>(*form, log);
        Button& button = Make<Button>(*form);
        button.SetParent(form.get());
        button.SetDefault(true);
        form->SetActiveControl(&button);
        form.reset();
    }
    EXPECT_EQ(log, (Log{"component goes, window alive"}));
}

TEST_F(FrameworkTest, ASubclassFreedByItsOwnHandlerOnTheWindowsEndComesOffCleanly) {
    HWND edit = CreateWindowExW(0, L"EDIT", L"plain", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    Log log;
    auto lower = std::make_unique<WindowSubclass>();
    auto upper = std::make_unique<WindowSubclass>();
    ASSERT_TRUE(lower->Attach(edit, [&](Message& message) {
        if (message.msg == WM_NCDESTROY)
            log.push_back("lower sees WM_NCDESTROY");
        return false;
    }));
    ASSERT_TRUE(upper->Attach(edit, [&](Message& message) {
        if (message.msg == WM_NCDESTROY) {
            log.push_back("upper frees itself");
            upper.reset(); // its handler and state stay until the call returns
        }
        return false;
    }));
    DestroyWindow(edit);
    EXPECT_EQ(upper, nullptr);
    EXPECT_EQ(log, (Log{"upper frees itself", "lower sees WM_NCDESTROY"}));
    EXPECT_FALSE(lower->Attached());

    // Detaching the lower one from inside the upper one's handler, out of order.
    HWND other = CreateWindowExW(0, L"EDIT", L"x", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    log.clear();
    WindowSubclass below, above;
    below.Attach(other, [&](Message& message) {
        if (message.msg == kProbe)
            log.push_back("below");
        return false;
    });
    above.Attach(other, [&](Message& message) {
        if (message.msg == kProbe) {
            log.push_back("above");
            below.Detach();
        }
        return false;
    });
    SendMessageW(other, kProbe, 0, 0);
    SendMessageW(other, kProbe, 0, 0);
    EXPECT_EQ(log, (Log{"above", "above"}));
    EXPECT_EQ(SendMessageW(other, WM_GETTEXTLENGTH, 0, 0), 1); // the edit still answers
    DestroyWindow(other);
    EXPECT_FALSE(above.Attached());
}

TEST_F(FrameworkTest, PlatformControlsShareTheirWindowWithOtherSubclassesAndAnnounceANewWindow) {
    Form form(nullptr);
    Button& button = Make<Button>(form);
    button.SetParent(&form);
    button.SetBounds({10, 10, 80, 24});
    button.SetText(u"Press");
    form.Handle();
    // A handler stacked on the framework's own subclass, as the skin engine stacks its.
    Log log;
    WindowSubclass handler;
    handler.Attach(button.Handle(), [&](Message& message) {
        if (message.msg == WM_GETTEXTLENGTH)
            log.push_back("handler");
        return false;
    });
    ProcedureLayer layer = button.AddProcedureLayer([&](Message& message, const auto& next) {
        if (message.msg == WM_GETTEXTLENGTH)
            log.push_back("layer");
        if (message.msg == CM_RECREATEWND) {
            log.push_back("recreated");
            handler.Attach(button.Handle(), [&](Message&) { return false; });
        }
        next(message);
    });
    EXPECT_EQ(SendMessageW(button.Handle(), WM_GETTEXTLENGTH, 0, 0), 5);
    // Performed directly, the message still reaches the platform's button below everything.
    EXPECT_EQ(button.Perform(WM_GETTEXTLENGTH), 5);
    EXPECT_EQ(log, (Log{"handler", "layer", "layer"}));

    HWND old = button.Handle();
    button.RecreateWnd();
    EXPECT_NE(button.Handle(), old);
    EXPECT_EQ(log.back(), "recreated");
    EXPECT_EQ(WinControl::FromHandle(button.Handle()), &button);
    EXPECT_EQ(button.Text(), u"Press");
    EXPECT_EQ(handler.Window(), button.Handle());
}

} // namespace
} // namespace ui
