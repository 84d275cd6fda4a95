#include <gtest/gtest.h>

#include "app/make_xp.h"
#include "fakes/fake_platform.h"

namespace dwl {
namespace {

TEST(Manifest, BesideTheExecutableOfAnyNameWrittenOnceAndAFailedWriteLetsStartUpGoOn) {
    EXPECT_EQ(ManifestPath("D:\\Tools\\other.exe"), "D:\\Tools\\other.exe.MANIFEST");
    fakes::Journal journal;
    fakes::FakeFileSystem files{journal};
    int inits = 0;
    auto init = [&] { ++inits; };
    const std::string path = "C:\\Apps\\Duskwell\\dwl.exe.MANIFEST";

    EXPECT_TRUE(InstallManifest(files, init));
    EXPECT_EQ(files.files[path], ManifestText());
    EXPECT_NE(ManifestText().find(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"), std::string::npos);
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
