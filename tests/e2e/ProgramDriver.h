#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

namespace linkloom::e2e {

// The built desktop program, as a path its own system understands.
std::wstring BuiltProgramPath();

// True once `condition` holds, polled every `intervalMs`; false when `timeoutMs` passes first.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 20000, DWORD intervalMs = 1);

// A message box that the program showed.
struct SeenMessage {
    std::wstring caption;
    std::wstring text;
};

// linkloom.exe copied into `folder` (so its settings file lands there) and started, driven
// from this process through its main window, found by caption and process id.
class ProgramDriver {
public:
    explicit ProgramDriver(const std::filesystem::path& folder);
    ~ProgramDriver();
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    // The main dialog; null when it did not appear.
    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    std::wstring Text(int id) const { return WindowText(Item(id)); }
    void SetText(int id, const std::wstring& text) const;
    bool IsChecked(int id) const;

    // What a click on button `id` of `dialog` (the main dialog unless given) sends.
    void Click(int id, HWND dialog = nullptr) const;
    // A key press delivered to the program's focused window, through its message loop.
    void PressKey(UINT key) const;
    // A left click in the middle of control `id` (or of `window`), with the system's mouse as a user makes it.
    void ClickOn(int id) const { ClickOn(Item(id)); }
    void ClickOn(HWND window) const;
    // `text` typed on the system's keyboard into whichever window has the focus.
    void Type(const std::wstring& text) const;
    HWND Focus() const;
    // The program's active window, as its thread knows it.
    HWND Active() const;

    // The program's visible window of this class, other than the main dialog, or null.
    HWND FindWindowOfClass(const wchar_t* className) const;
    // Waits for a message box, reads it and closes it with OK; empty caption when none came.
    SeenMessage CloseMessageBox() const;
    // The progress window once it is shown, or null.
    HWND WaitForProgress() const;
    // The exit code once the program ended by itself, or STILL_ACTIVE after the timeout.
    DWORD WaitForExit(DWORD timeoutMs = 20000) const;

    // A control's text, asked of the control itself.
    static std::wstring WindowText(HWND window);
    // A top-level window's caption as the system keeps it, without waiting for its thread.
    static std::wstring Caption(HWND window);

private:
    // What the program's thread knows of its focus and activation; all null when unknown.
    GUITHREADINFO ThreadInfo() const;

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace linkloom::e2e
