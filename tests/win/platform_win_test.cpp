// The Win32 implementations against the system's real registry, files and
// libraries.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/win32/ansi_text.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/subclass.h"
#include "platform/win32/system_library.h"

namespace dwl::win32 {
namespace {

const std::string kTestKey = "SOFTWARE\\DuskwellTests\\Registry";

TEST(Win32InstanceGuard, ARefusedStartDoesNotHoldTheGuardForTheNextOne) {
    auto first = std::make_unique<Win32InstanceGuard>();
    ASSERT_TRUE(first->Acquire());
    Win32InstanceGuard refused;
    EXPECT_FALSE(refused.Acquire());
    first.reset();
    EXPECT_TRUE(Win32InstanceGuard().Acquire());
}

TEST(Win32Registry, WritesReadsAndDeletesTexts) {
    Win32Registry registry;
    EXPECT_FALSE(registry.ReadString(Hive::CurrentUser, "SOFTWARE\\DuskwellTests\\Missing\\Deep", "Value"));

    // Missing keys are created on the way.
    const std::string deep = kTestKey + "\\New\\Deeper";
    ASSERT_EQ(registry.WriteString(Hive::CurrentUser, deep, "Value", "x"), WriteResult::Written);
    EXPECT_EQ(registry.ReadString(Hive::CurrentUser, deep, "Value"), "x");

    for (const std::string& text : {std::string(), std::string(256, 'b'), std::string("caf\xe9; \xff end")}) {
        ASSERT_EQ(registry.WriteString(Hive::CurrentUser, kTestKey, "Value", text), WriteResult::Written);
        EXPECT_EQ(registry.ReadString(Hive::CurrentUser, kTestKey, "Value"), text) << text.size();
    }
    EXPECT_TRUE(registry.DeleteValue(Hive::CurrentUser, kTestKey, "Value"));
    EXPECT_FALSE(registry.ReadString(Hive::CurrentUser, kTestKey, "Value"));
    EXPECT_FALSE(registry.DeleteValue(Hive::CurrentUser, kTestKey, "Value"));
    EXPECT_TRUE(registry.DeleteKey(Hive::CurrentUser, deep));
    EXPECT_FALSE(registry.ReadString(Hive::CurrentUser, deep, "Value"));
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

// The common controls' chain and the one by hand, for systems without it.
TEST(Subclass, GoesInFrontOnceAndGivesTheWindowBackExactly) {
    for (const bool systemChain : {true, false}) {
        SCOPED_TRACE(systemChain ? "common controls' chain" : "chained by hand");
        UniqueWindow window(CreateWindowExA(0, "STATIC", "own", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                            GetModuleHandleA(nullptr), nullptr));
        const LONG_PTR own = GetWindowLongPtrA(window.get(), GWLP_WNDPROC);
        Subclass subclass(systemChain);
        int handled = 0;
        const auto handler = [&](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            if (message != WM_GETTEXTLENGTH) return false;
            ++handled;
            result = subclass.CallNext(message, wParam, lParam) + 10;  // the window's own answer is 3
            return true;
        };
        ASSERT_TRUE(subclass.Install(window.get(), handler));
        ASSERT_TRUE(subclass.Install(window.get(), handler));
        EXPECT_EQ(SendMessageA(window.get(), WM_GETTEXTLENGTH, 0, 0), 13);
        EXPECT_EQ(handled, 1);

        subclass.Remove();
        EXPECT_EQ(GetWindowLongPtrA(window.get(), GWLP_WNDPROC), own);
        EXPECT_EQ(SendMessageA(window.get(), WM_GETTEXTLENGTH, 0, 0), 3);
        EXPECT_EQ(handled, 1);

        // A window destroyed under it takes it out.
        ASSERT_TRUE(subclass.Install(window.get(), handler));
        window.reset();
        EXPECT_EQ(subclass.Window(), nullptr);
    }
}

}  // namespace
}  // namespace dwl::win32
