#include "cli/SitemapSet.h"

#include "base/ControlCharacters.h"
#include "core/SitemapDocument.h"
#include "platform/Directory.h"

namespace linkloom::cli {

namespace {

std::uint64_t Utf8Length(const String& text) { return text.ToUtf8().size(); }

}  // namespace

SitemapSet::SitemapSet(OutputNames names, bool gzip, String rootUrl, SitemapLimits limits)
    : names_(std::move(names)), gzip_(gzip), rootUrl_(std::move(rootUrl)), limits_(limits) {}

bool SitemapSet::Check(bool ok, const String& path, const String& reason) {
    if (!ok && error_.IsEmpty()) error_ = String(u"cannot write ") + EscapeControlCharacters(path) + u": " + reason;
    return ok;
}

// The first part is named for FILE in messages too: it becomes FILE when no other follows.
String SitemapSet::PartTarget(std::size_t number) const {
    return parts_.size() == 1 ? names_.File() : names_.PartPath(static_cast<int>(number));
}

bool SitemapSet::StartPart() {
    if (!parts_.empty() && !ClosePart()) return false;
    parts_.push_back(std::make_unique<Part>(gzip_));
    Part& part = *parts_.back();
    const String header = SitemapHeader();
    String reason;
    if (!Check(part.file.Create(names_.PartPath(Parts()), reason) && part.file.Write(header.ToUtf8(), reason),
               PartTarget(Parts()), reason)) {
        return false;
    }
    part.bytes = Utf8Length(header);
    return true;
}

bool SitemapSet::ClosePart() {
    Part& part = *parts_.back();
    String reason;
    return Check(part.file.Write(SitemapFooter(part.entries).ToUtf8(), reason) && part.file.Close(reason),
                 PartTarget(Parts()), reason);
}

void SitemapSet::Add(const SitemapEntry& entry) {
    if (Failed()) return;
    entryText_.clear();
    AppendEntryUtf8(entryText_, entry);
    const std::string& text = entryText_;
    // A part ends where the next entry, with the footer that would then close it, passes a
    // limit; a part always takes at least one entry.
    const Part* part = parts_.empty() ? nullptr : parts_.back().get();
    if (!part || (part->entries > 0 && (part->entries >= limits_.maxEntries ||
                                        part->bytes + text.size() + Utf8Length(SitemapFooter(part->entries + 1)) >
                                            limits_.maxBytes))) {
        if (!StartPart()) return;
    }
    Part& current = *parts_.back();
    String reason;
    if (!Check(current.file.Write(text, reason), PartTarget(Parts()), reason)) return;
    ++current.entries;
    current.bytes += text.size();
    // Every lastmod of a run has the same form and offset, so text order is time order.
    if (entry.lastmod.Text() > current.newest.Text()) current.newest = entry.lastmod;
}

bool SitemapSet::WriteIndex(SitemapFile& index) {
    String reason;
    std::string text = SitemapIndexHeader().ToUtf8();
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const String location = rootUrl_ + EncodeUrlSegment(names_.PartName(static_cast<int>(i + 1)));
        AppendEntryUtf8(text, {location, parts_[i]->newest}, u"sitemap");
    }
    text += SitemapIndexFooter().ToUtf8();
    return Check(index.Create(names_.File(), reason) && index.Write(text, reason) && index.Close(reason),
                 names_.File(), reason);
}

bool SitemapSet::Finish() {
    if (Failed() || parts_.empty() || !ClosePart()) return false;
    SitemapFile index(gzip_);
    if (parts_.size() > 1 && !WriteIndex(index)) return false;
    // Parts first, then the index that names them, then the parts no index names any more.
    String reason;
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        if (!Check(parts_[i]->file.Commit(PartTarget(i + 1), reason), PartTarget(i + 1), reason)) return false;
    }
    if (parts_.size() > 1 && !Check(index.Commit(names_.File(), reason), names_.File(), reason)) return false;
    const int kept = parts_.size() > 1 ? Parts() : 0;
    for (int number = kept + 1; platform::PathKind(names_.PartPath(number)) == platform::PathType::Other; ++number) {
        platform::RemoveFile(names_.PartPath(number));
    }
    return true;
}

}  // namespace linkloom::cli
