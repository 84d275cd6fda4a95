#pragma once
#include <windows.h>

#include <string>

namespace dwl::win32 {

// The full path of `name` in the system folder ("C:\Windows\system32\powrprof.dll").
std::string SystemLibraryPath(const char* name);

// Loads a system library for the rest of the run. Never by the search order,
// which looks beside dwl.exe and in the current folder first and so would
// take any file of that name lying there: by its full path in the system
// folder, or by name only when the program's manifest binds that name to a
// side-by-side assembly (the loader then takes that one before any folder).
// A library that is loaded already is only looked up.
HMODULE LoadSystemLibrary(const char* name);

// A function of a system library, or nullptr when the system lacks it.
template <typename Function>
Function SystemFunction(const char* library, const char* function) {
    HMODULE module = LoadSystemLibrary(library);
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, function)));
}

}  // namespace dwl::win32
