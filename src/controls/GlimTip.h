#pragma once

#include <windows.h>

#include <string>

#include "base/String.h"
#include "controls/TipGeometry.h"

namespace linkloom {

// The dialogs' tooltip: the system tooltip taken over as the window class "ATL:GlimTip". The
// system control keeps the hovering, timing, showing and hiding; this class places the tip
// above or below the control under the cursor and paints it flat, with a strip and an arrow.
// The dialog must send each WM_NOTIFY back to its sender as WM_NOTIFY + WM_REFLECT_OFFSET.
class GlimTip {
public:
    GlimTip();
    ~GlimTip();
    GlimTip(const GlimTip&) = delete;
    GlimTip& operator=(const GlimTip&) = delete;

    // Creates the tip for `dialog` with a tool for each child whose id (1000 or more) has a
    // string in `resources`; null when the window cannot be created.
    HWND Attach(HWND dialog, HINSTANCE resources);
    HWND Create(HWND owner);
    // Gives `control`, a child of the dialog, the tip `text`; an empty text takes its tip away.
    void SetToolText(HWND control, const String& text);
    void Configure();
    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT OnShow();
    LRESULT OnPaint(HDC dc);

    HWND window_ = nullptr;
    COLORREF background_;
    COLORREF strip_;
    COLORREF frame_;
    COLORREF text_;
    COLORREF arrow_;
    TipLayout layout_{};
    Quadrant quadrant_ = Quadrant::None;
    std::wstring tipText_;
};

}  // namespace linkloom
