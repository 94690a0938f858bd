#include "cli/output/OutputNames.h"

#include "platform/Directory.h"
#include "platform/NativePath.h"
#include "platform/TextCompare.h"

namespace linkloom::cli {

namespace {

bool EndsWithNoCase(const String& text, const char16_t* suffix) {
    const String end(suffix);
    return text.Length() >= end.Length() && platform::CompareNoCase(text.Mid(text.Length() - end.Length()), end) == 0;
}

}  // namespace

bool IsOneFolder(const String& one, const String& other) {
    const auto listed = [](const String& folder) { return folder.IsEmpty() ? String(u".") : folder; };
    platform::FileIdentity first, second;
    return one == other || (platform::IdentifyDirectory(listed(one), first) &&
                            platform::IdentifyDirectory(listed(other), second) && first == second);
}

bool OutputNames::NamesCompressedFile(const String& file) { return EndsWithNoCase(file, u".gz"); }

OutputNames::OutputNames(const String& file, bool gzip, const char16_t* extension)
    : file_(gzip && !NamesCompressedFile(file) ? file + u".gz" : file),
      extension_(gzip ? String(extension) + u".gz" : String(extension)) {
    folder_ = FolderOf(file_);
    stem_ = file_.Mid(folder_.Length());
    if (gzip) stem_ = stem_.Left(stem_.Length() - 3);
    const String plain(extension);
    if (EndsWithNoCase(stem_, extension)) stem_ = stem_.Left(stem_.Length() - plain.Length());
}

}  // namespace linkloom::cli
