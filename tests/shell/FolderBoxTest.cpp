#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "controls/WindowText.h"
#include "resources/resource.h"
#include "shell/FolderBox.h"
#include "shell/FolderBrowser.h"
#include "shell/IdList.h"
#include "shell/ShellItems.h"
#include "shell/ShellNamespace.h"
#include "support/StringPrinter.h"
#include "support/TempTree.h"

namespace linkloom {
namespace {

std::wstring WithoutFinalBackslash(const String& path) {
    std::wstring text = path.Wide();
    if (!text.empty() && text.back() == L'\\') text.pop_back();
    return text;
}

// A drop as the file manager hands it over: DROPFILES followed by the wide paths.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    std::size_t units = 1;
    for (const std::wstring& path : paths) units += path.size() + 1;
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& path : paths) {
        std::memcpy(text, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        text += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void SetControlKey(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

std::vector<UINT> beeps;
BOOL WINAPI RecordBeep(UINT type) {
    beeps.push_back(type);
    return TRUE;
}

// What the browser does when asked, and what it hands back.
struct BrowseRecord {
    HWND browserWindow = nullptr;  // when set, the browser's start-up callback runs on it
    ITEMIDLIST* chosen = nullptr;  // handed over to the caller, who frees it
} browsed;

PIDLIST_ABSOLUTE WINAPI FakeBrowse(LPBROWSEINFOW info) {
    if (browsed.browserWindow) {
        EXPECT_EQ(info->lpfn(browsed.browserWindow, BFFM_INITIALIZED, 0, info->lParam), 0);
    }
    return std::exchange(browsed.chosen, nullptr);
}

class FolderBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ShellNamespace::Start();
        window = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr, nullptr, nullptr,
                                 nullptr);
        edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 300, 24, window,
                               reinterpret_cast<HMENU>(IDC_FOLDER), nullptr, nullptr);
        other =
            CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 40, 300, 24, window, nullptr, nullptr, nullptr);
        ASSERT_TRUE(box.Attach(edit, GetModuleHandleW(nullptr)));
        previousBeep = SetBeepFunction(RecordBeep);
        previousBrowse = SetBrowseFunction(FakeBrowse);
        beeps.clear();
        browsed = BrowseRecord();
    }
    void TearDown() override {
        SetControlKey(false);
        SetBeepFunction(previousBeep);
        SetBrowseFunction(previousBrowse);
        DestroyWindow(window);
        ShellNamespace::Stop();
        CoUninitialize();
    }
    void Drop(const std::vector<std::wstring>& paths) {
        EXPECT_EQ(SendMessageW(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0), 0);
    }
    void Browse() { EXPECT_EQ(SendMessageW(edit, WM_COMMAND, MAKEWPARAM(IDC_BROWSE, BN_CLICKED), 0), 0); }

    HWND window = nullptr;
    HWND edit = nullptr;
    HWND other = nullptr;
    FolderBox box;
    BeepFunction previousBeep = nullptr;
    BrowseFunction previousBrowse = nullptr;
};

TEST_F(FolderBoxTest, DroppedFoldersReplaceOrWithControlJoinTheText) {
    test::TempTree tree;
    const std::wstring site = WithoutFinalBackslash(test::ToEnginePath(tree.Folder("site")));
    const std::wstring docs = WithoutFinalBackslash(test::ToEnginePath(tree.Folder("docs")));
    const std::wstring page = test::ToEnginePath(tree.File("page.htm")).Wide();
    SetWindowTextW(edit, L"C:\\earlier");

    Drop({site});
    EXPECT_EQ(WindowText(edit), site);
    Drop({page, docs, site});  // in the order of the drop, the file left out
    EXPECT_EQ(WindowText(edit), docs + L"|" + site);

    SetControlKey(true);
    SetWindowTextW(edit, L"C:\\kept ");
    Drop({docs});
    EXPECT_EQ(WindowText(edit), L"C:\\kept |" + docs);
    EXPECT_TRUE(beeps.empty());
}

TEST_F(FolderBoxTest, ADropWithoutFoldersBeepsAndLeavesTheBox) {
    test::TempTree tree;
    const std::wstring page = test::ToEnginePath(tree.File("page.htm")).Wide();
    SetWindowTextW(edit, L"C:\\kept");
    Drop({page, WithoutFinalBackslash(tree.Root()) + L"\\gone", L""});
    EXPECT_EQ(WindowText(edit), L"C:\\kept");
    ASSERT_EQ(beeps.size(), 1u);
    EXPECT_EQ(beeps[0], static_cast<UINT>(MB_ICONHAND));

    // With Ctrl the box's own text is the result: written back, no beep.
    SetControlKey(true);
    Drop({page});
    EXPECT_EQ(WindowText(edit), L"C:\\kept");
    EXPECT_EQ(beeps.size(), 1u);
}

TEST(BrowseStartText, FirstFolderTrimmedAndExpanded) {
    EXPECT_EQ(BrowseStartText(u"  C:\\a | C:\\b"), String(u"C:\\a"));
    EXPECT_EQ(BrowseStartText(u"| C:\\a"), String(u"| C:\\a"));
    EXPECT_FALSE(BrowseStartText(u"  ").has_value());
    EXPECT_EQ(BrowseStartText(u"%LINKLOOM_NO_SUCH_VARIABLE%\\a"), String(u"%LINKLOOM_NO_SUCH_VARIABLE%\\a"));
    SetEnvironmentVariableW(L"LINKLOOM_SITE", L"C:\\site");
    EXPECT_EQ(BrowseStartText(u"%LINKLOOM_SITE%\\docs|x"), String(u"C:\\site\\docs"));
    SetEnvironmentVariableW(L"LINKLOOM_SITE", nullptr);
}

TEST_F(FolderBoxTest, TheChosenFolderGoesIntoTheBox) {
    test::TempTree tree;
    const String folder = test::ToEnginePath(tree.Folder("site"));
    SetFocus(other);
    browsed.chosen = ILClone(ParseLocation(folder).Get());
    ASSERT_NE(browsed.chosen, nullptr);
    Browse();
    EXPECT_EQ(WindowText(edit), WithoutFinalBackslash(folder));
    EXPECT_EQ(GetFocus(), edit);

    // The Control Panel has no path, so its parsing name stands in.
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_CONTROLS, &browsed.chosen), S_OK);
    Browse();
    const std::wstring name = WindowText(edit);
    EXPECT_EQ(name.rfind(L"::{", 0), 0u) << name.size();
}

// A stand-in for the browser window: records the selection requests it gets (a text is copied,
// as it lives only while the browser runs) and holds a tree.
struct FakeBrowser {
    std::vector<std::pair<WPARAM, LPARAM>> selections;
    std::vector<std::wstring> selectedTexts;
    std::vector<LPARAM> ensuredVisible;
    HWND window = nullptr;
    HWND tree = nullptr;
    HTREEITEM item = nullptr;

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
        auto* self = reinterpret_cast<FakeBrowser*>(data);
        if (window == self->window && message == BFFM_SETSELECTIONW) {
            self->selections.emplace_back(wParam, lParam);
            if (wParam) self->selectedTexts.push_back(reinterpret_cast<const wchar_t*>(lParam));
        }
        if (window == self->tree && message == TVM_ENSUREVISIBLE) self->ensuredVisible.push_back(lParam);
        return DefSubclassProc(window, message, wParam, lParam);
    }

    FakeBrowser() {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        window = CreateWindowExW(0, L"STATIC", L"browser", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                                 nullptr, nullptr);
        const HWND pane =
            CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 300, 300, window, nullptr, nullptr, nullptr);
        tree = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 300, pane, nullptr, nullptr,
                               nullptr);
        TVINSERTSTRUCTW insert{};
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<wchar_t*>(L"folder");
        item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        SetWindowSubclass(window, Procedure, 1, reinterpret_cast<DWORD_PTR>(this));
        SetWindowSubclass(tree, Procedure, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~FakeBrowser() {
        RemoveWindowSubclass(window, Procedure, 1);
        RemoveWindowSubclass(tree, Procedure, 1);
        DestroyWindow(window);
    }
    void Pump(DWORD milliseconds) {
        const DWORD end = GetTickCount() + milliseconds;
        while (GetTickCount() < end) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            Sleep(10);
        }
    }
};

TEST_F(FolderBoxTest, BrowserStartsAtTheExpandedTextOrTheDocumentsAndScrollsToIt) {
    FakeBrowser browser;
    browsed.browserWindow = browser.window;
    SetWindowTextW(edit, L"%USERPROFILE%\\site | C:\\other");
    SetFocus(other);
    Browse();  // cancelled: the box stays as it was and the focus goes to its text
    wchar_t profile[MAX_PATH] = {};
    ExpandEnvironmentStringsW(L"%USERPROFILE%\\site", profile, MAX_PATH);
    ASSERT_EQ(browser.selections.size(), 1u);
    EXPECT_EQ(browser.selections[0].first, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(browser.selectedTexts, std::vector<std::wstring>{profile});
    EXPECT_EQ(WindowText(edit), L"%USERPROFILE%\\site | C:\\other");
    EXPECT_EQ(GetFocus(), edit);

    EXPECT_TRUE(browser.ensuredVisible.empty());  // not before the timer's tick
    browser.Pump(600);
    ASSERT_EQ(browser.ensuredVisible.size(), 1u);  // once: the timer stopped itself
    EXPECT_EQ(browser.ensuredVisible[0], reinterpret_cast<LPARAM>(browser.item));
    EXPECT_FALSE(KillTimer(browser.tree, IDT_SCROLL_TO_SELECTION));

    SetWindowTextW(edit, L" ");
    Browse();
    ASSERT_EQ(browser.selections.size(), 2u);
    EXPECT_EQ(browser.selections[1].first, static_cast<WPARAM>(FALSE));
    EXPECT_NE(ShellNamespace::DocumentsList(), nullptr);
    EXPECT_EQ(browser.selections[1].second, reinterpret_cast<LPARAM>(ShellNamespace::DocumentsList()));
}

}  // namespace
}  // namespace linkloom
