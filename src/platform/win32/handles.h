#pragma once
#include <windows.h>

#include <utility>

namespace dwl::win32 {

// Owns one handle and closes it with `Close` when it goes.
template <typename T, auto Close, auto Invalid = T{}>
class Unique {
public:
    Unique() = default;
    explicit Unique(T handle) : handle_(handle) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Invalid)) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Invalid));
        return *this;
    }
    ~Unique() { reset(); }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid; }
    T* put() {
        reset();
        return &handle_;
    }
    T release() { return std::exchange(handle_, Invalid); }
    void reset(T handle = Invalid) {
        if (handle_ != Invalid) Close(handle_);
        handle_ = handle;
    }

private:
    T handle_ = Invalid;
};

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

// A handle whose "none" is INVALID_HANDLE_VALUE (which cannot be a template
// argument), closed with `Close` unless it is that.
template <auto Close>
class UniqueInvalid {
public:
    UniqueInvalid() = default;
    explicit UniqueInvalid(HANDLE handle) : handle_(handle) {}
    UniqueInvalid(const UniqueInvalid&) = delete;
    UniqueInvalid& operator=(const UniqueInvalid&) = delete;
    ~UniqueInvalid() { close(); }
    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    void close() {
        if (handle_ != INVALID_HANDLE_VALUE) Close(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

using UniqueFile = UniqueInvalid<CloseKernelHandle>;
using UniqueFind = UniqueInvalid<CloseFind>;

}  // namespace dwl::win32
