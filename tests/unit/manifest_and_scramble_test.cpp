#include <gtest/gtest.h>

#include <limits>

#include "app/make_xp.h"
#include "fakes/fake_platform.h"
#include "model/scramble.h"

namespace dwl {
namespace {

TEST(Scramble, RoundTripsEveryByteAndRepeatsItsPadEvery256Positions) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    const std::string text = all + all + "x";
    const std::string scrambled = UnscrambleText(text, kPasswordKey);
    ASSERT_EQ(scrambled.size(), text.size());
    EXPECT_EQ(UnscrambleText(scrambled, kPasswordKey), text);
    for (size_t i = 0; i < 256; ++i) ASSERT_EQ(scrambled[i], scrambled[i + 256]) << i;
    // Key 739: digits sum to 19, the first position's pad is 20.
    EXPECT_EQ(UnscrambleText("A", 739), std::string(1, static_cast<char>(20 ^ 'A')));
    EXPECT_EQ(UnscrambleText("", kPasswordKey), "");
    // Any key: the sign is no digit; the most negative one has digits too.
    EXPECT_EQ(UnscrambleText("A", -739), UnscrambleText("A", 739));
    EXPECT_EQ(UnscrambleText("A", std::numeric_limits<int>::min()), std::string(1, static_cast<char>((1 + 47) ^ 'A')));
}

TEST(Manifest, SixteenLinesByteForByteBesideTheExecutableOfAnyName) {
    // Leading blanks and text of each line.
    const std::pair<int, const char*> lines[] = {
        {0, R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"},
        {0, R"(<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">)"},
        {0, R"(<assemblyIdentity type="win32" processorArchitecture="*" version="6.0.0.0" name="DWL"/>)"},
        {0, "<description>Manifest for Duskwell</description>"},
        {0, "<dependency>"},
        {3, "<dependentAssembly>"},
        {6, "<assemblyIdentity"},
        {11, R"(type="win32")"},
        {11, R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"},
        {11, R"(language="*")"},
        {11, R"(processorArchitecture="*")"},
        {9, R"(publicKeyToken="6595b64144ccf1df")"},
        {6, "/>"},
        {3, "</dependentAssembly>"},
        {0, "</dependency>"},
        {0, "</assembly>"},
    };
    std::string expected;
    for (const auto& [blanks, text] : lines) expected += std::string(static_cast<size_t>(blanks), ' ') + text + "\r\n";
    EXPECT_EQ(ManifestText(), expected);

    EXPECT_EQ(ManifestPath("D:\\Tools\\other.exe"), "D:\\Tools\\other.exe.MANIFEST");
    EXPECT_EQ(AddBackslash("C:\\"), "C:\\");
}

TEST(Manifest, WrittenOnceReadOnlyHiddenAndAFailedWriteLetsStartUpGoOn) {
    fakes::Journal journal;
    fakes::FakeFileSystem files{journal};
    int inits = 0;
    auto init = [&] { ++inits; };
    const std::string path = "C:\\Apps\\Duskwell\\dwl.exe.MANIFEST";

    EXPECT_TRUE(InstallManifest(files, init));
    EXPECT_EQ(files.files[path], ManifestText());
    EXPECT_EQ(inits, 0);

    EXPECT_FALSE(InstallManifest(files, init));  // the next start finds it
    EXPECT_EQ(inits, 1);
    EXPECT_EQ(journal.size(), 1u);

    files.files[path] = "someone else's";  // unreadable: not written over either
    files.unreadable[path] = true;
    EXPECT_FALSE(InstallManifest(files, init));
    EXPECT_EQ(files.files[path], "someone else's");
    EXPECT_EQ(inits, 2);
}

}  // namespace
}  // namespace dwl
