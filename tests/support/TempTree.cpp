#include "support/TempTree.h"

#include <algorithm>
#include <fstream>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace linkloom::test {

namespace {

void SetWriteTime(const std::filesystem::path& path, platform::FileTime written) {
#ifdef _WIN32
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME time{static_cast<DWORD>(written), static_cast<DWORD>(written >> 32)};
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
#else
    struct timespec times[2];
    times[0].tv_sec = times[1].tv_sec = platform::UnixSecondsOf(written);
    times[0].tv_nsec = times[1].tv_nsec = static_cast<long>(written % platform::kFileTimeUnitsPerSecond) * 100;
    utimensat(AT_FDCWD, path.c_str(), times, 0);
#endif
}

}  // namespace

TempTree::TempTree() {
    std::random_device random;
    root_ = std::filesystem::temp_directory_path() / ("linkloom-test-" + std::to_string(random()));
    std::filesystem::create_directories(root_);
}

TempTree::~TempTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

String TempTree::Root() const {
#ifdef _WIN32
    return ToEnginePath(root_) + u'\\';
#else
    return ToEnginePath(root_) + u'/';
#endif
}

std::filesystem::path TempTree::Folder(const std::string& relative) {
    const auto path = root_ / std::filesystem::u8path(relative);
    std::filesystem::create_directories(path);
    return path;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Utf16Le(const std::u16string& text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::filesystem::path TempTree::File(const std::string& relative, const std::string& content,
                                     platform::FileTime written) {
    const auto path = root_ / std::filesystem::u8path(relative);
    std::filesystem::create_directories(path.parent_path());
    {
        std::ofstream out(path, std::ios::binary);
        out << content;
    }
    if (written != 0) SetWriteTime(path, written);
    return path;
}

String ToEnginePath(const std::filesystem::path& path) {
    return String(std::filesystem::path(path).make_preferred().u16string());
}

}  // namespace linkloom::test
