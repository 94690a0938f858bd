#include "platform/PathInside.h"

#include <climits>
#include <cstdlib>
#include <memory>
#include <string>

namespace linkloom::platform {

namespace {

// The folder with its links and "." and ".." resolved; empty when it cannot be.
std::string RealFolder(const std::string& folder) {
    const std::unique_ptr<char, decltype(&std::free)> real(realpath(folder.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : std::string();
}

}  // namespace

std::optional<String> PathInside(const String& folder, const String& path) {
    const std::string bytes = path.ToNativeBytes();
    const std::size_t slash = bytes.rfind('/');
    const std::string name = slash == std::string::npos ? bytes : bytes.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return std::nullopt;
    const std::string top = RealFolder(folder.ToNativeBytes());
    const std::string home = RealFolder(slash == std::string::npos ? "." : slash == 0 ? "/" : bytes.substr(0, slash));
    if (top.empty() || home.empty()) return std::nullopt;
    std::string relative;
    if (home != top) {
        const std::string prefix = top == "/" ? top : top + "/";
        if (home.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
        relative = home.substr(prefix.size()) + "/";
    }
    return String::FromUtf8(relative + name);
}

}  // namespace linkloom::platform
