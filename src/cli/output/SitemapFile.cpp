#include "cli/output/SitemapFile.h"

namespace linkloom::cli {

namespace {

constexpr std::size_t kWriteSize = 1 << 16;

}  // namespace

SitemapFile::SitemapFile(platform::OutputFile file, bool gzip)
    : file_(std::move(file)), gzip_(gzip ? std::make_unique<GzipEncoder>() : nullptr) {}

std::optional<platform::SystemError> SitemapFile::Write(const std::string& text) {
    pending_ += text;
    if (pending_.size() < kWriteSize) return std::nullopt;
    return Flush(false);
}

std::optional<platform::SystemError> SitemapFile::Close() {
    if (auto failure = Flush(true)) return failure;
    return file_.Close();
}

std::optional<platform::SystemError> SitemapFile::Flush(bool finish) {
    const std::string* bytes = &pending_;
    if (gzip_) {
        compressed_.clear();
        if (!gzip_->Encode(pending_.data(), pending_.size(), finish, compressed_)) {
            return platform::OwnFailure(u"not enough memory to compress the sitemap", file_.Path(),
                                        platform::Action::Write);
        }
        bytes = &compressed_;
    }
    std::optional<platform::SystemError> failure = file_.Write(bytes->data(), bytes->size());
    if (!failure) size_ += bytes->size();
    pending_.clear();
    return failure;
}

}  // namespace linkloom::cli
