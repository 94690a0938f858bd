#include "cli/StdoutSitemap.h"

#include "core/SitemapDocument.h"
#include "platform/Console.h"

namespace linkloom::cli {

void StdoutSitemap::Write(const std::string& text, bool flush) {
    pending_ += text;
    bytes_ += text.size();
    if (flush || pending_.size() >= (1 << 16)) {
        platform::WriteStandardOutput(pending_);
        pending_.clear();
    }
}

void StdoutSitemap::Add(const SitemapEntry& entry) {
    if (entries_ == 0) Write(SitemapHeader().ToUtf8(), false);
    entryText_.clear();
    AppendEntryUtf8(entryText_, entry);
    Write(entryText_, false);
    ++entries_;
}

void StdoutSitemap::Finish(int count) { Write(SitemapFooter(count).ToUtf8(), true); }

bool StdoutSitemap::Exceeds(const SitemapLimits& limits) const {
    return entries_ > limits.maxEntries || bytes_ > limits.maxBytes;
}

}  // namespace linkloom::cli
