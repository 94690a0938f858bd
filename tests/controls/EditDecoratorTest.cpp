#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "TestWindows.h"
#include "controls/EditDecorator.h"
#include "controls/Fonts.h"
#include "controls/Icons.h"
#include "resources/resource.h"

namespace linkloom {
namespace {

int LeftMargin(HWND edit) { return LOWORD(SendMessageW(edit, EM_GETMARGINS, 0, 0)); }
int RightMargin(HWND edit) { return HIWORD(SendMessageW(edit, EM_GETMARGINS, 0, 0)); }

RECT ClientRectIn(HWND child, HWND parent) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)); }

bool IsItalic(HFONT font) {
    LOGFONTW description{};
    return GetObjectW(font, sizeof description, &description) && description.lfItalic;
}

class EditDecoratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        SendMessageW(host.Edit(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
    }
    HINSTANCE Program() const { return GetModuleHandleW(nullptr); }

    test::HostWindow host;
    EditDecorator decorator;
};

TEST_F(EditDecoratorTest, IconTakesItsBoxAndTheSavedMarginAndRefusesSecondAttach) {
    ASSERT_TRUE(decorator.SetIcon(host.Edit(), IDI_FOLDER_BOX, Program(), Program()));
    const int edge = GetSystemMetrics(SM_CXSMICON) < 24 ? 16 : 24;
    EXPECT_EQ(decorator.IconMargin(), edge + 1 + 2);
    EXPECT_EQ(LeftMargin(host.Edit()), edge + 3);
    EXPECT_EQ(RightMargin(host.Edit()), 1);
    EXPECT_TRUE(IsWindowVisible(decorator.IconWindow()));
    EXPECT_TRUE(GetWindowLongPtrW(host.Edit(), GWL_STYLE) & WS_CLIPCHILDREN);
    EXPECT_FALSE(decorator.Attach(host.Edit()));

    // The icon strip answers as border, so a click there does not place the caret.
    POINT onIcon{3, 5}, onText{edge + 10, 5};
    ClientToScreen(host.Edit(), &onIcon);
    ClientToScreen(host.Edit(), &onText);
    EXPECT_EQ(SendMessageW(host.Edit(), WM_NCHITTEST, 0, MAKELPARAM(onIcon.x, onIcon.y)), HTBORDER);
    EXPECT_EQ(SendMessageW(host.Edit(), WM_NCHITTEST, 0, MAKELPARAM(onText.x, onText.y)), HTCLIENT);
}

TEST_F(EditDecoratorTest, UnknownIconsFailAndLeaveTheMargins) {
    EXPECT_FALSE(decorator.SetIcon(host.Edit(), 4321, Program(), Program()));
    EXPECT_EQ(LeftMargin(host.Edit()), 1);
    EXPECT_EQ(decorator.IconWindow(), nullptr);
    // An icon missing from the resource module is still found in the program.
    EXPECT_NE(LoadSizedIcon(GetModuleHandleW(L"kernel32.dll"), Program(), IDI_FOLDER_BOX, 16), nullptr);
}

TEST_F(EditDecoratorTest, ButtonHugsTheRightEdgeAndF2PressesIt) {
    ASSERT_TRUE(decorator.AddButton(host.Edit(), IDC_BROWSE, L"..."));
    const int width = MeasureTextWidth(host.Edit(), L"...") + 8;
    EXPECT_GT(width, 8);
    EXPECT_EQ(LeftMargin(host.Edit()), 1);
    EXPECT_EQ(RightMargin(host.Edit()), width);
    // Where the button sits in a box is EditGeometryTest's; here, that it follows the box.
    SetWindowPos(host.Edit(), nullptr, 0, 0, 200, 24, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(host.Edit(), &client);
    const RECT button = ClientRectIn(decorator.Button(), host.Edit());
    EXPECT_EQ(button.right, client.right);
    EXPECT_EQ(button.right - button.left, width);
    EXPECT_EQ(button.bottom - button.top, client.bottom);

    SendMessageW(host.Edit(), WM_KEYDOWN, VK_F2, 0);
    ASSERT_EQ(host.Commands().size(), 1u);
    EXPECT_EQ(host.Commands()[0], static_cast<UINT>(IDC_BROWSE));

    // With the edit as target, the click goes down to the edit's own handling, not the parent.
    decorator.SetCommandTarget(host.Edit());
    SendMessageW(host.Edit(), WM_KEYDOWN, VK_F2, 0);
    EXPECT_EQ(host.Commands().size(), 1u);
}

// A themed button asks the box for its background with WM_PRINTCLIENT into its own DC, then
// draws itself into that DC: the DC must come back as it went, not clipped to the box's text.
TEST_F(EditDecoratorTest, PrintingTheBoxIntoADcLeavesItsClippingAlone) {
    ASSERT_TRUE(decorator.SetIcon(host.Edit(), IDI_FOLDER_BOX, Program(), Program()));
    ASSERT_TRUE(decorator.AddButton(host.Edit(), IDC_BROWSE, L"..."));
    RECT client{};
    GetClientRect(host.Edit(), &client);
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    RECT before{}, after{};
    GetClipBox(dc, &before);
    SendMessageW(host.Edit(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GetClipBox(dc, &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "clipped to " << after.left << ".." << after.right;
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

TEST_F(EditDecoratorTest, FocusSelectsTheWholeTextAndAClickOnlyFocuses) {
    ASSERT_TRUE(decorator.Attach(host.Edit()));
    SetWindowTextW(host.Edit(), L"C:\\sites\\example");
    SetFocus(host.Handle());
    SendMessageW(host.Edit(), EM_SETSEL, 3, 3);
    SetFocus(host.Edit());
    DWORD start = 1, end = 0;
    SendMessageW(host.Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 16u);

    SetFocus(host.Handle());
    EXPECT_EQ(SendMessageW(host.Edit(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(host.Handle()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_ACTIVATEANDEAT);
    EXPECT_EQ(GetFocus(), host.Edit());
}

TEST_F(EditDecoratorTest, CueFontIsItalicOnlyWhileEmptyAndUnfocused) {
    ASSERT_TRUE(decorator.Attach(host.Edit()));
    const HFONT normal = FontOf(host.Edit());
    SetFocus(host.Handle());
    ASSERT_NE(decorator.SetCueText(L"https://www...", true), 0);
    EXPECT_TRUE(IsItalic(FontOf(host.Edit())));

    SetFocus(host.Edit());
    EXPECT_EQ(FontOf(host.Edit()), normal);
    SetFocus(host.Handle());
    EXPECT_TRUE(IsItalic(FontOf(host.Edit())));

    SetWindowTextW(host.Edit(), L"https://example.com/");
    EXPECT_EQ(FontOf(host.Edit()), normal);
    SetFocus(host.Edit());
    SetFocus(host.Handle());
    EXPECT_EQ(FontOf(host.Edit()), normal);
    SetWindowTextW(host.Edit(), L"");
    EXPECT_TRUE(IsItalic(FontOf(host.Edit())));
}

TEST(EditDecoratorLifetimeTest, AnEditThatOutlivesItsDecoratorGetsItsOwnFontBack) {
    test::HostWindow host;
    const HFONT normal = FontOf(host.Edit());
    {
        EditDecorator decorator;
        ASSERT_TRUE(decorator.Attach(host.Edit()));
        ASSERT_NE(decorator.SetCueText(L"cue", true), 0);
        ASSERT_NE(FontOf(host.Edit()), normal);
    }
    EXPECT_EQ(FontOf(host.Edit()), normal);
    // The subclass is gone too: the edit still works on its own.
    SetWindowTextW(host.Edit(), L"plain");
    EXPECT_EQ(GetWindowTextLengthW(host.Edit()), 5);
}

TEST(EditDecoratorLifetimeTest, DestroyingTheEditPutsTheMarginsBack) {
    test::HostWindow host;
    EditDecorator decorator;
    ASSERT_TRUE(decorator.AddButton(host.Edit(), IDC_BROWSE, L"..."));
    const HWND button = decorator.Button();
    DestroyWindow(host.Edit());
    EXPECT_FALSE(IsWindow(button));
    EXPECT_EQ(decorator.Button(), nullptr);
    EXPECT_EQ(decorator.Subclassed(), nullptr);
}

}  // namespace
}  // namespace linkloom
