#pragma once

// Real input for the program under test: keys and mouse clicks go into the platform's input
// stream (SendInput), reach the window that has the focus through the program's message loop,
// exactly as a person's would. The program's window must be the foreground window.

#include <string>
#include <windows.h>

namespace testing_support {

// Presses and releases a key, with Control and Shift held when asked.
void PressKey(WORD key, bool control = false, bool shift = false);
// Types text character by character, with Shift where the keyboard layout needs it.
void TypeText(const std::wstring& text);
// Moves the mouse to the window's client point and clicks the left button there.
void ClickAt(HWND window, int x, int y);
// Presses the left button on the window's client point, moves away and releases it elsewhere:
// the control under it takes the focus but is not clicked.
void PressWithoutClick(HWND window, int x, int y);
// Moves the mouse to the window's client point, and nothing else.
void MoveMouse(HWND window, int x, int y);
// Moves the mouse to a screen point with the left button pressed (down), released (up) or as it
// is (neither).
enum class Button { Keep, Down, Up };
void MouseOnScreen(POINT screen, Button button = Button::Keep);
// Turns the wheel over the window's client point by delta (WHEEL_DELTA a notch, negative towards
// the user).
void TurnWheel(HWND window, int x, int y, int delta);
// Clicks the middle of a window.
void ClickCentre(HWND window);

// Input from the X server itself, as a person's mouse gives it (xdotool, see x_display.h).
// The mouse moved to a screen point by the X server; true once the pointer is there.
bool XMouseTo(POINT screen);
// The left button pressed or released by the X server; true once the platform sees it so.
bool XLeftButton(bool down);
// The clipboard's text, empty when it holds none or cannot be opened.
std::wstring ClipboardText();
// Puts the text on the clipboard in place of what it held.
void SetClipboardText(const std::wstring& text);

} // namespace testing_support
