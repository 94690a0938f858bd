#pragma once

#include <windows.h>

#include <string>

#include "controls/GdiHandle.h"
#include "controls/WindowSubclass.h"

namespace linkloom {

// A static text control turned into a web link: blue underlined text, a hand cursor, and a
// click that opens the address through the shell.
class LinkLabel : public WindowSubclass {
public:
    // Call after Subclass: makes the static notify clicks, takes its text, builds the link font.
    void Attach();
    void SetAddress(const wchar_t* address) { address_ = address ? address : L""; }
    // True when the shell accepted the address.
    bool Open() const;

    const std::wstring& Text() const { return text_; }
    const RECT& TextRect() const { return textRect_; }
    HFONT LinkFont() const { return linkFont_.Get(); }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void BuildFont();
    void Draw(HDC dc) const;
    UINT Alignment() const;

    std::wstring text_;
    std::wstring address_;
    HCURSOR cursor_ = nullptr;
    FontHandle linkFont_;
    RECT textRect_{};
};

// The call that opens an address; tests replace it so that no browser starts.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*,
                                                INT);
ShellExecuteFunction SetShellExecuteFunction(ShellExecuteFunction function);

}  // namespace linkloom
