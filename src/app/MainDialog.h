#pragma once

#include <memory>

#include "app/DialogWindow.h"
#include "app/MessageLoop.h"
#include "app/ProgressDialog.h"
#include "controls/EditDecorator.h"
#include "controls/GdiHandle.h"
#include "controls/GlimTip.h"
#include "core/model/RunSettings.h"
#include "core/run/RunPlan.h"
#include "core/run/RunPorts.h"
#include "settings/SettingsStore.h"
#include "shell/FolderBox.h"

namespace linkloom {

// The program's window: the five inputs, the output box and the four buttons. It runs the
// sitemap run on the real controls, and is its progress and notices.
class MainDialog : public DialogWindow, public MessageFilter, public RunProgress, public NoticeSink {
public:
    MainDialog();
    ~MainDialog() override;

    BOOL FilterMessage(MSG& message) override;

    bool Show(const String& title) override;
    void Hide() override;
    void SetTitle(const String& title) override;
    bool IsCancelled() override;
    void Pump() override;
    void Notice(const String& text) override;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnInitDialog();
    void DecorateInputs();
    // Shows on the folder box whether its folder holds a settings file, and what the file adds;
    // the file is read only when the box comes to name another one.
    void ShowSiteFile();
    String SiteFileTip(const String& path) const;
    void LoadSettings();
    // Checks the inputs, saves them, runs and puts the document in the output box.
    void OnCreateXml();
    // Runs the plan and puts its document in the output box; false when the run gave none.
    bool ShowDocument(const RunPlan& plan);
    RunInputs ReadInputs() const;
    void SaveSettings(const RunSettings& settings);
    void OnAbout();
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
    // The settings file the folder box shows; empty for none.
    String siteFileShown_;
    std::unique_ptr<ProgressDialog> progress_;
    // The stored selection options, of which the two check boxes show two.
    SelectionOptions options_;
    // When the walk last handed the message loop a turn; zero at the start of each run.
    ULONGLONG lastPumpMs_ = 0;
    // A run is on the stack (its walk, or the progress window's pause loop, pumps messages).
    bool running_ = false;
    // The window was closed during a run: the run ends as cancelled, silently, then the window goes.
    bool closing_ = false;
};

}  // namespace linkloom
