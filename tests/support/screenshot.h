#pragma once

// Screenshots the end-to-end tests leave for people to look at; nothing compares them.

#include <string>
#include <windows.h>

namespace testing_support {

// The whole screen as a PNG file.
void SaveScreenshot(const std::wstring& path);

// A rectangle of the screen as a PNG file, each pixel zoom x zoom pixels large.
void SaveScreenArea(const std::wstring& path, const RECT& area, int zoom = 1);

// The folder "artefacts" beside the program, made when missing, with its trailing backslash.
std::wstring ArtefactsDirectory();
// The folder "screenshots" of the build (beside the program's folder), made when missing, with
// its trailing backslash: pictures left for a person to judge.
std::wstring ScreenshotsDirectory();

} // namespace testing_support
