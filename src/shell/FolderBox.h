#pragma once

#include <windows.h>
#include <shellapi.h>

#include "base/String.h"
#include "controls/WindowSubclass.h"

namespace linkloom {

// The main dialog's folder box: takes folders dropped on it (Ctrl adds them to what it holds,
// several are joined by "|") and browses for a folder on the command of its "..." button.
class FolderBox : public WindowSubclass {
public:
    // Subclasses the edit, accepts drops and completes file-system paths while typing. Strings
    // come from `resources`. False when the edit cannot be subclassed.
    bool Attach(HWND edit, HINSTANCE resources);

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnDropFiles(HDROP drop);
    void OnBrowse();
    String Text() const;

    HINSTANCE resources_ = nullptr;
};

// The sound of a drop that held no folder; tests replace it to hear it.
using BeepFunction = BOOL(WINAPI*)(UINT type);
BeepFunction SetBeepFunction(BeepFunction function);

}  // namespace linkloom
