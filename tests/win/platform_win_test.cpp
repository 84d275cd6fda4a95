// The Win32 implementations against the system's real registry, files,
// kernel objects and windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "hotkeys/win32/hotkey_wndproc.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/system_library.h"
#include "ui/options/options_form.h"

namespace dwl::win32 {
namespace {

const std::string kTestKey = "SOFTWARE\\DuskwellTests\\Registry";

TEST(Win32Registry, WritesReadsAndDeletesTexts) {
    Win32Registry registry;
    registry.DeleteValue(Hive::CurrentUser, kTestKey, "Value");
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

    ASSERT_TRUE(files.WriteFileAtomic(path, std::string(100000, 'x')));
    const std::string second("second\r\n\xe9\0tail", 14);
    ASSERT_TRUE(files.WriteFileAtomic(path, second));
    EXPECT_EQ(files.ReadFile(path).bytes, second);
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

// The window procedure of a window before the hotkey procedure goes in front.
int g_ownProcCalls = 0;
LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) ++g_ownProcCalls;
    return DefWindowProcA(window, message, wParam, lParam);
}

struct RecordingEvents : IOptionsEvents {
    OptionsForm& Form() override { return form; }
    void OnHotkey(uintptr_t id, intptr_t lParam) override { hotkeys += std::to_string(id) + " " + std::to_string(lParam) + " "; }
    void OnSchedulerTick() override {}
    void OnMenuCommand(int) override {}
    void OnEndSession() override {}
    OptionsForm form;
    std::string hotkeys;
};

TEST(HotkeyWindowProc, SeesHotkeysAndHandsEveryMessageOn) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &OwnProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "DwlHotkeyProcTest";
    RegisterClassA(&windowClass);
    UniqueWindow window(CreateWindowExA(0, "DwlHotkeyProcTest", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                        nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(window);

    RecordingEvents events;
    InstallHotkeyProc(window.get(), events);
    EXPECT_EQ(GetWindowLongPtrA(window.get(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&HotkeyWindowProc));
    SendMessageA(window.get(), WM_HOTKEY, 3, MAKELPARAM(7, 0x50));
    EXPECT_EQ(events.hotkeys, "3 " + std::to_string(MAKELPARAM(7, 0x50)) + " ");
    EXPECT_EQ(g_ownProcCalls, 1);

    RemoveHotkeyProc(window.get());
    EXPECT_EQ(GetWindowLongPtrA(window.get(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));
    SendMessageA(window.get(), WM_HOTKEY, 3, MAKELPARAM(7, 0x50));
    EXPECT_EQ(events.hotkeys, "3 " + std::to_string(MAKELPARAM(7, 0x50)) + " ");  // not seen again
    EXPECT_EQ(g_ownProcCalls, 2);
}

} // namespace
} // namespace dwl::win32
