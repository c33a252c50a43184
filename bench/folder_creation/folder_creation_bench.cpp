// Creating a 10,000-folder tree (depth 4, fan-out 10) on the real file system, beside the
// floor: one CreateDirectoryW per folder in the same order. Runs under Wine (or on Windows);
// each round creates into fresh folders, alternating the two, and the medians are compared.
//
//   folder_creation_bench [ROUNDS]

#include "core/folder_creation.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kFanOut = 10;
constexpr int kDepth = 4;

void AddLevel(core::FolderTree& tree, core::FolderNode* parent, int depth) {
    for (int i = 0; i < kFanOut; ++i) {
        core::FolderNode& node = tree.AddChild(parent, u"Folder " + std::u16string(1, static_cast<char16_t>(u'0' + i)));
        if (depth + 1 < kDepth)
            AddLevel(tree, &node, depth + 1);
    }
}

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..")
                RemoveTree(path + L"\\" + name);
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    core::FolderTree tree;
    AddLevel(tree, nullptr, 0);

    // The floor's list: every node's full path, in the same pre-order.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"arbordir-creation-bench";
    CreateDirectoryW(base.c_str(), nullptr);
    std::vector<std::wstring> relative;
    for (const core::FolderNode* n = tree.GetFirstNode(); n; n = core::FolderTree::GetNext(*n))
        relative.push_back(Wide(core::PathFromRoot(*n)));

    std::vector<double> creation, floor;
    for (int round = 0; round < rounds; ++round) {
        const std::wstring ours = base + L"\\ours" + std::to_wstring(round);
        const std::wstring plain = base + L"\\plain" + std::to_wstring(round);
        CreateDirectoryW(ours.c_str(), nullptr);
        CreateDirectoryW(plain.c_str(), nullptr);

        // The name check is part of every creation the program makes.
        auto start = std::chrono::steady_clock::now();
        const std::u16string destination(ours.begin(), ours.end());
        const core::CreationReport report = core::CreateFolders(
            tree, destination, core::SystemFileSystem(), core::NameCheck(tree, destination));
        creation.push_back(Seconds(std::chrono::steady_clock::now() - start));
        if (!report.Succeeded()) {
            std::fprintf(stderr, "creation failed for %zu folders\n", report.failures.size());
            return 1;
        }

        start = std::chrono::steady_clock::now();
        for (const std::wstring& path : relative)
            CreateDirectoryW((plain + L"\\" + path).c_str(), nullptr);
        floor.push_back(Seconds(std::chrono::steady_clock::now() - start));

        RemoveTree(ours);
        RemoveTree(plain);
    }
    RemoveTree(base);

    const double ours = Median(creation), plain = Median(floor);
    std::printf("folders: %zu, rounds: %d\n", relative.size(), rounds);
    std::printf("CreateFolders:             median %.3f s (%.1f us a folder)\n", ours, ours * 1e6 / relative.size());
    std::printf("CreateDirectoryW loop:     median %.3f s (%.1f us a folder)\n", plain, plain * 1e6 / relative.size());
    std::printf("ratio CreateFolders/floor: %.2f\n", ours / plain);
    return 0;
}
