#include <gtest/gtest.h>

#include "app/make_xp.h"
#include "fakes/fake_platform.h"

namespace dwl {
namespace {

// The restart message and the next start's run with it are the program's and the versions' end-to-end tests.
TEST(Manifest, BindsCommonControls6AndAFailedWriteNeitherWritesOverAnUnreadableFileNorStopsStartUp) {
    fakes::Journal journal;
    fakes::FakeFileSystem files{journal};
    int inits = 0;
    auto init = [&] { ++inits; };
    const std::string path = "C:\\Apps\\Duskwell\\dwl.exe.MANIFEST";
    EXPECT_TRUE(InstallManifest(files, init));
    EXPECT_NE(files.files[path].find(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"),
              std::string::npos);
    EXPECT_EQ(inits, 0);

    files.files[path] = "someone else's";
    files.unreadable[path] = true;
    EXPECT_FALSE(InstallManifest(files, init));
    EXPECT_EQ(files.files[path], "someone else's");
    EXPECT_EQ(inits, 1);
}

}  // namespace
}  // namespace dwl
