#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/String.h"
#include "cli/output/GzipEncoder.h"
#include "platform/OutputFile.h"
#include "platform/SystemError.h"

namespace linkloom::cli {

// One sitemap document on its way into a file: text gathered into large writes and, when
// asked, compressed.
class SitemapFile {
public:
    SitemapFile(platform::OutputFile file, bool gzip);

    std::optional<platform::SystemError> Write(const std::string& text);
    // Writes what is pending, ends the compressed stream and closes the file.
    std::optional<platform::SystemError> Close();
    // The bytes written into the file so far, compressed ones when compressed.
    std::uint64_t Size() const { return size_; }

private:
    std::optional<platform::SystemError> Flush(bool finish);

    platform::OutputFile file_;
    std::unique_ptr<GzipEncoder> gzip_;
    std::string pending_;
    std::string compressed_;
    std::uint64_t size_ = 0;
};

}  // namespace linkloom::cli
