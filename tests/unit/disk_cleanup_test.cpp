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
    Journal RunCache(const std::string& folder) {
        registry.values[{Hive::CurrentUser, kShellFolders, "Cache"}] = folder;
        return Run(0, 1, 0);
    }
};

TEST_F(CleanUpTest, FilesFirstThenSubfoldersDepthFirstNeverThroughLinksNorByNamesThatReadAsPaths) {
    disk.tree[u"C:\\Temp\\"] = {{u"b.txt", 0}, {u"sub", 0x10}, {u"a.txt", 0x6}, {u"link", 0x410},
                                {u"jn", 0x10 | 0x400}, {u"..\uFF3C..\uFF3Cboot.ini", 0}, {u"\uFF0E\uFF0E", 0},
                                {u"x\u2215y", 0}, {u"s:stream", 0}, {u"up\uFF3C", 0x10}, {u"zz", 0x10}};
    disk.tree[u"C:\\Temp\\sub\\"] = {{u"deeper", 0x10}, {u"c.txt", 0}};
    disk.tree[u"C:\\Temp\\sub\\deeper\\"] = {{u"d.txt", 0}};
    disk.tree[u"C:\\Temp\\zz\\"] = {{u"z.txt", 0}};
    disk.tree[u"C:\\Temp\\link\\"] = {{u"mine.doc", 0}};
    disk.tree[u"C:\\Cache\\"] = {{std::u16string(u"e.dat\0junk", 10), 0}};
    disk.locked = {u"C:\\Temp\\a.txt"};
    registry.values[{Hive::CurrentUser, kShellFolders, "Cache"}] = "C:\\Cache";  // no trailing backslash
    EXPECT_EQ(Run(1, 1, 1), (Journal{"delete C:\\Temp\\b.txt", "delete C:\\Temp\\a.txt", "delete C:\\Temp\\sub\\c.txt",
                                     "delete C:\\Temp\\sub\\deeper\\d.txt", "delete C:\\Temp\\zz\\z.txt",
                                     "delete C:\\Cache\\e.dat", "empty recycle bin", "clean-up done"}));
    EXPECT_EQ(disk.lastDeleted, 5u);  // the held file stays
    EXPECT_EQ(Run(0, 0, 1), (Journal{"empty recycle bin", "clean-up done"}));

    // Without a cache folder of its own nothing is searched: no relative path.
    disk.tree[u"Cache\\"] = {{u"boot.ini", 0}};
    for (const char* value : {"", "Cache", "\\Cache"}) EXPECT_EQ(RunCache(value).back(), "clean-up done") << value;
}

TEST_F(CleanUpTest, AFolderIsRefusedAsTheSystemResolvesItWhenItIsARootOrHoldsTheSystemsFolders) {
    for (const char16_t* folder : {u"C:\\", u"C:\\Windows\\", u"C:\\Users\\", u"C:\\Users\\me\\", u"C:\\Program Files\\",
                                   u"C:\\Program Files\\Duskwell\\", u"C:\\Jn\\", u"C:\\Users\\other\\"})
        disk.tree[folder] = {{u"f.txt", 0}};
    disk.links = {{u"C:\\Jn\\", u"C:\\Users\\me\\"}, {u"C:\\Old\\", u"C:\\Users\\"}};
    disk.full = {{u"C:\\.", u"C:\\"}, {u"C:\\Windows\\..", u"C:\\"}, {u"C:\\\\", u"C:\\"}};
    for (const char* folder : {"C:\\.", "C:\\Windows\\..", "C:\\\\", "\\\\?\\C:\\", "\\\\.\\C:\\", "\\\\server\\share",
                               "\\\\?\\UNC\\server\\share\\", "\\\\?\\GLOBALROOT\\Device\\x", "\\\\?\\C:\\Users\\..\\",
                               "C:\\Windows", "c:\\users", "C:\\Users\\me", "C:\\Program Files\\Duskwell",
                               "C:\\Program Files", "C:\\Jn", "C:\\Old", "C:\\Old\\me"}) {
        const Journal run = RunCache(folder);
        ASSERT_EQ(run.size(), 2u) << folder;  // one trace line, nothing deleted
        EXPECT_EQ(run[0].rfind("trace clean-up: the internet cache folder \"", 0), 0u) << run[0];
    }
    EXPECT_EQ(RunCache("C:\\Old\\other"), (Journal{"delete C:\\Users\\other\\f.txt", "clean-up done"}))
        << "a folder below a link is cleaned when it holds none of them";
}

TEST_F(CleanUpTest, AFolderSwappedForAJunctionAfterTheSearchIsNotFollowed) {
    disk.tree[u"C:\\Temp\\"] = {{u"a.txt", 0}, {u"sub", 0x10}};
    disk.tree[u"C:\\Temp\\sub\\"] = {{u"deeper", 0x10}, {u"c.txt", 0}};
    disk.tree[u"C:\\Temp\\sub\\deeper\\"] = {{u"d.txt", 0}};
    disk.tree[u"C:\\Windows\\"] = {{u"c.txt", 0}, {u"deeper", 0x10}};
    disk.tree[u"C:\\Windows\\deeper\\"] = {{u"d.txt", 0}};
    for (const bool xp : {false, true}) {
        disk.namesOpenFiles = !xp;
        disk.links.clear();
        disk.beforeDelete = [&] { disk.links[u"C:\\Temp\\sub\\"] = u"C:\\Windows\\"; };
        EXPECT_EQ(Run(1, 0, 0), (Journal{"delete C:\\Temp\\a.txt", "clean-up done"})) << xp;
    }
}

TEST_F(CleanUpTest, TheSearchEndsBelow256LevelsAndAFileTheSystemFailsToNameStays) {
    std::u16string folder = u"C:\\Temp\\";
    for (int level = 0; level <= 300; ++level, folder += u"d\\") disk.tree[folder] = {{u"d", 0x10}, {u"f", 0}};
    disk.unnamed = {u"C:\\Temp\\f"};
    const Journal run = Run(1, 0, 0);
    ASSERT_EQ(run.size(), 258u);  // the trace line, the files of levels 1 to 256, the end
    EXPECT_EQ(run[0], "trace clean-up: the folders more than 256 levels below \"C:\\Temp\\\" are not cleaned");
    EXPECT_EQ(run[1], "delete C:\\Temp\\d\\f");
}

}  // namespace
}  // namespace dwl
