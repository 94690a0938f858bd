#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainDialog.h"
#include "app/ModuleState.h"
#include "app/ShowMessage.h"
#include "controls/WindowText.h"
#include "resources/resource.h"
#include "support/TempTree.h"

namespace linkloom {
namespace {

struct ShownMessage {
    std::wstring text;
    std::wstring caption;
    UINT style;
};
std::vector<ShownMessage> shown;

int RecordMessage(HWND, const wchar_t* text, const wchar_t* caption, UINT style) {
    shown.push_back({text, caption, style});
    return IDOK;
}

// The real dialog in this process, driven as the dialog manager would drive it.
class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ModuleState::Initialize(GetModuleHandleW(nullptr));
        ModuleState::RegisterLoop(&loop);
        previous = SetMessageBoxFunction(RecordMessage);
        shown.clear();
        ASSERT_TRUE(dialog.CreateModeless(nullptr, IDD_MAIN));
    }
    void TearDown() override {
        if (dialog.Handle()) DestroyWindow(dialog.Handle());
        SetMessageBoxFunction(previous);
        ModuleState::UnregisterLoop();
    }
    HWND Item(int id) const { return GetDlgItem(dialog.Handle(), id); }
    void Set(int id, const std::wstring& text) { SetWindowTextW(Item(id), text.c_str()); }
    void Press(int id) {
        SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
    void Inputs(const test::TempTree& tree) {
        Set(IDC_FOLDER, tree.Root().Wide());
        Set(IDC_EXTENSIONS, L"htm");
        Set(IDC_ROOT_URL, L"https://example.com");
    }

    MessageLoop loop;
    MainDialog dialog;
    MessageBoxFunction previous = nullptr;
};

// A box's text, caption and the focus after it are checked end to end (tests/e2e); here, its icon.
TEST_F(MainDialogTest, MessagesCarryTheirIcons) {
    Set(IDC_EXTENSIONS, L"*.htm");
    Press(IDOK);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].style, static_cast<UINT>(MB_ICONHAND | MB_SETFOREGROUND));

    test::TempTree tree;
    tree.File("a.htm", "x");
    Inputs(tree);
    Press(IDOK);
    Press(IDC_COPY_TEXT);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].style, static_cast<UINT>(MB_ICONINFORMATION | MB_SETFOREGROUND));
}

TEST_F(MainDialogTest, CancelAndPauseWorkThroughTheProgressWindow) {
    test::TempTree tree;
    tree.File("a.htm", "x");
    Inputs(tree);
    Press(IDOK);  // the first run creates the progress window
    ASSERT_TRUE(WindowText(Item(IDC_OUTPUT)).find(L"a.htm") != std::wstring::npos);
    const HWND progress = FindWindowExW(nullptr, nullptr, nullptr, L"working... (1 files found)");
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(IsWindowVisible(progress));
    EXPECT_EQ(WindowText(GetDlgItem(progress, IDCANCEL)), L"cancel");

    // Clicks queued before the run arrive at the walk's first pump: pause, then cancel inside
    // the pause loop. The walk stops before its first entry and the run finds nothing.
    SetWindowTextW(Item(IDC_OUTPUT), L"earlier text");
    PostMessageW(GetDlgItem(progress, IDC_PAUSE), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
    Press(IDOK);
    // A run that gives no document leaves no earlier document to copy.
    EXPECT_EQ(WindowText(Item(IDC_OUTPUT)), L"");
    ASSERT_FALSE(shown.empty());
    // FormatMessageW turns the text's line feed into a line break.
    EXPECT_EQ(shown.back().text,
              L"no files match the criteria\r\ntry scanning a different folder or adjust search settings");
    EXPECT_EQ(WindowText(progress), L"working...");
    EXPECT_TRUE(IsWindowEnabled(dialog.Handle()));
    EXPECT_FALSE(IsWindowVisible(progress));

    // The next run starts afresh.
    Press(IDOK);
    EXPECT_NE(WindowText(Item(IDC_OUTPUT)).find(L"a.htm"), std::wstring::npos);
}

TEST_F(MainDialogTest, EscapeIsSwallowedByThePumpAndQuitIsPostedAgain) {
    PostMessageW(Item(IDC_FOLDER), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(loop.Run(true), 1);
    EXPECT_TRUE(IsWindow(dialog.Handle()));
    PostQuitMessage(7);
    EXPECT_EQ(loop.Run(true), 1);
    EXPECT_EQ(loop.Run(false), 7);
}

}  // namespace
}  // namespace linkloom
