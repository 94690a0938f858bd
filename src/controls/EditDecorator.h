#pragma once

#include <windows.h>

#include "controls/GdiHandle.h"
#include "controls/WindowSubclass.h"

namespace linkloom {

// Dresses up a single-line edit in place: an icon inside its left edge, a push button inside
// its right edge (F2 presses it), a cue text shown in italics while the box is empty and
// unfocused. A decorated box selects its whole text when it gets the focus.
class EditDecorator : public WindowSubclass {
public:
    EditDecorator() = default;
    ~EditDecorator() override;

    // False when `edit` is not a window or this decorator is attached already.
    bool Attach(HWND edit);
    // The icon of group `iconId` (from `resources`, else `instance`, else the system's OIC_ icons),
    // or a given icon handle; attaches first if needed.
    bool SetIcon(HWND edit, UINT iconId, HINSTANCE resources, HINSTANCE instance);
    bool SetIcon(HWND edit, HICON icon);
    // A button of `caption` (at most 11 characters) sending `commandId`; attaches first if needed.
    bool AddButton(HWND edit, UINT commandId, const wchar_t* caption);
    // Needs an attached decorator. Returns what EM_SETCUEBANNER returns; when the system refuses
    // the cue, the text becomes the box's own text.
    LRESULT SetCueText(const wchar_t* text, bool italic);
    // Where the button's clicks go: the edit's parent unless set otherwise.
    void SetCommandTarget(HWND target) { commandTarget_ = target; }

    HWND Button() const { return button_; }
    HWND IconWindow() const { return iconWindow_; }
    int IconMargin() const { return iconMargin_; }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Whether the edit has the focus, with the values the cue font switch takes; Ask: find out.
    enum class FocusState : int { Ask = -1, Unfocused = 0, Focused = 1 };
    void ApplyCueFont(FocusState state);
    void OnFontChanged(HFONT font);
    bool OnButtonCommand(WPARAM wParam, LPARAM lParam, LRESULT& result);
    void RepaintChildren() const;
    void Cleanup();

    HICON icon_ = nullptr;
    RECT iconBox_{};
    LRESULT savedMargins_ = 0;
    int iconMargin_ = 0;
    HWND edit_ = nullptr;
    FontHandle cueFont_;
    HFONT normalFont_ = nullptr;  // not owned; non-null while the cue font switch is on
    HWND iconWindow_ = nullptr;
    HWND button_ = nullptr;
    int buttonWidth_ = 0;
    HWND commandTarget_ = nullptr;
};

}  // namespace linkloom
