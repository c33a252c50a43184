// Where the template commands look, and which paths the full-path expansion refuses.

#include "app/template_location.h"

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(TemplateLocation, TheSearchPathIsBesideTheExecutable) {
    EXPECT_EQ(TemplatesSearchPath(u"C:\\Tools\\Arbordir\\arbordir.exe"),
              u"C:\\Tools\\Arbordir\\\\templates");
    EXPECT_EQ(TemplatesSearchPath(u"arbordir.exe"), u"\\templates");
}

TEST(TemplateLocation, FullPathProblems) {
    EXPECT_EQ(FullPathProblem(u"C:\\Tools\\\\templates"), std::nullopt);
    EXPECT_EQ(FullPathProblem(u"relative\\path"), std::nullopt);

    const std::u16string longest(259, u'a');
    EXPECT_EQ(FullPathProblem(longest), std::nullopt);
    EXPECT_EQ(FullPathProblem(longest + u"a"), u"The specified path is too long");
    // Too long wins over anything else wrong with it.
    EXPECT_EQ(FullPathProblem(std::u16string(300, u' ')), u"The specified path is too long");

    for (std::u16string bad : {u"", u"   ", u"C:\\a|b", u"C:\\\"x\"", u"<x>", u"a\tb"})
        EXPECT_EQ(FullPathProblem(bad), u"Invalid characters in path");
}

} // namespace
} // namespace app
