#include "core/FolderWalk.h"

#include <memory>
#include <vector>

#include "core/PageHeadFilter.h"
#include "core/JobMessages.h"
#include "platform/Directory.h"
#include "platform/NativePath.h"
#include "platform/TextCompare.h"

namespace linkloom {

struct FolderWalk::Level {
    Level(String directoryPath, String url, String relativePath)
        : directory(std::move(directoryPath)),
          baseUrl(std::move(url)),
          relative(std::move(relativePath)),
          listing(directory) {}

    const platform::FileIdentity* Identity() {
        if (!identified) {
            identified = true;
            hasIdentity = platform::IdentifyDirectory(directory, identity);
        }
        return hasIdentity ? &identity : nullptr;
    }

    String directory;
    String baseUrl;
    String relative;  // from the walked folder, ending in '/' below it
    platform::DirectoryListing listing;
    bool identified = false;
    bool hasIdentity = false;
    platform::FileIdentity identity;
};

namespace {

String JoinNative(const String& directory, const String& name) {
    return JoinPath(directory, name, true, platform::kNativePathStyle);
}

}  // namespace

FolderWalk::FolderWalk(JobHost& host, bool showsProgress, JobFlags flags, const ExtensionList& extensions,
                       EntrySink& sink, std::int64_t utcOffsetSeconds)
    : host_(host),
      showsProgress_(showsProgress),
      flags_(flags),
      extensions_(extensions),
      sink_(sink),
      utcOffset_(utcOffsetSeconds),
      exclusions_(host.Exclusions()),
      report_(host.Report()),
      tracksPaths_((exclusions_ && !exclusions_->empty()) || report_) {}

std::optional<LeftOutReason> FolderWalk::LeftOutBy(const Level& level, const String& name) const {
    if ((flags_ & JobFlag::SkipTemplateNames) && platform::ContainsNoCase(name, u"template")) {
        return LeftOutReason::TemplateName;
    }
    const auto extension = FileExtension(name, platform::kNativePathStyle);
    if (!extension || !extensions_.Contains(*extension)) return LeftOutReason::Extension;
    if (!(flags_ & (JobFlag::ExcludeNoindex | JobFlag::RequireDoctype))) return std::nullopt;
    switch (PageHeadFilter(JoinNative(level.directory, name), flags_)) {
    case PageVerdict::Keep: return std::nullopt;
    case PageVerdict::Noindex: return LeftOutReason::Noindex;
    case PageVerdict::NoDoctype: return LeftOutReason::NoDoctype;
    case PageVerdict::Unreadable: break;
    }
    return LeftOutReason::Unreadable;
}

const PathPattern* FolderWalk::Excluded(const String& path, bool isFolder) const {
    return exclusions_ ? FirstMatch(*exclusions_, path, isFolder) : nullptr;
}

void FolderWalk::Report(const String& path, bool isFolder, LeftOutReason reason, const PathPattern* pattern) {
    if (report_) report_->LeftOut(path, isFolder, reason, pattern);
}

void FolderWalk::Run(const String& directory, const String& baseUrl) {
    std::vector<std::unique_ptr<Level>> levels;
    levels.push_back(std::make_unique<Level>(directory, baseUrl, String()));
    if (!levels.back()->listing.IsOpen()) return;

    const bool withTime = (flags_ & JobFlag::LastmodWithTime) != 0;
    platform::DirectoryEntry entry;
    while (!levels.empty()) {
        Level& level = *levels.back();
        if (!level.listing.Next(entry)) {
            levels.pop_back();
            if (showsProgress_) {
                host_.SetProgressTitle(String(JobMessage::kWorking) + u" (" + String::FromInt(count_) +
                                       u" files found)");
            }
            continue;
        }
        if (entry.name.Text() == u"." || entry.name.Text() == u"..") continue;
        host_.PumpEvents();
        if ((showsProgress_ && host_.IsCancelled()) || sink_.Failed()) return;

        const String relative = tracksPaths_ ? level.relative + entry.name : String();
        if (entry.isDirectory) {
            if (!(flags_ & JobFlag::Subfolders)) {
                Report(relative, true, LeftOutReason::SubfoldersOff);
                continue;
            }
            if (const PathPattern* pattern = Excluded(relative, true)) {
                Report(relative, true, LeftOutReason::Excluded, pattern);
                continue;
            }
            String path = JoinNative(level.directory, entry.name);
            if (entry.isLink && LeadsBack(path, levels)) {
                Report(relative, true, LeftOutReason::LeadsBack);
                continue;
            }
            auto child = std::make_unique<Level>(JoinNative(path, u""), level.baseUrl + EncodeUrlSegment(entry.name) + u'/',
                                                 tracksPaths_ ? relative + u'/' : String());
            // A folder that cannot be listed is skipped without a title of its own.
            if (child->listing.IsOpen()) {
                levels.push_back(std::move(child));
            } else {
                Report(relative, true, LeftOutReason::Unlistable);
            }
            continue;
        }

        if (const PathPattern* pattern = Excluded(relative, false)) {
            Report(relative, false, LeftOutReason::Excluded, pattern);
            continue;
        }
        if (const auto reason = LeftOutBy(level, entry.name)) {
            Report(relative, false, *reason);
            continue;
        }
        platform::FileTime written = 0;
        if (!level.listing.LastWriteTime(written)) {
            Report(relative, false, LeftOutReason::Unreadable);
            continue;
        }
        ++count_;
        if (report_ && LastmodClamped(written, utcOffset_)) report_->Adjusted(relative, Adjustment::TimeOutOfRange);
        sink_.Add({level.baseUrl + EncodeUrlSegment(entry.name), LastmodText(written, withTime, utcOffset_)});
    }
}

bool FolderWalk::LeadsBack(const String& path, std::vector<std::unique_ptr<Level>>& levels) const {
    platform::FileIdentity target;
    if (!platform::IdentifyDirectory(path, target)) return false;
    for (auto& level : levels) {
        const platform::FileIdentity* identity = level->Identity();
        if (identity && *identity == target) return true;
    }
    return false;
}

}  // namespace linkloom
