#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/String.h"
#include "cli/output/GzipEncoder.h"
#include "platform/OutputFile.h"

namespace linkloom::cli {

// One sitemap document on its way into a file: text gathered into large writes and, when
// asked, compressed.
class SitemapFile {
public:
    SitemapFile(platform::OutputFile file, bool gzip);

    bool Write(const std::string& text, String& error);
    // Writes what is pending, ends the compressed stream and closes the file.
    bool Close(String& error);
    // The bytes written into the file so far, compressed ones when compressed.
    std::uint64_t Size() const { return size_; }

private:
    bool Flush(bool finish, String& error);

    platform::OutputFile file_;
    std::unique_ptr<GzipEncoder> gzip_;
    std::string pending_;
    std::string compressed_;
    std::uint64_t size_ = 0;
};

}  // namespace linkloom::cli
