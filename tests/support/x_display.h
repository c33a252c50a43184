#pragma once

// The X display the Windows programs run on, driven from outside the platform: the pointer moved
// and clicked with xdotool through the X server (as a person's mouse would, so the server's own
// window shapes decide which window takes a click). xdotool is a Linux program, which Wine starts
// like one of its own.

#include <string>
#include <windows.h>

namespace testing_support {

// Runs xdotool with the arguments ("mousemove 10 20 click 1") and waits for it; false when it
// could not be started or failed.
bool Xdotool(const std::wstring& arguments);

// Presses the left button at a screen point, moves the pointer to each further point and
// releases it at the last one, as a drag by hand; the moves pause a little between them.
bool XDrag(POINT from, POINT to, int steps);

// The Linux path of a path on Wine's Z: drive (the Linux root), or empty.
std::string UnixPathOf(const std::wstring& windows_path);

} // namespace testing_support
