#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "base/String.h"
#include "cli/fileset/FileSetTransaction.h"
#include "cli/state/UrlChanges.h"
#include "core/lastmod/LastmodRecord.h"

namespace linkloom::cli {

// The record that --state keeps in a UTF-8 text file: a first line naming the format, its
// version and the kind of its hashes ("linkloom-state 2 content", "linkloom-state 2 bytes"; the
// first version, "linkloom-state 1", held hashes of bytes), then one line per page, "HASH LASTMOD
// LOCATION", the hash in 16 hex digits and "-" for no lastmod; pages that come to one location
// have a line each. Read before the walk, written after it for the pages of that run.
class StateRecord : public LastmodRecord {
public:
    // A record whose hashes are to be of `kind`.
    explicit StateRecord(PageHashKind kind) : kind_(kind), earlierKind_(kind) {}

    // Reads the record at `path`; a missing file is an empty record. Fails when the file is there
    // but cannot be read or is not such a record. `published` (may be null) is told each line.
    std::optional<platform::SystemError> Load(const String& path, UrlChanges* published = nullptr);
    // Writes this run's record beside the file at `path` (its links followed), to take that
    // file's place when `change` is committed.
    std::optional<platform::SystemError> Stage(FileSetTransaction& change, const String& path) const;
    // Stages the record alone and commits it.
    std::optional<platform::SystemError> Save(const String& path) const;

    PageHashKind EarlierKind() const override { return earlierKind_; }
    PageHashKind Kind() const override { return kind_; }
    const String* Recorded(const String& location, std::uint64_t hash) const override;
    void Note(const String& location, std::uint64_t hash, const String& lastmod) override;

private:
    PageHashKind kind_;
    PageHashKind earlierKind_;  // as the file read says; this run's kind without one
    // Keyed by hash and location together: the pages that come to one location each have a line.
    std::unordered_map<std::string, String> earlier_;
    std::string written_;  // this run's lines, in walk order
};

}  // namespace linkloom::cli
