// The diagnostic trace: lines as tests count them, and nothing written while it is off.

#include "ui/trace.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace ui {
namespace {

std::string Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(Trace, WritesOneTabSeparatedLinePerEventAndNothingWhenOff) {
    const std::string path = testing::TempDir() + "arbordir-trace-test.txt";
    std::remove(path.c_str());
    RedirectTrace(path);
    ASSERT_TRUE(TraceOn());
    TraceLine(u"CreateFolders", "fade", 3, 170);
    // Names carry no field or line separators; text beyond ASCII arrives as UTF-8.
    TraceLine(u"Tree\tView\r\n", "scroll repeat", 0, -1);
    TraceLine(u"Ordner \u00e4", "hide", 8, 0);
    RedirectTrace("");
    EXPECT_FALSE(TraceOn());
    TraceLine(u"CreateFolders", "fade", 4, 255);
    EXPECT_EQ(Read(path), "CreateFolders\tfade\t3\t170\n"
                          "Tree View  \tscroll repeat\t0\t-1\n"
                          "Ordner \xc3\xa4\thide\t8\t0\n");

    // A second run appends: a program started twice by one test keeps both runs' lines.
    RedirectTrace(path);
    TraceLine(u"LoadTpl", "fade", 1, 85);
    RedirectTrace("");
    EXPECT_EQ(Read(path).substr(Read(path).rfind("LoadTpl")), "LoadTpl\tfade\t1\t85\n");
    std::remove(path.c_str());
}

TEST(Trace, AFileThatCannotBeOpenedLeavesTheTraceOff) {
    RedirectTrace(testing::TempDir() + "no-such-directory/trace.txt");
    EXPECT_FALSE(TraceOn());
    TraceLine(u"x", "y", 0, 0);
    RedirectTrace("");
}

} // namespace
} // namespace ui
