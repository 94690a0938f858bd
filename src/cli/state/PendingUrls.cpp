#include "cli/state/PendingUrls.h"

#include <algorithm>
#include <unordered_map>

#include "cli/state/StagedFile.h"
#include "platform/FileNames.h"
#include "platform/ReadFile.h"

namespace linkloom::cli {

namespace {

const char16_t kSuffix[] = u".pending";
constexpr std::size_t kReadSize = 1 << 16;
// Longer than any line written: a mark, a blank and a location of 2,048 characters of at most
// three bytes each.
constexpr std::size_t kMostLine = 8192;

bool IsMark(char mark) {
    return mark == static_cast<char>(UrlChanges::Mark::New) || mark == static_cast<char>(UrlChanges::Mark::Moved) ||
           mark == static_cast<char>(UrlChanges::Mark::Gone);
}

}  // namespace

PendingUrls::PendingUrls(const String& statePath) : path_(statePath + kSuffix) {}

std::optional<platform::SystemError> PendingUrls::Load() {
    urls_.clear();
    platform::SequentialFile file;
    const platform::OutputTarget target = platform::ResolveOutputTarget(path_);
    inFile_ = target.kind != platform::OutputKind::Missing;
    if (!inFile_) return std::nullopt;
    if (auto failure = file.Open(target.path)) return failure;
    const auto unreadable = [this](String words) {
        urls_.clear();
        return platform::OwnFailure(std::move(words), path_, platform::Action::Read);
    };
    std::string buffer(kReadSize, '\0');
    std::string line;
    const auto take = [this, &line] {
        if (line.size() < 3 || !IsMark(line[0]) || line[1] != ' ') return false;
        urls_.push_back({static_cast<UrlChanges::Mark>(line[0]), line.substr(2)});
        line.clear();
        return true;
    };
    for (std::size_t got; (got = file.Read(buffer.data(), buffer.size())) > 0;) {
        for (std::string_view chunk(buffer.data(), got); !chunk.empty();) {
            const std::size_t end = chunk.find('\n');
            line.append(chunk.substr(0, end));
            if (line.size() > kMostLine || (end != std::string_view::npos && !take())) {
                return unreadable(String(u"line ") + String::FromInt(static_cast<long long>(urls_.size() + 1)) +
                                  u" is not a line of a list of URLs");
            }
            chunk.remove_prefix(end == std::string_view::npos ? chunk.size() : end + 1);
        }
        if (got < buffer.size()) break;
    }
    if (line.empty() || take()) return std::nullopt;
    return unreadable(u"its last line is cut short");
}

void PendingUrls::Join(const std::vector<UrlChanges::Change>& changes) {
    std::unordered_map<std::string, std::size_t> places;
    for (std::size_t place = 0; place < urls_.size(); ++place) places.emplace(urls_[place].location, place);
    for (const UrlChanges::Change& change : changes) {
        const auto [found, added] = places.emplace(change.location, urls_.size());
        if (added) {
            urls_.push_back(change);
        } else {
            urls_[found->second].mark = change.mark;
        }
    }
}

std::optional<platform::SystemError> PendingUrls::Stage(FileSetTransaction& change) const {
    if (urls_.empty() && !inFile_) return std::nullopt;
    return StageFile(change, path_, {UrlChanges::Lines(urls_)});
}

std::optional<platform::SystemError> PendingUrls::Accepted(std::size_t count) {
    urls_.erase(urls_.begin(), urls_.begin() + static_cast<std::ptrdiff_t>(std::min(count, urls_.size())));
    if (urls_.empty()) {
        if (platform::RemoveFile(path_) || !platform::NameExists(path_)) {
            inFile_ = false;
            return std::nullopt;
        }
        return platform::OwnFailure(u"cannot remove it", path_, platform::Action::Write);
    }
    FileSetTransaction change;
    if (auto failure = Stage(change)) return failure;
    return change.Commit([] { return true; });
}

}  // namespace linkloom::cli
