#pragma once

#include <optional>

#include "cli/state/StateRecord.h"

namespace linkloom::cli {

// The record that --state names, when it does: read before the run and handed to its plan,
// written after the document.
class StateFile {
public:
    explicit StateFile(const std::optional<String>& path) : path_(path) {}

    // Reads the record; false, with the message shown, when the file is not a record.
    bool Load();
    // The record read; null without --state.
    LastmodRecord* Record() { return path_ ? &record_ : nullptr; }
    // Writes this run's record; false, with the message shown, when it cannot be.
    bool Save() const;

private:
    const std::optional<String>& path_;
    StateRecord record_;
};

}  // namespace linkloom::cli
