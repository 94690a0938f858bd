#include "shell/Environment.h"

#include <windows.h>

#include <vector>

namespace linkloom {

namespace {

constexpr DWORD kPathBufferSize = 33000;

}  // namespace

bool ExpandEnvironment(String& text) {
    if (text.Find(u'%') == String::npos) return false;
    std::vector<wchar_t> buffer(kPathBufferSize, L'\0');
    const DWORD needed = ExpandEnvironmentStringsW(text.Wide(), buffer.data(), kPathBufferSize - 1);
    // A result larger than the buffer means nothing was written.
    if (needed == 0 || needed > kPathBufferSize - 1) return false;
    text = String::FromWide(buffer.data());
    return true;
}

}  // namespace linkloom
