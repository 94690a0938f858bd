#include "e2e/ProgramDriver.h"

#include <vector>

#include "resources/resource.h"

namespace linkloom::e2e {

namespace {

constexpr wchar_t kMainCaption[] = L"Local sitemap generator";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr DWORD kSendTimeoutMs = 20000;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

// The visible top-level windows of a process.
std::vector<HWND> WindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == search.processId && IsWindowVisible(window)) search.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The longest text among a window's static children: a message box's message.
std::wstring LongestStaticText(HWND window) {
    std::wstring longest;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM parameter) -> BOOL {
            auto& longest = *reinterpret_cast<std::wstring*>(parameter);
            if (ClassOf(child) == L"Static") {
                std::wstring text = ProgramDriver::WindowText(child);
                if (text.size() > longest.size()) longest = std::move(text);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&longest));
    return longest;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

}  // namespace

std::wstring BuiltProgramPath() {
    // The build gives a path of the build machine; under Wine a rooted Unix path resolves on the
    // drive that maps "/", which is the current one while tests run from the build tree.
    const std::wstring built = L"" LINKLOOM_PROGRAM;
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(built.c_str(), MAX_PATH, full, nullptr);
    return length && length < MAX_PATH ? std::wstring(full) : built;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs, DWORD intervalMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() > end) return false;
        Sleep(intervalMs);
    }
    return true;
}

ProgramDriver::ProgramDriver(const std::filesystem::path& folder) {
    const std::filesystem::path program = folder / L"linkloom.exe";
    if (!CopyFileW(BuiltProgramPath().c_str(), program.c_str(), FALSE)) return;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process_)) {
        process_ = {};
        return;
    }
    WaitFor([this] {
        for (HWND window : WindowsOf(process_.dwProcessId)) {
            if (Caption(window) == kMainCaption) window_ = window;
        }
        return window_ != nullptr;
    });
}

ProgramDriver::~ProgramDriver() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kSendTimeoutMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::wstring ProgramDriver::WindowText(HWND window) {
    // The text may change between asking its length and asking for it; a buffer that came back
    // full is asked again with more room, so what is returned is one whole text.
    std::size_t room = static_cast<std::size_t>(Send(window, WM_GETTEXTLENGTH, 0, 0)) + 2;
    std::wstring text;
    for (;;) {
        text.assign(room, L'\0');
        const auto got = static_cast<std::size_t>(
            Send(window, WM_GETTEXT, static_cast<WPARAM>(room), reinterpret_cast<LPARAM>(text.data())));
        if (got + 1 < room) {
            text.resize(got);
            return text;
        }
        room *= 2;
    }
}

std::wstring ProgramDriver::Caption(HWND window) {
    wchar_t caption[256] = L"";
    GetWindowTextW(window, caption, 256);
    return caption;
}

void ProgramDriver::SetText(int id, const std::wstring& text) const {
    Send(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool ProgramDriver::IsChecked(int id) const { return Send(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void ProgramDriver::Click(int id, HWND dialog) const {
    if (!dialog) dialog = window_;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void ProgramDriver::PressKey(UINT key) const {
    const HWND target = Focus();
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

void ProgramDriver::ClickOn(HWND window) const {
    RECT rect{};
    GetWindowRect(window, &rect);
    const POINT target{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    // Absolute mouse positions run from 0 to 65535 across the primary screen.
    INPUT inputs[3]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = (target.x * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN);
        input.mi.dy = (target.y * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    // The button goes down once the pointer is there, as a user's does: under Wine a press sent
    // together with the move sometimes landed where the pointer had been.
    SendInput(1, inputs, sizeof(INPUT));
    WaitFor(
        [&] {
            POINT cursor{};
            return GetCursorPos(&cursor) && cursor.x == target.x && cursor.y == target.y;
        },
        1000);
    SendInput(2, inputs + 1, sizeof(INPUT));
}

void ProgramDriver::Type(const std::wstring& text) const {
    std::vector<INPUT> inputs;
    for (const wchar_t unit : text) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = unit;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        inputs.push_back(input);
        input.ki.dwFlags |= KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

GUITHREADINFO ProgramDriver::ThreadInfo() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(process_.dwThreadId, &info)) info = {};
    return info;
}

HWND ProgramDriver::Focus() const { return ThreadInfo().hwndFocus; }

HWND ProgramDriver::Active() const { return ThreadInfo().hwndActive; }

HWND ProgramDriver::FindWindowOfClass(const wchar_t* className) const {
    for (HWND window : WindowsOf(process_.dwProcessId)) {
        if (window != window_ && ClassOf(window) == className) return window;
    }
    return nullptr;
}

SeenMessage ProgramDriver::CloseMessageBox() const {
    HWND box = nullptr;
    WaitFor([&] {
        for (HWND window : WindowsOf(process_.dwProcessId)) {
            if (window != window_ && ClassOf(window) == kDialogClass && !GetDlgItem(window, IDC_PAUSE)) box = window;
        }
        return box != nullptr;
    });
    if (!box) return {};
    SeenMessage seen{Caption(box), LongestStaticText(box)};
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitFor([box] { return !IsWindow(box) || !IsWindowVisible(box); });
    return seen;
}

HWND ProgramDriver::WaitForProgress() const {
    HWND progress = nullptr;
    WaitFor([&] {
        for (HWND window : WindowsOf(process_.dwProcessId)) {
            if (GetDlgItem(window, IDC_PAUSE)) progress = window;
        }
        return progress != nullptr;
    });
    return progress;
}

DWORD ProgramDriver::WaitForExit(DWORD timeoutMs) const {
    DWORD code = STILL_ACTIVE;
    if (process_.hProcess && WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process_.hProcess, &code);
    }
    return code;
}

}  // namespace linkloom::e2e
