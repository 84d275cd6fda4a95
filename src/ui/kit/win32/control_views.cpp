#include "ui/kit/win32/control_views.h"

#include <commctrl.h>

#include <utility>

#include "platform/win32/common_controls.h"
#include "platform/win32/trace.h"

namespace dwl::win32 {

void Binder::Create(const char* className, const char* text, DWORD style, TwipsRect rect) {
    window_ = views_.CreateChild(className, text, style, id_, rect);
}

void Binder::Sync() {
    if (!window_) return;
    SyncValue();
    EnableWindow(window_, model_.Enabled());
    ShowWindow(window_, model_.Visible() ? SW_SHOWNA : SW_HIDE);
    SyncTooltip();
}

void Binder::Intercept() {
    subclass_.Install(window_, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (OnMessage(message, wParam, lParam, result)) return true;
        // A copy: the hook may run code that changes the views.
        Subclass::Handler hook = hook_;
        return hook && hook(message, wParam, lParam, result);
    });
}

void Binder::Hook(Subclass::Handler hook) {
    hook_ = std::move(hook);
    Intercept();
}

void Binder::SyncTooltip() {
    const std::string& tip = model_.Tooltip();
    if (tip.empty() && !hasTool_) return;
    HWND tooltips = views_.Tooltips();
    if (!tooltips) return;
    std::string text = tip;
    TOOLINFOA info{};
    // The size older common controls know: the program runs on them too.
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(window_);
    info.uId = reinterpret_cast<UINT_PTR>(window_);
    info.lpszText = text.data();
    if (!hasTool_) {
        hasTool_ = Check(SendMessageA(tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0, "TTM_ADDTOOL");
    } else {
        SendMessageA(tooltips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
        if (tip.empty()) SendMessageA(tooltips, TTM_POP, 0, 0);
    }
}

HWND ControlViews::CreateChild(const char* className, const char* text, DWORD style, int id, TwipsRect rect) {
    // Every control starts a keyboard group (see OptionView). Siblings are
    // clipped, so a list opened over other controls stays on top.
    DWORD exStyle = 0;
    if (style & WS_BORDER) {
        style &= ~static_cast<DWORD>(WS_BORDER);
        exStyle = WS_EX_CLIENTEDGE;
    }
    HWND window =
        CreateWindowExA(exStyle, className, text, WS_CHILD | WS_CLIPSIBLINGS | WS_GROUP | style, dpi_.X(rect.left),
                        dpi_.Y(rect.top), dpi_.X(rect.width), dpi_.Y(rect.height), parent_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (Check(window != nullptr, "CreateWindowExA of a control"))
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
    return window;
}

HWND ControlViews::Adopt(std::unique_ptr<Binder> binder) {
    Binder& added = *binders_.emplace_back(std::move(binder));
    added.Model().onRefresh = [&added] { added.Sync(); };
    added.Sync();
    return added.Window();
}

HWND ControlViews::AddFrame(int id, TwipsRect rect) {
    HWND window = CreateChild("BUTTON", "", BS_GROUPBOX | WS_VISIBLE, id, rect);
    if (window) frames_.push_back(window);
    return window;
}

HWND ControlViews::AddIcon(HICON icon, int id, TwipsRect rect) {
    HWND window = CreateChild("STATIC", "", SS_ICON | WS_VISIBLE, id, rect);
    if (window && icon) SendMessageA(window, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    return window;
}

HWND ControlViews::AddLine(int id, TwipsRect rect) {
    return CreateChild("STATIC", "", SS_ETCHEDHORZ | WS_VISIBLE, id, rect);
}

void ControlViews::SetContainer(HWND parent) {
    SendFramesBack();
    parent_ = parent;
}

void ControlViews::SendFramesBack() {
    for (HWND frame : frames_) SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    frames_.clear();
}

HWND ControlViews::Tooltips() {
    if (tooltip_) return tooltip_.get();
    EnsureCommonControls(ICC_BAR_CLASSES);
    tooltip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   GetAncestor(parent_, GA_ROOT), nullptr, GetModuleHandleA(nullptr), nullptr));
    // Long texts wrap instead of running off the screen.
    if (Check(static_cast<bool>(tooltip_), "CreateWindowExA of the tooltips"))
        SendMessageA(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, dpi_.X(9000));
    return tooltip_.get();
}

Binder* ControlViews::Find(HWND window) const {
    for (const auto& binder : binders_)
        if (window && binder->Window() == window) return binder.get();
    return nullptr;
}

Binder* ControlViews::BinderOf(const void* control) const {
    for (const auto& binder : binders_)
        if (&binder->Model() == control) return binder.get();
    return nullptr;
}

HWND ControlViews::WindowOf(const void* control) const {
    Binder* binder = BinderOf(control);
    return binder ? binder->Window() : nullptr;
}

bool ControlViews::OnCommand(int id, int code) {
    for (const auto& binder : binders_) {
        if (binder->Id() != id) continue;
        binder->OnCommand(code);
        return true;
    }
    return false;
}

bool ControlViews::OnDialogCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (lParam != 0) return OnCommand(id, HIWORD(wParam));
    if (id != IDOK && id != IDCANCEL) return false;
    OnCommand(id, BN_CLICKED);
    return true;
}

bool ControlViews::OnDrawItem(const DRAWITEMSTRUCT& item) {
    Binder* binder = Find(item.hwndItem);
    return binder && binder->OnDrawItem(item);
}

}  // namespace dwl::win32
