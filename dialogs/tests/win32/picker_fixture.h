#pragma once

// What the picker and directory edit tests share: the application object, an error log in
// place of error boxes, a scratch folder on disk and message pumping.

#include "ui/application.h"
#include "ui/wide.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace dialogs {

class PickerFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof(controls),
                                      ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (!ui::Application::Instance().Handle())
            ui::Application::Instance().Initialize();
    }

    void SetUp() override {
        ui::Application::Instance().OnShowError = [this](const std::u16string& text) {
            errors.push_back(text);
        };
        wchar_t current[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, current);
        saved_directory_ = current;
        folder = ui::FromWide(current) + u"\\picker_" +
                 ui::FromWide(std::to_wstring(GetCurrentProcessId()));
        RemoveTree(folder);
        MakeFolders({u""});
    }

    void TearDown() override {
        ui::Application::Instance().OnShowError = nullptr;
        SetCurrentDirectoryW(saved_directory_.c_str());
        RemoveTree(folder);
    }

    // Creates the folders below the scratch folder, in the order given.
    void MakeFolders(std::initializer_list<std::u16string> paths) {
        for (const std::u16string& path : paths)
            CreateDirectoryW(ui::Wide(folder + (path.empty() ? u"" : u"\\" + path)), nullptr);
    }
    void MakeFile(const std::u16string& path) {
        HANDLE file = CreateFileW(ui::Wide(folder + u"\\" + path), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
        CloseHandle(file);
    }
    std::u16string At(const std::u16string& path) const { return folder + u"\\" + path; }

    static bool DirectoryExists(const std::u16string& path) {
        const DWORD attributes = GetFileAttributesW(ui::Wide(path));
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    // Handles what is waiting, including work the controls posted to themselves.
    static void Pump() {
        for (int round = 0; round < 3; ++round) {
            ui::Application::Instance().ProcessMessages();
            Sleep(5);
        }
    }

    static std::u16string ItemText(HWND tree, HTREEITEM item) {
        wchar_t text[MAX_PATH] = {};
        TVITEMW query{};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        query.pszText = text;
        query.cchTextMax = MAX_PATH;
        TreeView_GetItem(tree, &query);
        return ui::FromWide(text);
    }
    static std::vector<std::u16string> ChildTexts(HWND tree, HTREEITEM item) {
        std::vector<std::u16string> texts;
        for (HTREEITEM child = TreeView_GetChild(tree, item); child;
             child = TreeView_GetNextSibling(tree, child))
            texts.push_back(ItemText(tree, child));
        return texts;
    }
    static HTREEITEM ChildNamed(HWND tree, HTREEITEM item, const std::u16string& text) {
        for (HTREEITEM child = TreeView_GetChild(tree, item); child;
             child = TreeView_GetNextSibling(tree, child))
            if (ItemText(tree, child) == text)
                return child;
        return nullptr;
    }
    static bool Expanded(HWND tree, HTREEITEM item) {
        return (TreeView_GetItemState(tree, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    std::u16string FolderName() const { return folder.substr(folder.rfind(u'\\') + 1); }

    std::vector<std::u16string> errors;
    std::u16string folder;

private:
    static void RemoveTree(const std::u16string& path) {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW(ui::Wide(path + u"\\*"), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::u16string name = ui::FromWide(entry.cFileName);
                if (name == u"." || name == u"..")
                    continue;
                const std::u16string inner = path + u"\\" + name;
                SetFileAttributesW(ui::Wide(inner), FILE_ATTRIBUTE_NORMAL);
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(inner);
                else
                    DeleteFileW(ui::Wide(inner));
            } while (FindNextFileW(find, &entry));
            FindClose(find);
        }
        RemoveDirectoryW(ui::Wide(path));
    }

    std::wstring saved_directory_;
};

} // namespace dialogs
