#include "app/AppInfo.h"

#include <vector>

namespace linkloom {

namespace {

constexpr DWORD kPathBufferSize = 33000;

}  // namespace

OSVERSIONINFOA AppInfo::osVersion_{};

void AppInfo::ReadOsVersion() {
    if (osVersion_.dwOSVersionInfoSize != 0) return;
    osVersion_.dwOSVersionInfoSize = sizeof osVersion_;
    if (!GetVersionExA(&osVersion_)) osVersion_.dwOSVersionInfoSize = 0;
}

const String& AppInfo::ProgramPath() {
    static const String path = [] {
        std::vector<wchar_t> buffer(kPathBufferSize, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), kPathBufferSize);
        return length > 0 && length < kPathBufferSize ? String::FromWide(buffer.data()) : String();
    }();
    return path;
}

const String& AppInfo::ProgramFolder() {
    static const String folder = [] {
        const String& path = ProgramPath();
        for (std::size_t i = path.Length(); i > 0; --i) {
            if (path[i - 1] == u'\\') return path.Left(i);
        }
        return String();
    }();
    return folder;
}

}  // namespace linkloom
