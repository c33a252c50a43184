// The program's texts about names Windows changes or refuses: tips, the question before
// creation and the result box after it.

#include "app/name_messages.h"
#include "core/text.h"

#include <gtest/gtest.h>

namespace app {
namespace {

std::string Utf8(const std::u16string& text) {
    return core::ToUtf8(text);
}

std::string Reason(const core::FolderTree& tree, const core::FolderNode& node) {
    const core::NameCheck check(tree, u"X:\\Out");
    return Utf8(NameReason(node, check.Of(node)));
}

std::u16string ErrorText(std::uint32_t code) {
    return code == 5 ? u"Access is denied" : core::Ascii("Error " + std::to_string(code));
}

TEST(NameMessages, EveryProblemHasItsReason) {
    core::FolderTree tree;
    core::FolderNode& first = tree.Add(nullptr, u"apache.");
    core::FolderNode& second = tree.Add(nullptr, u"apache");
    core::FolderNode& upper = tree.Add(nullptr, u"Pod");
    core::FolderNode& lower = tree.Add(nullptr, u"pod");
    core::FolderNode& alone = tree.Add(nullptr, u"notes. ");
    core::FolderNode& device = tree.Add(nullptr, u"aux.txt");
    core::FolderNode& inside = tree.AddChild(&device, u"x");
    core::FolderNode& question = tree.Add(nullptr, u"Why?");
    core::FolderNode& tab = tree.Add(nullptr, u"a\tb");
    core::FolderNode& dots = tree.Add(nullptr, u"..");
    core::FolderNode& long_name = tree.Add(nullptr, std::u16string(241, u'n'));

    EXPECT_EQ(Reason(tree, first),
              "\"apache.\" becomes \"apache\", which is also a folder beside it");
    EXPECT_EQ(Reason(tree, second), "");
    EXPECT_EQ(Reason(tree, upper), "");
    EXPECT_EQ(Reason(tree, lower),
              "\"pod\" is the same folder as \"Pod\" beside it: Windows names ignore case");
    EXPECT_EQ(Reason(tree, alone),
              "\"notes. \" becomes \"notes\": Windows removes dots and blanks at the end of names");
    EXPECT_EQ(Reason(tree, device),
              "\"aux.txt\" is refused: Windows keeps the name AUX for a device");
    EXPECT_EQ(Reason(tree, inside), "\"x\" is inside a refused folder");
    EXPECT_EQ(Reason(tree, question), "\"Why?\" is refused: Windows allows no ? in names");
    EXPECT_EQ(Reason(tree, tab), "\"a\xEF\xBF\xBD"
                                 "b\" is refused: Windows allows no control characters in names");
    EXPECT_EQ(Reason(tree, dots),
              "\"..\" is refused: dots and blanks alone name no folder on Windows");
    EXPECT_EQ(Reason(tree, long_name), "\"" + std::string(241, 'n') +
                                           "\" is refused: its path would be 248 characters long, "
                                           "and Windows creates folders up to 247");
}

TEST(NameMessages, TheQuestionCountsEveryFolderAndListsTheFirstFewNames) {
    core::FolderTree tree;
    tree.Add(nullptr, u"apache.");
    tree.Add(nullptr, u"apache");
    core::FolderNode& device = tree.Add(nullptr, u"CON");
    tree.AddChild(&device, u"inside"); // counted, not listed: its name is fine
    const core::NameCheck check(tree, u"X:\\Out");
    EXPECT_EQ(Utf8(NamesQuestion(check)),
              "3 of 4 folders would not be created as shown:\r\n"
              "\"apache.\" becomes \"apache\", which is also a folder beside it.\r\n"
              "\"CON\" is refused: Windows keeps the name CON for a device.\r\n"
              "\r\n"
              "Create the folders anyway? Refused names are left out, with the folders inside "
              "them.");

    core::FolderTree many;
    for (const char16_t* name : {u"a.", u"b.", u"c.", u"d.", u"e.", u"f.", u"g."})
        many.Add(nullptr, name);
    const std::string text = Utf8(NamesQuestion(core::NameCheck(many, u"X:\\Out")));
    EXPECT_EQ(text.rfind("7 of 7 folders", 0), 0u);
    EXPECT_NE(text.find("\"e.\" becomes"), std::string::npos);
    EXPECT_EQ(text.find("\"f.\""), std::string::npos);
    EXPECT_NE(text.find("\r\n...\r\n\r\nCreate the folders anyway?"), std::string::npos);
    EXPECT_EQ(text.find("Refused"), std::string::npos) << "nothing is refused";
}

TEST(NameMessages, TheResultListsChangesLeftOutFoldersAndFailuresInTreeOrder) {
    core::FolderTree tree;
    core::FolderNode& web = tree.Add(nullptr, u"Web.");
    core::FolderNode& device = tree.Add(nullptr, u"nul");
    tree.AddChild(&device, u"x");
    core::FolderNode& locked = tree.Add(nullptr, u"Locked");
    tree.Add(nullptr, u"Fine");
    const core::NameCheck check(tree, u"X:\\Out");
    core::CreationReport report;
    report.nodes = 5;
    report.left_out = 2;
    report.failures.push_back({&web, u"X:\\Out\\Web\\", 5});
    report.failures.push_back({&locked, u"X:\\Out\\Locked\\", 5});
    EXPECT_EQ(Utf8(CreationResult(tree, u"X:\\Out", check, report, ErrorText)),
              "4 of 5 folders were not created as shown:\r\n"
              "X:\\Out\\Web\\ (Access is denied)\r\n"
              "X:\\Out\\nul\\ (\"nul\" is refused: Windows keeps the name NUL for a device)\r\n"
              "X:\\Out\\nul\\x\\ (\"x\" is inside a refused folder)\r\n"
              "X:\\Out\\Locked\\ (Access is denied)");
}

TEST(NameMessages, WithoutNameProblemsFailuresReadAsBeforeAndSuccessIsSilent) {
    core::FolderTree tree;
    std::vector<core::FolderNode*> nodes;
    for (char16_t digit = u'0'; digit < u'7'; ++digit)
        nodes.push_back(&tree.Add(nullptr, std::u16string{u'F', digit}));
    const core::NameCheck check(tree, u"X:\\Out");
    core::CreationReport report;
    report.nodes = 7;
    EXPECT_EQ(CreationResult(tree, u"X:\\Out", check, report, ErrorText), u"");
    for (core::FolderNode* node : nodes)
        report.failures.push_back({node, core::Format(u"X:\\Out\\%s\\", {node->Text()}), 3});
    EXPECT_EQ(Utf8(CreationResult(tree, u"X:\\Out", check, report, ErrorText)),
              "7 of 7 folders could not be created:\r\n"
              "X:\\Out\\F0\\ (Error 3)\r\nX:\\Out\\F1\\ (Error 3)\r\nX:\\Out\\F2\\ (Error 3)\r\n"
              "X:\\Out\\F3\\ (Error 3)\r\nX:\\Out\\F4\\ (Error 3)\r\n...");
}

} // namespace
} // namespace app
