#include "core/rules/RobotsTxtFile.h"

#include <string>

#include "platform/Directory.h"
#include "platform/ReadFile.h"

namespace linkloom {

RobotsTxtRead ReadRobotsTxt(const String& folder, RobotsTxt& robots, bool& cut, String& reason) {
    const String path = folder + u"robots.txt";
    if (platform::PathKind(path) == platform::PathType::Missing) return RobotsTxtRead::Missing;
    platform::SequentialFile file;
    if (auto failure = file.Open(path)) {
        reason = platform::Describe(*failure);
        return RobotsTxtRead::Unreadable;
    }
    // One byte beyond the most tells whether there is more.
    std::string text(RobotsTxt::kMostBytes + 1, '\0');
    text.resize(file.Read(text.data(), text.size()));
    cut = text.size() > RobotsTxt::kMostBytes;
    if (cut) {
        // A line cut short could name less than it does whole: it goes too.
        text.resize(RobotsTxt::kMostBytes);
        text.resize(text.find_last_of("\r\n") + 1);
    }
    robots.Parse(text);
    return RobotsTxtRead::Read;
}

}  // namespace linkloom
