#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/String.h"
#include "platform/Directory.h"
#include "platform/UnixTime.h"

namespace linkloom::test {

// A fresh folder for one test, removed with everything in it when the test ends.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The folder as the engine sees it, with a final separator.
    String Root() const;
    const std::filesystem::path& Path() const { return root_; }

    // Creates the file (and its folders); `relative` uses '/' on every system.
    std::filesystem::path File(const std::string& relative, const std::string& content = "<html>page</html>\r\n",
                               platform::FileTime written = 0);
    std::filesystem::path Folder(const std::string& relative);

private:
    std::filesystem::path root_;
};

// A UTF-8 relative path under the tree as an engine path.
String ToEnginePath(const std::filesystem::path& path);

// Every byte of a file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);
// The names in a folder, sorted.
std::vector<std::string> Names(const std::filesystem::path& folder);

// The text's code units as UTF-16LE bytes, without a byte order mark.
std::string Utf16Le(const std::u16string& text);

// 2024-03-03 12:00:00 UTC: the same calendar date in every time zone from -11 to +11 hours.
constexpr platform::FileTime kNoonMarch3 = 133539408000000000ULL;
constexpr platform::FileTime kDay = 86400ULL * platform::kFileTimeUnitsPerSecond;

}  // namespace linkloom::test
