#include "core/error.h"
#include "core/template_file.h"
#include "fake_file_system.h"
#include "tree_outline.h"

#include <gtest/gtest.h>
#include <random>

namespace core {
namespace {

using testing::FakeFileSystem;
using testing::Outline;

std::string Read(FolderTree& tree, std::string_view bytes) {
    ReadTemplate(tree, bytes, Windows1252());
    return Outline(tree);
}

std::u16string LevelError(std::string_view bytes) {
    FolderTree tree;
    try {
        ReadTemplate(tree, bytes, Windows1252());
    } catch (const Error& e) {
        return e.Message();
    }
    return u"no error";
}

TEST(TemplateFile, WritesOneTabPerLevelAndCrLfAfterEveryLine) {
    FolderTree tree;
    FolderNode& a = tree.Add(nullptr, u"A");
    tree.AddChild(&a, u"B");
    tree.AddChild(&tree.AddChild(&a, u"C"), u"D");
    tree.Add(nullptr, u"E");
    const std::string bytes = WriteTemplate(tree, Windows1252());
    EXPECT_EQ(bytes, "A\r\n\tB\r\n\tC\r\n\t\tD\r\nE\r\n");
    FolderTree loaded;
    EXPECT_EQ(Read(loaded, bytes), "A,>B,>C,>>D,E");
    EXPECT_EQ(WriteTemplate(FolderTree(), Windows1252()), "");
    EXPECT_EQ(Read(loaded, ""), ""); // and the old nodes are gone
}

TEST(TemplateFile, ReadsWhatEditorsWrite) {
    FolderTree tree;
    EXPECT_EQ(Read(tree, "A\n B\n  C\n D\nE"), "A,>B,>>C,>D,E");
    EXPECT_EQ(Read(tree, "\xEF\xBB\xBF\xCE\xB1\r\n\t\xE4\xB8\xAD\r\n"), "\xCE\xB1,>\xE4\xB8\xAD");
    EXPECT_EQ(Read(tree, "Caf\xC3\xA9"), "Caf\xC3\x83\xC2\xA9"); // no mark: read as ANSI
    EXPECT_EQ(Read(tree, std::string("\xFF\xFE\xB1\x03\r\x00\n\x00\t\x00x\x00", 12)),
              "\xCE\xB1,>x");
    EXPECT_EQ(Read(tree, std::string("\xFE\xFF\x03\xB1\x00\r\x00\n\x00\t\x00x", 12)),
              "\xCE\xB1,>x");
}

TEST(TemplateFile, LevelsFollowTheTreeNotTheIndentation) {
    FolderTree tree;
    // A first line keeps no indentation; a blank line is an empty root that can have children.
    EXPECT_EQ(Read(tree, "\t\tA\nB\n\tC\n\n\tD\n"), "A,B,>C,,>D");
    EXPECT_EQ(Read(tree, "  X\n"), "X");
    EXPECT_EQ(LevelError("\t\tA\n\t\tB\n"), u"Invalid level (2) for item \"B\"");
    EXPECT_EQ(LevelError("A\n\tB\n\n\t\tC\n"), u"Invalid level (2) for item \"C\"");
    // A name that begins with a blank reads back as one level more.
    FolderTree saved;
    saved.AddChild(&saved.Add(nullptr, u"A"), u" B");
    EXPECT_EQ(LevelError(WriteTemplate(saved, Windows1252())), u"Invalid level (2) for item \"B\"");
}

TEST(TemplateFile, ALevelJumpKeepsWhatWasReadAndEndsTheBatch) {
    struct Batches : FolderTreeObserver {
        void NodeAdded(FolderNode&) override {}
        void NodeRemoving(FolderNode&) override {}
        void NodeTextChanged(FolderNode&) override {}
        void NodeExpanded(FolderNode&) override {}
        void SelectionChanged(FolderNode*) override {}
        void EditRequested(FolderNode&) override {}
        void UpdatingChanged(bool updating) override { events += updating ? '[' : ']'; }
        std::string events;
    } batches;
    FolderTree tree;
    tree.SetObserver(&batches);
    EXPECT_THROW(Read(tree, "A\n\tB\n\t\t\tC\nD\n"), Error);
    EXPECT_EQ(Outline(tree), "A,>B");
    EXPECT_EQ(batches.events, "[]");
    EXPECT_FALSE(tree.Updating());
}

TEST(TemplateFile, NamesOutsideTheCodePageAreSavedAsUtf8) {
    FolderTree tree;
    tree.AddChild(&tree.Add(nullptr, u"Caf\u00E9"), u"\u0395\u03C1\u03B3\u03B1");
    const std::string bytes = WriteTemplate(tree, Windows1252());
    EXPECT_EQ(bytes, "\xEF\xBB\xBF"
                     "Caf\xC3\xA9\r\n\t\xCE\x95\xCF\x81\xCE\xB3\xCE\xB1\r\n");
    FolderTree loaded;
    EXPECT_EQ(Read(loaded, bytes), Outline(tree));
}

// Any tree whose names have no leading blanks and no line breaks comes back as it was.
TEST(TemplateFile, RandomTreesSurviveSaveAndLoad) {
    const std::u16string alphabet = u"ab \\.\u00E9\u20AC\u0101\u4E2D";
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        FolderTree tree;
        std::vector<FolderNode*> nodes{nullptr};
        for (int i = 0, n = random() % 30; i < n; ++i) {
            std::u16string name;
            for (int k = 0, length = random() % 5; k < length; ++k)
                name += alphabet[random() % alphabet.size()];
            if (!name.empty() && name[0] == u' ')
                name[0] = u'x';
            nodes.push_back(&tree.AddChild(nodes[random() % nodes.size()], name));
        }
        FolderTree loaded;
        ASSERT_EQ(Read(loaded, WriteTemplate(tree, Windows1252())), Outline(tree));
    }
}

TEST(TemplateFile, DeepAndLongFilesLoadWithoutRecursion) {
    std::string deep, saved;
    for (int level = 0; level < 10000; ++level) {
        deep += std::string(level, ' ') + "d\n";
        saved += std::string(level, '\t') + "d\r\n";
    }
    FolderTree tree;
    ReadTemplate(tree, deep, Windows1252());
    EXPECT_EQ(tree.Count(), 10000u);
    EXPECT_EQ(WriteTemplate(tree, Windows1252()), saved);
    std::string long_file;
    for (int line = 0; line < 1000000; ++line)
        long_file += line % 2 ? "\tb\n" : "a\n";
    ReadTemplate(tree, long_file, Windows1252());
    EXPECT_EQ(tree.Count(), 1000000u);
}

constexpr std::u16string_view kExe = u"C:\\App\\arbordir.exe";

TEST(TemplateFile, SavingReplacesOnlyWhenTheNewContentIsComplete) {
    EXPECT_EQ(TemplateFilePath(kExe, u""), u"C:\\App\\templates\\.arbordir");
    const std::u16string path = TemplateFilePath(kExe, u"Projects");
    FakeFileSystem fs({u"C:", u"C:\\App", u"C:\\App\\templates"});
    FolderTree tree;
    tree.Add(nullptr, u"Old");
    SaveToFile(tree, path, fs, Windows1252());
    tree.Add(nullptr, u"New");
    SaveToFile(tree, path, fs, Windows1252()); // replaced without a question
    EXPECT_EQ(fs.File(path), "Old\r\nNew\r\n");
    EXPECT_EQ(fs.FileCount(), 1u);

    tree.Add(nullptr, u"Lost");
    fs.space_left = 5;
    EXPECT_THROW(SaveToFile(tree, path, fs, Windows1252()), Error);
    fs.space_left.reset();
    fs.rename_error = FakeFileSystem::kAccessDenied;
    EXPECT_THROW(SaveToFile(tree, path, fs, Windows1252()), Error);
    EXPECT_EQ(fs.File(path), "Old\r\nNew\r\n");
    EXPECT_EQ(fs.FileCount(), 1u); // the unfinished file is gone

    fs.rename_error = 0;
    SaveToFile(tree, TemplateFilePath(kExe, u""), fs, Windows1252());
    EXPECT_TRUE(fs.File(u"C:\\App\\templates\\.arbordir"));
}

TEST(TemplateFile, FileErrorsNameThePathAndTheTrimmedReason) {
    FakeFileSystem fs({u"C:"});
    FolderTree tree;
    tree.Add(nullptr, u"Kept");
    const std::u16string path = TemplateFilePath(kExe, u"x");
    const auto message = [&](auto action) -> std::u16string {
        try {
            action();
        } catch (const Error& e) {
            return e.Message();
        }
        return u"no error";
    };
    EXPECT_EQ(message([&] { SaveToFile(tree, path, fs); }),
              u"Cannot create file \"C:\\App\\templates\\x.arbordir\". The system cannot find "
              u"the path specified");
    EXPECT_EQ(fs.FileCount(), 0u);
    EXPECT_EQ(message([&] { LoadFromFile(tree, path, fs); }),
              u"Cannot open file \"C:\\App\\templates\\x.arbordir\". The system cannot find "
              u"the file specified");
    EXPECT_EQ(Outline(tree), "Kept");
}

} // namespace
} // namespace core
