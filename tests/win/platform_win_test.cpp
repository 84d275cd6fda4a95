// The Win32 implementations against the system's real registry, files,
// kernel objects and windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "hotkeys/win32/hotkey_wndproc.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/subclass.h"
#include "platform/win32/system_library.h"

namespace dwl::win32 {
namespace {

const std::string kTestKey = "SOFTWARE\\DuskwellTests\\Registry";

TEST(Win32Registry, WritesReadsAndDeletesTexts) {
    Win32Registry registry;
    registry.DeleteValue(Hive::CurrentUser, kTestKey, "Value");
    EXPECT_FALSE(registry.ReadString(Hive::CurrentUser, kTestKey, "Value"));
    EXPECT_FALSE(registry.ReadString(Hive::CurrentUser, "SOFTWARE\\DuskwellTests\\Missing\\Deep", "Value"));

    // Missing keys are created on the way.
    const std::string deep = kTestKey + "\\New\\Deeper";
    ASSERT_EQ(registry.WriteString(Hive::CurrentUser, deep, "Value", "x"), WriteResult::Written);
    EXPECT_EQ(registry.ReadString(Hive::CurrentUser, deep, "Value"), "x");

    const std::string texts[] = {"", "0", std::string(255, 'a'), std::string(256, 'b'), "caf\xe9; \xff end",
                                 std::string(5000, 'z')};
    for (const auto& text : texts) {
        ASSERT_EQ(registry.WriteString(Hive::CurrentUser, kTestKey, "Value", text), WriteResult::Written);
        EXPECT_EQ(registry.ReadString(Hive::CurrentUser, kTestKey, "Value"), text) << text.size();
    }
    EXPECT_TRUE(registry.DeleteValue(Hive::CurrentUser, kTestKey, "Value"));
    EXPECT_FALSE(registry.ReadString(Hive::CurrentUser, kTestKey, "Value"));
    EXPECT_FALSE(registry.DeleteValue(Hive::CurrentUser, kTestKey, "Value"));
    EXPECT_TRUE(registry.DeleteKey(Hive::CurrentUser, deep));
    EXPECT_FALSE(registry.ReadString(Hive::CurrentUser, deep, "Value"));
}

class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "dwl-files-test";
        CreateDirectoryA(folder.c_str(), nullptr);
        path = folder + "\\dwl.scn";
        for (const char* name : {"\\dwl.scn", "\\dwl.scn.new", "\\dwl.scn.bad"})
            DeleteFileA((folder + name).c_str());
    }
    Win32FileSystem files;
    std::string folder, path;
};

TEST_F(Win32FileSystemTest, AtomicWriteReplacesAndLeavesNoTemporaryFile) {
    EXPECT_EQ(files.ReadFile(path).status, ReadStatus::Missing);
    EXPECT_EQ(files.ReadFile(folder + "\\no\\such\\dir\\dwl.scn").status, ReadStatus::Missing);

    const std::string first(100000, 'x');
    ASSERT_TRUE(files.WriteFileAtomic(path, first));
    ASSERT_TRUE(files.WriteFileAtomic(path, "second\r\n\xe9\0tail"));
    const auto content = files.ReadFile(path);
    EXPECT_EQ(content.status, ReadStatus::Ok);
    EXPECT_EQ(content.bytes, std::string("second\r\n\xe9\0tail"));
    EXPECT_FALSE(files.Exists(path + ".new"));

    // A target that cannot be replaced keeps its content.
    EXPECT_FALSE(files.WriteFileAtomic(folder + "\\missing-dir\\dwl.scn", "x"));
}

TEST_F(Win32FileSystemTest, RenameNeverReplacesAnExistingFile) {
    ASSERT_TRUE(files.WriteFileAtomic(path, "damaged"));
    ASSERT_TRUE(files.WriteFileAtomic(path + ".bad", "older"));
    EXPECT_FALSE(files.Rename(path, path + ".bad"));
    EXPECT_EQ(files.ReadFile(path + ".bad").bytes, "older");
    DeleteFileA((path + ".bad").c_str());
    EXPECT_TRUE(files.Rename(path, path + ".bad"));
    EXPECT_FALSE(files.Exists(path));
    EXPECT_EQ(files.ReadFile(path + ".bad").bytes, "damaged");
}

TEST(Win32InstanceGuard, OnlyTheFirstGuardWins) {
    Win32InstanceGuard first;
    Win32InstanceGuard second;
    EXPECT_TRUE(first.Acquire());
    EXPECT_FALSE(second.Acquire());
}

std::string Lower(std::string text) {
    CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
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
    EXPECT_EQ(Lower(loaded), Lower(SystemLibraryPath("powrprof.dll")));
    EXPECT_FALSE(GetProcAddress(module, "PlantedLibrary"));
    EXPECT_EQ(LoadSystemLibrary("powrprof.dll"), module);
}

// The window procedure of a window before anything goes in front of it.
int g_ownProcCalls = 0;
LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) ++g_ownProcCalls;
    return DefWindowProcA(window, message, wParam, lParam);
}

UniqueWindow OwnWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &OwnProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "DwlHotkeyProcTest";
    RegisterClassA(&windowClass);
    return UniqueWindow(CreateWindowExA(0, "DwlHotkeyProcTest", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr));
}

TEST(HotkeyProc, SeesHotkeysOnceAndHandsEveryMessageOn) {
    UniqueWindow window = OwnWindow();
    ASSERT_TRUE(window);
    const int ownBefore = g_ownProcCalls;
    int hotkeys = 0;
    WPARAM lastId = 99;
    LPARAM lastKeys = 0;
    HotkeyProc hotkeyProc([&](WPARAM id, LPARAM keys) {
        ++hotkeys;
        lastId = id;
        lastKeys = keys;
    });
    hotkeyProc.Install(window.get());
    hotkeyProc.Install(window.get());
    SendMessageA(window.get(), WM_HOTKEY, 3, MAKELPARAM(7, 0x50));
    EXPECT_EQ(hotkeys, 1);
    EXPECT_EQ(lastId, 3u);
    EXPECT_EQ(lastKeys, MAKELPARAM(7, 0x50));
    EXPECT_EQ(g_ownProcCalls, ownBefore + 1);

    // Registration on the window: a second registration of the same id replaces nothing.
    Win32Hotkeys hotkeyRegistry([&] { return window.get(); });
    EXPECT_TRUE(hotkeyRegistry.Register(3, MOD_CONTROL | MOD_SHIFT | MOD_ALT, 0x50));
    hotkeyRegistry.Unregister(3);
    EXPECT_TRUE(hotkeyRegistry.Register(3, MOD_CONTROL | MOD_SHIFT | MOD_ALT, 0x50));
    hotkeyRegistry.Unregister(3);

    hotkeyProc.Remove();
    EXPECT_EQ(GetWindowLongPtrA(window.get(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));
    SendMessageA(window.get(), WM_HOTKEY, 3, MAKELPARAM(7, 0x50));
    EXPECT_EQ(hotkeys, 1);
    EXPECT_EQ(g_ownProcCalls, ownBefore + 2);
}

// The common controls' chain and the one by hand, for systems without it.
TEST(Subclass, GoesInFrontOnceAndGivesTheWindowBackExactly) {
    for (const bool systemChain : {true, false}) {
        SCOPED_TRACE(systemChain ? "common controls' chain" : "chained by hand");
        UniqueWindow window = OwnWindow();
        ASSERT_TRUE(window);
        Subclass subclass(systemChain);
        int handled = 0;
        const auto handler = [&](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            if (message != WM_HOTKEY) return false;
            ++handled;
            result = subclass.CallNext(message, wParam, lParam) + 1;
            return true;
        };
        const int ownBefore = g_ownProcCalls;
        ASSERT_TRUE(subclass.Install(window.get(), handler));
        ASSERT_TRUE(subclass.Install(window.get(), handler));
        EXPECT_EQ(SendMessageA(window.get(), WM_HOTKEY, 0, 0), 1);
        EXPECT_EQ(handled, 1);
        EXPECT_EQ(g_ownProcCalls, ownBefore + 1);

        subclass.Remove();
        EXPECT_EQ(GetWindowLongPtrA(window.get(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));
        SendMessageA(window.get(), WM_HOTKEY, 0, 0);
        EXPECT_EQ(handled, 1);

        // A window destroyed under it takes it out.
        ASSERT_TRUE(subclass.Install(window.get(), handler));
        window.reset();
        EXPECT_EQ(subclass.Window(), nullptr);
    }
}

} // namespace
} // namespace dwl::win32
