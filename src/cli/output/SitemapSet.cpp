#include "cli/output/SitemapSet.h"

#include <algorithm>

#include "base/ControlCharacters.h"
#include "cli/output/EarlierParts.h"
#include "core/sitemap/SitemapDocument.h"
#include "platform/Directory.h"
#include "platform/FileNames.h"

namespace linkloom::cli {

SitemapSet::SitemapSet(OutputNames names, bool gzip, String partsUrl, SitemapLimits limits, SitemapForm form,
                       std::optional<Sections> sections)
    : names_(std::move(names)),
      gzip_(gzip),
      partsUrl_(std::move(partsUrl)),
      limits_(limits),
      form_(std::move(form)),
      file_(platform::ResolveOutputTarget(names_.File())),
      sections_(std::move(sections)) {
    // FILE's folder as named holds the parts and the journal; the folder its links lead to, FILE.
    if (file_.kind == platform::OutputKind::Folder) {
        Check(platform::OwnFailure(u"a folder has that name", names_.File(), platform::Action::Write), names_.File());
    } else if (Check(change_.Open(names_.Folder()), names_.File())) {
        Check(change_.Open(FolderOf(file_.path)), names_.File());
    }
    away_ = !change_.SameFolder(names_.Folder(), FolderOf(file_.path));
    earlier_ = form_.IsText() ? EarlierTextParts(names_) : EarlierParts(names_, file_.path);
}

// Closed before the change rolls back: Windows removes no file that is open.
SitemapSet::~SitemapSet() {
    for (Section& section : written_) section.current.reset();
}

bool SitemapSet::Include(const Companion& companion) {
    std::optional<platform::SystemError> failure = companion(change_);
    return Check(failure, failure ? failure->path : String());
}

bool SitemapSet::Check(std::optional<platform::SystemError> failure, const String& target) {
    if (!failure) return true;
    failure->path = target;
    if (error_.IsEmpty()) error_ = platform::Sentence(*failure);
    return false;
}

// The first part is named for FILE in messages too: it becomes FILE when no other follows.
String SitemapSet::PartTarget(const Section& section, std::size_t number) const {
    if (sections_) return section.name.IsEmpty() ? names_.File() : names_.PartPath(PartName(section, number));
    return number == 1 && parts_ <= 1 ? names_.File() : names_.PartPath(static_cast<int>(number));
}

String SitemapSet::PartName(const Section& section, std::size_t number) const {
    if (!sections_) return names_.PartName(static_cast<int>(number));
    if (section.parts.size() == 1) return names_.PartName(section.name);
    return names_.PartName(section.name + u'-' + String::FromInt(static_cast<long long>(number)));
}

std::size_t SitemapSet::SectionOf(const SitemapEntry& entry) {
    std::u16string key = sections_ ? sections_->KeyOf(entry.location) : std::u16string();
    const auto [at, added] = sectionAt_.try_emplace(key, written_.size());
    if (added) {
        written_.emplace_back();
        written_.back().key = std::move(key);
        written_.back().spooled = written_.size() > kOpenSections;
        if (written_.back().spooled && !spool_) spool_.emplace();
    }
    return at->second;
}

bool SitemapSet::StartPart(Section& section) {
    if (section.current && !ClosePart(section)) return false;
    if (static_cast<std::size_t>(parts_) >= limits_.maxSitemaps) {
        return Check(platform::OwnFailure(String(u"an index may name at most ") +
                                              String::FromInt(static_cast<long long>(limits_.maxSitemaps)) +
                                              u" sitemap files; raise --max-urls",
                                          names_.File(), platform::Action::Write),
                     names_.File());
    }
    ++parts_;
    platform::Outcome<platform::OutputFile> file = change_.CreateTemporary(names_.Folder());
    if (!file) return Check(file.Failure(), PartTarget(section, section.parts.size() + 1));
    section.parts.push_back({file->Path(), String()});
    section.current = std::make_unique<SitemapFile>(std::move(*file), gzip_);
    if (!Check(section.current->Write(form_.Header()), PartTarget(section, section.parts.size()))) return false;
    section.bytes = form_.Header().size();
    return true;
}

bool SitemapSet::ClosePart(Section& section) {
    std::optional<platform::SystemError> failure = section.current->Write(form_.Footer(section.entries));
    if (!failure) failure = section.current->Close();
    const bool closed = Check(failure, PartTarget(section, section.parts.size()));
    section.parts.back().size = section.current->Size();
    section.current.reset();
    section.entries = 0;
    return closed;
}

void SitemapSet::Add(const SitemapEntry& entry) {
    if (Failed()) return;
    entryText_.clear();
    form_.AppendEntry(entryText_, entry);
    const std::size_t at = SectionOf(entry);
    if (written_[at].spooled) {
        spool_->Add(at, entryText_, entry.lastmod);
    } else {
        Write(written_[at], entryText_, entry.lastmod);
    }
}

bool SitemapSet::Write(Section& section, const std::string& text, const String& lastmod) {
    // A part ends where the next entry, with the footer that would then close it, passes a
    // limit; a part always takes at least one entry.
    if (!section.current ||
        (section.entries > 0 &&
         (section.entries >= limits_.maxEntries ||
          section.bytes + text.size() + form_.FooterBytes(section.entries + 1) > limits_.maxBytes))) {
        if (!StartPart(section)) return false;
    }
    if (!Check(section.current->Write(text), PartTarget(section, section.parts.size()))) return false;
    ++section.entries;
    section.bytes += text.size();
    // Every lastmod of a run has the same form and offset, so text order is time order.
    String& newest = section.parts.back().newest;
    if (lastmod.Text() > newest.Text()) newest = lastmod;
    return true;
}

bool SitemapSet::Complete(std::size_t at) {
    Section& section = written_[at];
    if (section.spooled) {
        const auto take = [&](const std::string& text, const String& lastmod) { return Write(section, text, lastmod); };
        if (!Check(spool_->Replay(at, take), names_.File()) || Failed()) return false;
    }
    return !section.current || ClosePart(section);
}

void SitemapSet::NameSections() {
    if (!sections_) return;
    std::vector<std::u16string> keys;
    for (const Section& section : written_) keys.push_back(section.key);
    const std::vector<String> names = SectionNames(keys, [this](const String& name, std::size_t index) {
        Section named;
        named.key = written_[index].key;
        named.name = name;
        named.parts.resize(written_[index].parts.size());
        std::vector<String> files;
        for (std::size_t number = 1; number <= named.parts.size(); ++number) files.push_back(PartName(named, number));
        return files;
    });
    for (std::size_t i = 0; i < written_.size(); ++i) written_[i].name = names[i];
}

bool SitemapSet::WriteIndex() {
    platform::Outcome<platform::OutputFile> file = change_.CreateTemporary(FolderOf(file_.path));
    if (!file) return Check(file.Failure(), names_.File());
    extra_ = file->Path();
    SitemapFile index(std::move(*file), gzip_);
    std::optional<platform::SystemError> failure = index.Write(form_.IndexHeader());
    for (const Section& section : written_) {
        for (std::size_t i = 0; !failure && i < section.parts.size(); ++i) {
            const String location = partsUrl_ + EncodeUrlSegment(PartName(section, i + 1));
            entryText_.clear();
            AppendEntryUtf8(entryText_, {location, section.parts[i].newest}, u"sitemap");
            failure = index.Write(entryText_);
        }
    }
    if (!failure) failure = index.Write(SitemapIndexFooter().ToUtf8());
    if (!failure) failure = index.Close();
    indexSize_ = index.Size();
    return Check(failure, names_.File());
}

bool SitemapSet::CopyAway() {
    platform::Outcome<platform::OutputFile> file = change_.CreateTemporary(FolderOf(file_.path));
    if (!file) return Check(file.Failure(), names_.File());
    extra_ = file->Path();
    std::optional<platform::SystemError> failure = platform::CopyInto(written_[0].parts[0].temporary, *file);
    if (!failure) failure = file->Close();
    return Check(failure, names_.File());
}

std::vector<WrittenFile> SitemapSet::Files(const String& fileUrl) const {
    if (Single()) return {{names_.File(), fileUrl, written_[0].parts[0].size}};
    std::vector<WrittenFile> files;
    if (!form_.IsText()) files.push_back({names_.File(), fileUrl, indexSize_});
    for (const Section& section : written_) {
        for (std::size_t number = 1; number <= section.parts.size(); ++number) {
            const String name = PartName(section, number);
            files.push_back(
                {names_.PartPath(name), partsUrl_ + EncodeUrlSegment(name), section.parts[number - 1].size});
        }
    }
    return files;
}

bool SitemapSet::Finish(const SetSwitch::Proceed& proceed) {
    if (Failed() || parts_ == 0) return false;
    for (std::size_t at = 0; at < written_.size(); ++at) {
        if (!Complete(at)) return false;
    }
    NameSections();
    std::vector<String> kept;
    if (Single()) {
        if (away_ && !CopyAway()) return false;
        change_.Replace(file_.path, away_ ? extra_ : written_[0].parts[0].temporary);
    } else {
        if (!form_.IsText() && !WriteIndex()) return false;
        // Parts first, then the index that names them.
        for (const Section& section : written_) {
            for (std::size_t i = 0; i < section.parts.size(); ++i) {
                kept.push_back(PartName(section, i + 1));
                change_.Replace(names_.PartPath(kept.back()), section.parts[i].temporary);
            }
        }
        if (!form_.IsText()) {
            change_.Replace(file_.path, extra_);
        } else if (platform::PathKind(file_.path) == platform::PathType::Other) {
            // An earlier sitemap at FILE would list a stale set beside the parts.
            change_.Remove(file_.path);
        }
    }
    // Parts of an earlier set go with the old set: those its index names, or its text parts, and
    // the new one does not. Other files of that form are not ours to remove.
    for (const String& name : earlier_) {
        if (std::find(kept.begin(), kept.end(), name) == kept.end() &&
            platform::PathKind(names_.PartPath(name)) == platform::PathType::Other) {
            change_.Remove(names_.PartPath(name));
        }
    }
    std::optional<platform::SystemError> failure = change_.Commit(proceed);
    const bool named = failure && !failure->path.IsEmpty() && failure->path != file_.path;
    return Check(failure, named ? failure->path : names_.File());
}

}  // namespace linkloom::cli
