#include "core/lastmod/GitOutput.h"

#include <utility>

namespace linkloom {

namespace {

// The header of each commit in the log's format: this byte, then its committer time.
constexpr char kCommitMark = '\x01';
// Between a commit's parents and its decorations, which name no refs.
constexpr char kDecorationMark = '\x02';
constexpr std::string_view kGrafted = "grafted";
constexpr std::string_view kDecorationSeparator = ", ";

bool IsGrafted(std::string_view decorations) {
    while (!decorations.empty()) {
        const std::size_t end = decorations.find(kDecorationSeparator);
        if (decorations.substr(0, end) == kGrafted) return true;
        decorations.remove_prefix(end == std::string_view::npos ? decorations.size()
                                                                : end + kDecorationSeparator.size());
    }
    return false;
}

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

// The words of a header, split at blanks.
std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    while (!text.empty()) {
        const std::size_t end = text.find(' ');
        if (end != 0) words.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return words;
}

}  // namespace

bool GitCommitFields::Feed(std::string_view bytes) {
    return fields_.Feed(bytes, [this](std::string_view field) { return Field(field); });
}

bool GitCommitFields::Finish() { return fields_.AtFieldEnd() && (!inCommit_ || TakeCommit()); }

bool GitCommitFields::TakeCommit() {
    views_.clear();
    std::size_t start = 0;
    for (const std::size_t end : nameEnds_) {
        views_.push_back(std::string_view(names_).substr(start, end - start));
        start = end;
    }
    const bool taken = take_(header_, views_);
    names_.clear();
    nameEnds_.clear();
    return taken;
}

bool GitCommitFields::Field(std::string_view field) {
    if (!field.empty() && field[0] == kCommitMark) {
        if (inCommit_ && !TakeCommit()) return false;
        inCommit_ = afterHeader_ = true;
        header_.assign(field.substr(1));
        return true;
    }
    if (!inCommit_) return false;
    // The names of a commit follow its header after a line break, or after an empty field in
    // the combined form.
    if (afterHeader_) {
        afterHeader_ = false;
        if (field.empty()) return true;
        if (field[0] != '\n') return false;
        field.remove_prefix(1);
    }
    if (!field.empty()) {
        names_.append(field);
        nameEnds_.push_back(names_.size());
    }
    return true;
}

std::shared_ptr<const PathFilter> PathFilter::All() {
    return std::shared_ptr<const PathFilter>(new PathFilter(true, {}));
}

std::shared_ptr<const PathFilter> PathFilter::Without(const std::unordered_set<std::string>& paths) const {
    std::unordered_set<std::string> kept = paths_;
    if (allBut_) {
        kept.insert(paths.begin(), paths.end());
    } else {
        for (const std::string& path : paths) kept.erase(path);
    }
    return std::shared_ptr<const PathFilter>(new PathFilter(allBut_, std::move(kept)));
}

std::shared_ptr<const PathFilter> PathFilter::OnlyIn(const std::unordered_set<std::string>& paths) const {
    std::unordered_set<std::string> kept;
    for (const std::string& path : paths) {
        if (Has(path)) kept.insert(path);
    }
    return std::shared_ptr<const PathFilter>(new PathFilter(false, std::move(kept)));
}

std::shared_ptr<const PathFilter> PathFilter::Joined(const PathFilter& other) const {
    if (!allBut_ && !other.allBut_) {
        std::unordered_set<std::string> both = paths_;
        both.insert(other.paths_.begin(), other.paths_.end());
        return std::shared_ptr<const PathFilter>(new PathFilter(false, std::move(both)));
    }
    // All but those that neither has.
    std::unordered_set<std::string> missing;
    const PathFilter& excluding = allBut_ ? *this : other;
    for (const std::string& path : excluding.paths_) {
        if (!Has(path) && !other.Has(path)) missing.insert(path);
    }
    return std::shared_ptr<const PathFilter>(new PathFilter(true, std::move(missing)));
}

void FileDates::Offer(std::string_view path, Date date) {
    const auto [number, added] = paths_.Add(path);
    if (added) {
        dates_.push_back(date);
    } else if (dates_[number].seconds < date.seconds) {
        dates_[number] = date;
    }
}

std::optional<FileDates::Date> FileDates::Of(std::string_view path) const {
    const std::uint32_t number = paths_.Find(path);
    if (number == PathNumbers::kNone) return std::nullopt;
    return dates_[number];
}

GitLogReader::GitLogReader(const MergedFiles& merged)
    : merged_(merged), commits_([this](std::string_view header, const std::vector<std::string_view>& names) {
          return Take(header, names);
      }) {}

void GitLogReader::Hand(const std::string& parent, std::shared_ptr<const PathFilter> filter) {
    auto& reaching = reaching_[parent];
    if (!reaching || reaching == filter) {
        reaching = std::move(filter);
    } else {
        reaching = reaching->Joined(*filter);
    }
}

bool GitLogReader::Take(std::string_view header, const std::vector<std::string_view>& names) {
    const std::size_t mark = header.find(kDecorationMark);
    const bool grafted = mark != std::string_view::npos && IsGrafted(header.substr(mark + 1));
    const std::vector<std::string_view> words = Words(header.substr(0, mark));
    std::int64_t time = 0;
    if (words.size() < 2 || !ParseSeconds(words[0], time)) return false;
    const std::string commit(words[1]);
    // The log starts at the newest commit, which every file's history starts at; a commit that
    // no file's history reaches is handed nothing.
    std::shared_ptr<const PathFilter> reaching;
    if (std::exchange(first_, false)) {
        reaching = PathFilter::All();
    } else if (const auto found = reaching_.find(commit); found != reaching_.end()) {
        reaching = std::move(found->second);
        reaching_.erase(found);
    }
    if (!reaching) return true;

    const bool merge = words.size() > 3;
    // The names are those that differ from the first parent; a merge counts for a file only where
    // it differs from every parent.
    const auto merged = merge ? merged_.find(commit) : merged_.end();
    const auto differsFromEach = [&](std::string_view name) {
        return merged != merged_.end() && merged->second.count(std::string(name)) > 0;
    };
    for (const std::string_view name : names) {
        if ((merge && !differsFromEach(name)) || !reaching->Has(name)) continue;
        dates_.Offer(name, {time, grafted});
    }
    if (!merge) {
        if (words.size() == 3) Hand(std::string(words[2]), std::move(reaching));
        return true;
    }
    // A file the same as the first parent follows that parent alone; one that differs from it
    // follows the others (the first it is the same as, or all when it differs from each).
    std::unordered_set<std::string> changed, leaveFirst;
    for (const std::string_view name : names) {
        changed.emplace(name);
        if (!differsFromEach(name)) leaveFirst.emplace(name);
    }
    Hand(std::string(words[2]), leaveFirst.empty() ? reaching : reaching->Without(leaveFirst));
    const std::shared_ptr<const PathFilter> others = reaching->OnlyIn(changed);
    for (std::size_t parent = 3; parent < words.size(); ++parent) Hand(std::string(words[parent]), others);
    return true;
}

GitCommitFields MergedFilesReader(GitLogReader::MergedFiles& merged) {
    return GitCommitFields([&merged](std::string_view header, const std::vector<std::string_view>& names) {
        if (header.empty()) return false;
        if (names.empty()) return true;
        auto& files = merged[std::string(header)];
        for (const std::string_view name : names) files.emplace(name);
        return true;
    });
}

bool GitNameReader::Feed(std::string_view bytes) {
    return fields_.Feed(bytes, [this](std::string_view field) {
        if (field.empty()) return false;
        names_.emplace(field);
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
    answer.objectFormat = std::string(line());
    // The prefix is the rest, its own line break removed: a folder's name may hold one.
    if (!output.empty() && output.back() == '\n') output.remove_suffix(1);
    answer.prefix = std::string(output);
    return answer;
}

}  // namespace linkloom
