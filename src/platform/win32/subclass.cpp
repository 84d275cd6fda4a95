#include "platform/win32/subclass.h"

#include <type_traits>

#include "platform/win32/system_library.h"
#include "platform/win32/trace.h"

namespace dwl::win32 {
namespace {

// The window's procedure below ours and ours, while chained by hand.
constexpr const char* kNextProcProp = "DwlNextProc";
constexpr const char* kSubclassProp = "DwlSubclass";

using SubclassProc = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
struct SystemChain {
    BOOL(WINAPI* set)(HWND, SubclassProc, UINT_PTR, DWORD_PTR) = nullptr;
    BOOL(WINAPI* remove)(HWND, SubclassProc, UINT_PTR) = nullptr;
    LRESULT(WINAPI* next)(HWND, UINT, WPARAM, LPARAM) = nullptr;
};

// Common controls 6 export the chain by name, 5.8 by ordinal only, older
// versions not at all.
const SystemChain& System() {
    static const SystemChain chain = [] {
        SystemChain found;
        HMODULE library = LoadSystemLibrary("comctl32.dll");
        const auto get = [library](auto& function, const char* name, WORD ordinal) {
            FARPROC address = library ? GetProcAddress(library, name) : nullptr;
            if (!address && library) address = GetProcAddress(library, MAKEINTRESOURCEA(ordinal));
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(reinterpret_cast<void*>(address));
            return address != nullptr;
        };
        if (get(found.set, "SetWindowSubclass", 410) && get(found.remove, "RemoveWindowSubclass", 412) &&
            get(found.next, "DefSubclassProc", 413))
            return found;
        return SystemChain{};
    }();
    return chain;
}

}  // namespace

bool Subclass::Install(HWND window, Handler handler) {
    if (window && window == window_) return true;
    Remove();
    if (!window) return false;
    handler_ = std::move(handler);
    usingSystem_ = systemChain_ && System().set;
    if (usingSystem_) {
        if (!Check(
                System().set(window, &SystemProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)),
                "SetWindowSubclass"))
            return false;
    } else {
        if (GetPropA(window, kSubclassProp)) return Check(false, "subclassing a window twice by hand");
        previous_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
        if (!Check(SetPropA(window, kSubclassProp, this) &&
                       SetPropA(window, kNextProcProp, reinterpret_cast<HANDLE>(previous_)),
                   "SetPropA"))
            return false;
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FallbackProc));
    }
    window_ = window;
    return true;
}

void Subclass::Remove() {
    if (!window_) return;
    HWND window = window_;
    window_ = nullptr;
    if (usingSystem_) {
        Check(System().remove(window, &SystemProc, reinterpret_cast<UINT_PTR>(this)), "RemoveWindowSubclass");
        return;
    }
    RemovePropA(window, kSubclassProp);
    // Somebody went in front of us: our procedure stays and passes everything on.
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&FallbackProc)) return;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropA(window, kNextProcProp);
}

LRESULT Subclass::CallNext(UINT message, WPARAM wParam, LPARAM lParam) {
    return Next(window_, message, wParam, lParam);
}

LRESULT Subclass::Next(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (usingSystem_) return System().next(window, message, wParam, lParam);
    return CallWindowProcA(previous_, window, message, wParam, lParam);
}

LRESULT Subclass::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        const LRESULT result = Next(window, message, wParam, lParam);
        if (window_ == window) Remove();
        return result;
    }
    try {
        LRESULT result = 0;
        // A copy: the handler may run code that replaces it.
        if (Handler handler = handler_; handler && handler(message, wParam, lParam, result)) return result;
    } catch (...) {
        TraceException("a subclassed window's procedure");
    }
    return Next(window, message, wParam, lParam);
}

LRESULT CALLBACK Subclass::SystemProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) {
    return reinterpret_cast<Subclass*>(self)->Dispatch(window, message, wParam, lParam);
}

LRESULT CALLBACK Subclass::FallbackProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto* self = static_cast<Subclass*>(GetPropA(window, kSubclassProp)))
        return self->Dispatch(window, message, wParam, lParam);
    const auto next = reinterpret_cast<WNDPROC>(GetPropA(window, kNextProcProp));
    if (message == WM_NCDESTROY) RemovePropA(window, kNextProcProp);
    return next ? CallWindowProcA(next, window, message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace dwl::win32
