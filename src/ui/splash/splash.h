#pragma once
// frmSplash: the product name, version and copyright, shown once at start-up.
#include <string>

#include "model/controls.h"

namespace dwl {

// The splash window as its model drives it.
class ISplashWindow {
public:
    virtual ~ISplashWindow() = default;
    // Creates the window, shows it owned by the options window and returns
    // once it is closed.
    virtual void ShowModal() = 0;
    virtual void Close() = 0;
};

class Splash {
public:
    explicit Splash(ISplashWindow& window);
    Splash(const Splash&) = delete;
    Splash& operator=(const Splash&) = delete;

    Label Frame1{"Frame1"};
    Label lblProductName1{"lblProductName1", "Dusk"};  // Verdana
    Label lblProductName2{"lblProductName2", "well"};  // Arial
    Label lblCompany1{"lblCompany1", "DUSKWELL"};      // Arial Black
    Label lblCompany2{"lblCompany2", "developers"};    // Arial
    Label lblVersion{"lblVersion", "Version "};
    Label lblCopyright{"lblCopyright", "Copyright: "};
    Button cmdOK{"cmdOK", "&OK"};

    // Fills in the version and copyright lines, then shows the splash until
    // "&OK" or a click on the frame closes it.
    void Show_Splash(const std::string& versionText, const std::string& copyrightText);
    void Frame1_Click() { window_.Close(); }

private:
    ISplashWindow& window_;
};

}  // namespace dwl
