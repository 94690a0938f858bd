#include "cli/fileset/StampedFile.h"

#include "platform/FileNames.h"
#include "platform/OutputFile.h"

namespace linkloom::cli {

namespace {

// The identity's text, ending in a zero byte.
std::string Stamp(const platform::FileIdentity& identity) {
    return std::to_string(identity.volume) + ' ' + std::to_string(identity.index) + '\0';
}

}  // namespace

std::optional<platform::SystemError> WriteStampedFile(const String& path, const std::string& body) {
    platform::Outcome<platform::OutputFile> file = platform::OutputFile::CreateNew(path, platform::FileAccess::Private);
    if (!file) return file.Failure();
    platform::FileIdentity identity;
    if (!file->Identify(identity)) {
        return platform::OwnFailure(u"the new file cannot be identified", path, platform::Action::Write);
    }
    return platform::WriteAndClose(*file, Stamp(identity) + body);
}

StampedRead ReadStampedFile(const String& path, std::string& body) {
    std::string text;
    platform::FileIdentity identity;
    if (!platform::ReadPrivateFile(path, text, identity)) return StampedRead::Refused;
    const std::string stamp = Stamp(identity);
    if (text.size() < stamp.size() && stamp.compare(0, text.size(), text) == 0) return StampedRead::Cut;
    if (text.compare(0, stamp.size(), stamp) != 0) return StampedRead::Refused;
    body = text.substr(stamp.size());
    return StampedRead::Whole;
}

}  // namespace linkloom::cli
