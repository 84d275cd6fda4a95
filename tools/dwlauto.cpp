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
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr int kOk = 0, kFailed = 1, kUsage = 2;

int fail(const std::string& why) {
    std::fprintf(stderr, "%s\n", why.c_str());
    return kFailed;
}
int say(const std::string& s) {
    std::printf("%s\n", s.c_str());
    return kOk;
}
int say(bool b) { return say(std::string(b ? "1" : "0")); }

// One line per item in listings: line breaks and tabs are shown escaped.
std::string one_line(const std::string& s) {
    std::string r;
    for (char c : s) r += c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\t' ? "\\t" : std::string(1, c);
    return r;
}

// Decimal, negative or 0x hex; false for anything else.
bool parse_number(const char* s, long long& v) {
    char* end = nullptr;
    v = std::strtoll(s, &end, 0);
    if (end == s || *end != '\0') v = static_cast<long long>(std::strtoull(s, &end, 0));
    return end != s && *end == '\0';
}

char fold(char c, bool icase) { return icase && c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool glob(const char* p, const char* s, bool icase) {
    if (*p == '*') return glob(p + 1, s, icase) || (*s != '\0' && glob(p, s + 1, icase));
    if (*s == '\0') return *p == '\0';
    return (*p == '?' || fold(*p, icase) == fold(*s, icase)) && glob(p + 1, s + 1, icase);
}

std::string lower(std::string s) {
    for (char& c : s) c = fold(c, true);
    return s;
}

std::string class_of(HWND h) {
    char buf[256];
    const int n = GetClassNameA(h, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

// Caption of a top-level window; never blocks on a hung owner.
std::string title_of(HWND h) {
    char buf[1024];
    const int n = GetWindowTextA(h, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

// Text of a control of another process: WM_GETTEXT, bounded in time.
bool control_text(HWND h, std::string& text) {
    DWORD_PTR len = 0, got = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &len)) return false;
    std::string s(len + 1, '\0');
    if (!SendMessageTimeoutA(h, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(s.data()), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &got))
        return false;
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

HWND find_control(HWND top, int id) {
    if (id == 0) return top;
    for (HWND c : descendants(top))
        if (GetDlgCtrlID(c) == id) return c;
    return nullptr;
}

int post(HWND h, UINT msg, WPARAM w, LPARAM l) {
    return PostMessageA(h, msg, w, l) ? kOk : fail("PostMessage failed, error " + std::to_string(GetLastError()));
}

// "ctrl+alt+F9": presses the keys in order and releases them in reverse. The
// events enter Wine as hardware input, so global hotkeys fire whatever window
// has the X focus.
int cmd_keys(int argc, char** argv) {
    static const struct { const char* name; WORD vk; } named[] = {
        {"ctrl", VK_CONTROL}, {"alt", VK_MENU}, {"shift", VK_SHIFT}, {"tab", VK_TAB},
        {"enter", VK_RETURN}, {"esc", VK_ESCAPE}, {"down", VK_DOWN}, {"up", VK_UP}};
    for (int a = 2; a < argc; ++a) {
        std::vector<INPUT> events;
        std::string chord = argv[a];
        for (size_t start = 0; start <= chord.size();) {
            size_t plus = chord.find('+', start);
            if (plus == std::string::npos) plus = chord.size();
            const std::string part = lower(chord.substr(start, plus - start));
            start = plus + 1;
            WORD vk = 0;
            if (part.size() == 1 && std::isalnum(static_cast<unsigned char>(part[0])))
                vk = static_cast<WORD>(std::toupper(static_cast<unsigned char>(part[0])));
            for (const auto& k : named)
                if (part == k.name) vk = k.vk;
            if (vk == 0) return fail("unknown key '" + part + "'"), kUsage;
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = vk;
            in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
            in.ki.dwFlags = vk >= VK_LEFT && vk <= VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0;
            events.push_back(in);
        }
        for (size_t i = events.size(); i-- > 0;) {
            events.push_back(events[i]);
            events.back().ki.dwFlags |= KEYEVENTF_KEYUP;
        }
        if (SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT)) != events.size())
            return fail("SendInput failed, error " + std::to_string(GetLastError()));
        Sleep(50);
    }
    return kOk;
}

// Items of a list box or combo box, read as wide texts: Wine hands ANSI
// senders the UTF-16 text of another process's list unconverted.
int cmd_items(HWND ctl) {
    const bool combo = lower(class_of(ctl)).find("combobox") != std::string::npos;
    if (!combo && lower(class_of(ctl)).find("listbox") == std::string::npos)
        return fail("control of class '" + class_of(ctl) + "' has no items");
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(ctl, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count) ||
        static_cast<LRESULT>(count) < 0)
        return fail("cannot read the item count");
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR len = 0, got = 0;
        SendMessageTimeoutW(ctl, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &len);
        std::wstring w(static_cast<LRESULT>(len) < 0 ? 0 : len + 1, L'\0');
        if (w.empty() || !SendMessageTimeoutW(ctl, combo ? CB_GETLBTEXT : LB_GETTEXT, i,
                                              reinterpret_cast<LPARAM>(w.data()), SMTO_ABORTIFHUNG, kSendTimeoutMs, &got))
            return fail("cannot read item " + std::to_string(i));
        char s[4096] = {};
        WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, s, sizeof s - 1, nullptr, nullptr);
        say(one_line(s));
    }
    return kOk;
}

// The first visible dialog's title and static texts.
int cmd_dialog_text(DWORD timeout) {
    HWND dlg = poll(timeout, [] { return find_top("#32770", "*", true); });
    if (dlg == nullptr) return fail("no visible dialog");
    say(title_of(dlg));
    std::string text;
    for (HWND c : descendants(dlg))
        if (lower(class_of(c)) == "static" && control_text(c, text) && !text.empty()) say(text);
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
    if (button == nullptr) return fail("no visible dialog with a button '" + wanted + "'");
    // The notification the button itself would send: no focus or capture needed.
    return post(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                reinterpret_cast<LPARAM>(button));
}

int usage() {
    std::fputs("usage: dwlauto <command> ...\n"
               "  windows | keys <chord>... (ctrl alt shift tab enter esc up down a-z 0-9)\n"
               "  dialog-text [timeout_ms] | dialog-press <button text> [timeout_ms]\n"
               "  find|idle <class> <title> [timeout_ms]   idle: the window's process waits for input\n"
               "  visible|children|client <class> <title>   client: left top width height dpi\n"
               "  text|items|click|checked|enabled|ctlvisible|rect <class> <title> <control id>\n"
               "  command <class> <title> <command id>\n"
               "  select <class> <title> <control id> <index>   a list's item, with its notification\n"
               "  message <class> <title> <msg> <wparam> <lparam>\n",
               stderr);
    return kUsage;
}

int run(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string cmd = argv[1];
    std::vector<long long> nums;
    for (int i = cmd == "dialog-press" ? 3 : cmd == "dialog-text" ? 2 : 4; i < argc && cmd != "keys"; ++i) {
        long long v = 0;
        if (!parse_number(argv[i], v)) return fail(std::string("not a number: ") + argv[i]), kUsage;
        nums.push_back(v);
    }
    const DWORD timeout = nums.empty() ? 10000 : static_cast<DWORD>(nums[0]);

    if (cmd == "windows") {
        for (HWND h : top_windows()) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            say(std::to_string(reinterpret_cast<ULONG_PTR>(h)) + '\t' + std::to_string(pid) + '\t' +
                (IsWindowVisible(h) ? "1" : "0") + '\t' + one_line(class_of(h)) + '\t' + one_line(title_of(h)));
        }
        return kOk;
    }
    if (cmd == "keys") return argc >= 3 ? cmd_keys(argc, argv) : usage();
    if (cmd == "dialog-text") return cmd_dialog_text(timeout);
    if (cmd == "dialog-press") return argc >= 3 ? cmd_dialog_press(argv[2], timeout) : usage();
    if (argc < 4) return usage();

    // Everything else names a top-level window first.
    const char* cls = argv[2];
    const char* title = argv[3];
    HWND top = poll(cmd == "find" || cmd == "idle" ? timeout : 0, [&] { return find_top(cls, title); });
    if (top == nullptr) return fail(std::string("no window of class '") + cls + "' titled '" + title + "'");
    if (cmd == "find") return say(std::to_string(reinterpret_cast<ULONG_PTR>(top)));
    if (cmd == "idle") {
        DWORD pid = 0;
        GetWindowThreadProcessId(top, &pid);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
        const DWORD r = process ? WaitForInputIdle(process, timeout) : WAIT_FAILED;
        if (process) CloseHandle(process);
        return r == 0 ? kOk : fail("the process did not become idle");
    }
    if (cmd == "visible") return say(IsWindowVisible(top) != FALSE);
    if (cmd == "client") {
        // The client area on the screen, and the screen's vertical DPI.
        RECT r{};
        POINT origin{0, 0};
        if (!GetClientRect(top, &r) || !ClientToScreen(top, &origin)) return kFailed;
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return say(std::to_string(origin.x) + " " + std::to_string(origin.y) + " " + std::to_string(r.right) + " " +
                   std::to_string(r.bottom) + " " + std::to_string(dpi));
    }
    if (cmd == "children") {
        for (HWND c : descendants(top)) {
            std::string text = "<no answer>";
            control_text(c, text);
            say(std::to_string(GetDlgCtrlID(c)) + '\t' + one_line(class_of(c)) + '\t' +
                (IsWindowVisible(c) ? "1" : "0") + '\t' + one_line(text));
        }
        return kOk;
    }
    if (nums.empty()) return usage();
    if (cmd == "command") return post(top, WM_COMMAND, MAKEWPARAM(nums[0], 0), 0);
    if (cmd == "message") return nums.size() == 3 ? post(top, static_cast<UINT>(nums[0]), nums[1], nums[2]) : usage();

    HWND ctl = find_control(top, static_cast<int>(nums[0]));
    if (ctl == nullptr) return fail("no control with id " + std::to_string(nums[0]) + " in '" + title_of(top) + "'");
    std::string text;
    if (cmd == "text") return ctl == top ? say(title_of(top)) : control_text(ctl, text) ? say(text) : fail("no answer");
    if (cmd == "items") return cmd_items(ctl);
    if (cmd == "enabled") return say(IsWindowEnabled(ctl) != FALSE);
    if (cmd == "ctlvisible") return say(IsWindowVisible(ctl) != FALSE);
    if (cmd == "checked") {
        DWORD_PTR state = 0;
        if (!SendMessageTimeoutA(ctl, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &state)) return kFailed;
        return say(std::to_string(state));
    }
    if (cmd == "rect") {
        RECT r{};
        if (!GetWindowRect(ctl, &r)) return kFailed;
        return say(std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right - r.left) +
                   " " + std::to_string(r.bottom - r.top));
    }
    if (cmd == "click") return post(ctl, BM_CLICK, 0, 0);
    if (cmd == "select") {
        // Selects an item and tells the parent as the list itself would.
        if (nums.size() != 2) return usage();
        const bool combo = lower(class_of(ctl)).find("combobox") != std::string::npos;
        DWORD_PTR r = 0;
        SendMessageTimeoutA(ctl, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(nums[1]), 0,
                            SMTO_ABORTIFHUNG, kSendTimeoutMs, &r);
        return post(GetParent(ctl), WM_COMMAND,
                    MAKEWPARAM(GetDlgCtrlID(ctl), combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(ctl));
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
