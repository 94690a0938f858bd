#include "shell/FolderBox.h"

#include <shlwapi.h>

#include <vector>

#include "controls/WindowText.h"
#include "platform/Directory.h"
#include "platform/win32/StringResource.h"
#include "resources/resource.h"
#include "shell/FolderBrowser.h"

namespace linkloom {

namespace {

BeepFunction beep = MessageBeep;

constexpr UINT kPathBufferSize = 33000;
constexpr char16_t kFolderSeparator = u'|';

}  // namespace

BeepFunction SetBeepFunction(BeepFunction function) {
    const BeepFunction previous = beep;
    beep = function;
    return previous;
}

bool FolderBox::Attach(HWND edit, HINSTANCE resources) {
    if (!Subclass(edit)) return false;
    resources_ = resources;
    DragAcceptFiles(edit, TRUE);
    SHAutoComplete(edit, SHACF_FILESYSTEM);
    return true;
}

bool FolderBox::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        result = 0;
        return true;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDC_BROWSE) return false;
        OnBrowse();
        result = 0;
        return true;
    default: return false;
    }
}

String FolderBox::Text() const { return WindowString(Subclassed()); }

// Dropped files are ignored: only folders go into the box.
void FolderBox::OnDropFiles(HDROP drop) {
    String folders = (GetKeyState(VK_CONTROL) & 0x8000) ? Text() : String();
    std::vector<wchar_t> buffer(kPathBufferSize, L'\0');
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        buffer[0] = L'\0';
        DragQueryFileW(drop, index, buffer.data(), kPathBufferSize);
        const String path = String::FromWide(buffer.data());
        if (path.IsEmpty() || platform::PathKind(path) != platform::PathType::Folder) continue;
        if (!folders.IsEmpty()) folders += kFolderSeparator;
        folders += path;
    }
    DragFinish(drop);
    if (folders.IsEmpty()) {
        beep(MB_ICONHAND);
        return;
    }
    SetWindowTextW(Subclassed(), folders.Wide());
}

// The box keeps what the user typed; only the browser starts at its expanded form.
void FolderBox::OnBrowse() {
    const String title = platform::LoadStringResource(resources_, IDS_FOLDER_TO_SEARCH);
    const std::optional<String> chosen = BrowseForFolder(GetFocus(), title, BrowseStartText(Text()));
    if (chosen) SetWindowTextW(Subclassed(), chosen->Wide());
    // Chosen or cancelled, the focus goes back to the text, not to the button that opened the browser.
    SetFocus(Subclassed());
}

}  // namespace linkloom
