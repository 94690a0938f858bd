#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/String.h"
#include "platform/Directory.h"

namespace linkloom {

// Hashes the whole bytes of files with XXH3 (64 bits). One hasher serves one thread; its buffer
// and state are its own, made at its first file.
class ContentHasher {
public:
    ContentHasher();
    ~ContentHasher();
    ContentHasher(const ContentHasher&) = delete;
    ContentHasher& operator=(const ContentHasher&) = delete;

    // The hash of the file `name` in `folder`; false when it cannot be opened.
    bool Hash(const platform::FolderHandle& folder, const String& name, std::uint64_t& hash);

private:
    struct State;
    std::unique_ptr<State> state_;
    std::vector<unsigned char> buffer_;
};

}  // namespace linkloom
