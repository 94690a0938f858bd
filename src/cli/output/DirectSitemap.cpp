#include "cli/output/DirectSitemap.h"

namespace linkloom::cli {

DirectSitemap::DirectSitemap(const std::optional<String>& path, bool gzip, SitemapForm form)
    : name_(path ? *path : String(u"standard output")), form_(std::move(form)) {
    platform::Outcome<platform::OutputFile> file =
        path ? platform::OutputFile::OpenStream(*path) : platform::OutputFile::StandardOutput();
    if (Check(file ? std::nullopt : std::optional(file.Failure()))) file_.emplace(std::move(*file), gzip);
}

bool DirectSitemap::Check(std::optional<platform::SystemError> failure) {
    if (!failure) return true;
    failure->path = name_;
    if (error_.IsEmpty()) error_ = platform::Sentence(*failure);
    return false;
}

void DirectSitemap::Write(const std::string& text) {
    if (Check(file_->Write(text))) bytes_ += text.size();
}

void DirectSitemap::Add(const SitemapEntry& entry) {
    if (Failed()) return;
    if (entries_ == 0) Write(form_.Header());
    entryText_.clear();
    form_.AppendEntry(entryText_, entry);
    Write(entryText_);
    ++entries_;
}

bool DirectSitemap::Finish(int count) {
    if (Failed()) return false;
    Write(form_.Footer(count));
    if (Failed()) return false;
    return Check(file_->Close());
}

bool DirectSitemap::Exceeds(const SitemapLimits& limits) const { return limits.Exceeded(entries_, bytes_); }

}  // namespace linkloom::cli
