#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "base/String.h"
#include "cli/fileset/FileSetTransaction.h"
#include "cli/state/UrlChanges.h"
#include "core/lastmod/LastmodRecord.h"
#include "platform/Clock.h"

namespace linkloom::cli {

// The record that --state keeps in a UTF-8 text file: a first line naming the format, its
// version, the kind of its hashes and the file time its run began ("linkloom-state 3 content
// TIME", "linkloom-state 3 bytes TIME"), then one line per page, "HASH LASTMOD SIZE WRITTEN PATH
// LOCATION": the hash in 16 hex digits, "-" for no lastmod, the file's size and file time, and its
// path in the walked folder with '%', spaces and control characters as "%XX". Pages that come to
// one location have a line each. Version 2 ("linkloom-state 2 content", "... bytes") had lines of
// "HASH LASTMOD LOCATION"; version 1 ("linkloom-state 1") the same, of bytes. Read before the
// walk, written after it for the pages of that run.
class StateRecord : public LastmodRecord {
public:
    // A record whose hashes are to be of `kind`, for a run that began at `began` (made before the
    // walk, so no file the run reads was written after it unseen).
    explicit StateRecord(PageHashKind kind, platform::FileTime began = platform::CurrentFileTime())
        : kind_(kind), earlierKind_(kind), began_(began) {}

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
    std::optional<std::uint64_t> KnownHash(const String& path, const platform::FileStamp& stamp) const override;
    void Note(const String& location, std::uint64_t hash, const String& lastmod, const String& path,
              const platform::FileStamp& stamp) override;

private:
    // A file's size and time as recorded, and its hash.
    struct KnownFile {
        platform::FileStamp stamp;
        std::uint64_t hash = 0;
    };

    // Reads the first line; false when it names no version of the record.
    bool TakeHeader(std::string_view line);

    PageHashKind kind_;
    PageHashKind earlierKind_;  // as the file read says; this run's kind without one
    platform::FileTime began_;
    bool stamped_ = false;                 // the file read has each file's size and time
    platform::FileTime earlierBegan_ = 0;  // when the run that wrote it began
    // By path: files that were written well before that run and whose hashes are of this run's kind.
    std::unordered_map<std::string, KnownFile> known_;
    // Keyed by hash and location together: the pages that come to one location each have a line.
    std::unordered_map<std::string, String> earlier_;
    std::string written_;  // this run's lines, in walk order
};

}  // namespace linkloom::cli
