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

bool PendingUrls::Load(String& error) {
    urls_.clear();
    platform::SequentialFile file;
    platform::SystemError reason;
    const platform::OutputTarget target = platform::ResolveOutputTarget(path_);
    inFile_ = target.kind != platform::OutputKind::Missing;
    if (!inFile_) return true;
    switch (file.Open(target.path, reason)) {
    case platform::SequentialFile::OpenResult::Opened: break;
    case platform::SequentialFile::OpenResult::NotAFile: error = u"not a file"; return false;
    case platform::SequentialFile::OpenResult::Failed: error = platform::Describe(reason); return false;
    }
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
                error = String(u"line ") + String::FromInt(static_cast<long long>(urls_.size() + 1)) +
                        u" is not a line of a list of URLs";
                urls_.clear();
                return false;
            }
            chunk.remove_prefix(end == std::string_view::npos ? chunk.size() : end + 1);
        }
        if (got < buffer.size()) break;
    }
    if (line.empty() || take()) return true;
    error = u"its last line is cut short";
    urls_.clear();
    return false;
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

bool PendingUrls::Stage(FileSetTransaction& change, String& error) const {
    if (urls_.empty() && !inFile_) return true;
    return StageFile(change, path_, {UrlChanges::Lines(urls_)}, error);
}

bool PendingUrls::Accepted(std::size_t count, String& error) {
    urls_.erase(urls_.begin(), urls_.begin() + static_cast<std::ptrdiff_t>(std::min(count, urls_.size())));
    if (urls_.empty()) {
        if (platform::RemoveFile(path_) || !platform::NameExists(path_)) {
            inFile_ = false;
            return true;
        }
        error = u"cannot remove it";
        return false;
    }
    FileSetTransaction change;
    String failed;
    return Stage(change, error) && change.Commit([] { return true; }, error, failed);
}

}  // namespace linkloom::cli
