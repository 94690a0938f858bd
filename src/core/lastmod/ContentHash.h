#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/String.h"
#include "core/markup/MainContent.h"
#include "platform/Directory.h"
#include "platform/ReadFile.h"

namespace linkloom {

// Hashes files with XXH3 (64 bits): their bytes, and for markup their main content. A file is
// markup when its text, after a byte-order mark and white space, starts with '<'; UTF-16 text is
// read as UTF-8. One hasher serves one thread; its buffers and state are its own, made at its
// first file.
class ContentHasher {
public:
    ContentHasher();
    ~ContentHasher();
    ContentHasher(const ContentHasher&) = delete;
    ContentHasher& operator=(const ContentHasher&) = delete;

    // The hashes of the file `name` in `folder` that are asked for (non-null), from one reading;
    // false when it cannot be opened.
    bool Hash(const platform::FolderHandle& folder, const String& name, std::uint64_t* bytes, std::uint64_t* content);
    // The same of an open file, read from where it stands to its end.
    void Hash(platform::SequentialFile& file, std::uint64_t* bytes, std::uint64_t* content);

private:
    // The main content's hash of the file read into buffer_, or false when it is not markup.
    bool HashMarkup(std::uint64_t& hash);

    struct State;
    std::unique_ptr<State> state_;
    std::vector<unsigned char> buffer_;
    std::size_t kept_ = 0;  // the bytes of the file in buffer_
    bool whole_ = false;    // buffer_ holds the whole file
    std::string utf8_;
    MainContent mainContent_;
};

}  // namespace linkloom
