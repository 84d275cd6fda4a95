// dwlauto: finds and drives the windows of another process for the end-to-end
// tests. Results go to stdout; exit code 0 = success, 1 = not found or failed,
// 2 = bad usage. A window is named by class and title globs ('*' any run, '?'
// any character; the class case-insensitively); a visible match wins.
#include <windows.h>
#include <commctrl.h>

#include <fcntl.h>
#include <io.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr int kOk = 0, kFailed = 1, kUsage = 2;

int fail(const std::string& why, int rc = kFailed) { return std::fprintf(stderr, "%s\n", why.c_str()), rc; }
int say(const std::string& s) { return std::printf("%s\n", s.c_str()), kOk; }
int say_flag(BOOL b) { return say(b ? "1" : "0"); }
std::string num(long long n) { return std::to_string(n); }

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool glob(const char* p, const char* s, bool icase) {
    if (*p == '*') return glob(p + 1, s, icase) || (*s != '\0' && glob(p, s + 1, icase));
    if (*s == '\0') return *p == '\0';
    const bool same =
        icase ? std::tolower(static_cast<unsigned char>(*p)) == std::tolower(static_cast<unsigned char>(*s)) : *p == *s;
    return (*p == '?' || same) && glob(p + 1, s + 1, icase);
}

// The class, or the caption of a top-level window (which never blocks on a hung owner).
std::string class_of(HWND h, bool title = false) {
    char buf[1024];
    const int n = title ? GetWindowTextA(h, buf, sizeof buf) : GetClassNameA(h, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}
std::string title_of(HWND h) { return class_of(h, true); }

bool send(HWND h, UINT msg, WPARAM w, LPARAM l, DWORD_PTR* result, bool wide = false) {
    return (wide ? SendMessageTimeoutW : SendMessageTimeoutA)(h, msg, w, l, SMTO_ABORTIFHUNG, kSendTimeoutMs, result) !=
           0;
}

// Text of a control of another process: WM_GETTEXT, bounded in time.
bool control_text(HWND h, std::string& text) {
    DWORD_PTR len = 0, got = 0;
    if (!send(h, WM_GETTEXTLENGTH, 0, 0, &len)) return false;
    std::string s(len + 1, '\0');
    if (!send(h, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(s.data()), &got)) return false;
    text = s.c_str();
    return true;
}

BOOL CALLBACK collect(HWND h, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
    return TRUE;
}

// Top-level and message-only windows of other processes, in Z order.
std::vector<HWND> top_windows() {
    std::vector<HWND> all, others;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&all));
    for (HWND m = nullptr; (m = FindWindowExA(HWND_MESSAGE, m, nullptr, nullptr)) != nullptr;) all.push_back(m);
    for (HWND h : all) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid != GetCurrentProcessId()) others.push_back(h);
    }
    return others;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> list;
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&list));
    return list;
}

HWND find_top(const char* cls, const char* title, bool visible_only = false) {
    HWND hidden = nullptr;
    for (HWND h : top_windows()) {
        if (!glob(cls, class_of(h).c_str(), true) || !glob(title, title_of(h).c_str(), false)) continue;
        if (IsWindowVisible(h)) return h;
        if (hidden == nullptr && !visible_only) hidden = h;
    }
    return hidden;
}

// Repeats the probe every 100 ms until it gives a true value or time is up.
template <typename Probe>
auto poll(DWORD timeout_ms, Probe probe) -> decltype(probe()) {
    const DWORD start = GetTickCount();
    for (;;) {
        auto r = probe();
        if (r || GetTickCount() - start >= timeout_ms) return r;
        Sleep(100);
    }
}

int post(HWND h, UINT msg, WPARAM w, LPARAM l) {
    return PostMessageA(h, msg, w, l) ? kOk : fail("PostMessage failed, error " + num(GetLastError()));
}

// The notification a control itself would send its parent.
int notify_parent(HWND ctl, WORD code) {
    return post(GetParent(ctl), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ctl), code), reinterpret_cast<LPARAM>(ctl));
}

// "ctrl+alt+p": presses the keys in order and releases them in reverse. The
// events enter Wine as hardware input, so global hotkeys fire whatever window
// has the X focus.
int cmd_keys(int argc, char** argv) {
    // clang-format off
    static const struct { const char* name; WORD vk; } named[] = {
        {"ctrl", VK_CONTROL}, {"alt", VK_MENU}, {"shift", VK_SHIFT}, {"tab", VK_TAB}, {"esc", VK_ESCAPE},
        {"return", VK_RETURN}, {"right", VK_RIGHT}, {"down", VK_DOWN}, {"up", VK_UP}};
    for (int a = 2; a < argc; ++a) {
        std::vector<INPUT> events;
        const std::string chord = lower(argv[a]) + "+";
        for (size_t start = 0, plus; (plus = chord.find('+', start)) != std::string::npos; start = plus + 1) {
            const std::string part = chord.substr(start, plus - start);
            WORD vk = 0;
            if (part.size() == 1 && std::isalnum(static_cast<unsigned char>(part[0])))
                vk = static_cast<WORD>(std::toupper(static_cast<unsigned char>(part[0])));
            for (const auto& k : named)
                if (part == k.name) vk = k.vk;
            if (vk == 0) return fail("unknown key '" + part + "'", kUsage);
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = vk;
            in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
            events.push_back(in);
        }
        for (size_t i = events.size(); i-- > 0;) {
            events.push_back(events[i]);
            events.back().ki.dwFlags |= KEYEVENTF_KEYUP;
        }
        if (SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT)) != events.size())
            return fail("SendInput failed, error " + num(GetLastError()));
        Sleep(50);
    }
    return kOk;
}

bool is_combo(HWND ctl) { return lower(class_of(ctl)).find("combobox") != std::string::npos; }

// Items of a list box or combo box, read as wide texts: Wine hands ANSI
// senders the UTF-16 text of another process's list unconverted.
int cmd_items(HWND ctl) {
    const bool combo = is_combo(ctl);
    DWORD_PTR count = 0;
    if (!send(ctl, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, &count, true) || static_cast<LRESULT>(count) < 0)
        return fail("cannot read the item count of a '" + class_of(ctl) + "'");
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR len = 0, got = 0;
        send(ctl, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0, &len, true);
        std::wstring w(static_cast<LRESULT>(len) < 0 ? 0 : len + 1, L'\0');
        if (w.empty() || !send(ctl, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(w.data()), &got, true))
            return fail("cannot read item " + num(i));
        char s[4096] = {};
        WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, s, sizeof s - 1, nullptr, nullptr);
        say(s);
    }
    return kOk;
}

// Presses the button of a visible dialog whose caption, without its &, is
// `wanted`, or whose id is the number after "#" (#1 is OK in any language).
int cmd_dialog_press(const std::string& wanted, DWORD timeout) {
    HWND button = poll(timeout, [&]() -> HWND {
        for (HWND dlg : top_windows()) {
            if (class_of(dlg) != "#32770" || !IsWindowVisible(dlg)) continue;
            for (HWND c : descendants(dlg)) {
                std::string text, label;
                if (lower(class_of(c)) != "button" || !IsWindowVisible(c) || !control_text(c, text)) continue;
                for (char ch : text)
                    if (ch != '&') label += ch;
                if (lower(label) == lower(wanted) || wanted == "#" + num(GetDlgCtrlID(c))) return c;
            }
        }
        return nullptr;
    });
    return button ? notify_parent(button, BN_CLICKED) : fail("no visible dialog with a button '" + wanted + "'");
}

// What a command works on: nothing, a top-level window (<class> <title>) or
// one of its controls (<class> <title> <control id>, 0 for the window itself).
enum class Target { None, Window, Control };

struct Args {
    int argc;
    char** argv;
    std::vector<long long> nums;  // the numbers after the window's names and the control id
    HWND top = nullptr, ctl = nullptr;
    DWORD timeout() const { return nums.empty() ? 10000 : static_cast<DWORD>(nums[0]); }
};

struct Command {
    const char* name;
    Target target;
    int numbers;  // how many numbers it takes at least
    const char* help;
    int (*run)(Args&);
};

const Command kCommands[] = {
    {"windows", Target::None, 0, "every top-level window: handle, process, visible, class, title", [](Args&) {
         for (HWND h : top_windows()) {
             DWORD pid = 0;
             GetWindowThreadProcessId(h, &pid);
             say(num(reinterpret_cast<ULONG_PTR>(h)) + '\t' + num(pid) + '\t' + (IsWindowVisible(h) ? "1" : "0") +
                 '\t' + class_of(h) + '\t' + title_of(h));
         }
         return kOk;
     }},
    {"keys", Target::None, 0, "<chord>...  keys as hardware input, e.g. ctrl+shift+alt+p esc",
     [](Args& a) { return a.argc >= 3 ? cmd_keys(a.argc, a.argv) : kUsage; }},
    {"dialog-text", Target::None, 0, "[ms]  the first visible dialog's title and texts", [](Args& a) {
         HWND dlg = poll(a.timeout(), [] { return find_top("#32770", "*", true); });
         if (dlg == nullptr) return fail("no visible dialog");
         say(title_of(dlg));
         std::string text;
         for (HWND c : descendants(dlg))
             if (lower(class_of(c)) == "static" && control_text(c, text) && !text.empty()) say(text);
         return kOk;
     }},
    {"dialog-press", Target::None, 0, "<button text>|#<id> [ms]  presses a visible dialog's button",
     [](Args& a) { return a.argc >= 3 ? cmd_dialog_press(a.argv[2], a.timeout()) : kUsage; }},
    {"attributes", Target::None, 0, "<path>  a file's attributes (FILE_ATTRIBUTE_*), in decimal", [](Args& a) {
         return a.argc >= 3 ? say(num(GetFileAttributesA(a.argv[2]))) : kUsage;
     }},
    {"dialog-type", Target::None, 0, "<text> [ms]  types into the first edit of a visible dialog", [](Args& a) {
         if (a.argc < 3) return kUsage;
         HWND edit = poll(a.timeout(), [] {
             for (HWND dlg : top_windows())
                 if (class_of(dlg) == "#32770" && IsWindowVisible(dlg))
                     for (HWND c : descendants(dlg))
                         if (lower(class_of(c)) == "edit" && IsWindowVisible(c)) return c;
             return HWND{};
         });
         DWORD_PTR r = 0;
         return edit && send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a.argv[2]), &r) ? kOk
                                                                                           : fail("no edit in a visible dialog");
     }},
    {"find", Target::Window, 0, "[ms]  waits for the window, prints its handle",
     [](Args& a) { return say(num(reinterpret_cast<ULONG_PTR>(a.top))); }},
    {"idle", Target::Window, 0, "[ms]  waits until the window's process waits for input", [](Args& a) {
         DWORD pid = 0;
         GetWindowThreadProcessId(a.top, &pid);
         HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
         const DWORD r = process ? WaitForInputIdle(process, a.timeout()) : WAIT_FAILED;
         if (process) CloseHandle(process);
         return r == 0 ? kOk : fail("the process did not become idle");
     }},
    {"enabled-ids", Target::Window, 1, "<id>...  1 or 0 for each control, in one line", [](Args& a) {
         std::string flags;
         const std::vector<HWND> all = descendants(a.top);
         for (long long id : a.nums) {
             HWND c = nullptr;
             for (HWND d : all)
                 if (!c && GetDlgCtrlID(d) == id) c = d;
             flags += c == nullptr ? '-' : IsWindowEnabled(c) ? '1' : '0';
         }
         return say(flags);
     }},
    {"visible", Target::Window, 0, "1 or 0", [](Args& a) { return say_flag(IsWindowVisible(a.top)); }},
    {"client", Target::Window, 0, "the client area on the screen: left top width height dpi", [](Args& a) {
         RECT r{};
         POINT origin{0, 0};
         if (!GetClientRect(a.top, &r) || !ClientToScreen(a.top, &origin)) return kFailed;
         HDC screen = GetDC(nullptr);
         const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
         ReleaseDC(nullptr, screen);
         return say(num(origin.x) + " " + num(origin.y) + " " + num(r.right) + " " + num(r.bottom) + " " + num(dpi));
     }},
    {"command", Target::Window, 1, "<id>  posts WM_COMMAND (a menu item)",
     [](Args& a) { return post(a.top, WM_COMMAND, MAKEWPARAM(a.nums[0], 0), 0); }},
    {"message", Target::Window, 3, "<msg> <wparam> <lparam>  posts a message",
     [](Args& a) { return post(a.top, static_cast<UINT>(a.nums[0]), a.nums[1], a.nums[2]); }},
    {"text", Target::Control, 0, "its text (the window's: its title)", [](Args& a) {
         std::string text;
         return a.ctl == a.top ? say(title_of(a.top)) : control_text(a.ctl, text) ? say(text) : fail("no answer");
     }},
    {"items", Target::Control, 0, "a list's items, one a line", [](Args& a) { return cmd_items(a.ctl); }},
    {"enabled", Target::Control, 0, "1 or 0", [](Args& a) { return say_flag(IsWindowEnabled(a.ctl)); }},
    {"ctlvisible", Target::Control, 0, "1 or 0", [](Args& a) { return say_flag(IsWindowVisible(a.ctl)); }},
    {"checked", Target::Control, 0, "a button's check state", [](Args& a) {
         DWORD_PTR state = 0;
         return send(a.ctl, BM_GETCHECK, 0, 0, &state) ? say(num(state)) : kFailed;
     }},
    {"click", Target::Control, 0, "presses a button", [](Args& a) { return post(a.ctl, BM_CLICK, 0, 0); }},
    {"rect", Target::Control, 0, "on the screen: left top width height", [](Args& a) {
         RECT r{};
         if (!GetWindowRect(a.ctl, &r)) return kFailed;
         return say(num(r.left) + " " + num(r.top) + " " + num(r.right - r.left) + " " + num(r.bottom - r.top));
     }},
    {"select", Target::Control, 1, "<index>  chooses a list's item or a tab, with the control's own notification",
     [](Args& a) {
         DWORD_PTR r = 0;
         // A tab strip notifies its parent itself when the focus goes to a tab.
         if (lower(class_of(a.ctl)) == "systabcontrol32")
             return send(a.ctl, TCM_SETCURFOCUS, static_cast<WPARAM>(a.nums[0]), 0, &r) ? 0 : kFailed;
         send(a.ctl, is_combo(a.ctl) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(a.nums[0]), 0, &r);
         return notify_parent(a.ctl, is_combo(a.ctl) ? CBN_SELCHANGE : LBN_SELCHANGE);
     }},
};

int usage() {
    static const char* const kTargets[] = {"", " <class> <title>", " <class> <title> <control id>"};
    std::fputs("usage: dwlauto <command> ...\n", stderr);
    for (const Command& c : kCommands)
        std::fprintf(stderr, "  %s%s  %s\n", c.name, kTargets[static_cast<int>(c.target)], c.help);
    return kUsage;
}

int run(int argc, char** argv) {
    const Command* command = nullptr;
    for (const Command& c : kCommands)
        if (argc >= 2 && argv[1] == std::string(c.name)) command = &c;
    if (command == nullptr) return usage();
    Args args{argc, argv, {}};
    // Numbers follow the names: none for keys, after the button text for dialog-press.
    const std::string name = argv[1];
    const int first = command->target != Target::None                                            ? 4
                      : name == "dialog-press" || name == "attributes" || name == "dialog-type" ? 3
                      : name == "keys"                                                          ? argc
                                                                                                : 2;
    for (int i = first; i < argc; ++i) {
        char* end = nullptr;
        args.nums.push_back(std::strtoll(argv[i], &end, 0));
        if (end == argv[i] || *end != '\0') return fail(std::string("not a number: ") + argv[i], kUsage);
    }
    if (command->target == Target::None) {
        const int rc = command->run(args);
        return rc == kUsage ? usage() : rc;
    }
    if (argc < 4) return usage();
    const char *cls = argv[2], *title = argv[3];
    const bool waits = name == "find" || name == "idle";
    args.top = poll(waits ? args.timeout() : 0, [&] { return find_top(cls, title); });
    if (args.top == nullptr) return fail(std::string("no window of class '") + cls + "' titled '" + title + "'");
    if (command->target == Target::Control) {
        if (args.nums.empty()) return usage();
        const long long id = args.nums.front();
        args.nums.erase(args.nums.begin());
        args.ctl = args.top;
        if (id != 0) {
            args.ctl = nullptr;
            for (HWND c : descendants(args.top))
                if (args.ctl == nullptr && GetDlgCtrlID(c) == id) args.ctl = c;
            if (args.ctl == nullptr) return fail("no control with id " + num(id) + " in '" + title_of(args.top) + "'");
        }
    }
    if (static_cast<int>(args.nums.size()) < command->numbers) return usage();
    return command->run(args);
}

} // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const int rc = run(argc, argv);
    std::fflush(stdout);
    return rc;
}

// clang-format on