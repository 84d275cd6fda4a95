#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace dwl::win32 {

// What newer systems than XP can do with an open file, looked up at run time.

// Whether the system can name open files.
bool CanNameOpenFiles();
// The path the system gives the open file ("\\?\C:\..."); nothing where the
// system cannot name open files, empty when it fails for this one.
std::optional<std::wstring> FinalPathOf(HANDLE file);

// Whether open files can be deleted through their handles.
bool CanDeleteThroughHandle();
// Deletes the open file itself, whatever its path is by now (opened with DELETE access).
bool DeleteThroughHandle(HANDLE file);

}  // namespace dwl::win32
