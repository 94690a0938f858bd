#pragma once

#include "app/DialogWindow.h"
#include "app/MessageLoop.h"
#include "controls/GdiHandle.h"
#include "controls/GlimTip.h"

namespace linkloom {

// The small window over the main dialog during a walk: a marquee bar, pause and cancel. The
// walk pumps messages, so the buttons work on the one thread; pause runs a pump loop of its own
// inside the click, and the walk waits inside its pump call until resume or cancel.
class ProgressDialog : public DialogWindow, public MessageFilter {
public:
    // With the values the window keeps: pausing not offered (the button disabled), running, paused.
    enum class PauseState : int { NotOffered = 0, Running = 1, Paused = 10 };

    BOOL FilterMessage(MSG& message) override;
    bool Cancelled() const { return cancelled_; }
    // As the cancel button: the walk and the pause loop end at their next turn.
    void Cancel();
    void SetPauseState(PauseState state) { pauseState_ = state; }
    PauseState Pausing() const { return pauseState_; }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnInitDialog();
    void OnShow();
    void OnHide();
    void OnPause();

    HWND bar_ = nullptr;
    HWND cancelButton_ = nullptr;
    HWND pauseButton_ = nullptr;
    bool cancelled_ = false;
    PauseState pauseState_ = PauseState::Running;
    FontHandle pauseFont_;
    GlimTip tip_;
};

}  // namespace linkloom
