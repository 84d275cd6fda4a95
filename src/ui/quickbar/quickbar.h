#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "model/controls.h"
#include "settings/quickbar_settings.h"

namespace dwl {

class IDialogs;
class OptionsForm;

// The Quickbar window frmQBar as its model drives it. Lengths are twips.
class IQuickbarWindow {
public:
    virtual ~IQuickbarWindow() = default;
    // Moves the window's top-left corner to (left, top) on the screen.
    virtual void Place(int left, int top) = 0;
    // Sizes the window and puts the buttons where the model says. A window
    // off every screen comes back onto the nearest one.
    virtual void Layout() = 0;
    // A window that does not exist yet is made at the model's Left and Top,
    // laid out and kept on top as last asked; until then the calls above only
    // leave their effect to it.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void SetAlwaysOnTop() = 0;
    virtual void ClearAlwaysOnTop() = 0;
    virtual void Destroy() = 0;
    // When the input behind the message being handled came (GetMessageTime),
    // and the time now, in the same milliseconds.
    virtual std::uint32_t InputTime() { return 0; }
    virtual std::uint32_t Now() { return 0; }
};

// The floating bar of action buttons: its layout, its buttons' actions and
// the Quickbar page's rules. The page's controls on the options form are the
// settings; the bar reads them whenever it lays itself out or a button is
// clicked.
class Quickbar {
public:
    static constexpr int kButtonCount = 8;
    static constexpr int kSmallPitch = 255;
    static constexpr int kLargePitch = 495;
    // What the window's frame and title bar add to the buttons, nominally.
    static constexpr int kFrameWidth = 60;
    static constexpr int kFrameHeight = 360;

    struct Services {
        OptionsForm& form;
        IDialogs& dialogs;
        std::function<void(int actionCode)> exitWindows;
        std::function<void()> showSettings;
        std::function<void()> Show_Form;
        // True once Show_Form has installed the tray icon in this run.
        std::function<bool()> trayIconAdded;
        // Stores a box the bar changes itself ("AOT", "Enabled") and the position.
        std::function<void(const char* value, int state)> saveBox;
        std::function<void(int left, int top)> savePosition;
    };

    struct Place {
        int left = 0, top = 0;
    };

    Quickbar(IQuickbarWindow& window, Services services);
    Quickbar(const Quickbar&) = delete;
    Quickbar& operator=(const Quickbar&) = delete;

    // The application's title, for the message of CheckExist.
    std::string appTitle;

    Label frmQBar{"frmQBar", "DWL Quickbar"};
    // In the bar's order: Shutdown, Restart, Log Off, Suspend, Hibernate, Lock,
    // Config, Always on top. cmdQB... and cmdQB...2.
    std::array<Button, kButtonCount> small{Button{"cmdQBShutdown"}, Button{"cmdQBRestart"},   Button{"cmdQBLogoff"},
                                           Button{"cmdQBSuspend"},  Button{"cmdQBHibernate"}, Button{"cmdQBLock"},
                                           Button{"cmdQBConfig"},   Button{"cmdQBAOT"}};
    std::array<Button, kButtonCount> large{Button{"cmdQBShutdown2"}, Button{"cmdQBRestart2"},   Button{"cmdQBLogoff2"},
                                           Button{"cmdQBSuspend2"},  Button{"cmdQBHibernate2"}, Button{"cmdQBLock2"},
                                           Button{"cmdQBConfig2"},   Button{"cmdQBAOT2"}};
    std::array<Place, kButtonCount> smallPlace{};
    std::array<Place, kButtonCount> largePlace{};
    // The window's outer size, set by DisplayQuickbar, and its position.
    int Width = 0, Height = 0;
    int Left = 0, Top = 0;

    // Lays the bar out from the page, shows it when "Show DWL Quickbar" is
    // checked and sets its topmost state.
    void DisplayQuickbar();
    // The state a button box must take after changing to `val`: unchecking
    // the last checked one is refused with a message.
    std::int16_t CheckExist(const std::int16_t& val);

    // Puts stored settings on the page (as clicks would) and places the
    // window; "Lock Workstation" is unchecked and disabled where the
    // workstation cannot be locked.
    void LoadSettings(const QuickbarSettings& settings, bool lockSupported);
    // The page's values and the bar's position, as they are stored.
    QuickbarSettings StoredSettings() const;

    // A close of the window; `byUser` for the close box, the system menu and
    // Alt+F4. False when the window must stay: another program's request
    // would leave "Show DWL Quickbar" checked with no bar.
    bool OnClose(bool byUser);
    // The window now stands at (left, top), moved by the user or brought
    // back onto a screen.
    void OnMoved(int left, int top);
    // The user has dragged the window: where it stands is its place now.
    void OnDragEnded();
    // Stores the place the user gave the bar when it changed since it was
    // last stored; a place on a screen missing for this run is kept.
    void SavePosition();
    void Destroy();

private:
    void ShowButtonSet(bool& blnSmall);
    void ArrangeButtons(const bool& blnHorizontal);
    void Click(int index, bool isLarge);
    void ToggleAlwaysOnTop();
    void MarkChanged();

    IQuickbarWindow& window_;
    Services services_;
    Place place_{};  // as loaded or dragged to by the user
    Place savedPosition_{};
    // When a suspend or hibernation came back: clicks queued before it are old.
    bool woke_ = false;
    std::uint32_t wokeAt_ = 0;
};

}  // namespace dwl
