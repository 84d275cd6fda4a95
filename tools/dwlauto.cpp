// dwlauto: finds and drives the windows of another process for the end-to-end
// tests. Results go to stdout; exit code 0 = success, 1 = not found or failed,
// 2 = bad usage. A window is named by class and title globs ('*' any run, '?'
// any character; the class case-insensitively); a visible match wins.
#include <windows.h>

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
    const bool same = icase ? std::tolower(static_cast<unsigned char>(*p)) == std::tolower(static_cast<unsigned char>(*s))
                            : *p == *s;
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
    return (wide ? SendMessageTimeoutW : SendMessageTimeoutA)(h, msg, w, l, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                                                              result) != 0;
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
    static const struct { const char* name; WORD vk; } named[] = {
        {"ctrl", VK_CONTROL}, {"alt", VK_MENU}, {"shift", VK_SHIFT}, {"tab", VK_TAB}};
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

// Presses the button of a visible dialog whose caption, without its &, is `wanted`.
int cmd_dialog_press(const std::string& wanted, DWORD timeout) {
    HWND button = poll(timeout, [&]() -> HWND {
        for (HWND dlg : top_windows()) {
            if (class_of(dlg) != "#32770" || !IsWindowVisible(dlg)) continue;
            for (HWND c : descendants(dlg)) {
                std::string text, label;
                if (lower(class_of(c)) != "button" || !IsWindowVisible(c) || !control_text(c, text)) continue;
                for (char ch : text)
                    if (ch != '&') label += ch;
                if (lower(label) == lower(wanted)) return c;
            }
        }
        return nullptr;
    });
    return button ? notify_parent(button, BN_CLICKED) : fail("no visible dialog with a button '" + wanted + "'");
}

// Commands: windows | keys <chord>... | dialog-text [ms] | dialog-press <button> [ms]
//   find|idle <class> <title> [ms] | visible|client <class> <title>
//   text|items|click|checked|enabled|ctlvisible|rect <class> <title> <control id>
//   command <class> <title> <id> | select <class> <title> <id> <index>
//   message <class> <title> <msg> <wparam> <lparam>
int usage() { return fail("usage: dwlauto windows|keys|dialog-text|dialog-press|find|idle|visible|client|text|items|"
                          "click|checked|enabled|ctlvisible|rect|command|select|message <arguments>", kUsage); }

int run(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string cmd = argv[1];
    std::vector<long long> nums;
    for (int i = cmd == "dialog-press" ? 3 : cmd == "dialog-text" ? 2 : 4; i < argc && cmd != "keys"; ++i) {
        char* end = nullptr;
        nums.push_back(std::strtoll(argv[i], &end, 0));
        if (end == argv[i] || *end != '\0') return fail(std::string("not a number: ") + argv[i], kUsage);
    }
    const DWORD timeout = nums.empty() ? 10000 : static_cast<DWORD>(nums[0]);

    if (cmd == "windows") {
        for (HWND h : top_windows()) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            say(num(reinterpret_cast<ULONG_PTR>(h)) + '\t' + num(pid) + '\t' + (IsWindowVisible(h) ? "1" : "0") +
                '\t' + class_of(h) + '\t' + title_of(h));
        }
        return kOk;
    }
    if (cmd == "keys") return argc >= 3 ? cmd_keys(argc, argv) : usage();
    if (cmd == "dialog-press") return argc >= 3 ? cmd_dialog_press(argv[2], timeout) : usage();
    if (cmd == "dialog-text") {  // the first visible dialog's title and static texts
        HWND dlg = poll(timeout, [] { return find_top("#32770", "*", true); });
        if (dlg == nullptr) return fail("no visible dialog");
        say(title_of(dlg));
        std::string text;
        for (HWND c : descendants(dlg))
            if (lower(class_of(c)) == "static" && control_text(c, text) && !text.empty()) say(text);
        return kOk;
    }
    if (argc < 4) return usage();

    // Everything else names a top-level window first.
    const char *cls = argv[2], *title = argv[3];
    HWND top = poll(cmd == "find" || cmd == "idle" ? timeout : 0, [&] { return find_top(cls, title); });
    if (top == nullptr) return fail(std::string("no window of class '") + cls + "' titled '" + title + "'");
    if (cmd == "find") return say(num(reinterpret_cast<ULONG_PTR>(top)));
    if (cmd == "idle") {  // the window's process waits for input
        DWORD pid = 0;
        GetWindowThreadProcessId(top, &pid);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
        const DWORD r = process ? WaitForInputIdle(process, timeout) : WAIT_FAILED;
        if (process) CloseHandle(process);
        return r == 0 ? kOk : fail("the process did not become idle");
    }
    if (cmd == "visible") return say_flag(IsWindowVisible(top));
    if (cmd == "client") {  // the client area on the screen, and the screen's vertical DPI
        RECT r{};
        POINT origin{0, 0};
        if (!GetClientRect(top, &r) || !ClientToScreen(top, &origin)) return kFailed;
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return say(num(origin.x) + " " + num(origin.y) + " " + num(r.right) + " " + num(r.bottom) + " " + num(dpi));
    }
    if (nums.empty()) return usage();
    if (cmd == "command") return post(top, WM_COMMAND, MAKEWPARAM(nums[0], 0), 0);
    if (cmd == "message") return nums.size() == 3 ? post(top, static_cast<UINT>(nums[0]), nums[1], nums[2]) : usage();

    HWND ctl = top;
    if (nums[0] != 0) {
        ctl = nullptr;
        for (HWND c : descendants(top))
            if (ctl == nullptr && GetDlgCtrlID(c) == nums[0]) ctl = c;
        if (ctl == nullptr) return fail("no control with id " + num(nums[0]) + " in '" + title_of(top) + "'");
    }
    std::string text;
    DWORD_PTR state = 0;
    if (cmd == "text") return ctl == top ? say(title_of(top)) : control_text(ctl, text) ? say(text) : fail("no answer");
    if (cmd == "items") return cmd_items(ctl);
    if (cmd == "enabled") return say_flag(IsWindowEnabled(ctl));
    if (cmd == "ctlvisible") return say_flag(IsWindowVisible(ctl));
    if (cmd == "checked") return send(ctl, BM_GETCHECK, 0, 0, &state) ? say(num(state)) : kFailed;
    if (cmd == "click") return post(ctl, BM_CLICK, 0, 0);
    if (cmd == "rect") {
        RECT r{};
        if (!GetWindowRect(ctl, &r)) return kFailed;
        return say(num(r.left) + " " + num(r.top) + " " + num(r.right - r.left) + " " + num(r.bottom - r.top));
    }
    if (cmd == "select" && nums.size() == 2) {  // a list's item, with the list's own notification
        send(ctl, is_combo(ctl) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(nums[1]), 0, &state);
        return notify_parent(ctl, is_combo(ctl) ? CBN_SELCHANGE : LBN_SELCHANGE);
    }
    return usage();
}

} // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const int rc = run(argc, argv);
    std::fflush(stdout);
    return rc;
}
