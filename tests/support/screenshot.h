#pragma once

// Screenshots the end-to-end tests leave for people to look at; nothing compares them.

#include <string>

namespace testing_support {

// The whole screen as a PNG file.
void SaveScreenshot(const std::wstring& path);

// The folder "artefacts" beside the program, made when missing, with its trailing backslash.
std::wstring ArtefactsDirectory();

} // namespace testing_support
