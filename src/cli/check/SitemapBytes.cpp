#include "cli/check/SitemapBytes.h"

#include <zlib.h>

#include <algorithm>

#include "cli/output/OutputNames.h"
#include "platform/StopSignals.h"

namespace linkloom::cli {

namespace {

constexpr std::size_t kPackedChunk = 1 << 16;
// zlib reads a gzip header with 16 added to the window bits.
constexpr int kGzipWindow = 16 + MAX_WBITS;

}  // namespace

struct SitemapBytes::Gzip {
    z_stream stream{};
    bool ended = false;
    ~Gzip() { inflateEnd(&stream); }
};

SitemapBytes::SitemapBytes(std::uint64_t mostBytes) : mostBytes_(mostBytes) {}

SitemapBytes::~SitemapBytes() = default;

std::optional<platform::SystemError> SitemapBytes::Open(const String& path) {
    if (auto failure = file_.Open(path)) return failure;
    if (OutputNames::NamesCompressedFile(path)) {
        gzip_ = std::make_unique<Gzip>();
        if (inflateInit2(&gzip_->stream, kGzipWindow) != Z_OK) {
            gzip_.reset();
            return platform::OwnFailure(u"not enough memory", path, platform::Action::Read);
        }
        packed_.resize(kPackedChunk);
    }
    state_ = State::Reading;
    return std::nullopt;
}

bool SitemapBytes::Read(char* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    if (state_ == State::Reading && platform::PendingStop() != platform::StopRequest::None) state_ = State::Stopped;
    if (state_ != State::Reading) return false;
    // One byte past the limit is enough to tell that it was passed.
    const std::uint64_t room = mostBytes_ + 1 - given_;
    if (size > room) size = static_cast<std::size_t>(room);
    if (gzip_) {
        if (!Inflate(buffer, size, got)) return false;
    } else {
        got = file_.Read(buffer, size);
    }
    if (head_.size() < kHeadBytes) head_.append(buffer, std::min(got, kHeadBytes - head_.size()));
    given_ += got;
    if (given_ > mostBytes_) {
        state_ = State::TooLarge;
        return false;
    }
    return true;
}

bool SitemapBytes::Inflate(char* buffer, std::size_t size, std::size_t& got) {
    z_stream& stream = gzip_->stream;
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = static_cast<uInt>(size);
    while (stream.avail_out > 0 && !gzip_->ended) {
        if (stream.avail_in == 0) {
            stream.next_in = packed_.data();
            stream.avail_in = static_cast<uInt>(file_.Read(packed_.data(), packed_.size()));
            if (stream.avail_in == 0) {
                // The file ended before the gzip stream did.
                state_ = State::BadGzip;
                return false;
            }
        }
        const int status = inflate(&stream, Z_NO_FLUSH);
        if (status == Z_STREAM_END) {
            gzip_->ended = true;
        } else if (status != Z_OK && (status != Z_BUF_ERROR || stream.avail_in > 0)) {
            state_ = State::BadGzip;
            return false;
        }
    }
    got = size - stream.avail_out;
    return true;
}

}  // namespace linkloom::cli
