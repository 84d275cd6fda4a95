#include "platform/win32/system_library.h"

#include <vector>

namespace dwl::win32 {
namespace {

// True when the active activation context (the program's manifest) redirects
// `name` to a side-by-side assembly. Looked up at run time: systems before
// Windows XP have no activation contexts at all.
bool BoundBySideBySide(const char* name) {
    using Find = BOOL(WINAPI*)(DWORD, const GUID*, ULONG, LPCSTR, ACTCTX_SECTION_KEYED_DATA*);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto find =
        kernel ? reinterpret_cast<Find>(reinterpret_cast<void*>(GetProcAddress(kernel, "FindActCtxSectionStringA")))
               : nullptr;
    if (!find) return false;
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    return find(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, name, &data) != FALSE;
}

}  // namespace

std::string SystemLibraryPath(const char* name) {
    std::vector<char> folder(MAX_PATH);
    for (;;) {
        const UINT n = GetSystemDirectoryA(folder.data(), static_cast<UINT>(folder.size()));
        if (n == 0) return {};
        if (n < folder.size()) {
            std::string path(folder.data(), n);
            if (path.back() != '\\') path += '\\';
            return path + name;
        }
        folder.resize(n + 1);
    }
}

HMODULE LoadSystemLibrary(const char* name) {
    if (BoundBySideBySide(name)) {
        if (HMODULE loaded = GetModuleHandleA(name)) return loaded;
        return LoadLibraryA(name);
    }
    const std::string path = SystemLibraryPath(name);
    if (path.empty()) return nullptr;  // no system folder known: better without the library than a stranger's
    if (HMODULE loaded = GetModuleHandleA(path.c_str())) return loaded;
    return LoadLibraryA(path.c_str());
}

}  // namespace dwl::win32
