#include "core/lastmod/GitOutput.h"

namespace linkloom {

namespace {

// The header of each commit in the log's format: this byte, then its committer time.
constexpr char kCommitMark = '\x01';

bool ParseSeconds(std::string_view text, std::int64_t& seconds) {
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 18) return false;
    seconds = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') return false;
        seconds = seconds * 10 + (digit - '0');
    }
    if (negative) seconds = -seconds;
    return true;
}

}  // namespace

bool GitLogReader::Feed(std::string_view bytes) {
    return fields_.Feed(bytes, [this](std::string_view field) { return Take(field); });
}

bool GitLogReader::Take(std::string_view field) {
    if (!field.empty() && field[0] == kCommitMark) {
        inCommit_ = afterHeader_ = true;
        return ParseSeconds(field.substr(1), commitTime_);
    }
    // The names of a commit follow its header after a line break.
    if (afterHeader_) {
        if (field.empty() || field[0] != '\n') return false;
        field.remove_prefix(1);
        afterHeader_ = false;
    }
    if (!inCommit_) return false;
    // The newest commit comes first, and with it the date that counts.
    if (!field.empty()) dates_.try_emplace(std::string(field), commitTime_);
    return true;
}

bool GitStatusReader::Feed(std::string_view bytes) {
    return fields_.Feed(bytes, [this](std::string_view field) {
        // "XY path": two status letters and a blank before the path.
        if (field.size() < 4 || field[2] != ' ') return false;
        const std::string_view path = field.substr(3);
        if (path.compare(0, prefix_.size(), prefix_) == 0) changed_.emplace(path.substr(prefix_.size()));
        return true;
    });
}

WorkTreeAnswer ParseWorkTreeAnswer(std::string_view output) {
    WorkTreeAnswer answer;
    const auto line = [&output] {
        const std::size_t end = output.find('\n');
        const std::string_view text = output.substr(0, end);
        output.remove_prefix(end == std::string_view::npos ? output.size() : end + 1);
        return text;
    };
    answer.inWorkTree = line() == "true";
    answer.shallow = line() == "true";
    // The prefix is the rest, its own line break removed: a folder's name may hold one.
    if (!output.empty() && output.back() == '\n') output.remove_suffix(1);
    answer.prefix = std::string(output);
    return answer;
}

}  // namespace linkloom
