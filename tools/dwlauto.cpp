// dwlauto: finds and drives the windows of another process for the end-to-end
// tests. Results go to stdout; exit code 0 = success, 1 = not found or failed,
// 2 = bad usage. Window patterns are globs ('*' any run, '?' any character);
// the class is compared case-insensitively, the title case-sensitively.
// Run without arguments for the list of commands.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr DWORD kDefaultTimeoutMs = 10000;
constexpr DWORD kPollMs = 100;
constexpr UINT kSendTimeoutMs = 5000;

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

// ---- output -------------------------------------------------------------

void out(std::string_view s) { std::fwrite(s.data(), 1, s.size(), stdout); }
void outln(std::string_view s) {
    out(s);
    out("\n");
}
void err(std::string_view s) {
    std::fwrite(s.data(), 1, s.size(), stderr);
    std::fputc('\n', stderr);
}

std::string hex(unsigned long long v) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    do {
        s.insert(s.begin(), digits[v & 0xf]);
        v >>= 4;
    } while (v != 0);
    return "0x" + s;
}

std::string handle_str(HWND h) { return hex(reinterpret_cast<ULONG_PTR>(h)); }

// One line per item in listings: line breaks and tabs are shown escaped.
std::string one_line(const std::string& s) {
    std::string r;
    for (char c : s) {
        if (c == '\r') r += "\\r";
        else if (c == '\n') r += "\\n";
        else if (c == '\t') r += "\\t";
        else r += c;
    }
    return r;
}

// ---- parsing ------------------------------------------------------------

// Decimal (optionally negative) or 0x hex.
std::optional<unsigned long long> parse_number(const char* s) {
    if (s == nullptr || *s == '\0') return std::nullopt;
    char* end = nullptr;
    errno = 0;
    unsigned long long v = 0;
    if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        if (s[2] == '\0') return std::nullopt;
        v = std::strtoull(s + 2, &end, 16);
    } else if (s[0] == '-') {
        v = static_cast<unsigned long long>(std::strtoll(s, &end, 10));
    } else {
        v = std::strtoull(s, &end, 10);
    }
    if (errno != 0 || end == nullptr || *end != '\0') return std::nullopt;
    return v;
}

std::optional<DWORD> parse_timeout(int argc, char** argv, int index) {
    if (index >= argc) return kDefaultTimeoutMs;
    auto v = parse_number(argv[index]);
    if (!v || *v > 0x7fffffffULL) return std::nullopt;
    return static_cast<DWORD>(*v);
}

// ---- matching -----------------------------------------------------------

char fold(char c, bool icase) {
    return (icase && c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool glob_match(std::string_view pat, std::string_view s, bool icase) {
    size_t p = 0, i = 0, star = std::string_view::npos, mark = 0;
    while (i < s.size()) {
        if (p < pat.size() && pat[p] == '*') {
            star = p++;
            mark = i;
        } else if (p < pat.size() && (pat[p] == '?' || fold(pat[p], icase) == fold(s[i], icase))) {
            ++p;
            ++i;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            i = ++mark;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p] == '*') ++p;
    return p == pat.size();
}

std::string lower(std::string s) {
    for (char& c : s) c = fold(c, true);
    return s;
}

std::string class_of(HWND h) {
    char buf[256];
    int n = GetClassNameA(h, buf, sizeof buf);
    return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

// Caption of a top-level window; never blocks on a hung owner.
std::string title_of(HWND h) {
    int len = GetWindowTextLengthA(h);
    if (len <= 0) return {};
    std::string s(static_cast<size_t>(len) + 1, '\0');
    int n = GetWindowTextA(h, s.data(), len + 1);
    s.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return s;
}

// Text of a control of another process: WM_GETTEXT, bounded in time.
std::optional<std::string> control_text(HWND h) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &len))
        return std::nullopt;
    std::string s(static_cast<size_t>(len) + 1, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXT, static_cast<WPARAM>(len + 1),
                             reinterpret_cast<LPARAM>(s.data()), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &got))
        return std::nullopt;
    s.resize(got < len ? static_cast<size_t>(got) : static_cast<size_t>(len));
    s.resize(std::strlen(s.c_str()));
    return s;
}

BOOL CALLBACK collect(HWND h, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
    return TRUE;
}

// Top-level and message-only windows of other processes, in Z order.
std::vector<HWND> top_windows() {
    std::vector<HWND> all;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&all));
    for (HWND m = nullptr; (m = FindWindowExA(HWND_MESSAGE, m, nullptr, nullptr)) != nullptr;)
        all.push_back(m);
    std::vector<HWND> others;
    const DWORD self = GetCurrentProcessId();
    for (HWND h : all) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid != self) others.push_back(h);
    }
    return others;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> list;
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&list));
    return list;
}

struct Pattern {
    std::string cls;
    std::string title;
    bool matches(HWND h) const {
        return glob_match(cls, class_of(h), true) && glob_match(title, title_of(h), false);
    }
};

// A visible match wins over a hidden one.
HWND find_top(const Pattern& p, bool visible_only = false) {
    HWND hidden = nullptr;
    for (HWND h : top_windows()) {
        if (!p.matches(h)) continue;
        if (IsWindowVisible(h)) return h;
        if (hidden == nullptr && !visible_only) hidden = h;
    }
    return hidden;
}

template <typename Probe>
auto poll(DWORD timeout_ms, Probe probe) -> decltype(probe()) {
    const DWORD start = GetTickCount();
    for (;;) {
        auto r = probe();
        if (r || GetTickCount() - start >= timeout_ms) return r;
        Sleep(kPollMs);
    }
}

HWND find_control(HWND top, long long id) {
    if (id == 0) return top;
    if (HWND c = GetDlgItem(top, static_cast<int>(id))) return c;
    for (HWND c : descendants(top))
        if (GetDlgCtrlID(c) == static_cast<int>(id)) return c;
    return nullptr;
}

std::string strip_mnemonic(const std::string& s) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&') {
                r += '&';
                ++i;
            }
            continue;
        }
        r += s[i];
    }
    return r;
}

std::string narrow(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                            nullptr);
    return s;
}

bool is_dialog(HWND h) { return class_of(h) == "#32770"; }

bool post(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (PostMessageA(h, msg, w, l)) return true;
    err("PostMessage failed, error " + std::to_string(GetLastError()));
    return false;
}

// ---- keyboard -----------------------------------------------------------

struct Key {
    WORD vk;
    bool extended;
};

std::optional<Key> key_named(const std::string& name) {
    const std::string n = lower(name);
    if (n.size() == 1 && ((n[0] >= 'a' && n[0] <= 'z') || (n[0] >= '0' && n[0] <= '9')))
        return Key{static_cast<WORD>(n[0] >= 'a' ? n[0] - 'a' + 'A' : n[0]), false};
    if (n.size() >= 2 && n[0] == 'f' && n[1] != '0' && n.find_first_not_of("0123456789", 1) == std::string::npos) {
        const int f = std::atoi(n.c_str() + 1);
        if (f >= 1 && f <= 24) return Key{static_cast<WORD>(VK_F1 + f - 1), false};
    }
    static const struct {
        const char* name;
        WORD vk;
        bool extended;
    } named[] = {
        {"ctrl", VK_CONTROL, false},  {"control", VK_CONTROL, false}, {"alt", VK_MENU, false},
        {"shift", VK_SHIFT, false},   {"win", VK_LWIN, true},         {"space", VK_SPACE, false},
        {"enter", VK_RETURN, false},  {"return", VK_RETURN, false},   {"esc", VK_ESCAPE, false},
        {"escape", VK_ESCAPE, false}, {"tab", VK_TAB, false},         {"backspace", VK_BACK, false},
        {"insert", VK_INSERT, true},  {"delete", VK_DELETE, true},    {"home", VK_HOME, true},
        {"end", VK_END, true},        {"pageup", VK_PRIOR, true},     {"pagedown", VK_NEXT, true},
        {"left", VK_LEFT, true},      {"right", VK_RIGHT, true},      {"up", VK_UP, true},
        {"down", VK_DOWN, true},      {"pause", VK_PAUSE, false},     {"printscreen", VK_SNAPSHOT, true},
    };
    for (const auto& k : named)
        if (n == k.name) return Key{k.vk, k.extended};
    if (auto v = parse_number(name.c_str()); v && *v > 0 && *v < 0xff)
        return Key{static_cast<WORD>(*v), false};
    return std::nullopt;
}

INPUT key_event(const Key& k, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = k.vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(k.vk, 0));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (k.extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

// "ctrl+alt+F9": presses the keys in order and releases them in reverse. The
// events enter Wine as hardware input, so global hotkeys fire whatever window
// has the X focus.
int cmd_keys(int argc, char** argv) {
    for (int a = 2; a < argc; ++a) {
        std::vector<Key> keys;
        const std::string chord = argv[a];
        size_t start = 0;
        for (;;) {
            const size_t plus = chord.find('+', start);
            const std::string part = chord.substr(start, plus == std::string::npos ? std::string::npos
                                                                                   : plus - start);
            auto k = key_named(part);
            if (!k) {
                err("unknown key '" + part + "' in '" + chord + "'");
                return kUsage;
            }
            keys.push_back(*k);
            if (plus == std::string::npos) break;
            start = plus + 1;
        }
        std::vector<INPUT> events;
        for (const Key& k : keys) events.push_back(key_event(k, false));
        for (auto it = keys.rbegin(); it != keys.rend(); ++it) events.push_back(key_event(*it, true));
        const UINT sent = SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
        if (sent != events.size()) {
            err("SendInput failed, error " + std::to_string(GetLastError()));
            return kFailed;
        }
        Sleep(50);
    }
    return kOk;
}

// ---- commands -----------------------------------------------------------

int usage() {
    err("usage: dwlauto <command> ...\n"
        "  find <class|*> <title|*> [timeout_ms]\n"
        "  visible <class|*> <title|*>\n"
        "  windows\n"
        "  children <class|*> <title|*>\n"
        "  text <class|*> <title|*> <control id>\n"
        "  items <class|*> <title|*> <control id>\n"
        "  click <class|*> <title|*> <control id>\n"
        "  checked <class|*> <title|*> <control id>      BM_GETCHECK: 0, 1 or 2\n"
        "  enabled <class|*> <title|*> <control id>      1 or 0\n"
        "  ctlvisible <class|*> <title|*> <control id>   1 or 0\n"
        "  rect <class|*> <title|*> <control id>         screen left top width height\n"
        "  client <class|*> <title|*>                    client area: screen left top width height, dpi\n"
        "  command <class|*> <title|*> <command id>\n"
        "  message <class|*> <title|*> <msg> <wparam> <lparam>\n"
        "  dialog-text [timeout_ms]\n"
        "  dialog-press <button text> [timeout_ms]\n"
        "  wait-gone <class|*> <title|*> [timeout_ms]\n"
        "  keys <chord>...   e.g. ctrl+alt+F9 esc (ctrl alt shift win, a-z 0-9 F1-F24,\n"
        "                    space enter esc tab backspace insert delete home end\n"
        "                    pageup pagedown left right up down pause, or 0x<vk>)");
    return kUsage;
}

int no_window(const Pattern& p) {
    err("no window of class '" + p.cls + "' titled '" + p.title + "'");
    return kFailed;
}

int cmd_windows() {
    for (HWND h : top_windows()) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        outln(handle_str(h) + '\t' + std::to_string(pid) + '\t' + (IsWindowVisible(h) ? "1" : "0") +
              '\t' + one_line(class_of(h)) + '\t' + one_line(title_of(h)));
    }
    return kOk;
}

int cmd_children(HWND top) {
    for (HWND c : descendants(top)) {
        auto text = control_text(c);
        outln(std::to_string(GetDlgCtrlID(c)) + '\t' + one_line(class_of(c)) + '\t' +
              (IsWindowVisible(c) ? "1" : "0") + '\t' + (text ? one_line(*text) : "<no answer>"));
    }
    return kOk;
}

int cmd_items(HWND ctl) {
    const std::string cls = lower(class_of(ctl));
    UINT count_msg = 0, len_msg = 0, text_msg = 0;
    if (cls.find("combobox") != std::string::npos) {
        count_msg = CB_GETCOUNT;
        len_msg = CB_GETLBTEXTLEN;
        text_msg = CB_GETLBTEXT;
    } else if (cls.find("listbox") != std::string::npos) {
        count_msg = LB_GETCOUNT;
        len_msg = LB_GETTEXTLEN;
        text_msg = LB_GETTEXT;
    } else {
        err("control of class '" + class_of(ctl) + "' has no items");
        return kFailed;
    }
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(ctl, count_msg, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count) ||
        static_cast<LRESULT>(count) < 0) {
        err("cannot read the item count");
        return kFailed;
    }
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR len = 0;
        if (!SendMessageTimeoutW(ctl, len_msg, i, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &len) ||
            static_cast<LRESULT>(len) < 0) {
            err("cannot read item " + std::to_string(i));
            return kFailed;
        }
        // Wide messages: Wine hands ANSI senders the UTF-16 text of another
        // process's list unconverted.
        std::wstring w(static_cast<size_t>(len) + 1, L'\0');
        DWORD_PTR got = 0;
        if (!SendMessageTimeoutW(ctl, text_msg, i, reinterpret_cast<LPARAM>(w.data()),
                                 SMTO_ABORTIFHUNG, kSendTimeoutMs, &got) ||
            static_cast<LRESULT>(got) < 0) {
            err("cannot read item " + std::to_string(i));
            return kFailed;
        }
        w.resize(std::wcslen(w.c_str()));
        const std::string s = narrow(w);
        outln(one_line(s));
    }
    return kOk;
}

int cmd_dialog_text(DWORD timeout) {
    HWND dlg = poll(timeout, [] { return find_top(Pattern{"#32770", "*"}, true); });
    if (dlg == nullptr) {
        err("no visible dialog");
        return kFailed;
    }
    outln(title_of(dlg));
    for (HWND c : descendants(dlg)) {
        if (lower(class_of(c)) != "static") continue;
        auto text = control_text(c);
        if (text && !text->empty()) outln(*text);
    }
    return kOk;
}

struct Press {
    HWND dialog = nullptr;
    HWND button = nullptr;
    explicit operator bool() const { return button != nullptr; }
};

int cmd_dialog_press(const std::string& wanted, DWORD timeout) {
    const std::string key = lower(strip_mnemonic(wanted));
    std::string seen;
    Press found = poll(timeout, [&] {
        seen.clear();
        for (HWND dlg : top_windows()) {
            if (!is_dialog(dlg) || !IsWindowVisible(dlg)) continue;
            seen += "\n  '" + title_of(dlg) + "':";
            for (HWND c : descendants(dlg)) {
                if (lower(class_of(c)) != "button" || !IsWindowVisible(c)) continue;
                auto text = control_text(c);
                if (!text) continue;
                const std::string label = strip_mnemonic(*text);
                seen += " [" + label + "]";
                if (lower(label) == key) return Press{dlg, c};
            }
        }
        return Press{};
    });
    if (!found) {
        err("no visible dialog with a button '" + wanted + "'" +
            (seen.empty() ? std::string(" (no visible dialog)") : "; buttons seen:" + seen));
        return kFailed;
    }
    if (!IsWindowEnabled(found.button)) {
        err("button '" + wanted + "' is disabled");
        return kFailed;
    }
    // The notification the button itself would send: no focus or capture needed.
    const int id = GetDlgCtrlID(found.button);
    return post(found.dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                reinterpret_cast<LPARAM>(found.button))
               ? kOk
               : kFailed;
}

int run(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string cmd = argv[1];

    if (cmd == "windows") return argc == 2 ? cmd_windows() : usage();
    if (cmd == "keys") return argc >= 3 ? cmd_keys(argc, argv) : usage();
    if (cmd == "dialog-text") {
        if (argc > 3) return usage();
        auto timeout = parse_timeout(argc, argv, 2);
        return timeout ? cmd_dialog_text(*timeout) : usage();
    }
    if (cmd == "dialog-press") {
        if (argc < 3 || argc > 4) return usage();
        auto timeout = parse_timeout(argc, argv, 3);
        return timeout ? cmd_dialog_press(argv[2], *timeout) : usage();
    }

    // Everything else names a top-level window first.
    if (argc < 4) return usage();
    const Pattern pat{argv[2], argv[3]};

    if (cmd == "find" || cmd == "wait-gone") {
        if (argc > 5) return usage();
        auto timeout = parse_timeout(argc, argv, 4);
        if (!timeout) return usage();
        if (cmd == "find") {
            HWND h = poll(*timeout, [&] { return find_top(pat); });
            if (h == nullptr) return no_window(pat);
            outln(handle_str(h));
            return kOk;
        }
        bool gone = poll(*timeout, [&] { return find_top(pat) == nullptr; });
        if (!gone) {
            err("window of class '" + pat.cls + "' titled '" + pat.title + "' still exists");
            return kFailed;
        }
        return kOk;
    }

    const int want_args = cmd == "message" ? 7
                          : (cmd == "visible" || cmd == "children" || cmd == "client") ? 4
                          : (cmd == "text" || cmd == "items" || cmd == "click" || cmd == "command" ||
                             cmd == "checked" || cmd == "enabled" || cmd == "rect" || cmd == "ctlvisible")
                              ? 5
                                                                                                     : -1;
    if (want_args < 0 || argc != want_args) return usage();

    std::vector<unsigned long long> nums;
    for (int i = 4; i < argc; ++i) {
        auto v = parse_number(argv[i]);
        if (!v) {
            err(std::string("not a number: ") + argv[i]);
            return kUsage;
        }
        nums.push_back(*v);
    }

    HWND top = find_top(pat);
    if (top == nullptr) return no_window(pat);

    if (cmd == "visible") {
        outln(IsWindowVisible(top) ? "1" : "0");
        return kOk;
    }
    if (cmd == "children") return cmd_children(top);
    if (cmd == "client") {
        // The client area on the screen, and the screen's vertical DPI.
        RECT r{};
        POINT origin{0, 0};
        if (!GetClientRect(top, &r) || !ClientToScreen(top, &origin)) return kFailed;
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        outln(std::to_string(origin.x) + " " + std::to_string(origin.y) + " " + std::to_string(r.right) + " " +
              std::to_string(r.bottom) + " " + std::to_string(dpi));
        return kOk;
    }
    if (cmd == "command") {
        return post(top, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(nums[0]), 0), 0) ? kOk : kFailed;
    }
    if (cmd == "message") {
        return post(top, static_cast<UINT>(nums[0]), static_cast<WPARAM>(nums[1]),
                    static_cast<LPARAM>(nums[2]))
                   ? kOk
                   : kFailed;
    }

    const long long id = static_cast<long long>(nums[0]);
    HWND ctl = find_control(top, id);
    if (ctl == nullptr) {
        err("no control with id " + std::to_string(id) + " in window '" + title_of(top) + "'");
        return kFailed;
    }
    if (cmd == "text") {
        auto text = id == 0 ? std::optional<std::string>(title_of(top)) : control_text(ctl);
        if (!text) {
            err("the control did not answer WM_GETTEXT");
            return kFailed;
        }
        outln(*text);
        return kOk;
    }
    if (cmd == "items") return cmd_items(ctl);
    if (cmd == "checked") {
        DWORD_PTR state = 0;
        if (!SendMessageTimeoutA(ctl, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state)) return kFailed;
        outln(std::to_string(state));
        return kOk;
    }
    if (cmd == "enabled") {
        outln(IsWindowEnabled(ctl) ? "1" : "0");
        return kOk;
    }
    if (cmd == "ctlvisible") {
        outln(IsWindowVisible(ctl) ? "1" : "0");
        return kOk;
    }
    if (cmd == "rect") {
        RECT r{};
        if (!GetWindowRect(ctl, &r)) return kFailed;
        outln(std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + " " +
              std::to_string(r.bottom - r.top));
        return kOk;
    }
    // click
    return post(ctl, BM_CLICK, 0, 0) ? kOk : kFailed;
}

}  // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const int rc = run(argc, argv);
    std::fflush(stdout);
    return rc;
}
