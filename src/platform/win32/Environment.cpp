#include "platform/Environment.h"

#include <windows.h>

#include <vector>

namespace linkloom::platform {

std::optional<String> EnvironmentVariable(const String& name) {
    const DWORD needed = GetEnvironmentVariableW(name.Wide(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::vector<wchar_t> value(needed);
    const DWORD length = GetEnvironmentVariableW(name.Wide(), value.data(), needed);
    if (length >= needed) return std::nullopt;
    return String::FromWide(value.data());
}

}  // namespace linkloom::platform
