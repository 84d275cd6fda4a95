// The clean-up on a real folder tree.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "actions/disk_cleanup.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/disk_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/registry_win32.h"
#include "settings/registry_access.h"

namespace dwl::win32 {
namespace {

using namespace std::string_literals;

// run-win-tier prepares C:\dwl-cleanup\Temp (the temporary folder here)
// holding a link to C:\dwl-outside, the drive Q: on C:\dwl-drive and the
// share \\localhost\dwl on C:\dwl-share.
const std::wstring kRoot = L"C:\\dwl-cleanup\\Temp\\";

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
void Make(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// Has run-win-tier swap the folder "sub" for a link once the search is done.
struct SwappingDisk : Win32DiskCleanUp {
    SwappingDisk() : Win32DiskCleanUp([] { return HWND{}; }) {}
    std::u16string TempFolder() override { return u"C:\\dwl-cleanup\\Temp\\"; }
    std::unique_ptr<IFileToDelete> OpenToDelete(const std::u16string& path) override {
        if (!swapped) Make(L"C:\\dwl-swap-now");
        for (int wait = 0; wait < 400 && !swapped; ++wait) swapped = Exists(L"C:\\dwl-swapped") || (Sleep(50), false);
        return Win32DiskCleanUp::OpenToDelete(path);
    }
    bool swapped = false;
};

// Names no open file, as XP cannot, so that the folders between decide. (Wine
// names none whose path is longer than MAX_PATH, and such a file stays.)
struct XpDisk : Win32DiskCleanUp {
    XpDisk() : Win32DiskCleanUp([] { return HWND{}; }) {}
    std::u16string TempFolder() override { return u"C:\\dwl-cleanup\\Tmp"; }
    std::optional<std::u16string> FinalPath(const std::u16string&) override { return std::nullopt; }
};

struct CleanUpWin : ::testing::Test {
    Win32Registry registry;
    Win32Dialogs dialogs;
    MyRegistry myRegistry{registry, dialogs, "Duskwell"};
    const std::string shellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    void Run(IDiskCleanUp& disk, int t, int c) { RunCleanUp({t != 0, c != 0, false}, disk, myRegistry, nullptr); }
};

TEST_F(CleanUpWin, DeletesAllButHeldFilesAndFoldersNeverWhereNamesOrLinksSwappedInLeadOutTo) {
    ASSERT_TRUE(Exists(kRoot + L"link\\keep.txt")) << "run-win-tier prepares the links";
    for (const wchar_t* folder : {L"sub", L"sub\\deeper"}) CreateDirectoryW((kRoot + folder).c_str(), nullptr);
    const std::wstring planted = kRoot + L"..\uFF3Cdwl-boot.ini";  // "..\dwl-boot.ini" in the ANSI code page
    for (const std::wstring& file : {kRoot + L"a.txt", kRoot + L"held.txt", kRoot + L"sub\\b.txt",
                                     kRoot + L"sub\\deeper\\c.txt", planted, L"C:\\dwl-cleanup\\dwl-boot.ini"s})
        Make(file);
    UniqueFile held(CreateFileW((kRoot + L"held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    SwappingDisk disk;
    Run(disk, 1, 0);
    ASSERT_TRUE(disk.swapped);
    EXPECT_FALSE(Exists(kRoot + L"a.txt"));
    // Found before the swap, the files of "sub" were by then outside.
    for (const std::wstring& kept :
         {kRoot + L"held.txt", planted, L"C:\\dwl-cleanup\\dwl-boot.ini"s, L"C:\\dwl-outside\\keep.txt"s,
          L"C:\\dwl-outside\\b.txt"s, L"C:\\dwl-outside\\deeper\\c.txt"s, L"C:\\dwl-sub-away\\deeper"s})
        EXPECT_TRUE(Exists(kept)) << kept.size();
}

TEST_F(CleanUpWin, AFolderTreeThreeHundredLevelsDeepIsSearched256LevelsDeep) {
    std::vector<std::wstring> files;  // one a level, far longer than MAX_PATH
    for (std::wstring deep = L"\\\\?\\C:\\dwl-cleanup\\Tmp"; files.size() <= 300; deep += L"\\d") {
        CreateDirectoryW(deep.c_str(), nullptr);
        Make(files.emplace_back(deep + L"\\f.txt"));
    }
    XpDisk disk;
    Run(disk, 1, 0);
    EXPECT_TRUE(!Exists(files[256]) && Exists(files[257]));
}

TEST_F(CleanUpWin, OnlyPlacesOfThrowAwayFilesNeverOneTheSystemFallsBackToOrARoot) {
    wchar_t profile[MAX_PATH] = {}, local[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, 0, profile)));
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local)));
    const std::wstring drivers = L"C:\\windows\\system32\\drivers\\x", files = L"C:\\Program Files\\Common Files\\Temp";
    const std::wstring ownCache = local + L"\\dwl-cache"s, share = L"C:\\dwl-share\\Temp\\f.txt";
    for (const std::wstring& folder : {drivers, files, ownCache}) CreateDirectoryW(folder.c_str(), nullptr);
    const std::vector<std::wstring> kept{profile + L"\\dwl-keep.txt"s, profile + L"\\AppData\\dwl-keep.txt"s,
                                         drivers + L"\\keep.txt", files + L"\\dwl-keep.txt", L"Q:\\q.txt"s};
    wchar_t tmp[MAX_PATH] = {}, temps[MAX_PATH] = {};
    GetEnvironmentVariableW(L"TMP", tmp, MAX_PATH), GetEnvironmentVariableW(L"TEMP", temps, MAX_PATH);
    ASSERT_TRUE(Exists(L"Q:\\q.txt") && Exists(share)) << "run-win-tier maps the drive and the share";
    for (const std::wstring& file : kept) Make(file);
    Win32DiskCleanUp disk([] { return HWND{}; });
    SetEnvironmentVariableW(L"TMP", nullptr);
    SetEnvironmentVariableW(L"TEMP", nullptr);
    EXPECT_EQ(disk.TempFolder(), u"");  // GetTempPath would give the profile now
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_TRUE(GetShortPathNameW(L"C:\\Program Files", shortName, MAX_PATH));
    EXPECT_EQ(disk.FullPath(std::u16string(shortName, shortName + wcslen(shortName))), u"C:\\Program Files");
    for (const std::wstring& folder : {L""s, profile + L""s, profile + L"\\.."s, profile + L"\\AppData"s, drivers,
                                       files, L"Q:\\."s, L"Q:\\\\"s, L"Q:\\x\\.."s, L"\\\\?\\Q:\\"s, L"\\\\.\\Q:\\"s}) {
        if (!folder.empty()) SetEnvironmentVariableW(L"TEMP", folder.c_str());
        registry.WriteString(Hive::CurrentUser, shellFolders, "Cache", std::string(folder.begin(), folder.end()));
        Run(disk, 1, 1);
        for (const std::wstring& file : kept) EXPECT_TRUE(Exists(file)) << folder.size() << " " << file.size();
    }
    // A cache below the local application data folder; a share as the system spells it.
    Make(ownCache + L"\\f.txt");
    registry.WriteString(Hive::CurrentUser, shellFolders, "Cache", std::string(ownCache.begin(), ownCache.end()));
    SetEnvironmentVariableW(L"TEMP", L"\\\\?\\UNC\\localhost\\dwl\\Temp");
    Run(disk, 1, 1);
    EXPECT_FALSE(Exists(ownCache + L"\\f.txt") || Exists(share));
    SetEnvironmentVariableW(L"TMP", tmp);
    SetEnvironmentVariableW(L"TEMP", temps);
    registry.DeleteValue(Hive::CurrentUser, shellFolders, "Cache");
}

}  // namespace
}  // namespace dwl::win32
