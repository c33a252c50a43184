#pragma once

// What every test of the framework on real windows needs: common controls, the application
// window, and errors collected instead of shown in boxes.

#include "ui/application.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ui {

class FrameworkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof(controls),
                                      ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        if (!Application::Instance().Handle())
            Application::Instance().Initialize();
    }
    void SetUp() override {
        errors.clear();
        Application::Instance().OnShowError = [this](const std::u16string& text) {
            errors.push_back(text);
        };
    }
    void TearDown() override { Application::Instance().OnShowError = nullptr; }

    std::vector<std::u16string> errors;
};

// Runs the message loop until `done` holds or about two seconds have passed.
template <class Done>
bool PumpUntil(Done done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 2000)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Application::Instance().ProcessMessages();
    }
    return true;
}

} // namespace ui
