#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

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

// Reads `git log -z --name-only --format=%x01%ct` as it comes, newest commit first: for each
// file named, the committer time (seconds since 1970) of the newest commit that changed it.
class GitLogReader {
public:
    // False when the output is not what that command writes.
    bool Feed(std::string_view bytes);
    // False when the output ended inside a field.
    bool Finish() const { return fields_.AtFieldEnd(); }
    // Paths relative to the folder git was asked about, '/' between names, as git stores them.
    std::unordered_map<std::string, std::int64_t>& Dates() { return dates_; }

private:
    bool Take(std::string_view field);

    ZeroEndedFields fields_;
    std::unordered_map<std::string, std::int64_t> dates_;
    std::int64_t commitTime_ = 0;
    bool inCommit_ = false;
    bool afterHeader_ = false;
};

// Reads `git status --porcelain -z --no-renames` as it comes: the files with changes not yet
// committed, staged or not. Git names them from the top of the work tree; those under `prefix`
// (the walked folder's path there, ending in '/', or empty for the top) are kept without it.
class GitStatusReader {
public:
    explicit GitStatusReader(std::string prefix) : prefix_(std::move(prefix)) {}
    bool Feed(std::string_view bytes);
    bool Finish() const { return fields_.AtFieldEnd(); }
    std::unordered_set<std::string>& Changed() { return changed_; }

private:
    std::string prefix_;
    ZeroEndedFields fields_;
    std::unordered_set<std::string> changed_;
};

// What `git rev-parse --is-inside-work-tree --is-shallow-repository --show-prefix` says.
struct WorkTreeAnswer {
    bool inWorkTree = false;
    bool shallow = false;
    std::string prefix;
};
WorkTreeAnswer ParseWorkTreeAnswer(std::string_view output);

}  // namespace linkloom
