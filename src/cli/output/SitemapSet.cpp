#include "cli/output/SitemapSet.h"

#include "base/ControlCharacters.h"
#include "cli/output/EarlierParts.h"
#include "core/sitemap/SitemapDocument.h"
#include "platform/Directory.h"
#include "platform/FileNames.h"

namespace linkloom::cli {

SitemapSet::SitemapSet(OutputNames names, bool gzip, String partsUrl, SitemapLimits limits, SitemapForm form)
    : names_(std::move(names)),
      gzip_(gzip),
      partsUrl_(std::move(partsUrl)),
      limits_(limits),
      form_(std::move(form)),
      file_(platform::ResolveOutputTarget(names_.File())) {
    String reason;
    // FILE's folder as named holds the parts and the journal; the folder its links lead to, FILE.
    Check(file_.kind != platform::OutputKind::Folder, names_.File(), u"a folder has that name") &&
        Check(change_.Open(names_.Folder(), reason) && change_.Open(FolderOf(file_.path), reason), names_.File(),
              reason);
    away_ = !change_.SameFolder(names_.Folder(), FolderOf(file_.path));
    earlier_ = EarlierParts(names_, file_.path);
}

// Closed before the change rolls back: Windows removes no file that is open.
SitemapSet::~SitemapSet() { current_.reset(); }

bool SitemapSet::Include(const Companion& companion) {
    String target, reason;
    return Check(companion(change_, target, reason), target, reason);
}

bool SitemapSet::Check(bool ok, const String& path, const String& reason) {
    if (!ok && error_.IsEmpty()) error_ = String(u"cannot write ") + EscapeControlCharacters(path) + u": " + reason;
    return ok;
}

// The first part is named for FILE in messages too: it becomes FILE when no other follows.
String SitemapSet::PartTarget(std::size_t number) const {
    return number == 1 && parts_.size() <= 1 ? names_.File() : names_.PartPath(static_cast<int>(number));
}

bool SitemapSet::StartPart() {
    if (current_ && !ClosePart()) return false;
    if (!Check(parts_.size() < limits_.maxSitemaps, names_.File(),
               String(u"an index may name at most ") + String::FromInt(static_cast<long long>(limits_.maxSitemaps)) +
                   u" sitemap files; raise --max-urls")) {
        return false;
    }
    platform::OutputFile file;
    String path, reason;
    if (!Check(change_.CreateTemporary(names_.Folder(), file, path, reason), PartTarget(parts_.size() + 1), reason)) {
        return false;
    }
    parts_.push_back({path, String()});
    current_ = std::make_unique<SitemapFile>(std::move(file), gzip_);
    if (!Check(current_->Write(form_.Header(), reason), PartTarget(Parts()), reason)) return false;
    bytes_ = form_.Header().size();
    return true;
}

bool SitemapSet::ClosePart() {
    String reason;
    const bool closed =
        Check(current_->Write(form_.Footer(entries_), reason) && current_->Close(reason), PartTarget(Parts()), reason);
    current_.reset();
    entries_ = 0;
    return closed;
}

void SitemapSet::Add(const SitemapEntry& entry) {
    if (Failed()) return;
    entryText_.clear();
    form_.AppendEntry(entryText_, entry);
    const std::string& text = entryText_;
    // A part ends where the next entry, with the footer that would then close it, passes a
    // limit; a part always takes at least one entry.
    if (!current_ || (entries_ > 0 && (entries_ >= limits_.maxEntries ||
                                       bytes_ + text.size() + form_.FooterBytes(entries_ + 1) > limits_.maxBytes))) {
        if (!StartPart()) return;
    }
    String reason;
    if (!Check(current_->Write(text, reason), PartTarget(Parts()), reason)) return;
    ++entries_;
    bytes_ += text.size();
    // Every lastmod of a run has the same form and offset, so text order is time order.
    String& newest = parts_.back().newest;
    if (entry.lastmod.Text() > newest.Text()) newest = entry.lastmod;
}

bool SitemapSet::WriteIndex() {
    platform::OutputFile file;
    String reason;
    if (!Check(change_.CreateTemporary(FolderOf(file_.path), file, extra_, reason), names_.File(), reason)) {
        return false;
    }
    SitemapFile index(std::move(file), gzip_);
    bool written = index.Write(form_.IndexHeader(), reason);
    for (std::size_t i = 0; written && i < parts_.size(); ++i) {
        const String location = partsUrl_ + EncodeUrlSegment(names_.PartName(static_cast<int>(i + 1)));
        entryText_.clear();
        AppendEntryUtf8(entryText_, {location, parts_[i].newest}, u"sitemap");
        written = index.Write(entryText_, reason);
    }
    return Check(written && index.Write(SitemapIndexFooter().ToUtf8(), reason) && index.Close(reason), names_.File(),
                 reason);
}

bool SitemapSet::CopyAway() {
    platform::OutputFile file;
    String reason;
    const bool copied = change_.CreateTemporary(FolderOf(file_.path), file, extra_, reason) &&
                        platform::CopyInto(parts_[0].temporary, file, reason) && file.Close(reason);
    return Check(copied, names_.File(), reason);
}

std::vector<String> SitemapSet::Written() const {
    std::vector<String> written;
    if (parts_.size() > 1) {
        for (int number = 1; number <= Parts(); ++number) written.push_back(names_.PartPath(number));
    }
    if (parts_.size() == 1 || !form_.IsText()) written.push_back(names_.File());
    return written;
}

bool SitemapSet::Finish(const SetSwitch::Proceed& proceed) {
    if (Failed() || parts_.empty() || !ClosePart()) return false;
    if (parts_.size() == 1) {
        if (away_ && !CopyAway()) return false;
        change_.Replace(file_.path, away_ ? extra_ : parts_[0].temporary);
    } else {
        if (!form_.IsText() && !WriteIndex()) return false;
        // Parts first, then the index that names them.
        for (std::size_t i = 0; i < parts_.size(); ++i) {
            change_.Replace(names_.PartPath(static_cast<int>(i + 1)), parts_[i].temporary);
        }
        if (!form_.IsText()) {
            change_.Replace(file_.path, extra_);
        } else if (platform::PathKind(file_.path) == platform::PathType::Other) {
            // An earlier sitemap at FILE would list a stale set beside the parts.
            change_.Remove(file_.path);
        }
    }
    // Parts of an earlier, larger set go with the old set: those its index names and the new
    // one does not. Other files of that form are not ours to remove.
    const int kept = parts_.size() > 1 ? Parts() : 0;
    for (const int number : earlier_) {
        if (number > kept && platform::PathKind(names_.PartPath(number)) == platform::PathType::Other) {
            change_.Remove(names_.PartPath(number));
        }
    }
    String reason, failed;
    const bool switched = change_.Commit(proceed, reason, failed);
    return Check(switched, failed.IsEmpty() || failed == file_.path ? names_.File() : failed, reason);
}

}  // namespace linkloom::cli
