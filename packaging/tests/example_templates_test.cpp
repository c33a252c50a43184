// The example templates shipped in templates/: each loads without error, saves back to the very
// same bytes, and is a tree that creates cleanly on any Windows machine.

#include "core/error.h"
#include "core/template_file.h"
#include "core/text.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kTemplates = ARBORDIR_TEMPLATES_DIR;

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> Examples() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kTemplates))
        if (entry.path().extension() == ".arbordir")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string Utf8(const std::u16string& text) {
    return core::ToUtf8(text);
}

// Why Windows would refuse or alter a folder of this name, or nothing. Case does not tell
// folders apart there, so siblings are compared without it elsewhere.
std::string NameProblem(const std::u16string& name) {
    if (name.empty())
        return "empty";
    for (char16_t c : name) {
        if (c < 0x20 || c > 0x7E)
            return "a character outside printable ASCII, which some code pages lack";
        if (std::u16string_view(u"<>:\"/\\|?*").find(c) != std::u16string_view::npos)
            return "a character Windows forbids in names";
    }
    if (name.front() == u' ' || name.back() == u' ')
        return "leading or trailing blanks, which templates cannot keep";
    if (name.back() == u'.')
        return "a trailing full stop, which Windows drops";
    std::string upper;
    for (char16_t c : name.substr(0, name.find(u'.')))
        upper += static_cast<char>(c >= u'a' && c <= u'z' ? c - 32 : c);
    static const std::set<std::string> devices{
        "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
        "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    if (devices.count(upper))
        return "a device name";
    return "";
}

std::string Lower(const std::u16string& name) {
    std::string lower = Utf8(name);
    for (char& c : lower)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return lower;
}

int Depth(const core::FolderNode& node) {
    int deepest = 0;
    for (std::size_t i = 0; i < node.ChildCount(); ++i)
        deepest = std::max(deepest, Depth(*node.Child(i)));
    return deepest + 1;
}

TEST(ExampleTemplates, TheFiveExamplesAreShipped) {
    std::set<std::string> names;
    for (const fs::path& file : Examples())
        names.insert(file.filename().string());
    for (const char* example :
         {"Software project.arbordir", "Client job.arbordir", "Photo shoot.arbordir",
          "School or university term.arbordir", "Home paperwork.arbordir"})
        EXPECT_TRUE(names.count(example)) << example;
}

TEST(ExampleTemplates, EachLoadsWithoutErrorAndSavesBackToTheSameBytes) {
    for (const fs::path& file : Examples()) {
        SCOPED_TRACE(file.filename().string());
        const std::string bytes = ReadBytes(file);
        core::FolderTree tree;
        try {
            core::ReadTemplate(tree, bytes, core::Windows1252());
        } catch (const core::Error& error) {
            ADD_FAILURE() << Utf8(error.Message());
            continue;
        }
        EXPECT_EQ(core::WriteTemplate(tree, core::Windows1252()), bytes);
    }
}

TEST(ExampleTemplates, EachIsOneFolderWithASensibleTreeOfValidDistinctNames) {
    for (const fs::path& file : Examples()) {
        SCOPED_TRACE(file.filename().string());
        core::FolderTree tree;
        core::ReadTemplate(tree, ReadBytes(file), core::Windows1252());

        // One top folder, named for the user to rename, with everything inside it.
        ASSERT_EQ(tree.RootCount(), 1u);
        const int depth = Depth(*tree.Root(0));
        EXPECT_GE(depth, 3);
        EXPECT_LE(depth, 5);
        EXPECT_GE(tree.Count(), 12u);
        EXPECT_LE(tree.Count(), 80u);

        for (const core::FolderNode* node = tree.GetFirstNode(); node;
             node = core::FolderTree::GetNext(*node)) {
            EXPECT_EQ(NameProblem(node->Text()), "") << Utf8(node->Text());
            // Siblings that differ only in case would be one folder on disk.
            std::set<std::string> children;
            for (std::size_t i = 0; i < node->ChildCount(); ++i)
                EXPECT_TRUE(children.insert(Lower(node->Child(i)->Text())).second)
                    << "twice in " << Utf8(node->Text()) << ": " << Utf8(node->Child(i)->Text());
        }
    }
}

} // namespace
