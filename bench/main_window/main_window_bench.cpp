// The main window with big trees, beside a bare tree view filled the fastest way the platform
// allows, in one run under Wine: loading templates of 5,000 and 100,000 folders (model, view and
// Full Expand), loading over a big tree, Full Expand, deleting a subtree of 2,500 nodes, Clear,
// creating 5,000 folders (beside a CreateDirectoryW loop) and scanning them back in. Every
// window operation ends when the window has handled what it queued and painted.
//
//   main_window_bench [ROUNDS]

#include "app/main_form.h"
#include "bare_tree.h"
#include "core/name_check.h"
#include "core/template_file.h"
#include "core/text.h"
#include "skin/engine/skin_manager.h"
#include "skin/windows/tree_view_skin.h"
#include "ui/application.h"
#include "ui/wide.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <objbase.h>
#include <string>
#include <vector>

namespace {

// Each level's number of children below a node of the level above; the first, of roots.
using Shape = std::vector<int>;
const Shape kShape5000 = {2, 49, 50};        // 2 roots of 2,500 nodes each
const Shape kShape100000 = {10, 9, 10, 110}; // 10 roots of 10,000 nodes each

const char16_t* const kWords[] = {u"Projects", u"Archive 2019",          u"Drafts", u"Client files",
                                  u"Photos",   u"Invoices and receipts", u"src",    u"Notes"};

void AddLevel(core::FolderTree& tree, core::FolderNode* parent, const Shape& shape,
              std::size_t level) {
    for (int i = 0; i < shape[level]; ++i) {
        std::u16string name = kWords[(level * 3 + static_cast<std::size_t>(i)) % 8];
        name += u' ';
        for (char c : std::to_string(i + 1))
            name += static_cast<char16_t>(c);
        core::FolderNode& node = tree.AddChild(parent, std::move(name));
        if (level + 1 < shape.size())
            AddLevel(tree, &node, shape, level + 1);
    }
}

bench::Outline OutlineOf(const core::FolderTree& tree) {
    bench::Outline outline;
    outline.reserve(tree.Count());
    for (const core::FolderNode* n = tree.GetFirstNode(); n; n = core::FolderTree::GetNext(*n))
        outline.push_back({n->Level(), ui::ToWide(n->Text())});
    return outline;
}

std::string ReadBytes(const std::u16string& path) {
    std::string bytes;
    core::SystemFileSystem().ReadWholeFile(path, bytes);
    return bytes;
}

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

// The raw scan: the directories below `path`, in the order the file system lists them.
void ListDirectories(const std::wstring& path, int level, bench::Outline& outline) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((path + L"\\*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchLimitToDirectories, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..")
            continue;
        outline.push_back({level, name});
        ListDirectories(path + L"\\" + name, level + 1, outline);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

double Seconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct Operation {
    const char* name;
    const char* yardstick;
    std::vector<double> ours, raw, plain; // plain: the tree without its skin
    std::vector<double>& Ours(bool skinned) { return skinned ? ours : plain; }
};

// Handles what the window queued (the name check among it) and paints what is invalid.
void Settle(app::TForm1& form) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    UpdateWindow(form.Handle());
}

bool Fail(const char* what) {
    std::fprintf(stderr, "main_window_bench: %s\n", what);
    return false;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ui::Application& application = ui::Application::Instance();
    application.Initialize();
    application.OnShowError = [](const std::u16string& message) {
        std::fprintf(stderr, "error: %ls\n", ui::ToWide(message).c_str());
    };

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring scratch = std::wstring(temp) + L"arbordir-main-window-bench";
    RemoveTree(scratch);
    CreateDirectoryW(scratch.c_str(), nullptr);
    const std::u16string file5000 = ui::FromWide(scratch + L"\\5000.arbordir");
    const std::u16string file100000 = ui::FromWide(scratch + L"\\100000.arbordir");
    bench::Outline outline5000, outline100000;
    std::vector<std::wstring> relative_paths;
    {
        core::FolderTree tree;
        AddLevel(tree, nullptr, kShape5000, 0);
        core::SaveToFile(tree, file5000, core::SystemFileSystem());
        outline5000 = OutlineOf(tree);
        for (const core::FolderNode* n = tree.GetFirstNode(); n; n = core::FolderTree::GetNext(*n))
            relative_paths.push_back(ui::ToWide(core::PathFromRoot(*n)));
        tree.Clear();
        AddLevel(tree, nullptr, kShape100000, 0);
        core::SaveToFile(tree, file100000, core::SystemFileSystem());
        outline100000 = OutlineOf(tree);
    }
    const std::string bytes5000 = ReadBytes(file5000);
    const std::string bytes100000 = ReadBytes(file100000);

    app::TForm1 form(nullptr, u"");
    form.Show();
    Settle(form);
    // The figures hold for the window as the program shows it: with its skin. "compare" after
    // the rounds takes the tree's skin off in every other round, to show what the skin costs.
    const bool compare = argc > 2 && std::wstring(argv[2]) == L"compare";
    const skin::engine::TsSkinManager* manager = skin::engine::TsSkinManager::Default();
    const skin::data::LoadedSkin* skin = manager ? manager->Skin() : nullptr;
    const auto set_tree_skin = [&](bool on) {
        skin::windows::TsTreeViewSkin* dressed = nullptr;
        for (ui::Component* c : form.TreeView1.Components())
            if (auto* s = dynamic_cast<skin::windows::TsTreeViewSkin*>(c))
                dressed = s;
        if (on && !dressed && skin)
            ui::Make<skin::windows::TsTreeViewSkin>(form.TreeView1, *skin);
        else if (!on && dressed)
            delete dressed;
        Settle(form);
        return skin::windows::TacMainWnd::Of(form.TreeView1.Handle()) != nullptr;
    };
    std::printf("Tree skin: %s\n",
                set_tree_skin(true) ? core::ToUtf8(manager->SkinName()).c_str() : "none");
    core::FolderTree& tree = form.Tree();
    bench::BareTree bare(form.TreeView1.Handle());

    Operation load{"Load 5,000 folders", "fill"}, reload{"Load 5,000 over 5,000", "clear and fill"},
        expand{"Full Expand of 5,000", "expand every parent"},
        remove{"Delete a subtree of 2,500", "delete its item"},
        clear{"Clear 5,000", "delete all items"},
        create{"Create 5,000 folders", "CreateDirectoryW loop"},
        scan{"Scan 5,000 folders", "find files and fill"}, load_big{"Load 100,000 folders", "fill"};
    bool same_bytes = true;
    bool ok = true;
    for (int round = 0; round < rounds && ok; ++round) {
        // Compared, the first round (which warms the caches) goes without the skin.
        const bool skinned = set_tree_skin(!compare || round % 2 == 1);
        tree.Clear();
        Settle(form);
        bare.Clear();
        load.Ours(skinned).push_back(Seconds([&] {
            form.LoadTemplate(file5000);
            Settle(form);
        }));
        load.raw.push_back(Seconds([&] { bare.Fill(outline5000); }));
        same_bytes =
            same_bytes && core::WriteTemplate(tree, core::SystemAnsiCodePage()) == bytes5000;

        reload.Ours(skinned).push_back(Seconds([&] {
            form.LoadTemplate(file5000);
            Settle(form);
        }));
        reload.raw.push_back(Seconds([&] {
            bare.Clear();
            bare.Fill(outline5000);
        }));

        remove.Ours(skinned).push_back(Seconds([&] {
            tree.Delete(*tree.Root(0));
            Settle(form);
        }));
        remove.raw.push_back(Seconds([&] { bare.DeleteFirstRoot(); }));
        if (tree.Count() != 2500)
            ok = Fail("the deletion left the wrong number of nodes");

        form.LoadTemplate(file5000);
        Settle(form);
        bare.Clear();
        bare.Fill(outline5000);
        clear.Ours(skinned).push_back(Seconds([&] {
            tree.Clear();
            Settle(form);
        }));
        clear.raw.push_back(Seconds([&] { bare.Clear(); }));

        {
            core::TreeUpdate update(tree);
            core::LoadFromFile(tree, file5000, core::SystemFileSystem());
        }
        Settle(form);
        bare.SetRedraw(false);
        bare.Insert(outline5000);
        bare.SetRedraw(true);
        bare.Settle();
        expand.Ours(skinned).push_back(Seconds([&] {
            tree.FullExpand();
            Settle(form);
        }));
        expand.raw.push_back(Seconds([&] {
            bare.SetRedraw(false);
            bare.ExpandAll();
            bare.SetRedraw(true);
            bare.Settle();
        }));

        const std::wstring ours = scratch + L"\\ours" + std::to_wstring(round);
        const std::wstring plain = scratch + L"\\plain" + std::to_wstring(round);
        CreateDirectoryW(ours.c_str(), nullptr);
        CreateDirectoryW(plain.c_str(), nullptr);
        core::CreationReport report;
        create.Ours(skinned).push_back(Seconds([&] {
            // The name check is part of every creation the window makes.
            const core::NameCheck names(tree, ui::FromWide(ours));
            report = form.MakeFolders(ui::FromWide(ours), names);
            Settle(form);
        }));
        create.raw.push_back(Seconds([&] {
            for (const std::wstring& path : relative_paths)
                CreateDirectoryW((plain + L"\\" + path).c_str(), nullptr);
        }));
        if (!report.Succeeded() || report.nodes != 5000)
            ok = Fail("the creation did not make every folder");

        tree.Clear();
        Settle(form);
        bare.Clear();
        scan.Ours(skinned).push_back(Seconds([&] {
            form.ScanFolder(ui::FromWide(ours));
            Settle(form);
        }));
        scan.raw.push_back(Seconds([&] {
            bench::Outline found;
            ListDirectories(plain, 0, found);
            bare.Fill(found);
        }));
        if (tree.Count() != 5000)
            ok = Fail("the scan did not find every folder");

        tree.Clear();
        Settle(form);
        bare.Clear();
        load_big.Ours(skinned).push_back(Seconds([&] {
            form.LoadTemplate(file100000);
            Settle(form);
        }));
        load_big.raw.push_back(Seconds([&] { bare.Fill(outline100000); }));
        same_bytes =
            same_bytes && core::WriteTemplate(tree, core::SystemAnsiCodePage()) == bytes100000;
        tree.Clear();
        Settle(form);
        bare.Clear();
        RemoveTree(ours);
        RemoveTree(plain);
    }
    RemoveTree(scratch);

    std::printf("Medians of %d rounds (ours beside the yardstick, in ms):\n", rounds);
    std::printf("%-28s %10s  %-24s %10s %7s %10s\n", "Operation", "Ours", "Yardstick", "Raw",
                "Ratio", compare ? "No skin" : "");
    for (const Operation* op :
         {&load, &reload, &expand, &remove, &clear, &scan, &create, &load_big}) {
        const double ours = Median(op->ours) * 1000, raw = Median(op->raw) * 1000;
        std::printf("%-28s %10.1f  %-24s %10.1f %7.2f", op->name, ours, op->yardstick, raw,
                    raw > 0 ? ours / raw : 0.0);
        if (compare)
            std::printf(" %10.1f", Median(op->plain) * 1000);
        std::printf("\n");
    }
    std::printf("100,000 folders loaded and shown in %.2f s (goal: 3 s)\n", Median(load_big.ours));
    std::printf("Loaded templates saved again: %s\n",
                same_bytes ? "the same bytes" : "DIFFERENT BYTES");
    CoUninitialize();
    return ok && same_bytes ? 0 : 1;
}
