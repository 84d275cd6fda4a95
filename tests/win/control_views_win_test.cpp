// The Win32 controls of the views against their models, both ways: a value
// set on the model shows in the control; the control's notification, after a
// change made in the control, lands in the model and runs its change handling.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "ui/kit/win32/control_views.h"

namespace dwl::win32 {
namespace {

class ControlViewsTest : public ::testing::Test {
public:
    ControlViewsTest() {
        optA.Group({&optB});
        optB.Group({&optA});
        for (Control* c : std::initializer_list<Control*>{&check, &optA, &optB, &text, &list, &drop, &days, &keys})
            c->onChange = [this, c] { changes += c->Name() + " "; };
        button.onClick = [this] { changes += "cmd "; };
        views.Add<CheckBoxView>(check, 1, {0, 0, 1500, 300});
        views.Add<OptionView>(optA, 2, {0, 300, 1500, 300}, true);
        views.Add<OptionView>(optB, 3, {0, 600, 1500, 300}, false);
        views.Add<ButtonView>(button, 4, {0, 900, 1500, 300});
        views.Add<TextBoxView>(text, 5, {0, 1200, 1500, 300});
        views.Add<ListBoxView>(list, 6, {1600, 0, 1500, 900});
        views.Add<DropDownView>(drop, 7, {1600, 1000, 1500, 1500});
        views.Add<ProgressView>(bar, 8, {1600, 2600, 1500, 300});
        for (const char* item : {"Daily", "Weekly"}) {
            list.AddItem(item);
            drop.AddItem(item);
        }
        changes.clear();
    }
    LRESULT Send(int id, UINT message, WPARAM w = 0, LPARAM l = 0) {
        return SendMessageA(GetDlgItem(parent.get(), id), message, w, l);
    }
    std::string TextOf(int id) {
        char buf[256] = {};
        GetWindowTextA(GetDlgItem(parent.get(), id), buf, sizeof buf);
        return buf;
    }

    UniqueWindow parent{CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr)};
    Dpi dpi;
    CheckBox check{"chk", "Check"};
    OptionButton optA{"optA", "A"}, optB{"optB", "B"};
    Button button{"cmd", "&Press"};
    TextBox text{"txt"};
    ListControl list{"lst"}, drop{"cbo"};
    ProgressBar bar{"bar"};
    CheckedList days{"lstDays"};
    TextBox keys{"txtKey"};
    std::string changes;
    ControlViews views{parent.get(), dpi};
};

TEST_F(ControlViewsTest, ModelValuesShowInTheControls) {
    const struct {
        const char* what;
        std::function<void(ControlViewsTest&)> set;
        std::function<long long(ControlViewsTest&)> read;
        long long expected;
        // clang-format off
    } rows[] = {
        {"check box value", [](auto& t) { t.check.SetValue(1); }, [](auto& t) { return t.Send(1, BM_GETCHECK); }, BST_CHECKED},
        {"check box cleared", [](auto& t) { t.check.SetValue(1); t.check.SetValue(0); },
         [](auto& t) { return t.Send(1, BM_GETCHECK); }, BST_UNCHECKED},
        {"option chosen", [](auto& t) { t.optB.SetValue(true); }, [](auto& t) { return t.Send(3, BM_GETCHECK); }, BST_CHECKED},
        {"other option let go", [](auto& t) { t.optA.SetValue(true); t.optB.SetValue(true); },
         [](auto& t) { return t.Send(2, BM_GETCHECK); }, BST_UNCHECKED},
        {"disabled", [](auto& t) { t.button.SetEnabled(false); },
         [](auto& t) { return static_cast<long long>(IsWindowEnabled(GetDlgItem(t.parent.get(), 4))); }, 0},
        {"hidden", [](auto& t) { t.check.SetVisible(false); }, 
         [](auto& t) { return static_cast<long long>(GetWindowLongA(GetDlgItem(t.parent.get(), 1), GWL_STYLE) & WS_VISIBLE); }, 0},
        {"caption", [](auto& t) { t.button.SetCaption("&Go"); }, [](auto& t) { return t.TextOf(4) == "&Go" ? 1LL : 0LL; }, 1},
        {"text", [](auto& t) { t.text.SetText("9:05"); }, [](auto& t) { return t.TextOf(5) == "9:05" ? 1LL : 0LL; }, 1},
        {"list items", [](auto& t) { t.list.AddItem("Onetime"); }, [](auto& t) { return t.Send(6, LB_GETCOUNT); }, 3},
        {"list choice", [](auto& t) { t.list.SetListIndex(1); }, [](auto& t) { return t.Send(6, LB_GETCURSEL); }, 1},
        {"list cleared", [](auto& t) { t.list.Clear(); }, [](auto& t) { return t.Send(6, LB_GETCOUNT); }, 0},
        {"drop-down choice", [](auto& t) { t.drop.SetListIndex(1); }, [](auto& t) { return t.Send(7, CB_GETCURSEL); }, 1},
        {"drop-down none", [](auto& t) { t.drop.SetListIndex(1); t.drop.SetListIndex(-1); },
         [](auto& t) { return t.Send(7, CB_GETCURSEL); }, CB_ERR},
        {"progress", [](auto& t) { t.bar.SetRange(0, 5); t.bar.SetValue(3); }, [](auto& t) { return t.Send(8, PBM_GETPOS); }, 3},
    };
    // clang-format on
    for (const auto& row : rows) {
        ControlViewsTest& t = *this;
        SCOPED_TRACE(row.what);
        row.set(t);
        EXPECT_EQ(row.read(t), row.expected);
    }
}

TEST_F(ControlViewsTest, NotificationsCarryTheControlsStateIntoTheModel) {
    const struct {
        const char* what;                               // the control whose change handling runs
        std::function<void(ControlViewsTest&)> change;  // in the control, then its notification
        std::function<std::string(ControlViewsTest&)> model;
        std::string expected;
        // clang-format off
    } rows[] = {
        {"chk", [](auto& t) { t.Send(1, BM_SETCHECK, BST_CHECKED); t.views.OnCommand(1, BN_CLICKED); },
         [](auto& t) { return std::to_string(t.check.Value()); }, "1"},
        {"optB", [](auto& t) { t.Send(3, BM_SETCHECK, BST_CHECKED); t.views.OnCommand(3, BN_CLICKED); },
         [](auto& t) { return std::to_string(t.optA.Value()) + std::to_string(t.optB.Value()); }, "01"},
        {"cmd", [](auto& t) { t.views.OnCommand(4, BN_CLICKED); }, [](auto&) { return std::string(); }, ""},
        {"txt", [](auto& t) { SetWindowTextA(GetDlgItem(t.parent.get(), 5), "10:30"); t.views.OnCommand(5, EN_CHANGE); },
         [](auto& t) { return t.text.Text(); }, "10:30"},
        {"lst", [](auto& t) { t.Send(6, LB_SETCURSEL, 1); t.views.OnCommand(6, LBN_SELCHANGE); },
         [](auto& t) { return t.list.Text(); }, "Weekly"},
        {"cbo", [](auto& t) { t.Send(7, CB_SETCURSEL, 0); t.views.OnCommand(7, CBN_SELCHANGE); },
         [](auto& t) { return t.drop.Text(); }, "Daily"},
    };
    // clang-format on
    for (const auto& row : rows) {
        ControlViewsTest& t = *this;
        SCOPED_TRACE(row.what);
        changes.clear();
        row.change(t);
        EXPECT_EQ(row.model(t), row.expected);
        EXPECT_NE(changes.find(std::string(row.what) + " "), std::string::npos) << changes;
    }
    // A notification of another kind, or of an unknown id, changes nothing.
    changes.clear();
    EXPECT_FALSE(views.OnCommand(99, BN_CLICKED));
    views.OnCommand(6, LBN_DBLCLK);
    EXPECT_EQ(changes, "");
}

// The weekly days' list: a click on an item's box ticks it, a click on its
// text only selects, a double click anywhere and Space tick it too.
TEST_F(ControlViewsTest, DaysAreTickedByClickDoubleClickAndSpace) {
    views.Add<CheckedListView>(days, 9, {3200, 0, 1500, 900});
    for (const char* d : {"Mon", "Tue", "Wed"}) days.AddItem(d);
    auto at = [&](int item, bool onBox) {
        RECT r{};
        Send(9, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
        return MAKELPARAM(onBox ? r.left + 2 : r.right - 2, (r.top + r.bottom) / 2);
    };
    auto marks = [this] {
        std::string s;
        for (int i = 0; i < days.Count(); ++i) s += days.Checked(i) ? 'x' : '-';
        return s;
    };
    Send(9, WM_LBUTTONDOWN, MK_LBUTTON, at(0, true));
    Send(9, WM_LBUTTONUP, 0, at(0, true));
    EXPECT_EQ(marks(), "x--");
    Send(9, WM_LBUTTONDOWN, MK_LBUTTON, at(1, false));
    Send(9, WM_LBUTTONUP, 0, at(1, false));
    EXPECT_EQ(marks(), "x--") << "a click on the text";
    Send(9, WM_LBUTTONDBLCLK, MK_LBUTTON, at(1, false));
    Send(9, WM_LBUTTONUP, 0, at(1, false));
    EXPECT_EQ(marks(), "xx-");
    Send(9, LB_SETCARETINDEX, 2);
    Send(9, WM_CHAR, VK_SPACE, 0);
    EXPECT_EQ(marks(), "xxx");
    EXPECT_NE(changes.find("lstDays"), std::string::npos);
}

// A box that takes keys only (a hotkey box) keeps its text against paste,
// cut, Delete and Shift+Delete.
TEST_F(ControlViewsTest, KeyOnlyBoxRefusesPasteCutAndDelete) {
    views.Add<TextBoxView>(keys, 10, {3200, 1000, 1500, 300}, TextInput::KeysOnly);
    keys.SetText("Ctrl + K");
    changes.clear();
    if (OpenClipboard(parent.get())) {
        EmptyClipboard();
        if (HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 2)) {
            std::memcpy(GlobalLock(h), "x", 2);
            GlobalUnlock(h);
            SetClipboardData(CF_TEXT, h);
        }
        CloseClipboard();
    }
    for (UINT message : {WM_PASTE, WM_CUT, WM_CLEAR, WM_KEYDOWN}) {
        Send(10, EM_SETSEL, 0, -1);
        Send(10, message, message == WM_KEYDOWN ? VK_DELETE : 0, 0);
        EXPECT_EQ(TextOf(10), "Ctrl + K") << "message " << message;
    }
    EXPECT_EQ(keys.Text(), "Ctrl + K");
    EXPECT_EQ(changes, "");
}

}  // namespace
}  // namespace dwl::win32
