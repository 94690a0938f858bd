#include "cli/output/SitemapFile.h"

namespace linkloom::cli {

namespace {

constexpr std::size_t kWriteSize = 1 << 16;

}  // namespace

SitemapFile::SitemapFile(platform::OutputFile file, bool gzip)
    : file_(std::move(file)), gzip_(gzip ? std::make_unique<GzipEncoder>() : nullptr) {}

bool SitemapFile::Write(const std::string& text, String& error) {
    pending_ += text;
    return pending_.size() < kWriteSize || Flush(false, error);
}

bool SitemapFile::Close(String& error) { return Flush(true, error) && file_.Close(error); }

bool SitemapFile::Flush(bool finish, String& error) {
    const std::string* bytes = &pending_;
    if (gzip_) {
        compressed_.clear();
        if (!gzip_->Encode(pending_.data(), pending_.size(), finish, compressed_)) {
            error = u"not enough memory to compress the sitemap";
            return false;
        }
        bytes = &compressed_;
    }
    const bool written = file_.Write(bytes->data(), bytes->size(), error);
    if (written) size_ += bytes->size();
    pending_.clear();
    return written;
}

}  // namespace linkloom::cli
