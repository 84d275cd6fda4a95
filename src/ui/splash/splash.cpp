#include "ui/splash/splash.h"

namespace dwl {

Splash::Splash(ISplashWindow& window) : window_(window) {
    cmdOK.onClick = [this] { window_.Close(); };
}

void Splash::Show_Splash(const std::string& versionText, const std::string& copyrightText) {
    lblVersion.SetCaption(versionText);
    lblCopyright.SetCaption(copyrightText);
    window_.ShowModal();
}

}  // namespace dwl
