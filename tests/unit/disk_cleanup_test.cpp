#include <gtest/gtest.h>

#include "actions/disk_cleanup.h"
#include "fakes/fake_platform.h"
#include "settings/registry_access.h"

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

    Journal Run(int t, int c, int b) {
        journal.clear();
        RunCleanUp({t != 0, c != 0, b != 0}, disk, myRegistry, &disk);
        return journal;
    }
    Journal RunCache(const std::string& folder) {
        registry.values[{Hive::CurrentUser, kShellFolders, "Cache"}] = folder;
        return Run(0, 1, 0);
    }
};

TEST_F(CleanUpTest, FilesFirstThenSubfoldersDepthFirstNeverThroughLinksNorByNamesThatReadAsPaths) {
    disk.tree[u"C:\\Temp\\"] = {{u"b.txt", 0},        {u"sub", 0x10},        {u"a.txt", 0x6},
                                {u"link", 0x410},     {u"jn", 0x10 | 0x400}, {u"..\uFF3C..\uFF3Cboot.ini", 0},
                                {u"\uFF0E\uFF0E", 0}, {u"x\u2215y", 0},      {u"s:stream", 0},
                                {u"up\uFF3C", 0x10},  {u"zz", 0x10}};
    disk.tree[u"C:\\Temp\\sub\\"] = {{u"deeper", 0x10}, {u"c.txt", 0}};
    disk.tree[u"C:\\Temp\\sub\\deeper\\"] = {{u"d.txt", 0}};
    disk.tree[u"C:\\Temp\\zz\\"] = {{u"z.txt", 0}};
    disk.tree[u"C:\\Temp\\link\\"] = {{u"mine.doc", 0}};
    disk.tree[u"C:\\Users\\me\\AppData\\Local\\Cache\\"] = {{std::u16string(u"e.dat\0junk", 10), 0}};
    disk.locked = {u"C:\\Temp\\a.txt"};
    // The cache folder without a trailing backslash.
    registry.values[{Hive::CurrentUser, kShellFolders, "Cache"}] = "C:\\Users\\me\\AppData\\Local\\Cache";
    EXPECT_EQ(Run(1, 1, 1),
              (Journal{"delete C:\\Temp\\b.txt", "delete C:\\Temp\\a.txt", "delete C:\\Temp\\sub\\c.txt",
                       "delete C:\\Temp\\sub\\deeper\\d.txt", "delete C:\\Temp\\zz\\z.txt",
                       "delete C:\\Users\\me\\AppData\\Local\\Cache\\e.dat", "empty recycle bin", "clean-up done"}));
    EXPECT_EQ(disk.lastDeleted, 5u);  // the held file stays
    EXPECT_EQ(Run(0, 0, 1), (Journal{"empty recycle bin", "clean-up done"}));

    // Without a cache folder of its own nothing is searched: no relative path.
    disk.tree[u"Cache\\"] = {{u"boot.ini", 0}};
    for (const char* value : {"", "Cache", "\\Cache"}) EXPECT_EQ(RunCache(value).back(), "clean-up done") << value;
}

// Cleaned are only places of throw-away files, judged by the full and the
// final path: temporary folders below the local application data folder (on
// XP, 'T' and 'C', below "Local Settings"), the Windows folder's Temp and
// "Temp" or "Tmp" folders elsewhere; cache folders below the local
// application data folder, which counts only inside the profile ('R' has it
// in the system folder). A root of a drive or a share, an administrative
// share, a link and a folder holding a folder of the system are refused.
TEST_F(CleanUpTest, OnlyPlacesOfThrowAwayFilesAreCleanedAsTheSystemResolvesThem) {
    disk.links = {{u"C:\\Jn\\", u"C:\\Users\\me\\"},
                  {u"C:\\Old\\", u"C:\\Users\\"},
                  {u"C:\\Users\\me\\AppData\\Local\\Low\\", u"C:\\Windows\\system32\\"}};
    const std::u16string xp = u"C:\\Documents and Settings\\me";
    // 't' or 'c': the temporary or the cache folder; the file lies in `holding` when given.
    struct Row {
        char kind;
        bool cleaned;
        std::u16string folder, holding = {};
    };
    for (const Row& row : std::initializer_list<Row>{
             {'t', true, u"C:\\Users\\me\\AppData\\Local\\Temp"},
             {'t', true, u"C:\\Old\\me\\AppData\\Local\\Temp", u"C:\\Users\\me\\AppData\\Local\\Temp"},
             {'t', true, u"C:\\WINDOWS\\Temp"},
             {'t', true, u"d:\\tmp"},
             {'t', true, u"\\\\?\\UNC\\server\\share\\Temp", u"\\\\server\\share\\Temp"},
             {'T', true, xp + u"\\Local Settings\\Temp"},
             {'C', true, xp + u"\\Local Settings\\Temporary Internet Files"},
             {'t', false, u"\\\\?\\GLOBALROOT\\Device\\Temp", u"C:"},
             {'t', false, u"\\\\?\\UNC\\server\\share\\", u"\\\\server\\share"},
             {'t', false, u"\\\\?\\C:\\Temp\\..\\Temp", u"C:\\Temp"},
             {'t', false, u"C:\\Jn", u"C:\\Users\\me"},
             {'t', false, u"C:\\windows\\system32\\drivers\\x"},
             {'t', false, u"C:\\Program Files\\Common Files\\Temp"},
             {'t', false, u"C:\\Users\\me\\Temp"},
             {'t', false, u"C:\\Old\\Temp", u"C:\\Users\\Temp"},
             {'T', false, u"\\\\localhost\\c$\\Windows\\Temp"},
             {'t', false, u"\\\\?\\UNC\\host\\ADMIN$\\Temp", u"\\\\host\\ADMIN$\\Temp"},
             {'c', false, u"C:\\Users\\me\\AppData"},
             {'c', false, u"C:\\Temp"},
             {'c', false, u"C:\\Users\\me\\AppData\\Local\\Low\\drivers", u"C:\\Windows\\system32\\drivers"},
             {'c', false, u"C:\\Users\\me\\AppData\\Local\\Programs"},
             {'C', false, xp + u"\\Local Settings"},
             {'R', false, u"C:\\Windows\\system32\\drivers"},
         }) {
        const bool onXp = row.kind == 'T' || row.kind == 'C';
        const std::u16string holding = (row.holding.empty() ? row.folder : row.holding) + u"\\";
        disk.tree[holding] = {{u"f", 0}};
        disk.namesOpenFiles = !onXp;
        disk.known[5].path = onXp ? xp : u"C:\\Users\\me";
        disk.known[6].path = disk.known[5].path + (onXp ? u"\\Local Settings\\Application Data" : u"\\AppData\\Local");
        if (row.kind == 'R') disk.known[6].path = u"C:\\Windows\\system32";
        disk.temp = row.folder;
        const Journal run = row.kind == 't' || row.kind == 'T' ? Run(1, 0, 0) : RunCache(disk.Narrow(row.folder));
        if (row.cleaned)
            EXPECT_EQ(run, (Journal{"delete " + disk.Narrow(holding) + "f", "clean-up done"}));
        else  // one trace line, nothing deleted
            EXPECT_TRUE(run.size() == 2 && run[0].rfind("trace clean-up: the ", 0) == 0) << disk.Narrow(row.folder);
    }
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
