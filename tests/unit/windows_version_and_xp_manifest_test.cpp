#include "app/windows_version.h"

#include <gtest/gtest.h>

#include <string>

#include "app/xp_manifest.h"
#include "fakes/fake_platform.h"

namespace dwl {
namespace {

// The real field is always 128 characters: text, a NUL, then whatever was left behind.
fakes::FakeOsVersion Source(uint32_t major, uint32_t minor, uint32_t platform, const std::string& csd = "",
                            const std::string& garbage = "") {
    fakes::FakeOsVersion source;
    source.record = OsVersionRecord{major, minor, 1234, platform, csd + '\0' + garbage};
    source.record->csd.resize(128, '\0');
    return source;
}

TEST(ClsOsTest, NamesTheVersionAndDecidesOnTheExtendedRead) {
    const struct {
        uint32_t major, minor, platform;
        std::string csd, garbage, name;
        bool extended, lock, xpOrDotNet;
        // clang-format off
    } cases[] = {
        {4, 0, 2, "  service pack 6  ", "", "Windows NT 4.0", true, false, false},
        {4, 0, 2, "Service Pack 5", "", "Windows NT 4.0", false, false, false},
        {4, 10, 1, " ", "a", "Windows 98 SE", false, false, false},  // the whole field counts
        {5, 2, 2, "", "", "Windows .NET", true, true, true},
        {5, 7, 2, "", "", "Unknown OS Version 5.7", true, false, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.major << "." << c.minor << " P" << c.platform << " '" << c.csd << "'");
        auto source = Source(c.major, c.minor, c.platform, c.csd, c.garbage);
        EXPECT_EQ(clsOS(source).OSName, c.name);
        const std::vector<uint32_t> basic{kVersionRecordSize}, both{kVersionRecordSize, kVersionRecordExSize};
        EXPECT_EQ(source.requested, c.extended ? both : basic);
        EXPECT_EQ(IsLockSupported(source), c.lock);
        EXPECT_EQ(IsXPOrDotNet(source), c.xpOrDotNet);
    }
}

// The restart message and the next start's run with it are left to the end-to-end tests.
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
