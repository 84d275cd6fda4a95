// The Win32 implementations against the system's real files, libraries and
// named objects.
#include <windows.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <memory>
#include <string>

#include "platform/win32/ansi_text.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/instance_win32.h"
#include "platform/win32/processes_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/system_library.h"
#include "schedule/scenario_file.h"

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
    EXPECT_FALSE(files.Exists(path + ".new"));                               // no temporary file is left
    ASSERT_TRUE(files.WriteFileAtomic("Q:\\dwl.scn", "at a drive's root"));  // a portable copy on a stick
    EXPECT_EQ(files.ReadFile("Q:\\dwl.scn").bytes, "at a drive's root");
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

    // A link planted as the temporary file (by the win tier) is neither written through nor deleted.
    ASSERT_TRUE(files.WriteFileAtomic("C:\\dwl-link\\dwl.scn", "saved"));
    EXPECT_EQ(files.ReadFile("C:\\dwl-link\\dwl.scn").bytes, "saved");
    EXPECT_EQ(files.ReadFile("C:\\dwl-planted.txt").bytes, "untouched\n");
}

// A program folder the code page cannot spell, with dwl.portable and dwl.scn:
// a copy of this program started there reads the file beside itself.
TEST(Win32FileSystem, AProgramFolderTheCodePageCannotSpellIsReachedExactly) {
    const std::wstring folder = L"C:\\D\u00FCsk \u30C6\u30B9\u30C8";
    ASSERT_FALSE(ExactAnsi(folder));
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    for (const wchar_t* name : {L"dwl.portable", L"dwl.scn"}) {
        UniqueFile file(
            CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        DWORD wrote = 0;
        ASSERT_TRUE(file && WriteFile(file.get(), "beside", 6, &wrote, nullptr));
    }
    wchar_t self[MAX_PATH] = {};
    const std::wstring copy = folder + L"\\dwl_win_tests.exe";
    ASSERT_TRUE(GetModuleFileNameW(nullptr, self, MAX_PATH) && CopyFileW(self, copy.c_str(), TRUE));
    std::wstring command = L"\"" + copy + L"\" --gtest_also_run_disabled_tests --gtest_filter=*DISABLED_InTheFolder*";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(
        CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
    UniqueHandle process(started.hProcess), thread(started.hThread);
    ASSERT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    EXPECT_TRUE(GetExitCodeProcess(process.get(), &exitCode) && exitCode == 0);
}

TEST(Win32FileSystem, DISABLED_InTheFolder) {
    Win32FileSystem files;
    const ScenarioFilePlace place = LocateScenarioFile(files, false);
    EXPECT_EQ(place.path, files.ExeFolder() + "\\dwl.scn");
    EXPECT_EQ(files.ReadFile(place.path).bytes, "beside");
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

// A scenario's program: started by the desktop's process when asked (Wine's
// desktop can), not at all when the desktop cannot be asked; started directly,
// it holds none of this program's handles and is opened under its image's name.
TEST(Win32Shell, TheDesktopStartsAProgramOrNothingDoesAndAStartedOneInheritsNoHandle) {
    const std::string command = "\"" + Win32FileSystem().ExeFolder() + "\\closetarget.exe\"";
    auto running = [] {  // by parent: this program or another
        std::vector<PROCESSENTRY32W> found;
        UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
            if (lstrcmpiW(entry.szExeFile, L"closetarget.exe") == 0) found.push_back(entry);
        return found;
    };
    Win32Shell shell;
    // Wine gives a full token with UAC off: the start of today.
    EXPECT_EQ(shell.Elevation(), TokenElevation::Default);
    EXPECT_FALSE(Win32Shell(GUID{}).OpenUnelevated(command));
    EXPECT_TRUE(shell.OpenUnelevated(command));
    for (int i = 0; i < 100 && running().empty(); ++i) Sleep(100);
    ASSERT_EQ(running().size(), 1u);  // the desktop's, and nothing of the refused start
    EXPECT_NE(running()[0].th32ParentProcessID, GetCurrentProcessId());
    Win32Processes processes;
    processes.Open(running()[0].th32ProcessID)->Terminate(0);

    // While a program holds the pipe's inheritable write end, the pipe is not broken.
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    UniqueHandle reader, writer;
    ASSERT_TRUE(CreatePipe(reader.put(), writer.put(), &inheritable, 0));
    shell.OpenDocument(command);
    writer.reset();
    std::vector<PROCESSENTRY32W> started;
    for (int i = 0; i < 100 && (started = running()).size() != 1; ++i) Sleep(100);  // the first one ends
    ASSERT_EQ(started.size(), 1u);
    auto process = processes.Open(started[0].th32ProcessID);
    ASSERT_TRUE(process);
    EXPECT_EQ(process->ImageName(), "closetarget.exe");
    EXPECT_FALSE(PeekNamedPipe(reader.get(), nullptr, 0, nullptr, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BROKEN_PIPE));
    EXPECT_TRUE(process->Terminate(0));
}

}  // namespace
}  // namespace dwl::win32
