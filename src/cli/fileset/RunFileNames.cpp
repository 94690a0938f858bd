#include "cli/fileset/RunFileNames.h"

#include "platform/RandomName.h"

namespace linkloom::cli {

namespace {

const char16_t kPrefix[] = u".linkloom-";
const char16_t kJournal[] = u".journal";
const char16_t kGuard[] = u".guard";

bool IsWord(const String& text, std::size_t length) {
    if (text.Length() != length) return false;
    for (std::size_t i = 0; i < text.Length(); ++i) {
        if (!platform::IsRandomNameSymbol(text[i])) return false;
    }
    return true;
}

}  // namespace

String RunFileNames::Lock(const String& token) { return String(kPrefix) + token; }

String RunFileNames::Temporary(const String& token, const String& name) { return Lock(token) + u'-' + name; }

String RunFileNames::Journal(const String& token) { return Lock(token) + kJournal; }

String RunFileNames::Guard(const String& token) { return Lock(token) + kGuard; }

RunFileNames::Kind RunFileNames::Parse(const String& name, String& token) {
    const String prefix(kPrefix);
    if (!name.StartsWith(prefix)) return Kind::None;
    token = name.Mid(prefix.Length()).Left(kTokenLength);
    if (!IsWord(token, kTokenLength)) return Kind::None;
    const String rest = name.Mid(prefix.Length() + kTokenLength);
    if (rest.IsEmpty()) return Kind::Lock;
    if (rest == String(kJournal)) return Kind::Journal;
    if (rest == String(kGuard)) return Kind::Guard;
    return rest[0] == u'-' && IsWord(rest.Mid(1), kNameLength) ? Kind::Temporary : Kind::None;
}

}  // namespace linkloom::cli
