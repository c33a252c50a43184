// The name check against tables of names: what Windows creates as typed, changes or refuses.

#include "core/name_check.h"
#include "core/text.h"
#include "core/upper_case.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace core {
namespace {

using Lines = std::vector<std::string>;

std::string Describe(const NameVerdict& verdict) {
    const std::string detail = ToUtf8(verdict.detail);
    switch (verdict.problem) {
    case NameProblem::npNone:
        return "as typed";
    case NameProblem::npTrailingDotsOrBlanks:
        return "becomes " + detail;
    case NameProblem::npSameFolder:
        return (verdict.trimmed ? "becomes " : "same as ") + detail + " beside it";
    case NameProblem::npControlCharacter:
        return "control character";
    case NameProblem::npForbiddenCharacter:
        return "forbidden " + detail;
    case NameProblem::npDotsAndBlanksOnly:
        return "dots and blanks only";
    case NameProblem::npReservedName:
        return "device " + detail;
    case NameProblem::npPathTooLong:
        return "too long: " + std::to_string(verdict.path_length);
    case NameProblem::npInsideRefused:
        return "inside a refused one";
    }
    return "?";
}

// Every node as "name: verdict", in tree order, children indented.
Lines Verdicts(const FolderTree& tree, std::u16string_view destination = u"X:\\Out") {
    const NameCheck check(tree, destination);
    Lines lines;
    for (const FolderNode* n = tree.GetFirstNode(); n; n = FolderTree::GetNext(*n))
        lines.push_back(std::string(static_cast<std::size_t>(n->Level()) * 2, ' ') +
                        ToUtf8(n->Text()) + ": " + Describe(check.Of(*n)));
    return lines;
}

std::string Refusal(std::u16string_view part) {
    NameVerdict verdict;
    verdict.problem = RefusalOf(part, &verdict.detail);
    return Describe(verdict);
}

TEST(NameRules, EveryDeviceNameIsRefusedWithOrWithoutAnExtensionInAnyCase) {
    std::vector<std::u16string> devices{u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"};
    for (char16_t digit : std::u16string(u"123456789\u00B9\u00B2\u00B3")) {
        devices.push_back(std::u16string(u"COM") + digit);
        devices.push_back(std::u16string(u"LPT") + digit);
    }
    for (const std::u16string& device : devices) {
        std::u16string mixed = device;
        mixed[1] = static_cast<char16_t>(mixed[1] + 32); // cOn, lPt1
        for (const std::u16string& name :
             {device, mixed, device + u".txt", mixed + u".tar.gz", device + u" .txt",
              device + u"  ", device + u"..", device + u".", device + u". ."}) {
            EXPECT_EQ(Refusal(name), "device " + ToUtf8(device)) << ToUtf8(name);
        }
    }
}

TEST(NameRules, NamesThatOnlyLookLikeDevicesAreFine) {
    for (const char16_t* name :
         {u"COM0", u"LPT0", u"COM10", u"LPT", u"COM", u"CONSOLE", u"NULL", u"AUXILIARY", u"xCON",
          u" CON", u"CON_", u"Con-tent", u".con", u"PRN2", u"COM\u00B4", u"CONIN"}) {
        EXPECT_EQ(Refusal(name), "as typed") << ToUtf8(name);
        EXPECT_EQ(DeviceNameOf(name), u"") << ToUtf8(name);
    }
}

TEST(NameRules, ForbiddenAndControlCharactersAnywhereInTheName) {
    // The character alone, first, last and in the middle of a name.
    const auto placings = [](char16_t c) {
        std::u16string alone(1, c), last(u"a"), first(1, c), middle(u"a");
        last += c;
        first += u"b";
        middle += c;
        middle += u"b.";
        return std::vector<std::u16string>{alone, last, first, middle};
    };
    for (char16_t c : std::u16string(u"<>:\"/|?*")) {
        for (const std::u16string& name : placings(c))
            EXPECT_EQ(Refusal(name), "forbidden " + ToUtf8(std::u16string(1, c))) << ToUtf8(name);
    }
    for (char16_t c = 0; c < 0x20; ++c) {
        for (const std::u16string& name : placings(c))
            EXPECT_EQ(Refusal(name), "control character") << int(c);
    }
    // A control character with a forbidden one: the control character is named first.
    EXPECT_EQ(Refusal(u"?\t"), "control character");
    EXPECT_EQ(Refusal(u"a\u007Fb"), "as typed"); // DEL is no control character to Windows
}

TEST(NameRules, DotsAndBlanksAtTheEndGoAndNamesOfThemAloneAreRefused) {
    EXPECT_EQ(TrimmedName(u"apache."), u"apache");
    EXPECT_EQ(TrimmedName(u"apache . . "), u"apache");
    EXPECT_EQ(TrimmedName(u" lead"), u" lead");
    EXPECT_EQ(TrimmedName(u"a.b"), u"a.b");
    EXPECT_EQ(TrimmedName(u"\u00A0"), u"\u00A0"); // only the plain blank goes
    for (const char16_t* name : {u".", u"..", u"...", u" ", u"   ", u". .", u" ."})
        EXPECT_EQ(Refusal(name), "dots and blanks only") << ToUtf8(name);
    for (const char16_t* name : {u".hidden", u"..x", u"x..y", u" lead", u"a b"})
        EXPECT_EQ(Refusal(name), "as typed") << ToUtf8(name);
}

TEST(NameRules, OrdinaryNamesInAnyScriptAreFine) {
    for (const char16_t* name :
         {u"Projects", u"Client A", u"2024-01 Invoices", u"naïve café", u"Über", u"Дом",
          u"日本語のフォルダ", u"Σχέδια", u"emoji \U0001F600", u"a.b.c", u"[draft] (v2) {x} #1 ~$",
          u"COM0.txt", u"\u00A0"}) {
        EXPECT_EQ(Refusal(name), "as typed") << ToUtf8(name);
    }
}

TEST(NameRules, UpperCaseFoldsLettersUnitByUnitAsWindowsCompares) {
    EXPECT_EQ(UpperCase(u"pod"), u"POD");
    EXPECT_EQ(UpperCase(u"über ÿ æ"), u"ÜBER Ÿ Æ");
    EXPECT_EQ(UpperCase(u"ā ł ž ǆ"), u"Ā Ł Ž Ǆ"); // Latin Extended, every other unit
    EXPECT_EQ(UpperCase(u"σας ά"), u"ΣΑΣ Ά");     // final sigma too
    EXPECT_EQ(UpperCase(u"дом ёж ґ"), u"ДОМ ЁЖ Ґ");
    EXPECT_EQ(UpperCase(u"ａｂｃ"), u"ＡＢＣ");   // full-width
    EXPECT_EQ(UpperCase(u"ǅ ı ſ ß"), u"ǅ ı ſ ß"); // no single capital Windows folds to
    EXPECT_EQ(UpperCase(u"ა"), u"ა");             // Georgian stays
    EXPECT_EQ(UpperCase(u"\U0001F600x"), u"\U0001F600X");
    EXPECT_EQ(UpperCase(u"POD 123 _-"), u"POD 123 _-");
}

TEST(NameCheck, SiblingsEqualWithoutCaseOrAfterTheChangeAreOneFolder) {
    FolderTree tree;
    tree.Add(nullptr, u"apache.");
    tree.Add(nullptr, u"apache");
    tree.Add(nullptr, u"Pod");
    tree.Add(nullptr, u"pod");
    tree.Add(nullptr, u"POD ");
    tree.Add(nullptr, u"Über");
    tree.Add(nullptr, u"über");
    tree.Add(nullptr, u"same");
    tree.Add(nullptr, u"same"); // the rule creation has always had: one folder, as typed
    tree.Add(nullptr, u"web");
    tree.Add(nullptr, u"Web.");
    tree.Add(nullptr, u"alone. ");
    EXPECT_EQ(Verdicts(tree), (Lines{
                                  "apache.: becomes apache beside it",
                                  "apache: as typed",
                                  "Pod: as typed",
                                  "pod: same as Pod beside it",
                                  "POD : becomes Pod beside it",
                                  "Über: as typed",
                                  "über: same as Über beside it",
                                  "same: as typed",
                                  "same: as typed",
                                  "web: as typed",
                                  "Web.: becomes web beside it",
                                  "alone. : becomes alone",
                              }));
}

TEST(NameCheck, FoldersMeetWhereverTheirPathsMeet) {
    // Backslashes nest and empty names add nothing, so folders from different branches of the
    // tree can be the same folder; folders of the same name in different places are not.
    FolderTree tree;
    tree.Add(nullptr, u"A\\Docs");
    FolderNode& a = tree.Add(nullptr, u"a");
    tree.AddChild(&a, u"docs");
    FolderNode& empty = tree.Add(nullptr, u"");
    tree.AddChild(&empty, u"A");
    FolderNode& other = tree.Add(nullptr, u"Other");
    tree.AddChild(&other, u"docs");
    tree.Add(nullptr, u"x.\\y");
    tree.Add(nullptr, u"X\\Y");
    EXPECT_EQ(Verdicts(tree), (Lines{
                                  "A\\Docs: as typed",
                                  "a: same as A beside it",
                                  "  docs: same as Docs beside it",
                                  ": as typed",
                                  "  A: as typed",
                                  "Other: as typed",
                                  "  docs: as typed",
                                  "x.\\y: becomes x\\y beside it", // "X\\Y" comes to it later
                                  "X\\Y: same as x\\y beside it",
                              }));
}

TEST(NameCheck, ARefusedNameTakesItsSubtreeAlongAndLeavesNoFolderBehind) {
    FolderTree tree;
    FolderNode& device = tree.Add(nullptr, u"Src\\con.txt");
    FolderNode& inside = tree.AddChild(&device, u"lib");
    tree.AddChild(&inside, u"deeper.");
    tree.Add(nullptr, u"src"); // "Src" never exists: "src" is created as typed
    FolderNode& question = tree.Add(nullptr, u"Why?");
    tree.AddChild(&question, u"con");
    const NameCheck check(tree, u"X:\\Out");
    EXPECT_EQ(Verdicts(tree), (Lines{
                                  "Src\\con.txt: device CON",
                                  "  lib: inside a refused one",
                                  "    deeper.: inside a refused one",
                                  "src: as typed",
                                  "Why?: forbidden ?",
                                  "  con: inside a refused one",
                              }));
    EXPECT_EQ(check.Marked(), (std::vector<const FolderNode*>{&device, &question}));
    EXPECT_EQ(check.NotAsTyped(), 5u);
    EXPECT_EQ(check.Nodes(), 6u);
    EXPECT_TRUE(check.AnyRefused());
}

TEST(NameCheck, PathLengthsAtAndPastTheLimit) {
    // "X:\Out" is 6 characters; a name of 240 makes a path of 247, the longest allowed.
    const std::u16string fits(240, u'f');
    FolderTree tree;
    tree.Add(nullptr, fits);
    tree.Add(nullptr, fits + u"g");
    tree.Add(nullptr, fits + u". . "); // the trimmed name is what counts
    FolderNode& parent = tree.Add(nullptr, std::u16string(237, u'p'));
    FolderNode& too_long = tree.AddChild(&parent, u"abc");
    tree.AddChild(&too_long, u"x");
    tree.AddChild(&parent, u"ab");
    tree.Add(nullptr, std::u16string(230, u'n') + u"\\" + std::u16string(20, u'n'));
    EXPECT_EQ(Verdicts(tree),
              (Lines{
                  std::string(240, 'f') + ": as typed",
                  std::string(240, 'f') + "g: too long: 248",
                  std::string(240, 'f') + ". . : becomes " + std::string(240, 'f') + " beside it",
                  std::string(237, 'p') + ": as typed",
                  "  abc: too long: 248",
                  "    x: inside a refused one",
                  "  ab: as typed",
                  std::string(230, 'n') + "\\" + std::string(20, 'n') + ": too long: 258",
              }));
    // A trailing backslash or a drive root counts as it would be written: "X:\" and a name.
    EXPECT_EQ(Verdicts(tree, u"X:\\Out\\\\")[1], std::string(240, 'f') + "g: too long: 248");
    FolderTree root;
    root.Add(nullptr, std::u16string(244, u'r'));
    root.Add(nullptr, std::u16string(245, u'r') + u"s");
    EXPECT_EQ(Verdicts(root, u"X:\\"), (Lines{std::string(244, 'r') + ": as typed",
                                              std::string(245, 'r') + "s: too long: 249"}));
    // Without a destination, lengths are not known and not checked.
    EXPECT_EQ(Verdicts(tree, u"")[1], std::string(240, 'f') + "g: as typed");
}

TEST(NameCheck, ATreeWithoutProblemsIsAllAsTyped) {
    FolderTree tree;
    FolderNode& root = tree.Add(nullptr, u"Client A");
    tree.AddChild(&root, u"Design");
    tree.AddChild(&root, u"Désign 2");
    tree.AddChild(&root, u"");
    tree.AddChild(&root, u"a\\\\b");
    const NameCheck check(tree, u"X:\\Out");
    EXPECT_TRUE(check.AllAsTyped());
    EXPECT_FALSE(check.AnyRefused());
    EXPECT_TRUE(check.Marked().empty());
    EXPECT_EQ(check.Nodes(), 5u);
    EXPECT_TRUE(NameCheck(FolderTree(), u"X:\\Out").AllAsTyped());
}

TEST(PathAsCreated, EveryPartLosesItsDotsAndBlanksAndTheRestStaysAsPathFromRootHasIt) {
    FolderTree tree;
    FolderNode& a = tree.Add(nullptr, u"Web. ");
    FolderNode& b = tree.AddChild(&a, u"x..\\\\y ");
    FolderNode& c = tree.AddChild(&b, u"");
    FolderNode& d = tree.AddChild(&c, u"fine");
    EXPECT_EQ(PathAsCreated(a), u"Web\\");
    EXPECT_EQ(PathAsCreated(d), u"Web\\x\\\\y\\\\fine\\");
    EXPECT_EQ(PathFromRoot(d), u"Web. \\x..\\\\y \\\\fine\\");
}

} // namespace
} // namespace core
