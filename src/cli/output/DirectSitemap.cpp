#include "cli/output/DirectSitemap.h"

#include "core/sitemap/SitemapDocument.h"

namespace linkloom::cli {

DirectSitemap::DirectSitemap(const std::optional<String>& path, bool gzip, bool alternates)
    : name_(path ? *path : String(u"standard output")), alternates_(alternates) {
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
    if (entries_ == 0) Write(SitemapHeader(alternates_).ToUtf8());
    entryText_.clear();
    AppendEntryUtf8(entryText_, entry);
    Write(entryText_);
    ++entries_;
}

bool DirectSitemap::Finish(int count) {
    if (Failed()) return false;
    Write(SitemapFooter(count).ToUtf8());
    if (Failed()) return false;
    String reason;
    return Check(file_->Close(reason), reason);
}

bool DirectSitemap::Exceeds(const SitemapLimits& limits) const { return limits.Exceeded(entries_, bytes_); }

}  // namespace linkloom::cli
