#include "cli/output/GzipEncoder.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace linkloom::cli {

namespace {

// The operating-system byte of the header: zlib writes its build system's, so the same run would
// give other bytes on Windows; every build writes the Unix one.
constexpr int kHeaderSystem = 3;

}  // namespace

struct GzipEncoder::Stream {
    z_stream z{};
    gz_header header{};  // read by deflate until the header is out
    bool ready = false;
};

GzipEncoder::GzipEncoder() : stream_(std::make_unique<Stream>()) {
    // 15 window bits plus 16: a gzip header and trailer around the deflate data.
    stream_->ready =
        deflateInit2(&stream_->z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    stream_->header.os = kHeaderSystem;
    if (stream_->ready) stream_->ready = deflateSetHeader(&stream_->z, &stream_->header) == Z_OK;
}

GzipEncoder::~GzipEncoder() {
    if (stream_->ready) deflateEnd(&stream_->z);
}

bool GzipEncoder::Encode(const char* bytes, std::size_t size, bool finish, std::string& out) {
    if (!stream_->ready) return false;
    z_stream& z = stream_->z;
    char chunk[16384];
    do {
        const std::size_t part = std::min<std::size_t>(size, UINT_MAX);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes));
        z.avail_in = static_cast<uInt>(part);
        bytes += part;
        size -= part;
        const int flush = finish && size == 0 ? Z_FINISH : Z_NO_FLUSH;
        int result;
        do {
            z.next_out = reinterpret_cast<Bytef*>(chunk);
            z.avail_out = sizeof chunk;
            result = deflate(&z, flush);
            if (result == Z_STREAM_ERROR) return false;
            out.append(chunk, sizeof chunk - z.avail_out);
        } while (z.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
    } while (size > 0);
    return true;
}

}  // namespace linkloom::cli
