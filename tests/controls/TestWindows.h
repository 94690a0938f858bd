#pragma once

#include <windows.h>

#include <vector>

namespace linkloom::test {

// A top-level window that records the commands it gets, with one child edit.
class HostWindow {
public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND Edit() const { return edit_; }
    // The WM_COMMAND ids received so far.
    const std::vector<UINT>& Commands() const { return commands_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    std::vector<UINT> commands_;
};

}  // namespace linkloom::test
