#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/lastmod/PathNumbers.h"

namespace linkloom {

// Splits what git writes with -z, fields that each end in a zero byte, into those fields as the
// bytes come.
class ZeroEndedFields {
public:
    // Calls `take` with each field the bytes complete. False when a field grows past any path's
    // length, or `take` is false.
    template <typename Take>
    bool Feed(std::string_view bytes, Take&& take) {
        for (std::size_t end; (end = bytes.find('\0')) != std::string_view::npos; bytes.remove_prefix(end + 1)) {
            bool taken;
            if (pending_.empty()) {
                taken = take(bytes.substr(0, end));
            } else {
                pending_.append(bytes.data(), end);
                taken = take(std::string_view(pending_));
                pending_.clear();
            }
            if (!taken) return false;
        }
        pending_.append(bytes.data(), bytes.size());
        return pending_.size() <= kMostField;
    }
    // True when the bytes so far ended with a whole field.
    bool AtFieldEnd() const { return pending_.empty(); }

private:
    static constexpr std::size_t kMostField = 1 << 20;
    std::string pending_;
};

// Reads `git log -z --name-only` with a format that starts each commit with the byte 1: for each
// commit, its header (what follows that byte) and the files named after it.
class GitCommitFields {
public:
    using Take = std::function<bool(std::string_view header, const std::vector<std::string_view>& names)>;
    explicit GitCommitFields(Take take) : take_(std::move(take)) {}
    // False when the output is not what that command writes.
    bool Feed(std::string_view bytes);
    // False when the output ended inside a field; otherwise the last commit is taken.
    bool Finish();

private:
    bool Field(std::string_view field);
    bool TakeCommit();

    Take take_;
    ZeroEndedFields fields_;
    std::string header_;
    // The commit's names, one after another, and where each ends.
    std::string names_;
    std::vector<std::size_t> nameEnds_;
    std::vector<std::string_view> views_;
    bool inCommit_ = false;
    bool afterHeader_ = false;
};

// The files for which commits are on the history `git log -- FILE` follows: all of them, or
// all but some, or only some.
class PathFilter {
public:
    static std::shared_ptr<const PathFilter> All();
    bool Has(std::string_view path) const {
        return paths_.empty() ? allBut_ : allBut_ != (paths_.count(std::string(path)) > 0);
    }
    // These paths, the files in `paths` taken out or kept alone.
    std::shared_ptr<const PathFilter> Without(const std::unordered_set<std::string>& paths) const;
    std::shared_ptr<const PathFilter> OnlyIn(const std::unordered_set<std::string>& paths) const;
    std::shared_ptr<const PathFilter> Joined(const PathFilter& other) const;

private:
    PathFilter(bool allBut, std::unordered_set<std::string> paths) : allBut_(allBut), paths_(std::move(paths)) {}
    bool allBut_;
    std::unordered_set<std::string> paths_;
};

// Each file's date: the committer time of the newest commit that changed it, and whether that
// commit is a shallow clone's oldest (grafted), whose parents the clone lacks.
class FileDates {
public:
    struct Date {
        std::int64_t seconds;  // since 1970
        bool grafted;
    };
    // The file at `path` has `date`, unless it has a newer one or one as new already.
    void Offer(std::string_view path, Date date);
    std::optional<Date> Of(std::string_view path) const;

private:
    PathNumbers paths_;
    std::vector<Date> dates_;  // by the path's number
};

// Reads `git log --topo-order --diff-merges=first-parent --name-only -z --decorate-refs-exclude=*
// --format=%x01%ct %H %P%x02%D` as it comes and gives each file the committer time (seconds since
// 1970) that `git log -1 -- FILE` shows: the newest commit that changed it on the history that
// command follows. At a merge that command follows only a parent the file is the same as, and
// shows the merge only when the file differs from every parent (`merged` holds those files by
// merge). A commit decorated "grafted" is a shallow clone's oldest: it shows every file it holds.
class GitLogReader {
public:
    using MergedFiles = std::unordered_map<std::string, std::unordered_set<std::string>>;
    explicit GitLogReader(const MergedFiles& merged);
    bool Feed(std::string_view bytes) { return commits_.Feed(bytes); }
    bool Finish() { return commits_.Finish(); }
    // By paths relative to the folder git was asked about, '/' between names, as git stores them.
    FileDates& Dates() { return dates_; }

private:
    bool Take(std::string_view header, const std::vector<std::string_view>& names);
    void Hand(const std::string& parent, std::shared_ptr<const PathFilter> filter);

    const MergedFiles& merged_;
    GitCommitFields commits_;
    FileDates dates_;
    // For each commit still to come, the files whose history reaches it.
    std::unordered_map<std::string, std::shared_ptr<const PathFilter>> reaching_;
    bool first_ = true;
};

// A reader of `git log --merges -c --name-only -z --format=%x01%H` that puts in `merged`, for
// each merge, the files that differ from every parent.
GitCommitFields MergedFilesReader(GitLogReader::MergedFiles& merged);

// Reads a list of paths that git writes with -z.
class GitNameReader {
public:
    bool Feed(std::string_view bytes);
    bool Finish() const { return fields_.AtFieldEnd(); }
    std::unordered_set<std::string>& Names() { return names_; }

private:
    ZeroEndedFields fields_;
    std::unordered_set<std::string> names_;
};

// What `git rev-parse --is-inside-work-tree --is-shallow-repository --show-object-format
// --show-prefix` says.
struct WorkTreeAnswer {
    bool inWorkTree = false;
    bool shallow = false;
    std::string objectFormat;
    std::string prefix;
};
WorkTreeAnswer ParseWorkTreeAnswer(std::string_view output);

}  // namespace linkloom
