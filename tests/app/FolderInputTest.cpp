#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/MainDialog.h"
#include "app/ModuleState.h"
#include "resources/resource.h"
#include "shell/FolderBrowser.h"

namespace linkloom {
namespace {

int browses = 0;
std::wstring browseTitle;

PIDLIST_ABSOLUTE WINAPI CancelBrowse(LPBROWSEINFOW info) {
    ++browses;
    browseTitle = info->lpszTitle;
    return nullptr;
}

// The folder box of the real dialog: its "..." button and command 32770 reach the browser.
TEST(FolderInput, TheFolderBoxBrowsesOnItsButtonAndCommand) {
    ModuleState::Initialize(GetModuleHandleW(nullptr));
    MessageLoop loop;
    ModuleState::RegisterLoop(&loop);
    const BrowseFunction previous = SetBrowseFunction(CancelBrowse);
    {
        MainDialog dialog;
        ASSERT_TRUE(dialog.CreateModeless(nullptr, IDD_MAIN));
        const HWND folder = GetDlgItem(dialog.Handle(), IDC_FOLDER);
        const HWND button = FindWindowExW(folder, nullptr, L"BUTTON", nullptr);
        ASSERT_NE(button, nullptr);
        SendMessageW(button, BM_CLICK, 0, 0);
        EXPECT_EQ(browses, 1);
        EXPECT_EQ(browseTitle, L"Folder to search");
        SendMessageW(folder, WM_COMMAND, MAKEWPARAM(IDC_BROWSE, BN_CLICKED), 0);
        EXPECT_EQ(browses, 2);
        EXPECT_TRUE(GetWindowLongPtrW(folder, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    }
    SetBrowseFunction(previous);
    ModuleState::UnregisterLoop();
}

}  // namespace
}  // namespace linkloom
