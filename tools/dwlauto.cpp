// dwlauto: finds and drives the windows of another process for the end-to-end
// tests. Results go to stdout; exit code 0 = success, 1 = not found or failed,
// 2 = bad usage. A window is named by class and title globs ('*' any run, '?'
// any character; case-insensitively); a visible match wins. [ms] is
// how long a command waits for what it looks for (default 10000).
//
//   keys <chord>...                keys as hardware input, e.g. ctrl+shift+alt+p return (see `named`)
// Of a top-level window, <class> <title>:
//   find [ms]                      waits for the window, prints its handle
//   idle [ms]                      waits until the window's process waits for input
//   visible                        1 or 0
//   command <id>                   posts WM_COMMAND (a menu item)
//   message <msg> <wparam> <lparam> posts a message
//   policychanged                  sends WM_SETTINGCHANGE "Policy", as a Group Policy refresh does
// Of a control, <class> <title> <control id> (0: the window itself):
//   text, items (a list's, one a line), enabled, ctlvisible, checked (a button's check state), rect (on the
//   screen: left top width height), click (presses a button), select <index> (a tab, as a click on it does),
//   pick <index> (a combo box's item, as the user chooses it)
#include <windows.h>
#include <commctrl.h>

#include <fcntl.h>
#include <io.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr int kOk = 0, kFailed = 1, kUsage = 2;

int fail(const std::string& why, int rc = kFailed) { return std::fprintf(stderr, "%s\n", why.c_str()), rc; }
int say(const std::string& s) { return std::printf("%s\n", s.c_str()), kOk; }
std::string num(long long n) { return std::to_string(n); }

bool glob(const char* p, const char* s) {
    if (*p == '*') return glob(p + 1, s) || (*s != '\0' && glob(p, s + 1));
    if (*s == '\0') return *p == '\0';
    return (*p == '?' ||
            std::tolower(static_cast<unsigned char>(*p)) == std::tolower(static_cast<unsigned char>(*s))) &&
           glob(p + 1, s + 1);
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

// A control of the window, also inside the window's child containers.
HWND child(HWND parent, long long id) {
    std::vector<HWND> all;
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&all));
    for (HWND c : all)
        if (GetDlgCtrlID(c) == id) return c;
    return nullptr;
}

// The first match among the top-level windows of other processes, in Z order.
HWND find_top(const char* cls, const char* title) {
    std::vector<HWND> all;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&all));
    HWND hidden = nullptr;
    for (HWND h : all) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == GetCurrentProcessId() || !glob(cls, class_of(h).c_str()) || !glob(title, title_of(h).c_str()))
            continue;
        if (IsWindowVisible(h)) return h;
        if (hidden == nullptr) hidden = h;
    }
    return hidden;
}

int post(HWND h, UINT msg, WPARAM w, LPARAM l) {
    return PostMessageA(h, msg, w, l) ? kOk : fail("PostMessage failed, error " + num(GetLastError()));
}

// "ctrl+alt+p": presses the keys in order and releases them in reverse. The
// events enter Wine as hardware input, so global hotkeys fire whatever window
// has the X focus.
int keys(int argc, char** argv) {
    static const std::pair<const char*, WORD> named[] = {
        {"ctrl", VK_CONTROL},  {"alt", VK_MENU},    {"shift", VK_SHIFT}, {"tab", VK_TAB},
        {"return", VK_RETURN}, {"right", VK_RIGHT}, {"up", VK_UP}};
    for (int a = 2; a < argc; ++a) {
        std::vector<INPUT> events;
        std::string chord = argv[a];
        for (char* part = std::strtok(chord.data(), "+"); part != nullptr; part = std::strtok(nullptr, "+")) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            if (part[1] == '\0' && std::isalnum(static_cast<unsigned char>(part[0])))
                in.ki.wVk = static_cast<WORD>(std::toupper(static_cast<unsigned char>(part[0])));
            for (const auto& [name, vk] : named)
                if (_stricmp(part, name) == 0) in.ki.wVk = vk;
            if (in.ki.wVk == 0) return fail(std::string("unknown key '") + part + "'", kUsage);
            in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(in.ki.wVk, 0));
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

// Items of a list box or combo box, read as wide texts: Wine hands ANSI
// senders the UTF-16 text of another process's list unconverted.
int items(HWND ctl) {
    const bool combo = glob("*combobox*", class_of(ctl).c_str());
    DWORD_PTR count = 0;
    if (!send(ctl, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, &count, true) || static_cast<LRESULT>(count) < 0)
        return fail("cannot read the item count of a '" + class_of(ctl) + "'");
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR len = 0, got = 0;
        send(ctl, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0, &len, true);
        std::wstring w(static_cast<LRESULT>(len) < 0 ? 0 : len + 1, L'\0');
        if (w.empty() ||
            !send(ctl, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(w.data()), &got, true))
            return fail("cannot read item " + num(i));
        char s[4096] = {};
        WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, s, sizeof s - 1, nullptr, nullptr);
        say(s);
    }
    return kOk;
}

int usage() {
    return fail("usage: dwlauto <command> [<class> <title> [<control id>]] [arguments] (see dwlauto.cpp)", kUsage);
}

int run(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string cmd = argv[1];
    if (cmd == "keys") return argc >= 3 ? keys(argc, argv) : usage();
    // The numbers after the window's names: the control's id and the command's arguments.
    if (argc < 4) return usage();
    std::vector<long long> nums;
    for (int i = 4; i < argc; ++i) {
        char* end = nullptr;
        nums.push_back(std::strtoll(argv[i], &end, 0));
        if (end == argv[i] || *end != '\0') return fail(std::string("not a number: ") + argv[i], kUsage);
    }
    const DWORD timeout = nums.empty() ? 10000 : static_cast<DWORD>(nums[0]);
    DWORD_PTR r = 0;
    const char *cls = argv[2], *title = argv[3];
    HWND top = nullptr;
    const DWORD wait = cmd == "find" || cmd == "idle" ? timeout : 0, start = GetTickCount();
    while ((top = find_top(cls, title)) == nullptr && GetTickCount() - start < wait) Sleep(100);
    if (top == nullptr) return fail(std::string("no window of class '") + cls + "' titled '" + title + "'");
    if (cmd == "find") return say(num(static_cast<long long>(reinterpret_cast<ULONG_PTR>(top))));
    if (cmd == "visible") return say(IsWindowVisible(top) ? "1" : "0");
    if (cmd == "idle") {
        DWORD pid = 0;
        GetWindowThreadProcessId(top, &pid);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
        const DWORD waited = process ? WaitForInputIdle(process, timeout) : WAIT_FAILED;
        if (process) CloseHandle(process);
        return waited == 0 ? kOk : fail("the process did not become idle");
    }
    if (cmd == "command" && nums.size() == 1) return post(top, WM_COMMAND, MAKEWPARAM(nums[0], 0), 0);
    if (cmd == "message" && nums.size() == 3) return post(top, static_cast<UINT>(nums[0]), nums[1], nums[2]);
    // What Windows broadcasts after a Group Policy refresh.
    if (cmd == "policychanged")
        return SendMessageTimeoutA(top, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"), SMTO_ABORTIFHUNG,
                                   timeout, &r) ? kOk : kFailed;

    if (nums.empty()) return usage();
    HWND ctl = nums[0] == 0 ? top : child(top, nums[0]);
    if (ctl == nullptr) return fail("no control with id " + num(nums[0]) + " in '" + title_of(top) + "'");
    std::string text;
    if (cmd == "text") return ctl == top ? say(title_of(top)) : control_text(ctl, text) ? say(text) : fail("no answer");
    if (cmd == "items") return items(ctl);
    if (cmd == "enabled") return say(IsWindowEnabled(ctl) ? "1" : "0");
    if (cmd == "ctlvisible") return say(IsWindowVisible(ctl) ? "1" : "0");
    if (cmd == "click") return post(ctl, BM_CLICK, 0, 0);
    // Chooses a combo box's item as the user does: its parent is told.
    if (cmd == "pick" && nums.size() == 2)
        return send(ctl, CB_SETCURSEL, static_cast<WPARAM>(nums[1]), 0, &r) &&
                       send(GetParent(ctl), WM_COMMAND, MAKEWPARAM(nums[0], CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(ctl), &r)
                   ? kOk
                   : kFailed;
    if (cmd == "checked") return send(ctl, BM_GETCHECK, 0, 0, &r) ? say(num(static_cast<long long>(r))) : kFailed;
    if (cmd == "rect") {
        RECT rc{};
        if (!GetWindowRect(ctl, &rc)) return kFailed;
        return say(num(rc.left) + " " + num(rc.top) + " " + num(rc.right - rc.left) + " " + num(rc.bottom - rc.top));
    }
    // A tab strip notifies its parent itself when the focus goes to a tab.
    if (cmd == "select" && nums.size() == 2)
        return send(ctl, TCM_SETCURFOCUS, static_cast<WPARAM>(nums[1]), 0, &r) ? kOk : kFailed;
    return usage();
}

}  // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    return run(argc, argv);  // the return flushes stdout
}
