#pragma once

#include <memory>

#include "app/DialogWindow.h"
#include "controls/EditDecorator.h"
#include "controls/GdiHandle.h"
#include "controls/GlimTip.h"
#include "app/MessageLoop.h"
#include "app/ProgressDialog.h"
#include "core/run/JobHost.h"
#include "settings/SettingsStore.h"
#include "shell/FolderBox.h"

namespace linkloom {

// The program's window: the five inputs, the output box and the four buttons. It is the
// sitemap run's host on the real controls.
class MainDialog : public DialogWindow, public MessageFilter, public IdleHandler, public JobHost {
public:
    MainDialog();
    ~MainDialog() override;

    BOOL FilterMessage(MSG& message) override;
    void IdleStep() override {}

    // Shows the progress window titled `title`, or hides it when `title` is null; null when
    // there is no progress window.
    ProgressDialog* ShowProgress(const wchar_t* title, int range, ProgressDialog::PauseState pauseAllowed);

    JobInputs ReadInputs() override;
    JobFlags Flags() const override { return flags_; }
    void SetFlags(JobFlags flags) override { flags_ = flags; }
    void ShowMessage(const String& text, MessageStyle style) override;
    void FocusInput(JobInput input) override;
    void SaveSettings(const JobSettings& settings) override;
    bool ShowProgress(const String& title) override;
    void HideProgress() override;
    void SetProgressTitle(const String& title) override;
    bool IsCancelled() override;
    void PumpEvents() override;
    void TakeDocument(const String& document, int count) override;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnInitDialog();
    void DecorateInputs();
    void LoadSettings();
    void OnAbout();
    void OnCreateSitemap();
    void OnCopyText();
    void OnClose();
    String ControlText(int id) const;

    SettingsStore store_;
    HWND output_ = nullptr;
    FontHandle outputFont_;
    FolderBox folderBox_;
    EditDecorator folderDecorator_;
    EditDecorator urlDecorator_;
    FontHandle bannerFont_;
    GlimTip tip_;
    std::unique_ptr<ProgressDialog> progress_;
    JobFlags flags_ = kDefaultJobFlags;
    // When the walk last handed the message loop a turn; zero at the start of each run.
    ULONGLONG lastPumpMs_ = 0;
    // A run is on the stack (its walk, or the progress window's pause loop, pumps messages).
    bool running_ = false;
    // The window was closed during a run: the run ends as cancelled, silently, then the window goes.
    bool closing_ = false;
};

}  // namespace linkloom
