// The Win32 implementations against the system's real files, libraries and
// named objects.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/win32/ansi_text.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/system_library.h"

namespace dwl::win32 {
namespace {

TEST(Win32InstanceGuard, ARefusedStartDoesNotHoldTheGuardForTheNextOne) {
    auto first = std::make_unique<Win32InstanceGuard>();
    ASSERT_TRUE(first->Acquire());
    Win32InstanceGuard refused;
    EXPECT_FALSE(refused.Acquire());
    first.reset();
    EXPECT_TRUE(Win32InstanceGuard().Acquire());
}

TEST(Win32FileSystem, AtomicWriteReplacesAndRenameNeverReplaces) {
    const std::string folder = "C:\\dwl-files", path = folder + "\\dwl.scn";  // in the win tier's new prefix
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    Win32FileSystem files;
    EXPECT_EQ(files.ReadFile(path).status, ReadStatus::Missing);
    ASSERT_TRUE(files.WriteFileAtomic(path, std::string(100000, 'x')));
    const std::string damaged("damaged\r\n\xe9\0tail", 15);
    ASSERT_TRUE(files.WriteFileAtomic(path, damaged));
    EXPECT_EQ(files.ReadFile(path).bytes, damaged);
    EXPECT_FALSE(files.Exists(path + ".new"));  // no temporary file is left
    EXPECT_FALSE(files.WriteFileAtomic(folder + "\\missing-dir\\dwl.scn", "x"));

    // A rename never replaces a file.
    ASSERT_TRUE(files.WriteFileAtomic(path + ".bad", "older"));
    EXPECT_FALSE(files.Rename(path, path + ".bad"));
    EXPECT_EQ(files.ReadFile(path + ".bad").bytes, "older");
    DeleteFileA((path + ".bad").c_str());
    EXPECT_TRUE(files.Rename(path, path + ".bad"));
    EXPECT_FALSE(files.Exists(path));
    EXPECT_EQ(files.ReadFile(path + ".bad").bytes, damaged);

    // Names reach the system whole: a look-alike is never narrowed into a separator.
    EXPECT_EQ(ExactAnsi(L"a\uFF3Cb"), std::nullopt);
}

TEST(SystemLibrary, TheSystemFolderCopyIsLoadedNotTheOneBesideTheProgram) {
    // The build puts a powrprof.dll of its own beside this test program; the
    // win tier lets Wine load such a file in place of its own.
    const std::string planted = Win32FileSystem().ExeFolder() + "\\powrprof.dll";
    ASSERT_NE(GetFileAttributesA(planted.c_str()), INVALID_FILE_ATTRIBUTES);
    HMODULE module = LoadSystemLibrary("powrprof.dll");
    ASSERT_TRUE(module);
    char loaded[MAX_PATH] = {};
    GetModuleFileNameA(module, loaded, MAX_PATH);
    EXPECT_STRCASEEQ(loaded, SystemLibraryPath("powrprof.dll").c_str());
    EXPECT_FALSE(GetProcAddress(module, "PlantedLibrary"));
    EXPECT_EQ(LoadSystemLibrary("powrprof.dll"), module);
}

}  // namespace
}  // namespace dwl::win32
