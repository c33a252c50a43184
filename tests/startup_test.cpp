// Starts the real program and checks its main window from outside.

#include "support/live_program.h"

#include <gtest/gtest.h>

namespace {

using testing_support::LiveProgram;
using testing_support::WindowText;

TEST(Startup, TheQuotedDestinationFillsTheFieldAndTheTreeHoldsOneNewFolder) {
    LiveProgram program(L"\"D:\\Projects\\New Client\"");
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_EQ(WindowText(program.Window()), L"Arbordir");

    HWND edit = program.Child(L"Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(WindowText(edit), L"D:\\Projects\\New Client");

    HWND tree = program.Child(WC_TREEVIEWW);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(program.TreeItems(tree), std::vector<std::wstring>{L"New Folder"});
    EXPECT_EQ(program.Close(), 0u);
}

TEST(Startup, WithoutArgumentsTheDestinationIsEmpty) {
    LiveProgram program(L"");
    ASSERT_NE(program.Window(), nullptr);
    HWND edit = program.Child(L"Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(WindowText(edit), L"");
}

TEST(Startup, TheWindowHasAFixedFrameAMinimiseBoxAndTheDesignedClientSize) {
    LiveProgram program(L"X:\\Out");
    ASSERT_NE(program.Window(), nullptr);
    const LONG style = GetWindowLongW(program.Window(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    // The skin's frame runs the system menu and its buttons: the platform's style is off.
    EXPECT_FALSE(style & WS_SYSMENU);
    RECT client;
    GetClientRect(program.Window(), &client);
    EXPECT_EQ(client.right, 488);
    EXPECT_EQ(client.bottom, 387);

    // Centred on the work area, within a pixel of rounding.
    RECT work, window;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(program.Window(), &window);
    EXPECT_NEAR(window.left - work.left, work.right - window.right, 1);
    EXPECT_NEAR(window.top - work.top, work.bottom - window.bottom, 1);

    // The tree's bounds: two pixels left of the client area, 489 x 305.
    HWND tree = program.Child(WC_TREEVIEWW);
    RECT bounds;
    GetWindowRect(tree, &bounds);
    MapWindowPoints(nullptr, program.Window(), reinterpret_cast<POINT*>(&bounds), 2);
    EXPECT_EQ(bounds.left, -2);
    EXPECT_EQ(bounds.right - bounds.left, 489);
    EXPECT_EQ(bounds.bottom - bounds.top, 305);

    // Minimising works; maximising is not offered.
    ShowWindow(program.Window(), SW_MINIMIZE);
    EXPECT_TRUE(testing_support::WaitFor([&] { return IsIconic(program.Window()) != FALSE; }));
}

} // namespace
