#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "app/DialogWindow.h"
#include "app/MessageLoop.h"
#include "app/ModuleState.h"
#include "resources/resource.h"

namespace linkloom {
namespace {

std::vector<std::string> calls;

struct RecordingFilter : MessageFilter {
    RecordingFilter(std::string name, BOOL consume) : name(std::move(name)), consume(consume) {}
    BOOL FilterMessage(MSG&) override {
        calls.push_back(name);
        return consume;
    }
    std::string name;
    BOOL consume;
};

// A plain window to address the test's messages to.
struct TargetWindow {
    TargetWindow()
        : handle(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~TargetWindow() { DestroyWindow(handle); }
    HWND handle;
};

TEST(MessageLoopTest, LoopsAreFoundByThreadOnly) {
    ModuleState::Initialize(GetModuleHandleW(nullptr));
    MessageLoop loop;
    ModuleState::RegisterLoop(&loop);
    EXPECT_EQ(ModuleState::CurrentLoop(), &loop);
    MessageLoop* seenElsewhere = &loop;
    std::thread([&] { seenElsewhere = ModuleState::CurrentLoop(); }).join();
    EXPECT_EQ(seenElsewhere, nullptr);
    ModuleState::UnregisterLoop();
    EXPECT_EQ(ModuleState::CurrentLoop(), nullptr);
}

TEST(MessageLoopTest, FiltersAreAskedFromTheLastAddedAndTheFirstToConsumeEndsTheSearch) {
    MessageLoop loop;
    RecordingFilter first("first", FALSE), second("second", TRUE), third("third", FALSE);
    loop.RegisterFilter(&first);
    loop.RegisterFilter(&second);
    loop.RegisterFilter(&third);
    TargetWindow target;

    calls.clear();
    PostMessageW(target.handle, WM_USER, 0, 0);
    EXPECT_EQ(loop.Run(true), 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"third", "second"}));

    loop.UnregisterFilter(&second);
    calls.clear();
    PostMessageW(target.handle, WM_USER, 0, 0);
    loop.Run(true);
    EXPECT_EQ(calls, (std::vector<std::string>{"third", "first"}));

    // Thread messages are dispatched but never offered to the filters.
    calls.clear();
    PostThreadMessageW(GetCurrentThreadId(), WM_USER, 0, 0);
    loop.Run(true);
    EXPECT_TRUE(calls.empty());
}

TEST(MessageLoopTest, PumpModeReturnsAtOnceWhenNothingIsPending) {
    MessageLoop loop;
    MSG stale;
    while (PeekMessageW(&stale, nullptr, 0, 0, PM_REMOVE)) {
    }
    EXPECT_EQ(loop.Run(true), 0);
}

// A dialog that handles nothing, so that every notification is reflected.
class EmptyDialog : public DialogWindow {
protected:
    bool HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

LRESULT CALLBACK RecordReflection(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR seen) {
    if (message == WM_COMMAND + kReflectedOffset) {
        *reinterpret_cast<UINT*>(seen) = HIWORD(wParam);
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST(DialogWindowTest, BindsOnTheFirstMessageAndReflectsNotificationsToTheControl) {
    ModuleState::Initialize(GetModuleHandleW(nullptr));
    EmptyDialog dialog;
    ASSERT_NE(dialog.CreateModeless(nullptr, IDD_PROGRESS), nullptr);
    EXPECT_EQ(reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(dialog.Handle(), DWLP_USER)), &dialog);
    EXPECT_EQ(ModuleState::TakePendingWindow(), nullptr);

    const HWND button = GetDlgItem(dialog.Handle(), IDCANCEL);
    UINT reflectedCode = 0;
    SetWindowSubclass(button, RecordReflection, 1, reinterpret_cast<DWORD_PTR>(&reflectedCode));
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_SETFOCUS), reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(reflectedCode, static_cast<UINT>(BN_SETFOCUS));
    RemoveWindowSubclass(button, RecordReflection, 1);

    DestroyWindow(dialog.Handle());
    EXPECT_EQ(dialog.Handle(), nullptr);
}

}  // namespace
}  // namespace linkloom
