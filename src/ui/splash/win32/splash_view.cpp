#include "ui/splash/win32/splash_view.h"

namespace dwl::win32 {
namespace {

constexpr int kWidth = 6720;
constexpr int kHeight = 3540;
constexpr TwipsRect kFrame{120, 60, kWidth - 240, 2820};

HFONT MakeFont(const char* face, int points, int weight, int dpiY) {
    return CreateFontA(-MulDiv(points, dpiY, 72), 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

}  // namespace

void SplashView::ShowModal() {
    if (!model_ || window_) return;
    HWND owner = owner_ ? owner_() : nullptr;
    if (!CreateForm(owner, kSplashWindowClass, "", WS_POPUP | WS_DLGFRAME, WS_EX_TOOLWINDOW, kWidth, kHeight)) return;
    const int dpiY = dpi_.Y(1440);
    fonts_[0].reset(MakeFont("Verdana", 26, FW_BOLD, dpiY));
    fonts_[1].reset(MakeFont("Arial", 26, FW_NORMAL, dpiY));
    fonts_[2].reset(MakeFont("Arial Black", 12, FW_BLACK, dpiY));
    fonts_[3].reset(MakeFont("Arial", 9, FW_NORMAL, dpiY));
    Splash& m = *model_;
    struct Text {
        Label& label;
        int id;
        TwipsRect rect;
        HFONT font;
    };
    const Text texts[] = {
        {m.lblCompany1, IdCompany1, {360, 300, 2400, 330}, fonts_[2].get()},
        {m.lblCompany2, IdCompany2, {2760, 330, 2400, 300}, fonts_[3].get()},
        {m.lblProductName1, IdProductName1, {360, 780, 1560, 660}, fonts_[0].get()},
        {m.lblProductName2, IdProductName2, {1920, 780, 2400, 660}, fonts_[1].get()},
        {m.lblVersion, IdSplashVersion, {360, 1800, 5880, 255}, fonts_[3].get()},
        {m.lblCopyright, IdSplashCopyright, {360, 2160, 5880, 255}, fonts_[3].get()},
    };
    views_->Add<GroupBoxView>(m.Frame1, IdSplashFrame, kFrame);
    for (const Text& text : texts)
        if (HWND label = views_->Add<LabelView>(text.label, text.id, text.rect))
            SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(text.font), FALSE);
    views_->SendFramesBack();
    views_->Add<ButtonView>(m.cmdOK, IdSplashOK, {kWidth - 120 - 1125, kHeight - 120 - 345, 1125, 345}, true);
    RunForm(owner);
    for (auto& font : fonts_) font.reset();
}

LRESULT SplashView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; OnFormMessage(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_LBUTTONUP: {
        // The labels let clicks through to the window: a click in the frame.
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const RECT frame{dpi_.X(kFrame.left), dpi_.Y(kFrame.top), dpi_.X(kFrame.left + kFrame.width),
                         dpi_.Y(kFrame.top + kFrame.height)};
        if (model_ && PtInRect(&frame, at)) model_->Frame1_Click();
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && views_) SetFocus(views_->WindowOf(&model_->cmdOK));
        return 0;
    default: return DefWindowProcA(window_, message, wParam, lParam);
    }
}

}  // namespace dwl::win32
