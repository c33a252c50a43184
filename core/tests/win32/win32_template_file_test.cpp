#include "../tree_outline.h"
#include "core/error.h"
#include "core/template_file.h"
#include "temp_directory.h"

#include <gtest/gtest.h>

namespace core {
namespace {

using testing::Outline;
using testing::TempDirectory;

std::string Bytes(const std::u16string& path) {
    std::string bytes;
    EXPECT_EQ(SystemFileSystem().ReadWholeFile(path, bytes), 0u);
    return bytes;
}

std::u16string Message(auto action) {
    try {
        action();
    } catch (const Error& e) {
        return e.Message();
    }
    return u"no error";
}

TEST(Win32AnsiCodePage, IsTheProcesssCodePage) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        all += static_cast<char>(byte);
    wchar_t wide[256] = {};
    MultiByteToWideChar(CP_ACP, 0, all.data(), 255, wide, 255);
    EXPECT_EQ(SystemAnsiCodePage().Decode(all), reinterpret_cast<const char16_t*>(wide));
    if (GetACP() != 1252)
        GTEST_SKIP() << "the checks below are for code page 1252, not " << GetACP();
    EXPECT_EQ(SystemAnsiCodePage().Encode(u"Caf\u00E9 \u20AC"), "Caf\xE9 \x80");
    for (std::u16string_view foreign : {u"\u0101", u"\u03A9", u"\u4E2D"})
        EXPECT_EQ(SystemAnsiCodePage().Encode(foreign), std::nullopt);
}

TEST(Win32TemplateFile, SavesReplacesAndLoadsOnDisk) {
    TempDirectory dir;
    const std::u16string path = dir / u"Projects.arbordir";
    FolderTree tree;
    tree.AddChild(&tree.Add(nullptr, u"A"), u"\u0395\u03C1\u03B3\u03B1");
    SaveToFile(tree, path, SystemFileSystem());
    const std::string greek = Bytes(path);
    EXPECT_EQ(greek.substr(0, 3), "\xEF\xBB\xBF");
    tree.Add(nullptr, u"B");
    SaveToFile(tree, path, SystemFileSystem());
    FolderTree loaded;
    LoadFromFile(loaded, path, SystemFileSystem());
    EXPECT_EQ(Outline(loaded), Outline(tree));
    EXPECT_EQ(GetFileAttributesW(TempDirectory::Wide(path + u".saving")), INVALID_FILE_ATTRIBUTES);

    // A read-only template cannot be replaced; it stays as it was.
    SetFileAttributesW(TempDirectory::Wide(path), FILE_ATTRIBUTE_READONLY);
    const std::string before = Bytes(path);
    EXPECT_NE(Message([&] { SaveToFile(FolderTree(), path, SystemFileSystem()); }), u"no error");
    EXPECT_EQ(Bytes(path), before);
    EXPECT_EQ(GetFileAttributesW(TempDirectory::Wide(path + u".saving")), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32TemplateFile, ErrorsCarryThePathAndTheSystemsTrimmedText) {
    TempDirectory dir;
    const std::u16string path = dir / u"missing\\x.arbordir";
    FolderTree tree;
    tree.Add(nullptr, u"Kept");
    const std::u16string saving = Message([&] { SaveToFile(tree, path, SystemFileSystem()); });
    const std::u16string loading = Message([&] { LoadFromFile(tree, path, SystemFileSystem()); });
    for (auto [message, verb] : {std::pair{saving, u"create"}, std::pair{loading, u"open"}}) {
        const std::u16string prefix =
            u"Cannot " + std::u16string(verb) + u" file \"" + path + u"\". ";
        EXPECT_TRUE(message.starts_with(prefix) && message.size() > prefix.size())
            << ToUtf8(message);
        EXPECT_EQ(std::u16string_view(u". \r\n").find(message.back()), std::u16string::npos)
            << ToUtf8(message);
    }
    EXPECT_EQ(Outline(tree), "Kept");
}

} // namespace
} // namespace core
