#pragma once
#include <windows.h>

#include <utility>

namespace dwl::win32 {

// What "no handle" is for a kind of handle, and how one is closed.
template <typename T, auto CloseFunction>
struct NullIsNone {
    static T None() { return T{}; }
    static void Close(T handle) { CloseFunction(handle); }
};
// For the handles of files and searches, whose "none" is INVALID_HANDLE_VALUE.
template <auto CloseFunction>
struct InvalidIsNone {
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseFunction(handle); }
};

// Owns one handle and closes it by its policy when it goes.
template <typename T, typename Policy>
class UniqueOf {
public:
    UniqueOf() = default;
    explicit UniqueOf(T handle) : handle_(handle) {}
    UniqueOf(const UniqueOf&) = delete;
    UniqueOf& operator=(const UniqueOf&) = delete;
    UniqueOf(UniqueOf&& other) noexcept : handle_(std::exchange(other.handle_, Policy::None())) {}
    UniqueOf& operator=(UniqueOf&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Policy::None()));
        return *this;
    }
    ~UniqueOf() { reset(); }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != Policy::None(); }
    T* put() {
        reset();
        return &handle_;
    }
    T release() { return std::exchange(handle_, Policy::None()); }
    void reset(T handle = Policy::None()) {
        if (handle_ != Policy::None()) Policy::Close(handle_);
        handle_ = handle;
    }

private:
    T handle_ = Policy::None();
};

template <typename T, auto Close>
using Unique = UniqueOf<T, NullIsNone<T, Close>>;

inline void CloseKey(HKEY key) { RegCloseKey(key); }
inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void CloseFind(HANDLE handle) { FindClose(handle); }
inline void DestroyWindowHandle(HWND window) { DestroyWindow(window); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }

using UniqueKey = Unique<HKEY, CloseKey>;
using UniqueHandle = Unique<HANDLE, CloseKernelHandle>;
using UniqueWindow = Unique<HWND, DestroyWindowHandle>;
using UniqueIcon = Unique<HICON, DestroyIconHandle>;
using UniqueFont = Unique<HFONT, DeleteGdiObject>;
using UniqueBitmap = Unique<HBITMAP, DeleteGdiObject>;
using UniqueMenu = Unique<HMENU, DestroyMenuHandle>;

using UniqueFile = UniqueOf<HANDLE, InvalidIsNone<CloseKernelHandle>>;
using UniqueFind = UniqueOf<HANDLE, InvalidIsNone<CloseFind>>;

// A window's device context (the screen's for no window), released when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for a scope; the one it
// replaced is selected again when the scope ends.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace dwl::win32
