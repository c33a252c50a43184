// The program carries the internal skin package as a resource, and it unpacks to the skin's
// six files.

#include "skin/data/skin_package.h"
#include "support/live_program.h"

#include <cstring>
#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(InternalSkinResource, TheProgramCarriesThePackageAndItUnpacks) {
    HMODULE program =
        LoadLibraryExW(testing_support::ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    HRSRC found = FindResourceW(program, L"INTERNAL_SKIN", MAKEINTRESOURCEW(10)); // RT_RCDATA
    ASSERT_NE(found, nullptr);
    const DWORD size = SizeofResource(program, found);
    const auto* bytes =
        static_cast<const std::uint8_t*>(LockResource(LoadResource(program, found)));
    ASSERT_GT(size, 4u);
    EXPECT_EQ(std::memcmp(bytes, "ASzf", 4), 0);

    auto reader = std::make_unique<skin::data::TacSkinConvertor>();
    reader->PackedData = std::span<const std::uint8_t>(bytes, size);
    skin::data::UnpackSkinPackage(reader);
    ASSERT_TRUE(reader);
    EXPECT_TRUE(reader->Options);
    for (const char16_t* name :
         {u"MASTER.BMP", u"EXBORDER.PNG", u"GLOWEDIT.PNG", u"GLOWH.PNG", u"GLOWWHITE.PNG"})
        EXPECT_NE(reader->FindFile(name), nullptr);
    FreeLibrary(program);
}

} // namespace
