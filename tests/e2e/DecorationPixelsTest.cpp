// The folder box's icon and "..." button as the screen shows them, in the states a user meets.
// The pixels come from the screen, not from asking the windows to draw themselves, so a
// decoration that the box painted over is seen as missing.
//
// Wine and Windows differ in how the box gets there: under Wine the themed button asks the box
// for its background and the box leaves that drawing clipped to its text, and the box draws its
// themed frame over its children whenever the focus enters or leaves it. The checks hold for
// both: a button shows dark label pixels inside a frame that stands out from the box, and the
// icon's rectangle holds the program's own icon drawn over the box's background.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "e2e/ProgramDriver.h"
#include "e2e/ScreenPixels.h"
#include "resources/resource.h"
#include "support/TempTree.h"

namespace linkloom::e2e {
namespace {

constexpr DWORD kDrawnWithinMs = 3000;
// A label pixel is dark on the box's light background; a frame pixel stands out less.
constexpr int kLabelDistance = 96;
constexpr int kFrameDistance = 32;
constexpr int kMinLabelPixels = 3;
constexpr double kMinFrameShare = 0.6;
// An icon pixel matches when no channel is further off than this (blending may round).
constexpr int kIconTolerance = 24;
constexpr double kMinIconMatch = 0.9;
constexpr double kMinIconInk = 0.2;

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

std::uint32_t Background() { return PixelOf(GetSysColor(COLOR_WINDOW)); }

// What the button's rectangle shows: "" when it holds a drawn button, else what is missing.
std::string ButtonProblem(const ScreenPixels& button) {
    if (button.Width() < 8 || button.Height() < 8) return "no button rectangle on the screen";
    const std::uint32_t background = Background();
    int label = 0;
    for (int y = 3; y < button.Height() - 3; ++y) {
        for (int x = 3; x < button.Width() - 3; ++x)
            label += ColourDistance(button.At(x, y), background) >= kLabelDistance;
    }
    int ring = 0, frame = 0;
    for (int y = 0; y < button.Height(); ++y) {
        for (int x = 0; x < button.Width(); ++x) {
            if (x != 0 && y != 0 && x != button.Width() - 1 && y != button.Height() - 1) continue;
            ++ring;
            frame += ColourDistance(button.At(x, y), background) >= kFrameDistance;
        }
    }
    const double share = static_cast<double>(frame) / ring;
    if (label >= kMinLabelPixels && share >= kMinFrameShare) return "";
    std::ostringstream seen;
    seen << "button: " << label << " label pixels (at least " << kMinLabelPixels << " wanted), " << frame << " of "
         << ring << " frame pixels stand out (" << kMinFrameShare * 100 << "% wanted)";
    return seen.str();
}

// What the icon's rectangle shows against `expected`: "" when it holds the icon.
std::string IconProblem(const ScreenPixels& icon, const ScreenPixels& expected) {
    if (expected.Empty()) return "the program's folder icon could not be drawn for comparison";
    if (icon.Width() != expected.Width() || icon.Height() != expected.Height())
        return "no icon rectangle on the screen";
    const std::uint32_t background = Background();
    int ink = 0, matching = 0;
    for (int y = 0; y < icon.Height(); ++y) {
        for (int x = 0; x < icon.Width(); ++x) {
            ink += ColourDistance(expected.At(x, y), background) >= kFrameDistance;
            matching += ColourDistance(icon.At(x, y), expected.At(x, y)) <= kIconTolerance;
        }
    }
    const int all = icon.Width() * icon.Height();
    if (ink < kMinIconInk * all) return "the folder icon drawn for comparison is blank";
    if (matching >= kMinIconMatch * all) return "";
    std::ostringstream seen;
    seen << "icon: " << matching << " of " << all << " pixels match the folder icon (" << kMinIconMatch * 100
         << "% wanted)";
    return seen.str();
}

class DecorationPixelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        program = std::make_unique<ProgramDriver>(home.Path());
        ASSERT_NE(program->Window(), nullptr) << "the main dialog did not appear";
        const HWND folder = program->Item(IDC_FOLDER);
        button = GetDlgItem(folder, IDC_BROWSE);
        icon = GetDlgItem(folder, IDC_FOLDER);
        ASSERT_NE(button, nullptr) << "the folder box has no button";
        ASSERT_NE(icon, nullptr) << "the folder box has no icon window";
        RECT client{};
        GetClientRect(icon, &client);
        const HMODULE built = LoadLibraryExW(BuiltProgramPath().c_str(), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(built, nullptr);
        const auto folderIcon = static_cast<HICON>(
            LoadImageW(built, MAKEINTRESOURCEW(IDI_FOLDER_BOX), IMAGE_ICON, client.right, client.bottom, 0));
        expectedIcon = ScreenPixels::OfIcon(folderIcon, client.right, client.bottom, GetSysColor(COLOR_WINDOW));
        if (folderIcon) DestroyIcon(folderIcon);
        FreeLibrary(built);
    }

    // Both decorations drawn on the screen, waited for a little since painting comes last.
    void ExpectDecorations(const char* state) {
        std::string problem;
        WaitFor(
            [&] {
                RECT area{};
                const RECT iconRect = ScreenRect(icon), buttonRect = ScreenRect(button);
                UnionRect(&area, &iconRect, &buttonRect);
                const ScreenPixels shot = ScreenPixels::Capture(area);
                if (shot.Empty()) {
                    problem = "the screen could not be read";
                    return false;
                }
                problem = ButtonProblem(shot.Part(buttonRect));
                const std::string iconProblem = IconProblem(shot.Part(iconRect), expectedIcon);
                if (!iconProblem.empty()) problem += (problem.empty() ? "" : "; ") + iconProblem;
                return problem.empty();
            },
            kDrawnWithinMs, 100);
        EXPECT_EQ(problem, "") << state;
    }

    test::TempTree home;
    std::unique_ptr<ProgramDriver> program;
    HWND button = nullptr;
    HWND icon = nullptr;
    ScreenPixels expectedIcon;
};

TEST_F(DecorationPixelsTest, IconAndButtonStayDrawnWhileTheUserWorks) {
    // The dialog is active with the focus in the folder box once it has settled.
    ASSERT_TRUE(WaitFor(
        [&] { return program->Active() == program->Window() && program->Focus() == program->Item(IDC_FOLDER); }, 5000));
    ExpectDecorations("at start");

    // The focus goes elsewhere and comes back with a click, then the user types.
    program->ClickOn(IDC_EXTENSIONS);
    ASSERT_TRUE(WaitFor([&] { return program->Focus() == program->Item(IDC_EXTENSIONS); }, 5000));
    program->ClickOn(IDC_FOLDER);
    ASSERT_TRUE(WaitFor([&] { return program->Focus() == program->Item(IDC_FOLDER); }, 5000));
    program->Type(L"abc");
    ASSERT_TRUE(WaitFor([&] { return program->Text(IDC_FOLDER) == L"abc"; }, 5000)) << "typing did not reach the box";
    ExpectDecorations("after a click into the box and typing");

    // A run moves the activation to the progress window and back.
    test::TempTree site;
    site.File("index.htm");
    program->SetText(IDC_FOLDER, site.Root().Wide());
    program->SetText(IDC_ROOT_URL, L"https://example.com/");
    program->Click(IDOK);
    ASSERT_TRUE(WaitFor([&] { return !program->Text(IDC_OUTPUT).empty(); }));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(program->Window()); }));
    ExpectDecorations("after a run");

    // Another window covers the dialog and goes away.
    const RECT dialog = ScreenRect(program->Window());
    const HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE,
                                       dialog.left, dialog.top, dialog.right - dialog.left, dialog.bottom - dialog.top,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(cover, nullptr);
    UpdateWindow(cover);
    Sleep(300);
    DestroyWindow(cover);
    ExpectDecorations("after another window covered the dialog");
}

}  // namespace
}  // namespace linkloom::e2e
