#include "platform/win32/registry_win32.h"

#include <cstring>
#include <cwchar>
#include <vector>

#include "platform/win32/ansi_text.h"
#include "platform/win32/handles.h"

namespace dwl::win32 {
namespace {

HKEY Root(Hive hive) {
    switch (hive) {
    case Hive::ClassesRoot: return HKEY_CLASSES_ROOT;
    case Hive::CurrentUser: return HKEY_CURRENT_USER;
    case Hive::LocalMachine: return HKEY_LOCAL_MACHINE;
    case Hive::Users: return HKEY_USERS;
    case Hive::PerformanceData: return HKEY_PERFORMANCE_DATA;
    case Hive::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case Hive::DynData: return HKEY_DYN_DATA;
    }
    return HKEY_CURRENT_USER;
}

}  // namespace

std::optional<std::string> Win32Registry::ReadString(Hive hive, const std::string& key, const std::string& value) {
    UniqueKey handle;
    if (RegOpenKeyExA(Root(hive), key.c_str(), 0, KEY_QUERY_VALUE, handle.put()) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(handle.get(), value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<char> buffer(size + 1, '\0');
    DWORD got = size;
    if (RegQueryValueExA(handle.get(), value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::string text(buffer.data(), got);
    // Stored texts carry their terminating NUL; keep what precedes the first one.
    const size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return text;
}

WriteResult Win32Registry::WriteString(Hive hive, const std::string& key, const std::string& value,
                                       const std::string& data) {
    // RegCreateKeyExA opens an existing key and creates a missing one with its parents.
    UniqueKey handle;
    if (RegCreateKeyExA(Root(hive), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        handle.put(), nullptr) != ERROR_SUCCESS)
        return WriteResult::KeyFailed;
    if (RegSetValueExA(handle.get(), value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1)) != ERROR_SUCCESS)
        return WriteResult::ValueFailed;
    return WriteResult::Written;
}

bool Win32Registry::DeleteValue(Hive hive, const std::string& key, const std::string& value) {
    UniqueKey handle;
    if (RegOpenKeyExA(Root(hive), key.c_str(), 0, KEY_SET_VALUE, handle.put()) != ERROR_SUCCESS) return false;
    return RegDeleteValueA(handle.get(), value.c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteKey(Hive hive, const std::string& key) {
    return RegDeleteKeyA(Root(hive), key.c_str()) == ERROR_SUCCESS;
}

std::optional<RegistryValue> Win32Registry::ReadValue(Hive hive, const std::string& key, const std::string& value) {
    // Policies live in the view that Group Policy writes, whichever width reads them.
    UniqueKey handle;
    if (RegOpenKeyExW(Root(hive), WidenAnsi(key).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, handle.put()) !=
        ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring name = WidenAnsi(value);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    // Two more characters: a list whose stored end lacks its NULs still ends.
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
    DWORD got = size;
    if (RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) !=
        ERROR_SUCCESS)
        return std::nullopt;
    RegistryValue read;
    if (type == REG_DWORD && got == sizeof(DWORD)) {
        read.type = RegistryValue::Type::Number;
        std::memcpy(&read.number, data.data(), sizeof(DWORD));
    } else if (type == REG_MULTI_SZ) {
        read.type = RegistryValue::Type::TextList;
        // Texts up to the first empty one.
        for (const wchar_t* text = data.data(); *text; text += std::wcslen(text) + 1) {
            if (const auto ansi = ExactAnsi(text))
                read.texts.push_back(*ansi);
            else
                ++read.lostTexts;
        }
    }
    return read;
}

}  // namespace dwl::win32
