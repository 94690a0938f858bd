#include "cli/output/DirectSitemap.h"

namespace linkloom::cli {

DirectSitemap::DirectSitemap(const std::optional<String>& path, bool gzip, SitemapForm form)
    : name_(path ? *path : String(u"standard output")), form_(std::move(form)) {
    platform::OutputFile file = path ? platform::OutputFile() : platform::OutputFile::StandardOutput();
    String reason;
    if (Check(!path || platform::OutputFile::OpenStream(*path, file, reason), reason)) {
        file_.emplace(std::move(file), gzip);
    }
}

bool DirectSitemap::Check(bool ok, const String& reason) {
    if (!ok && error_.IsEmpty()) error_ = String(u"cannot write ") + name_ + u": " + reason;
    return ok;
}

void DirectSitemap::Write(const std::string& text) {
    String reason;
    if (Check(file_->Write(text, reason), reason)) bytes_ += text.size();
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
    String reason;
    return Check(file_->Close(reason), reason);
}

bool DirectSitemap::Exceeds(const SitemapLimits& limits) const { return limits.Exceeded(entries_, bytes_); }

}  // namespace linkloom::cli
