#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/String.h"
#include "platform/ReadFile.h"
#include "platform/SystemError.h"
#include "platform/XmlReader.h"

namespace linkloom::cli {

// The bytes of a sitemap file on disk, unpacked with zlib when its name ends in ".gz". Reading
// stops once more than `mostBytes` have come out, so neither a huge file nor a small one that
// unpacks to gigabytes is read to its end. A stop request (Ctrl+C, Ctrl+Break) ends the reading too.
class SitemapBytes : public platform::ByteSource {
public:
    enum class State { Reading, Unopened, TooLarge, BadGzip, Stopped };

    SitemapBytes(std::uint64_t mostBytes);
    ~SitemapBytes() override;
    SitemapBytes(const SitemapBytes&) = delete;
    SitemapBytes& operator=(const SitemapBytes&) = delete;

    // Why the file cannot be opened, if it cannot.
    std::optional<platform::SystemError> Open(const String& path);
    bool Read(char* buffer, std::size_t size, std::size_t& got) override;

    State Outcome() const { return state_; }
    // The bytes given so far: the document's length once it was read to its end.
    std::uint64_t Given() const { return given_; }
    // The first of them, enough to hold an XML declaration.
    static constexpr std::size_t kHeadBytes = 256;
    const std::string& Head() const { return head_; }

private:
    bool Inflate(char* buffer, std::size_t size, std::size_t& got);

    struct Gzip;
    std::uint64_t mostBytes_;
    platform::SequentialFile file_;
    std::unique_ptr<Gzip> gzip_;
    std::vector<unsigned char> packed_;
    State state_ = State::Unopened;
    std::uint64_t given_ = 0;
    std::string head_;
};

}  // namespace linkloom::cli
