#include <gtest/gtest.h>

#include "actions/disk_cleanup.h"
#include "fakes/fake_platform.h"
#include "settings/my_registry.h"

namespace dwl {
namespace {

using namespace fakes;
constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct CleanUpTest : ::testing::Test {
    Journal journal;
    FakeDisk disk{journal};
    FakeRegistry registry;
    FakeDialogs dialogs{journal};
    MyRegistry myRegistry{registry, dialogs, "Duskwell"};
    CheckBox temp{"chkCleanTemp"}, cache{"chkCleanNetCashe"}, bin{"chkCleanRecycleBin"};

    Journal Run(int t, int c, int b) {
        temp.SetValue(t), cache.SetValue(c), bin.SetValue(b);
        journal.clear();
        RunCleanUp({temp, cache, bin}, disk, myRegistry, &disk);
        return journal;
    }
};

TEST_F(CleanUpTest, FilesFirstThenSubfoldersDepthFirstNeverThroughLinks) {
    disk.tree["C:\\Temp\\"] = {{"b.txt", 0}, {"sub", 0x10}, {"a.txt", 0x6}, {"link", 0x410}, {"jn", 0x10 | 0x400}};
    disk.tree["C:\\Temp\\sub\\"] = {{"deeper", 0x10}, {"c.txt", 0}};
    disk.tree["C:\\Temp\\sub\\deeper\\"] = {{"d.txt", 0}};
    disk.tree["C:\\Temp\\link\\"] = {{"mine.doc", 0}};
    disk.tree["C:\\Cache\\"] = {{std::string("e.dat\0junk", 10), 0}};
    disk.locked = {"C:\\Temp\\a.txt"};
    registry.values[{Hive::CurrentUser, kShellFolders, "Cache"}] = "C:\\Cache";  // no trailing backslash
    EXPECT_EQ(Run(1, 1, 1), (Journal{"delete C:\\Temp\\b.txt", "delete C:\\Temp\\a.txt", "delete C:\\Temp\\sub\\c.txt",
                                     "delete C:\\Temp\\sub\\deeper\\d.txt", "delete C:\\Cache\\e.dat",
                                     "empty recycle bin", "clean-up done"}));
    EXPECT_EQ(disk.lastDeleted, 4u);  // the held file stays
    EXPECT_EQ(Run(0, 0, 1), (Journal{"empty recycle bin", "clean-up done"}));

    // Without a cache folder of its own nothing is searched: no root, no relative path.
    disk.tree["\\"] = disk.tree["C:\\"] = disk.tree["Cache\\"] = {{"boot.ini", 0}};
    for (const char* value : {"", "C:\\", "C:", "Cache", "\\"}) {
        SCOPED_TRACE(value);
        registry.values[{Hive::CurrentUser, kShellFolders, "Cache"}] = value;
        EXPECT_EQ(Run(0, 1, 0), Journal{"clean-up done"});
    }
}

}  // namespace
}  // namespace dwl
