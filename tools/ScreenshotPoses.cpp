// Puts the desktop program into the poses of the README's pictures, one after the other, for
// scripts/screenshot. Usage: screenshot-poses SITE URL TREE FOLDER, where TREE is a folder large
// enough for a run to last a while. For each pose it writes NAME.rect (left top width height,
// screen pixels) into FOLDER and waits until NAME.done appears there. Before the tooltip it
// writes hover.rect, the box that the pointer must be moved over.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "e2e/ProgramDriver.h"
#include "resources/resource.h"

using linkloom::e2e::ProgramDriver;
using linkloom::e2e::WaitFor;

namespace {

constexpr DWORD kPoseTimeoutMs = 60000;
constexpr wchar_t kFilesFound[] = L"files found)";

RECT Around(HWND a, HWND b) {
    RECT first{}, second{};
    GetWindowRect(a, &first);
    if (!b || !GetWindowRect(b, &second)) return first;
    RECT both{};
    UnionRect(&both, &first, &second);
    return both;
}

// Announces a pose and waits until the script has taken it.
bool Pose(const std::filesystem::path& folder, const wchar_t* name, const RECT& rect) {
    const std::filesystem::path done = folder / (std::wstring(name) + L".done");
    if (FILE* file = _wfopen((folder / (std::wstring(name) + L".rect")).c_str(), L"wb")) {
        std::fprintf(file, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        std::fclose(file);
    }
    return WaitFor([&] { return std::filesystem::exists(done); }, kPoseTimeoutMs);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        std::fputs("usage: screenshot-poses SITE URL TREE FOLDER\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = argv[4];
    const std::filesystem::path home = std::filesystem::temp_directory_path() / L"linkloom-screenshot";
    std::filesystem::create_directories(home);
    std::filesystem::remove(home / L"linkloom.ini");
    ProgramDriver program(home);
    if (!program.Window()) return 1;

    program.SetText(IDC_FOLDER, argv[1]);
    program.SetText(IDC_ROOT_URL, argv[2]);
    program.Click(IDOK);
    WaitFor([&] { return !program.Text(IDC_OUTPUT).empty(); });
    SetForegroundWindow(program.Window());
    if (!Pose(folder, L"main", Around(program.Window(), nullptr))) return 1;

    if (!Pose(folder, L"hover", Around(program.Item(IDC_EXTENSIONS), nullptr))) return 1;
    HWND tip = nullptr;
    WaitFor([&] { return (tip = program.FindWindowOfClass(L"ATL:GlimTip")) != nullptr; }, 10000);
    if (!Pose(folder, L"tooltip", Around(program.Window(), tip))) return 1;

    // The progress window once the walk has finished its first folders; the run is then cancelled.
    program.SetText(IDC_FOLDER, argv[3]);
    program.Click(IDOK);
    const HWND progress = program.WaitForProgress();
    if (!progress) return 1;
    WaitFor([&] { return ProgramDriver::Caption(progress).find(kFilesFound) != std::wstring::npos; });
    if (!Pose(folder, L"progress", Around(program.Window(), progress))) return 1;
    program.Click(IDCANCEL, progress);
    WaitFor([&] { return !IsWindowVisible(progress); });

    program.Click(IDC_ABOUT);
    HWND about = nullptr;
    WaitFor([&] { return (about = program.FindWindowOfClass(L"#32770")) != nullptr; });
    if (!about || !Pose(folder, L"about", Around(about, nullptr))) return 1;
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    WaitFor([&] { return !IsWindow(about) || !IsWindowVisible(about); });
    program.PressKey(VK_ESCAPE);
    return program.WaitForExit() == 2 ? 0 : 1;
}
