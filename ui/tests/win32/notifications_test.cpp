// What the framework tells controls and the objects layered on them: insertions, showing,
// fonts, colours, moves and sizes of window-less controls, the mouse over the frame, the tree
// view's colours and custom drawing, and the properties the skin engine reads.

#include "ui/controls/button.h"
#include "ui/controls/label.h"
#include "ui/controls/size_grip.h"
#include "ui/controls/tree_view.h"
#include "ui/form.h"
#include "ui/tests/win32/framework_fixture.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {
namespace {

// The framework notifications a control hears, in order, with their WParam.
struct Listener {
    Listener(Control& control, std::vector<UINT> watched) {
        layer = control.AddProcedureLayer([this, watched](Message& message, const auto& next) {
            for (UINT msg : watched)
                if (message.msg == msg)
                    heard.push_back({message.msg, message.wParam, message.lParam});
            next(message);
        });
    }
    struct Heard {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        bool operator==(const Heard&) const = default;
    };
    std::vector<Heard> heard;
    ProcedureLayer layer;
};

TEST_F(FrameworkTest, ParentsHearInsertionsAndControlsHearShowingFontColourMovesAndSizes) {
    Form form(nullptr);
    form.SetBorderStyle(BorderStyle::bsNone);
    form.SetBounds({0, 0, 200, 100});
    Listener parent(form, {CM_CONTROLINSERTED, CM_CONTROLREMOVED, CM_SHOWINGCHANGED});
    Button& button = Make<Button>(form);
    Label& label = Make<Label>(form);
    button.SetParent(&form);
    label.SetParent(&form);
    const auto address = [](Control& c) { return reinterpret_cast<LPARAM>(&c); };
    EXPECT_EQ(parent.heard,
              (std::vector<Listener::Heard>{{CM_CONTROLINSERTED, 0, address(button)},
                                            {CM_CONTROLINSERTED, 0, address(label)}}));
    parent.heard.clear();

    Listener child(button, {CM_SHOWINGCHANGED, CM_FONTCHANGED, CM_COLORCHANGED});
    form.Show();
    EXPECT_TRUE(form.Showing());
    EXPECT_TRUE(button.Showing());
    button.SetVisible(false);
    form.Close();
    Font font;
    font.bold = true;
    button.SetFont(font);
    button.SetColor(Rgb(1, 2, 3));
    EXPECT_EQ(child.heard, (std::vector<Listener::Heard>{{CM_SHOWINGCHANGED, 1, 0},
                                                         {CM_SHOWINGCHANGED, 0, 0},
                                                         {CM_FONTCHANGED, 0, 0},
                                                         {CM_COLORCHANGED, 0, 0}}));
    EXPECT_EQ(parent.heard,
              (std::vector<Listener::Heard>{{CM_SHOWINGCHANGED, 1, 0}, {CM_SHOWINGCHANGED, 0, 0}}));

    // A window-less control hears its moves and sizes as a window would.
    Listener moves(label, {WM_MOVE, WM_SIZE});
    label.SetBounds({5, -3, 40, 12});
    label.SetBounds({5, -3, 41, 12});
    label.SetBounds({6, -3, 41, 12});
    EXPECT_EQ(moves.heard,
              (std::vector<Listener::Heard>{{WM_MOVE, 0, MAKELPARAM(5, -3)},
                                            {WM_SIZE, SIZE_RESTORED, MAKELPARAM(40, 12)},
                                            {WM_SIZE, SIZE_RESTORED, MAKELPARAM(41, 12)},
                                            {WM_MOVE, 0, MAKELPARAM(6, -3)}}));
    parent.heard.clear();
    label.SetParent(nullptr);
    EXPECT_EQ(parent.heard, (std::vector<Listener::Heard>{{CM_CONTROLREMOVED, 0, address(label)}}));
}

TEST_F(FrameworkTest, TheMouseOverTheFrameComesAndGoesOncePerVisit) {
    Form form(nullptr);
    form.SetClientSize(100, 60);
    form.Show();
    Listener frame(form, {CM_NCMOUSEENTER, CM_NCMOUSELEAVE});
    SendMessageW(form.Handle(), WM_NCMOUSEMOVE, HTCAPTION, 0);
    SendMessageW(form.Handle(), WM_NCMOUSEMOVE, HTCAPTION, 0);
    EXPECT_TRUE(form.MouseInNonClient());
    SendMessageW(form.Handle(), WM_NCMOUSELEAVE, 0, 0);
    SendMessageW(form.Handle(), WM_NCMOUSELEAVE, 0, 0);
    EXPECT_FALSE(form.MouseInNonClient());
    EXPECT_EQ(frame.heard,
              (std::vector<Listener::Heard>{{CM_NCMOUSEENTER, 0, 0}, {CM_NCMOUSELEAVE, 0, 0}}));
}

TEST_F(FrameworkTest, TheTreeViewsColoursReachThePlatformAndItsItemsCanBeDrawnByAHook) {
    Form form(nullptr);
    TreeView& tree = Make<TreeView>(form);
    tree.SetParent(&form);
    tree.SetBounds({0, 0, 150, 100});
    form.SetClientSize(150, 100);
    form.Show();
    tree.InsertItem(nullptr, u"New Folder", 0, 0);
    tree.SetColor(Rgb(10, 20, 30));
    Font font = tree.GetFont();
    font.color = Rgb(200, 100, 50);
    tree.SetFont(font);
    EXPECT_EQ(TreeView_GetBkColor(tree.Handle()), RGB(10, 20, 30));
    EXPECT_EQ(TreeView_GetTextColor(tree.Handle()), RGB(200, 100, 50));

    std::vector<DWORD> stages;
    tree.OnCustomDraw = [&](NMTVCUSTOMDRAW& draw) -> LRESULT {
        stages.push_back(draw.nmcd.dwDrawStage);
        return draw.nmcd.dwDrawStage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    };
    InvalidateRect(tree.Handle(), nullptr, TRUE);
    UpdateWindow(tree.Handle());
    ASSERT_GE(stages.size(), 2u);
    EXPECT_EQ(stages[0], DWORD(CDDS_PREPAINT));
    EXPECT_EQ(stages[1], DWORD(CDDS_ITEMPREPAINT));
}

// A button drawn by its owner, as skinned buttons are.
struct OwnerDrawnButton : Button {
    using Button::Button;
    void CreateParams(ui::CreateParams& params) override {
        Button::CreateParams(params);
        params.style = (params.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
    }
};

TEST_F(FrameworkTest, PropertiesTheSkinEngineReadsAndSetsKeepWhatTheOwnersSet) {
    Form form(nullptr);
    OwnerDrawnButton& owner_drawn = Make<OwnerDrawnButton>(form);
    Button& plain = Make<Button>(form);
    SizeGrip& grip = Make<SizeGrip>(form);
    for (WinControl* control : {static_cast<WinControl*>(&owner_drawn),
                                static_cast<WinControl*>(&plain), static_cast<WinControl*>(&grip)})
        control->SetParent(&form);
    form.SetBorderStyle(BorderStyle::bsSizeable);
    form.SetBorderIcons(biSystemMenu | biMinimize);
    form.SetClientSize(200, 100);
    grip.Dock();
    form.Show();

    owner_drawn.SetDefault(true);
    plain.SetDefault(true);
    EXPECT_EQ(GetWindowLongW(owner_drawn.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(GetWindowLongW(plain.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);

    EXPECT_EQ(SizeGrip::Of(form), &grip);
    grip.SetSuppressed(true);
    EXPECT_FALSE(IsWindowVisible(grip.Handle()));
    EXPECT_TRUE(grip.Visible());
    grip.SetSuppressed(false);
    EXPECT_TRUE(IsWindowVisible(grip.Handle()));

    EXPECT_EQ(plain.ClassName(), u"TButton");
    EXPECT_EQ(owner_drawn.ClassName(), u"TButton");
    EXPECT_EQ(form.ClassName(), u"TForm");
    form.SetTag(-98);
    EXPECT_EQ(form.Tag(), -98);
    EXPECT_EQ(form.GetBorderStyle(), BorderStyle::bsSizeable);
    EXPECT_EQ(form.BorderIcons(), unsigned(biSystemMenu | biMinimize));
    EXPECT_EQ(form.GetWindowState(), WindowState::wsNormal);
    form.SetWindowState(WindowState::wsMaximized);
    EXPECT_EQ(form.GetWindowState(), WindowState::wsMaximized);
    form.SetWindowState(WindowState::wsNormal);
    HICON icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_WARNING));
    form.SetIcon(icon);
    EXPECT_EQ(form.Icon(), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form.Handle(), WM_GETICON, ICON_SMALL, 0)),
              icon);
}

// Creates a form from inside the creation hook while another form's window is being created,
// as a hook that dresses new windows may.
struct NestedCreation {
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && current) {
            NestedCreation& self = *current;
            if (!self.outer_window) {
                self.outer_window = reinterpret_cast<HWND>(wParam);
                self.inner = std::make_unique<Form>(nullptr);
                self.inner->Handle();
            } else if (!self.inner_window) {
                // Early mail for the outer window while the inner one is being created.
                self.inner_window = reinterpret_cast<HWND>(wParam);
                SendMessageW(self.outer_window, WM_NULL, 0, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline NestedCreation* current = nullptr;
    HWND outer_window = nullptr;
    HWND inner_window = nullptr;
    std::unique_ptr<Form> inner;
};

TEST_F(FrameworkTest, AWindowCreatedInsideACreationHookIsBoundToTheControlThatAskedForIt) {
    Form outer(nullptr);
    NestedCreation nested;
    NestedCreation::current = &nested;
    HHOOK hook = SetWindowsHookExW(WH_CBT, NestedCreation::Hook, nullptr, GetCurrentThreadId());
    HWND outer_window = outer.Handle();
    NestedCreation::current = nullptr;
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(nested.inner);
    EXPECT_EQ(outer_window, nested.outer_window);
    EXPECT_EQ(nested.inner->Handle(), nested.inner_window);
    EXPECT_EQ(WinControl::FromHandle(outer_window), &outer);
    EXPECT_EQ(WinControl::FromHandle(nested.inner_window), nested.inner.get());
    // Each window's messages reach its own control.
    std::vector<Control*> heard;
    ProcedureLayer a = outer.AddProcedureLayer([&](Message& m, const auto& next) {
        if (m.msg == WM_APP)
            heard.push_back(&outer);
        next(m);
    });
    ProcedureLayer b = nested.inner->AddProcedureLayer([&](Message& m, const auto& next) {
        if (m.msg == WM_APP)
            heard.push_back(nested.inner.get());
        next(m);
    });
    SendMessageW(outer_window, WM_APP, 0, 0);
    SendMessageW(nested.inner_window, WM_APP, 0, 0);
    EXPECT_EQ(heard, (std::vector<Control*>{&outer, nested.inner.get()}));
    b.Remove();
    nested.inner.reset();
}

} // namespace
} // namespace ui
