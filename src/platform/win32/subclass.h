#pragma once
#include <windows.h>

#include <functional>

namespace dwl::win32 {

// A handler in front of a window's own procedure: the program's one way of
// subclassing. It uses the common controls' subclass chain where the system
// has it, and otherwise chains by hand through GWLP_WNDPROC (then at most one
// Subclass per window). The object must stay where it is while installed.
class Subclass {
public:
    // True when the handler answered the message (result in `result`);
    // otherwise the next procedure in the chain gets it.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    // `systemChain` false: always chain by hand, as on a system without the
    // common controls' chain.
    explicit Subclass(bool systemChain = true) : systemChain_(systemChain) {}
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;
    ~Subclass() { Remove(); }

    // Installing again on the same window is a no-op; on another window it
    // moves there. False when the window could not be subclassed.
    bool Install(HWND window, Handler handler);
    // Takes the handler out; the window gets back exactly the chain it had.
    // Goes by itself when the window is destroyed.
    void Remove();
    HWND Window() const { return window_; }
    // The next procedure in the chain, for a handler that wants the window's
    // own handling first.
    LRESULT CallNext(UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT Next(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SystemProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK FallbackProc(HWND, UINT, WPARAM, LPARAM);

    bool systemChain_;
    bool usingSystem_ = false;
    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;  // chaining by hand
    Handler handler_;
};

}  // namespace dwl::win32
