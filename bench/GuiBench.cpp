// Times the desktop program on a tree: from the create xml click until the document stands in the
// output box, then how long pause clicks take to show in the progress window's title.
// Usage: gui-bench FOLDER URL. Prints "run SECONDS", "walk SECONDS" (until the progress window
// hides, which the program does right before it closes the document and hands it to the output
// box) and "pause MILLISECONDS" (the slowest of five).
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "e2e/ProgramDriver.h"
#include "resources/resource.h"

using linkloom::e2e::ProgramDriver;
using linkloom::e2e::WaitFor;

namespace {

constexpr DWORD kRunTimeoutMs = 600000;
constexpr int kPauseSamples = 5;
// Each look at the output box is a message the program handles inside its walk, so the run is
// watched sparingly; the time it adds to a run of seconds is at most this.
constexpr DWORD kRunPollMs = 20;

double Seconds(ULONGLONG fromMs) { return static_cast<double>(GetTickCount64() - fromMs) / 1000.0; }

bool Paused(HWND progress) {
    const std::wstring title = ProgramDriver::Caption(progress);
    return title.size() > 9 && title.compare(title.size() - 9, 9, L" [PAUSED]") == 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: gui-bench FOLDER URL\n", stderr);
        return 2;
    }
    const std::filesystem::path home = std::filesystem::temp_directory_path() / L"linkloom-gui-bench";
    std::filesystem::create_directories(home);
    ProgramDriver program(home);
    if (!program.Window()) {
        std::fputs("gui-bench: the program did not start\n", stderr);
        return 1;
    }
    program.SetText(IDC_FOLDER, argv[1]);
    program.SetText(IDC_ROOT_URL, argv[2]);
    program.SetText(IDC_EXTENSIONS, L"htm");

    const ULONGLONG start = GetTickCount64();
    program.Click(IDOK);
    // The walk ends when the progress window hides; the rest is the document into the output box.
    const HWND firstProgress = program.WaitForProgress();
    WaitFor([&] { return !IsWindowVisible(firstProgress); }, kRunTimeoutMs);
    const double walk = Seconds(start);
    if (!WaitFor([&] { return SendMessageW(program.Item(IDC_OUTPUT), WM_GETTEXTLENGTH, 0, 0) > 0; }, kRunTimeoutMs,
                 kRunPollMs)) {
        std::fputs("gui-bench: no document\n", stderr);
        return 1;
    }
    std::printf("run %.3f\nwalk %.3f\n", Seconds(start), walk);

    // A second run, paused and resumed a few times while it goes, then cancelled.
    program.Click(IDOK);
    const HWND progress = program.WaitForProgress();
    double slowest = 0;
    for (int sample = 0; progress && sample < kPauseSamples; ++sample) {
        Sleep(200);
        const ULONGLONG clicked = GetTickCount64();
        program.Click(IDC_PAUSE, progress);
        if (!WaitFor([&] { return Paused(progress); }, 5000)) break;
        slowest = std::max(slowest, Seconds(clicked) * 1000.0);
        program.Click(IDC_PAUSE, progress);
        WaitFor([&] { return !Paused(progress); }, 5000);
    }
    if (progress) program.Click(IDCANCEL, progress);
    std::printf("pause %.0f\n", slowest);
    std::fflush(stdout);
    return 0;
}
