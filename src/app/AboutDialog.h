#pragma once

#include "app/DialogWindow.h"
#include "controls/LinkLabel.h"

namespace linkloom {

// The modal box with the program's icon, name, version and a link to its web page.
class AboutDialog : public DialogWindow {
protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnInitDialog();

    LinkLabel link_;
};

}  // namespace linkloom
