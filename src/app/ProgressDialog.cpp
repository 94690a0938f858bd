#include "app/ProgressDialog.h"

#include <commctrl.h>

#include "app/ModuleState.h"
#include "app/ShowMessage.h"
#include "base/String.h"
#include "controls/Fonts.h"
#include "controls/Monitors.h"
#include "controls/WindowText.h"
#include "resources/resource.h"

namespace linkloom {

namespace {

// Wingdings glyphs of the pause button: "pause" while running, "play" while paused.
constexpr wchar_t kPauseGlyph[] = L"\xF0BF";
constexpr wchar_t kResumeGlyph[] = L"\xF0E8";
constexpr DWORD kPauseSleepMs = 50;

// The symbol font of the pause button: Wingdings at 14 points.
HFONT CreateWingdings() {
    LOGFONTW font{};
    font.lfHeight = 140;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"Wingdings", LF_FACESIZE);
    return CreatePointFont(font);
}

}  // namespace

BOOL ProgressDialog::FilterMessage(MSG& message) { return IsDialogMessageW(Handle(), &message) ? 1 : 0; }

bool ProgressDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_SHOWWINDOW: wParam ? OnShow() : OnHide(); return false;
    case WM_INITDIALOG:
        OnInitDialog();
        result = TRUE;
        return true;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            Cancel();
            return true;
        }
        if (LOWORD(wParam) == IDC_PAUSE) {
            OnPause();
            return true;
        }
        return false;
    case WM_DESTROY:
        // A window destroyed while visible still re-enables its owner and leaves the loop.
        ShowWindow(Handle(), SW_HIDE);
        return false;
    default: return false;
    }
}

void ProgressDialog::OnInitDialog() {
    bar_ = GetDlgItem(Handle(), IDC_PROGRESS_BAR);
    cancelButton_ = GetDlgItem(Handle(), IDCANCEL);
    pauseButton_ = GetDlgItem(Handle(), IDC_PAUSE);
    pauseFont_.Reset(CreateWingdings());
    SendMessageW(pauseButton_, WM_SETFONT, reinterpret_cast<WPARAM>(pauseFont_.Get()), TRUE);
    tip_.Attach(Handle(), ModuleState::ResourceModule());
}

void ProgressDialog::OnShow() {
    cancelled_ = false;
    if (MessageLoop* loop = ModuleState::CurrentLoop()) loop->RegisterFilter(this);
    CenterOnOwner(Handle(), GetParent(Handle()));
    EnableWindow(cancelButton_, TRUE);
    SetWindowTextW(pauseButton_, kPauseGlyph);
    EnableWindow(pauseButton_, pauseState_ != PauseState::NotOffered);
    const LONG_PTR style = GetWindowLongPtrW(bar_, GWL_STYLE);
    if (!(style & PBS_MARQUEE)) SetWindowLongPtrW(bar_, GWL_STYLE, style | PBS_MARQUEE);
    SendMessageW(bar_, PBM_SETMARQUEE, TRUE, 500);
    EnableWindow(GetParent(Handle()), FALSE);
}

void ProgressDialog::OnHide() {
    if (MessageLoop* loop = ModuleState::CurrentLoop()) loop->UnregisterFilter(this);
    SendMessageW(bar_, PBM_SETPOS, 0, 0);
    pauseState_ = PauseState::Running;
    EnableWindow(GetParent(Handle()), TRUE);
}

void ProgressDialog::Cancel() {
    cancelled_ = true;
    EnableWindow(cancelButton_, FALSE);
    EnableWindow(pauseButton_, FALSE);
}

void ProgressDialog::OnPause() {
    if (pauseState_ == PauseState::Paused) {
        // The resume click, dispatched inside the pause loop below, which then ends.
        pauseState_ = PauseState::Running;
        SetWindowTextW(pauseButton_, kPauseGlyph);
        SendMessageW(bar_, PBM_SETSTATE, PBST_NORMAL, 0);
        return;
    }
    MessageLoop* loop = ModuleState::CurrentLoop();
    pauseState_ = PauseState::Paused;
    const String title = WindowString(Handle());
    SetWindowTextW(Handle(), (title + LoadModuleString(IDS_PAUSED)).Wide());
    SetWindowTextW(pauseButton_, kResumeGlyph);
    SendMessageW(bar_, PBM_SETSTATE, PBST_PAUSED, 0);
    while (pauseState_ == PauseState::Paused) {
        if (loop) loop->Run(true);
        if (cancelled_) break;
        Sleep(kPauseSleepMs);
    }
    SetWindowTextW(Handle(), title.Wide());
    SendMessageW(bar_, PBM_SETSTATE, PBST_NORMAL, 0);
}

}  // namespace linkloom
