// The control framework on real windows under Wine: ownership, replaceable window procedures,
// reflected notifications, dialog keys, window-less children and the top-level error handler.

#include "core/error.h"
#include "ui/application.h"
#include "ui/controls/button.h"
#include "ui/controls/edit.h"
#include "ui/controls/speed_button.h"
#include "ui/controls/tree_view.h"
#include "ui/form.h"
#include "ui/tests/win32/framework_fixture.h"
#include "ui/window_subclass.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace ui {
namespace {

// Records what happens to it, for the life-cycle tests.
struct Probe : Component {
    Probe(Component* owner, std::vector<std::string>& log, std::string name)
        : Component(owner), log_(log), name_(std::move(name)) {}
    ~Probe() override { log_.push_back("destroy " + name_); }
    void Loaded() override { log_.push_back("loaded " + name_); }
    std::vector<std::string>& log_;
    std::string name_;
};

TEST_F(FrameworkTest, OwnersLoadWhatTheyOwnFirstAndDestroyTheLastCreatedFirst) {
    std::vector<std::string> log;
    {
        Probe root(nullptr, log, "root");
        Probe& first = Make<Probe>(root, log, "first");
        Make<Probe>(first, log, "grandchild");
        Make<Probe>(root, log, "second");
        EXPECT_TRUE(first.Loading());
        root.FinishLoading();
        root.FinishLoading(); // a second call loads nothing again
        EXPECT_FALSE(first.Loading());
    }
    EXPECT_EQ(log, (std::vector<std::string>{"loaded grandchild", "loaded first", "loaded second",
                                             "loaded root", "destroy root", "destroy second",
                                             "destroy first", "destroy grandchild"}));
}

TEST_F(FrameworkTest, AProcedurePutInFrontSeesMessagesFirstAndPassesTheRestOn) {
    Form form(nullptr);
    SpeedButton& button = Make<SpeedButton>(form);
    button.SetParent(&form);
    std::vector<UINT> seen;
    ProcedureLayer layer = button.AddProcedureLayer([&](Message& message, const auto& next) {
        seen.push_back(message.msg);
        if (message.msg == WM_SKINCOMMAND && SkinCommandOf(message) == 7) {
            message.result = 1;
            return;
        }
        next(message);
    });
    EXPECT_EQ(button.Perform(WM_SKINCOMMAND, MAKEWPARAM(0, 7)), 1);
    button.Perform(CM_MOUSEENTER);
    EXPECT_TRUE(button.MouseInControl()); // passed on to the control's own handling
    EXPECT_EQ(seen, (std::vector<UINT>{WM_SKINCOMMAND, CM_MOUSEENTER}));

    // A windowed form gets its platform messages through the same procedure.
    std::vector<UINT> form_seen;
    ProcedureLayer form_layer = form.AddProcedureLayer([&](Message& message, const auto& next) {
        form_seen.push_back(message.msg);
        next(message);
    });
    SendMessageW(form.Handle(), WM_SKINCOMMAND, MAKEWPARAM(0, 3), 0);
    ASSERT_FALSE(form_seen.empty());
    EXPECT_EQ(form_seen.back(), WM_SKINCOMMAND);

    // Whoever installs a procedure takes it off again before going away.
    layer.Remove();
    seen.clear();
    button.Perform(CM_MOUSELEAVE);
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(button.MouseInControl());
}

TEST_F(FrameworkTest, AButtonHearsItsOwnClickReflectedFromItsParent) {
    Form form(nullptr);
    Button& button = Make<Button>(form);
    button.SetParent(&form);
    button.SetBounds({10, 10, 80, 24});
    int clicks = 0;
    button.OnClick = [&](Control&) { ++clicks; };
    form.SetClientSize(200, 100);
    form.Show();
    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

// A form whose dialog-key handler records the keys and lets them go on.
struct KeyForm : Form {
    explicit KeyForm(bool consume) : Form(nullptr), consume_(consume) {}
    void CMDialogKey(Message& message) override {
        dialog_keys.push_back(static_cast<WORD>(message.wParam));
        if (consume_)
            Form::CMDialogKey(message);
        else
            message.result = 0;
    }
    std::vector<WORD> dialog_keys;
    bool consume_;
};

void PressKey(HWND window, WORD key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    Application::Instance().ProcessMessages();
}

TEST_F(FrameworkTest, TabAndEnterReachTheFormBeforeTheFocusedControl) {
    KeyForm form(false);
    Edit& edit = Make<Edit>(form);
    edit.SetParent(&form);
    edit.SetBounds({10, 10, 100, 22});
    Button& button = Make<Button>(form);
    button.SetParent(&form);
    button.SetBounds({10, 40, 100, 24});
    button.SetTabOrder(1);
    int clicks = 0;
    button.OnClick = [&](Control&) { ++clicks; };
    button.SetDefault(true);
    std::vector<WORD> edit_keys;
    edit.OnKeyDown = [&](Control&, WORD& key, ShiftState) { edit_keys.push_back(key); };
    form.SetClientSize(200, 100);
    form.Show();
    edit.SetFocus();

    PressKey(edit.Handle(), VK_TAB);
    PressKey(edit.Handle(), VK_RETURN);
    PressKey(edit.Handle(), 'A');
    EXPECT_EQ(form.dialog_keys, (std::vector<WORD>{VK_TAB, VK_RETURN}));
    // Not used up by the form: the keys go on to the control, the focus stays, no button fires.
    EXPECT_EQ(edit_keys, (std::vector<WORD>{VK_TAB, VK_RETURN, 'A'}));
    EXPECT_TRUE(edit.Focused());
    EXPECT_EQ(clicks, 0);
}

TEST_F(FrameworkTest, TheStandardDialogKeysMoveTheFocusAndPressTheDefaultButton) {
    KeyForm form(true);
    Edit& first = Make<Edit>(form);
    first.SetParent(&form);
    first.SetBounds({10, 10, 100, 22});
    Edit& second = Make<Edit>(form);
    second.SetParent(&form);
    second.SetBounds({10, 40, 100, 22});
    second.SetTabOrder(1);
    Button& button = Make<Button>(form);
    button.SetParent(&form);
    button.SetBounds({10, 70, 100, 24});
    button.SetTabOrder(2);
    button.SetDefault(true);
    int clicks = 0;
    button.OnClick = [&](Control&) { ++clicks; };
    form.SetClientSize(200, 120);
    form.Show();
    first.SetFocus();

    PressKey(first.Handle(), VK_TAB);
    EXPECT_TRUE(second.Focused());
    PressKey(second.Handle(), VK_RETURN);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FrameworkTest, WindowLessChildrenHearTheMouseComeAndGo) {
    Form form(nullptr);
    SpeedButton& button = Make<SpeedButton>(form);
    button.SetParent(&form);
    button.SetBounds({20, 20, 60, 24});
    int clicks = 0;
    button.OnClick = [&](Control&) { ++clicks; };
    form.SetClientSize(200, 100);
    form.Show();
    HWND window = form.Handle();

    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    EXPECT_TRUE(button.MouseInControl());
    EXPECT_TRUE(form.MouseInControl());
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    EXPECT_TRUE(button.Pressed());
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(31, 31));
    EXPECT_EQ(clicks, 1);

    // Released outside: no click.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 80));
    EXPECT_FALSE(button.MouseInControl());
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(150, 80));
    EXPECT_EQ(clicks, 1);

    SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(form.MouseInControl());
}

TEST_F(FrameworkTest, AnErrorInAHandlerIsShownWithAFullStopAndTheProgramGoesOn) {
    Form form(nullptr);
    Button& button = Make<Button>(form);
    button.SetParent(&form);
    button.SetBounds({10, 10, 80, 24});
    button.OnClick = [](Control&) { throw core::Error(u"Cannot open file \"x\". Access denied"); };
    form.SetClientSize(200, 100);
    form.Show();
    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(errors, (std::vector<std::u16string>{u"Cannot open file \"x\". Access denied.",
                                                   u"Cannot open file \"x\". Access denied."}));
    EXPECT_TRUE(IsWindow(form.Handle()));
}

TEST_F(FrameworkTest, ShowModalReturnsTheResultAndAnnouncesItsStartAndEnd) {
    std::vector<std::string> events;
    Application& application = Application::Instance();
    application.OnModalBegin = [&] { events.push_back("begin"); };
    application.OnModalEnd = [&] { events.push_back("end"); };
    Form dialog(nullptr);
    Button& ok = Make<Button>(dialog);
    ok.SetParent(&dialog);
    ok.SetBounds({10, 10, 80, 24});
    ok.SetModalResult(mrOk);
    dialog.SetClientSize(200, 100);
    dialog.Handle();
    PostMessageW(ok.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    application.OnModalBegin = nullptr;
    application.OnModalEnd = nullptr;
    EXPECT_EQ(events, (std::vector<std::string>{"begin", "end"}));
}

TEST_F(FrameworkTest, AControlIsFoundByItsWindowOnlyWhileTheWindowIsItsAndTreeItemsBypassLayers) {
    auto form = std::make_unique<Form>(nullptr);
    TreeView& tree = Make<TreeView>(*form);
    tree.SetParent(form.get());
    tree.SetBounds({0, 0, 200, 150});
    form->Show();
    HWND first = tree.Handle();
    EXPECT_EQ(WinControl::FromHandle(first), &tree);
    // Outside readers still find it by the window's property.
    EXPECT_EQ(GetPropW(first, L"ArbordirControl"), &tree);
    EXPECT_EQ(WinControl::FindControl(first), &tree);

    tree.RecreateWnd();
    HWND second = tree.Handle();
    EXPECT_EQ(WinControl::FromHandle(second), &tree);
    ASSERT_NE(second, first);
    EXPECT_EQ(WinControl::FromHandle(first), nullptr);

    // Item traffic goes to the platform's class below every procedure layer; the user's
    // messages still pass the layers.
    {
        int layer_saw_items = 0;
        ProcedureLayer layer =
            tree.AddProcedureLayer([&](Message& message, const ProcedureChain::Next& next) {
                if (message.msg == TVM_INSERTITEMW || message.msg == TVM_EXPAND)
                    ++layer_saw_items;
                next(message);
            });
        HTREEITEM parent = tree.InsertItem(nullptr, u"Parent", 0, 7);
        HTREEITEM child = tree.InsertItem(parent, u"Child", 0, 8);
        tree.ExpandItem(parent);
        EXPECT_EQ(layer_saw_items, 0);
        EXPECT_EQ(tree.ItemData(child), 8);
        EXPECT_EQ(TreeView_GetItemState(second, parent, TVIS_EXPANDED) & TVIS_EXPANDED,
                  UINT{TVIS_EXPANDED});
        SendMessageW(second, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(parent));
        EXPECT_EQ(layer_saw_items, 1);
        // No item: nothing is deleted (the platform would take that for every item).
        tree.DeleteItem(nullptr);
        EXPECT_EQ(TreeView_GetCount(second), 2u);
    }

    form.reset();
    EXPECT_EQ(WinControl::FromHandle(second), nullptr);
    EXPECT_TRUE(errors.empty());
}

TEST_F(FrameworkTest, KeysTypedIntoATreeViewNameEditorReachTheTreesKeyHandler) {
    Form form(nullptr);
    TreeView& tree = Make<TreeView>(form);
    tree.SetParent(&form);
    tree.SetBounds({0, 0, 200, 150});
    form.SetClientSize(200, 150);
    form.Show();
    HTREEITEM item = tree.InsertItem(nullptr, u"New Folder", 0, 0);
    std::vector<WORD> keys;
    tree.OnKeyDown = [&](Control&, WORD& key, ShiftState) { keys.push_back(key); };
    std::u16string accepted;
    tree.OnEdited = [&](HTREEITEM, const std::u16string& text) {
        accepted = text;
        return true;
    };
    tree.EditItem(item);
    ASSERT_TRUE(tree.IsEditing());
    HWND editor = TreeView_GetEditControl(tree.Handle());
    SetWindowTextW(editor, L"Projects");
    // The handler sees the key, which then still reaches the editor.
    PressKey(editor, VK_END);
    PressKey(editor, VK_BACK);
    EXPECT_EQ(keys, (std::vector<WORD>{VK_END, VK_BACK}));
    tree.EndEditing(false);
    EXPECT_FALSE(tree.IsEditing());
    EXPECT_EQ(accepted, u"Project");
}

TEST_F(FrameworkTest, ACancelledNameEditRenamesNothingAndAnAcceptedOneIsReportedOnce) {
    Form form(nullptr);
    TreeView& tree = Make<TreeView>(form);
    tree.SetParent(&form);
    tree.SetBounds({0, 0, 200, 150});
    form.SetClientSize(200, 150);
    form.Show();
    HTREEITEM item = tree.InsertItem(nullptr, u"Old", 0, 0);
    std::vector<std::u16string> reports;
    tree.OnEdited = [&](HTREEITEM, const std::u16string& text) {
        reports.push_back(text);
        return true;
    };
    tree.EditItem(item);
    ASSERT_TRUE(tree.IsEditing());
    SetWindowTextW(TreeView_GetEditControl(tree.Handle()), L"Typed");
    PressKey(TreeView_GetEditControl(tree.Handle()), VK_ESCAPE);
    Application::Instance().ProcessMessages();
    EXPECT_FALSE(tree.IsEditing());
    EXPECT_TRUE(reports.empty());

    // Cancelled from code while the editor has the focus, as when a dialog takes it over.
    tree.EditItem(item);
    SetWindowTextW(TreeView_GetEditControl(tree.Handle()), L"Typed again");
    tree.EndEditing(true);
    Application::Instance().ProcessMessages();
    EXPECT_TRUE(reports.empty());

    tree.EditItem(item);
    SetWindowTextW(TreeView_GetEditControl(tree.Handle()), L"New");
    PressKey(TreeView_GetEditControl(tree.Handle()), VK_RETURN);
    Application::Instance().ProcessMessages();
    EXPECT_EQ(reports, std::vector<std::u16string>{u"New"});
}

TEST_F(FrameworkTest, SubclassesOfForeignWindowsStackPassOnAndComeOff) {
    // A platform edit the framework knows nothing about.
    HWND edit = CreateWindowExW(0, L"EDIT", L"plain", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    std::vector<std::string> order;
    WindowSubclass lower, upper;
    ASSERT_TRUE(lower.Attach(edit, [&](Message& message) {
        if (message.msg == WM_GETTEXTLENGTH)
            order.push_back("lower");
        return false;
    }));
    ASSERT_TRUE(upper.Attach(edit, [&](Message& message) {
        if (message.msg == WM_GETTEXTLENGTH)
            order.push_back("upper");
        if (message.msg == WM_SKINCOMMAND) {
            message.result = 42;
            return true;
        }
        return false;
    }));
    EXPECT_EQ(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0), 5); // still the edit's own answer
    EXPECT_EQ(order, (std::vector<std::string>{"upper", "lower"}));
    EXPECT_EQ(SendMessageW(edit, WM_SKINCOMMAND, 0, 0), 42);

    upper.Detach();
    EXPECT_EQ(SendMessageW(edit, WM_SKINCOMMAND, 0, 0), 0);
    DestroyWindow(edit); // the window's end detaches what is left
    EXPECT_FALSE(lower.Attached());
}

} // namespace
} // namespace ui
