#include "shell/FolderBrowser.h"

#include <commctrl.h>

#include "resources/resource.h"
#include "shell/Environment.h"
#include "shell/IdList.h"
#include "shell/IdListPath.h"
#include "shell/ShellNamespace.h"

namespace linkloom {

namespace {

BrowseFunction browse = SHBrowseForFolderW;

constexpr UINT kScrollDelay = 250;

BOOL CALLBACK FindTree(HWND window, LPARAM found) {
    wchar_t name[100] = {};
    GetClassNameW(window, name, 100);
    if (lstrcmpiW(name, WC_TREEVIEWW) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The tree selects the start before it has its final size, so the selection is brought into
// view once, a moment after the browser opened.
void CALLBACK ScrollToSelection(HWND tree, UINT, UINT_PTR timer, DWORD) {
    KillTimer(tree, timer);
    const auto item = static_cast<LPARAM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (item) PostMessageW(tree, TVM_ENSUREVISIBLE, 0, item);
}

}  // namespace

BrowseFunction SetBrowseFunction(BrowseFunction function) {
    const BrowseFunction previous = browse;
    browse = function;
    return previous;
}

std::optional<String> BrowseStartText(const String& boxText) {
    String text = boxText;
    text.TrimLeft();
    if (text.IsEmpty()) return std::nullopt;
    const std::ptrdiff_t bar = text.Find(u'|');
    if (bar > 0) {
        text = text.Left(static_cast<std::size_t>(bar));
        text.TrimRight();
    }
    ExpandEnvironment(text);
    return text;
}

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM data) {
    if (message != BFFM_INITIALIZED) return 0;
    if (data) {
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, data);
    } else {
        SendMessageW(browser, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(ShellNamespace::DocumentsList()));
    }
    HWND tree = nullptr;
    EnumChildWindows(browser, FindTree, reinterpret_cast<LPARAM>(&tree));
    if (tree) SetTimer(tree, IDT_SCROLL_TO_SELECTION, kScrollDelay, ScrollToSelection);
    return 0;
}

std::optional<String> BrowseForFolder(HWND owner, const String& title, const std::optional<String>& start) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.Wide();
    info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
    info.lpfn = BrowseCallback;
    info.lParam = start ? reinterpret_cast<LPARAM>(start->Wide()) : 0;
    const IdList chosen(browse(&info));
    if (!chosen) return std::nullopt;
    String text = IDListToPath(chosen.Get(), true);
    if (text.IsEmpty()) text = IDListToName(chosen.Get(), nullptr, SHGDN_FORPARSING | SHGDN_INFOLDER);
    return text;
}

}  // namespace linkloom
