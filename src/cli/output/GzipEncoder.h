#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace linkloom::cli {

// Compresses a stream of bytes into the gzip format with zlib.
class GzipEncoder {
public:
    GzipEncoder();
    ~GzipEncoder();
    GzipEncoder(const GzipEncoder&) = delete;
    GzipEncoder& operator=(const GzipEncoder&) = delete;

    // Appends to `out` the compressed form of `size` bytes; with `finish`, the end of the stream
    // as well. False when zlib fails (out of memory).
    bool Encode(const char* bytes, std::size_t size, bool finish, std::string& out);

private:
    struct Stream;
    std::unique_ptr<Stream> stream_;
};

}  // namespace linkloom::cli
