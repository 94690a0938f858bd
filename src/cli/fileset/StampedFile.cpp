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

bool WriteStampedFile(const String& path, const std::string& body, String& error) {
    platform::OutputFile file;
    platform::FileIdentity identity;
    if (platform::OutputFile::CreateNew(path, platform::FileAccess::Private, file, error) !=
        platform::OutputFile::Creation::Created) {
        return false;
    }
    if (!file.Identify(identity)) {
        error = u"the new file cannot be identified";
        return false;
    }
    const std::string text = Stamp(identity) + body;
    return file.Write(text.data(), text.size(), error) && file.Close(error);
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
