// The name check against the real file system under Wine: what the platform's own creation
// call does with each kind of name, and a whole tree of problems created on disk, whose
// folders are exactly the ones the check foretold.

#include "core/folder_creation.h"
#include "core/name_check.h"
#include "temp_directory.h"

#include <gtest/gtest.h>
#include <set>

namespace core {
namespace {

using testing::TempDirectory;
using Folders = std::set<std::u16string>;

// Every directory below `root`, as paths relative to it with the names exactly as on disk.
void ListFolders(const std::u16string& root, const std::u16string& prefix, Folders& folders) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(TempDirectory::Wide(root + u"\\*"), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::u16string name = reinterpret_cast<const char16_t*>(data.cFileName);
        if (name == u"." || name == u".." || !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        folders.insert(prefix + name);
        ListFolders(root + u"\\" + name, prefix + name + u"\\", folders);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

Folders FoldersBelow(const std::u16string& root) {
    Folders folders;
    ListFolders(root, u"", folders);
    return folders;
}

// The folders the check says the tree makes: every node that is not refused, under the name
// it is created as, with every folder on the way.
Folders ForetoldFolders(const FolderTree& tree, const NameCheck& check) {
    Folders folders;
    std::vector<std::u16string> where; // the folder path each node leaves its children in
    for (const FolderNode* node = tree.GetFirstNode(); node; node = FolderTree::GetNext(*node)) {
        where.resize(static_cast<std::size_t>(node->Level()));
        std::u16string path = where.empty() ? u"" : where.back();
        const NameVerdict& verdict = check.Of(*node);
        if (!verdict.Refused()) {
            const std::u16string& name = verdict.Changed() ? verdict.detail : node->Text();
            std::size_t start = 0;
            while (start <= name.size()) {
                const std::size_t end = std::min(name.find(u'\\', start), name.size());
                if (end > start) {
                    if (!path.empty())
                        path += u'\\';
                    path.append(name, start, end - start);
                    folders.insert(path);
                }
                start = end + 1;
            }
        }
        where.push_back(path);
    }
    return folders;
}

std::string Utf8(const Folders& folders) {
    std::string text;
    for (const auto& folder : folders)
        text += ToUtf8(folder) + "\n";
    return text;
}

TEST(NameCheckOnDisk, ATreeWithEveryKindOfProblemMakesTheFoldersTheCheckForetold) {
    TempDirectory temp;
    FolderTree tree;
    tree.Add(nullptr, u"apache.");
    tree.Add(nullptr, u"apache");
    tree.Add(nullptr, u"Pod");
    tree.Add(nullptr, u"pod");
    FolderNode& web = tree.Add(nullptr, u"Web ");
    tree.AddChild(&web, u"conf");
    tree.Add(nullptr, u"Über");
    tree.Add(nullptr, u"über.");
    FolderNode& device = tree.Add(nullptr, u"con.txt");
    tree.AddChild(&device, u"inside");
    tree.Add(nullptr, u"NUL");
    tree.Add(nullptr, u"COM\u00B9"); // Wine would make this one: the check follows Windows
    tree.Add(nullptr, u"a:b");       // and this one
    tree.Add(nullptr, u"Why?");
    tree.Add(nullptr, u"tab\there");
    tree.Add(nullptr, u"..");
    FolderNode& fine = tree.Add(nullptr, u"Fine");
    tree.AddChild(&fine, u"naïve café");
    tree.AddChild(&fine, u" leading blank");
    // Paths of exactly the longest length and one past it, which Wine would make too.
    const std::size_t room = kMaxDirectoryPath - temp.Path().size() - 1;
    tree.Add(nullptr, std::u16string(room, u'L'));
    FolderNode& too_long = tree.Add(nullptr, std::u16string(room + 1, u'M'));
    tree.AddChild(&too_long, u"x");

    const NameCheck check(tree, temp.Path());
    const CreationReport report = CreateFolders(tree, temp.Path(), SystemFileSystem(), check);
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(report.left_out, check.NotAsTyped() - 4); // four are only changed
    EXPECT_EQ(FoldersBelow(temp.Path()), ForetoldFolders(tree, check))
        << Utf8(FoldersBelow(temp.Path()));
    EXPECT_EQ(FoldersBelow(temp.Path()),
              (Folders{u"apache", u"Pod", u"Web", u"Web\\conf", u"Über", u"Fine",
                       u"Fine\\naïve café", u"Fine\\ leading blank", std::u16string(room, u'L')}));
}

// What the platform's own call makes of single names, beside what the check says of them.
// Left out are the names where Wine and Windows differ and the check follows Windows: Wine
// makes folders named COM¹, "a:b" and paths past the length limit, and reports NUL as made.
TEST(NameCheckOnDisk, TheRulesAgreeWithWhatTheCreationCallDoesWithEachName) {
    for (const char16_t* name : {u"plain",
                                 u"trailing.",
                                 u"trailing..",
                                 u"blank ",
                                 u"mixed. .",
                                 u" lead",
                                 u"a.b",
                                 u"COM0",
                                 u"Дом",
                                 u"CON",
                                 u"con.txt",
                                 u"Aux",
                                 u"lpt1.doc",
                                 u"PRN",
                                 u"COM3",
                                 u"CONIN$",
                                 u"a<b",
                                 u"a>b",
                                 u"a\"b",
                                 u"a/b",
                                 u"a|b",
                                 u"a?b",
                                 u"a*b",
                                 u"a\x01b",
                                 u"a\x1f"
                                 u"b",
                                 u".",
                                 u"..",
                                 u"...",
                                 u" "}) {
        TempDirectory temp;
        const std::u16string path = temp / name;
        CreateDirectoryW(TempDirectory::Wide(path), nullptr);
        const Folders made = FoldersBelow(temp.Path());

        FolderTree tree;
        tree.Add(nullptr, name);
        const NameVerdict& verdict = NameCheck(tree, temp.Path()).Of(*tree.GetFirstNode());
        if (verdict.Refused())
            EXPECT_TRUE(made.empty()) << ToUtf8(name) << " made " << Utf8(made);
        else
            EXPECT_EQ(made, Folders{verdict.Changed() ? verdict.detail : std::u16string(name)})
                << ToUtf8(name);
    }
}

TEST(NameCheckOnDisk, AFolderInsideAChangedNameIsRefusedByTheCallButNotByOurCreation) {
    // Why creation trims every part itself: given "Web \conf" the platform looks for "Web ".
    TempDirectory temp;
    ASSERT_TRUE(CreateDirectoryW(TempDirectory::Wide(temp / u"Web "), nullptr));
    EXPECT_FALSE(CreateDirectoryW(TempDirectory::Wide(temp / u"Web \\conf"), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(CreateDirectoryW(TempDirectory::Wide(temp / u"Web..\\conf"), nullptr));
    EXPECT_EQ(FoldersBelow(temp.Path()), Folders{u"Web"});
}

} // namespace
} // namespace core
