// The clean-up on a real folder tree.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/disk_cleanup.h"
#include "platform/win32/disk_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/services_win32.h"
#include "settings/my_registry.h"
#include "ui/model/controls.h"

namespace dwl::win32 {
namespace {

// The test's folder stands in for the temporary folder; run-win-tier puts a
// link to C:\dwl-outside into it beforehand.
struct TestDisk : Win32DiskCleanUp {
    TestDisk() : Win32DiskCleanUp([] { return HWND{}; }) {}
    std::string TempFolder() override { return "C:\\dwl-cleanup\\"; }
    bool RemoveFile(const std::string& path) override {
        const bool removed = Win32DiskCleanUp::RemoveFile(path);
        if (removed) deleted.push_back(path.substr(TempFolder().size()));
        return removed;
    }
    std::vector<std::string> deleted;
};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
void Make(const std::string& path) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

TEST(CleanUp, DeletesDepthFirstKeepsHeldFilesAndFoldersAndNeverFollowsLinks) {
    const std::string root = "C:\\dwl-cleanup\\";
    ASSERT_TRUE(Exists(root + "link\\keep.txt")) << "run-win-tier prepares the link";
    for (const char* folder : {"sub", "sub\\deeper", "cwd"}) CreateDirectoryA((root + folder).c_str(), nullptr);
    for (const char* file : {"a.txt", "held.txt", "sub\\b.txt", "sub\\deeper\\c.txt", "sub\\d.txt", "cwd\\e.txt"})
        Make(root + file);
    UniqueFile held(CreateFileA((root + "held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    Win32Registry registry;
    Win32Dialogs dialogs;
    MyRegistry myRegistry(registry, dialogs, "Duskwell");
    const std::string shellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    registry.DeleteValue(Hive::CurrentUser, shellFolders, "Cache");
    CheckBox temp{"t"}, cache{"c"}, bin{"b"};
    TestDisk disk;

    // Without a "Cache" value there is no cache folder: not even the current one is searched.
    cache.SetValue(1);
    ASSERT_TRUE(SetCurrentDirectoryA((root + "cwd").c_str()));
    RunCleanUp({temp, cache, bin}, disk, myRegistry, nullptr);
    EXPECT_TRUE(disk.deleted.empty());
    SetCurrentDirectoryA("C:\\");

    temp.SetValue(1), cache.SetValue(0);
    RunCleanUp({temp, cache, bin}, disk, myRegistry, nullptr);
    std::vector<std::string> sorted = disk.deleted;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted,
              (std::vector<std::string>{"a.txt", "cwd\\e.txt", "sub\\b.txt", "sub\\d.txt", "sub\\deeper\\c.txt"}));
    // A folder's own files before those of its subfolders.
    auto at = [&](const std::string& name) { return std::find(disk.deleted.begin(), disk.deleted.end(), name); };
    EXPECT_LT(at("sub\\d.txt"), at("sub\\deeper\\c.txt"));
    EXPECT_LT(at("a.txt"), at("sub\\b.txt"));
    EXPECT_TRUE(Exists(root + "held.txt"));
    EXPECT_TRUE(Exists(root + "sub\\deeper"));
    EXPECT_TRUE(Exists("C:\\dwl-outside\\keep.txt"));
}

}  // namespace
}  // namespace dwl::win32
