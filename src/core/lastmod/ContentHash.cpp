#include "core/lastmod/ContentHash.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

#include "platform/ReadFile.h"

namespace linkloom {

namespace {

constexpr std::size_t kReadSize = 1 << 16;

}  // namespace

struct ContentHasher::State {
    XXH3_state_t xxh3;
};

ContentHasher::ContentHasher() = default;

ContentHasher::~ContentHasher() = default;

bool ContentHasher::Hash(const platform::FolderHandle& folder, const String& name, std::uint64_t& hash) {
    platform::SequentialFile file;
    platform::SystemError error;
    if (file.Open(folder, name, error) != platform::SequentialFile::OpenResult::Opened) return false;
    // Made at the first file: most readers never hash one.
    if (!state_) {
        state_ = std::make_unique<State>();
        buffer_.resize(kReadSize);
    }
    XXH3_64bits_reset(&state_->xxh3);
    for (std::size_t got; (got = file.Read(buffer_.data(), buffer_.size())) > 0;) {
        XXH3_64bits_update(&state_->xxh3, buffer_.data(), got);
        if (got < buffer_.size()) break;
    }
    hash = XXH3_64bits_digest(&state_->xxh3);
    return true;
}

}  // namespace linkloom
