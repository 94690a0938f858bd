#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/AboutDialog.h"
#include "app/MainDialog.h"
#include "app/ModuleState.h"
#include "controls/LinkLabel.h"
#include "resources/resource.h"
#include "shell/FolderBrowser.h"

namespace linkloom {
namespace {

// The tip windows that `owner` owns, found among the thread's windows.
std::vector<HWND> TipsOf(HWND owner) {
    struct Search {
        HWND owner;
        std::vector<HWND> found;
    } search{owner, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            if (std::wstring(name) == L"ATL:GlimTip" && GetWindow(window, GW_OWNER) == s->owner) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<int> ToolIds(HWND tip) {
    std::vector<int> ids;
    const auto count = static_cast<UINT>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    for (UINT i = 0; i < count; ++i) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        SendMessageW(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool));
        ids.push_back(GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId)));
    }
    return ids;
}

LOGFONTW FontOf(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

class DialogControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ModuleState::Initialize(GetModuleHandleW(nullptr));
        ModuleState::RegisterLoop(&loop);
        ASSERT_TRUE(dialog.CreateModeless(nullptr, IDD_MAIN));
    }
    void TearDown() override {
        if (dialog.Handle()) DestroyWindow(dialog.Handle());
        ModuleState::UnregisterLoop();
    }
    HWND Item(int id) const { return GetDlgItem(dialog.Handle(), id); }

    MessageLoop loop;
    MainDialog dialog;
};

TEST_F(DialogControlsTest, TipsGoToControlsWithAStringOfTheirOwnId) {
    const std::vector<HWND> tips = TipsOf(dialog.Handle());
    ASSERT_EQ(tips.size(), 1u);
    // In template order, which is the order of the children.
    EXPECT_EQ(ToolIds(tips[0]), (std::vector<int>{IDC_SUBFOLDERS, IDC_EXTENSIONS, IDC_EXCLUDE_NOINDEX, IDC_ABOUT}));
    EXPECT_FALSE(GetWindowLongW(tips[0], GWL_STYLE) & WS_BORDER);

    // A show with the cursor in the lower left of a control puts the tip right above it, at
    // the cursor, one line high.
    RECT box{};
    ShowWindow(dialog.Handle(), SW_SHOWNOACTIVATE);
    GetWindowRect(Item(IDC_EXTENSIONS), &box);
    const POINT cursor{box.left + 3, box.bottom - 2};
    SetCursorPos(cursor.x, cursor.y);
    NMHDR show{tips[0], 0, static_cast<UINT>(TTN_SHOW)};
    EXPECT_EQ(SendMessageW(tips[0], WM_NOTIFY + WM_REFLECT_OFFSET, 0, reinterpret_cast<LPARAM>(&show)), 1);
    RECT tip{};
    GetWindowRect(tips[0], &tip);
    EXPECT_EQ(tip.bottom, box.top);
    EXPECT_EQ(tip.left, cursor.x);
    TEXTMETRICW metrics{};
    const HDC dc = GetDC(tips[0]);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(tips[0], WM_GETFONT, 0, 0)));
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(tips[0], dc);
    if (dpi == 96) {
        EXPECT_EQ(tip.bottom - tip.top, metrics.tmHeight + 4);
    }
}

int browses = 0;

PIDLIST_ABSOLUTE WINAPI CancelBrowse(LPBROWSEINFOW) {
    ++browses;
    return nullptr;
}

// How each decoration behaves is the decorator's and the folder box's to test; here, that the
// dialog's boxes have theirs.
TEST_F(DialogControlsTest, TheUrlBoxHasItsCueAndTheFolderBoxItsIconButtonAndDrop) {
    const HWND url = Item(IDC_ROOT_URL);
    SetWindowTextW(url, L"");
    SetFocus(Item(IDC_EXTENSIONS));
    EXPECT_TRUE(FontOf(url).lfItalic);

    const HWND folder = Item(IDC_FOLDER);
    const HWND browse = GetDlgItem(folder, IDC_BROWSE);
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(HIWORD(SendMessageW(folder, EM_GETMARGINS, 0, 0)), [&] {
        RECT button{};
        GetWindowRect(browse, &button);
        return static_cast<WORD>(button.right - button.left);
    }());
    EXPECT_GT(LOWORD(SendMessageW(folder, EM_GETMARGINS, 0, 0)), 16);
    EXPECT_TRUE(GetWindowLongPtrW(folder, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    const BrowseFunction previous = SetBrowseFunction(CancelBrowse);
    browses = 0;
    SendMessageW(browse, BM_CLICK, 0, 0);
    SetBrowseFunction(previous);
    EXPECT_EQ(browses, 1);
}

// Drives the About box from inside its modal loop: `act` runs once the box is up; a box still
// open long after is ended with -5 so that a broken close fails instead of hanging.
std::function<void(HWND)> act;
int ticks = 0;

void CALLBACK DriveAbout(HWND, UINT, UINT_PTR, DWORD) {
    const HWND about = FindWindowW(nullptr, L"About");
    if (!about || !IsWindowVisible(about)) return;
    if (ticks++ == 0) {
        act(about);
    } else if (ticks > 100) {
        EndDialog(about, -5);
    }
}

INT_PTR RunAbout(HWND owner, std::function<void(HWND)> action) {
    act = std::move(action);
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, DriveAbout);
    AboutDialog about;
    const INT_PTR result = about.RunModal(owner, IDD_ABOUT);
    KillTimer(nullptr, timer);
    return result;
}

TEST_F(DialogControlsTest, AboutBoxClosesByOkEnterEscapeAndTheCloseBox) {
    const std::pair<std::function<void(HWND)>, INT_PTR> closes[] = {
        {[](HWND about) { PostMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0); }, IDOK},
        {[](HWND about) { PostMessageW(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_RETURN, 0); }, IDOK},
        {[](HWND about) { PostMessageW(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL},
        {[](HWND about) { PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL}};
    for (const auto& [close, result] : closes) EXPECT_EQ(RunAbout(dialog.Handle(), close), result);
}

struct ShellCall {
    std::wstring verb;
    std::wstring file;
    int show;
};
std::vector<ShellCall> shellCalls;

HINSTANCE WINAPI RecordShellExecute(HWND, const wchar_t* verb, const wchar_t* file, const wchar_t*, const wchar_t*,
                                    INT show) {
    shellCalls.push_back({verb, file, show});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

TEST_F(DialogControlsTest, AboutLinkOpensTheWebPageAndLeavesTheBoxOpen) {
    const ShellExecuteFunction previous = SetShellExecuteFunction(RecordShellExecute);
    shellCalls.clear();
    bool stillOpen = false;
    bool centred = false;
    bool handCursor = false;
    std::wstring linkText;
    RunAbout(dialog.Handle(), [&](HWND about) {
        const HWND link = GetDlgItem(about, IDC_WEB_LINK);
        wchar_t text[64] = {};
        GetWindowTextW(link, text, 64);
        linkText = text;
        handCursor =
            SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) &&
            GetCursor() == LoadCursorW(nullptr, IDC_HAND);
        SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        stillOpen = IsWindowVisible(about);
        RECT box{}, owner{};
        GetWindowRect(about, &box);
        GetWindowRect(GetParent(about), &owner);
        centred = std::abs((box.left + box.right) - (owner.left + owner.right)) <= 1 &&
                  std::abs((box.top + box.bottom) - (owner.top + owner.bottom)) <= 1;
        PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
    });
    SetShellExecuteFunction(previous);
    EXPECT_EQ(linkText, L"linkloom.example");
    EXPECT_TRUE(handCursor);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(centred);
    ASSERT_EQ(shellCalls.size(), 1u);
    EXPECT_EQ(shellCalls[0].verb, L"open");
    EXPECT_EQ(shellCalls[0].file, L"https://linkloom.example/");
    EXPECT_EQ(shellCalls[0].show, SW_SHOWNORMAL);
}

}  // namespace
}  // namespace linkloom
