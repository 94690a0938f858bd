#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/String.h"
#include "platform/ScratchFile.h"

namespace linkloom {

// Records of counts and texts kept in a scratch file, so that a run's memory does not grow with
// them, and read back by the position Append gave. Where no scratch file can be made or written,
// the bytes stay in memory: the run is the same, only larger.
class RecordSpool {
public:
    // Appends counts, texts and bytes to `out`.
    class Writer {
    public:
        explicit Writer(std::string& out) : out_(out) {}
        void Count(std::uint32_t count);
        void Text(const String& text);
        void Bytes(std::string_view bytes);

    private:
        std::string& out_;
    };

    // Reads what a Writer wrote, in turn.
    class Reader {
    public:
        explicit Reader(const char* bytes) : at_(bytes) {}
        std::uint32_t Count();
        String Text();
        // True when the next text is `text`, which is passed over.
        bool TextIs(std::u16string_view text);
        void SkipText();
        std::string_view Bytes();
        // Where the next count, text or bytes begin.
        const char* At() const { return at_; }

    private:
        const char* at_;
    };

    RecordSpool();
    RecordSpool(const RecordSpool&) = delete;
    RecordSpool& operator=(const RecordSpool&) = delete;

    // Appends the record that `write(Writer&)` writes.
    template <typename Write>
    std::uint64_t Append(const Write& write) {
        const std::size_t start = Begin();
        Writer writer(held_);
        write(writer);
        return End(start);
    }
    // The record at `at`, readable until the next call.
    Reader Read(std::uint64_t at) const;

private:
    std::size_t Begin();
    std::uint64_t End(std::size_t start);
    // Moves the bytes held in memory to the file, when it can.
    void Spill();
    // The `size` bytes at `at`, from memory or through the window of bytes read from the file.
    const char* Bytes(std::uint64_t at, std::size_t size) const;

    platform::ScratchFile file_;
    std::uint64_t inFile_ = 0;  // the bytes before this position are in the file
    std::string held_;          // the bytes from there on
    std::uint64_t end_ = 0;
    mutable std::string window_;
    mutable std::uint64_t windowAt_ = 0;
};

}  // namespace linkloom
