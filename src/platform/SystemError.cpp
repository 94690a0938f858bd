#include "platform/SystemError.h"

#include <utility>

#include "base/ControlCharacters.h"

namespace linkloom::platform {

namespace {

const char16_t* Verb(Action action) {
    switch (action) {
    case Action::Read: return u"read";
    case Action::Write: return u"write";
    case Action::Start: return u"start";
    }
    return u"";
}

}  // namespace

SystemError SystemFailure(std::uint32_t code, const String& path, Action action) {
    SystemError error;
    error.code = code;
    error.path = path;
    error.action = action;
    return error;
}

SystemError OwnFailure(String words, const String& path, Action action) {
    SystemError error = SystemFailure(0, path, action);
    error.words = std::move(words);
    return error;
}

SystemError NotAFile(const String& path) {
    SystemError error = OwnFailure(u"not a file", path, Action::Read);
    error.kind = SystemError::Kind::NotAFile;
    return error;
}

SystemError ProgramNotFound(const String& program) {
    SystemError error = OwnFailure(u"not found", program, Action::Start);
    error.kind = SystemError::Kind::NotFound;
    return error;
}

String Sentence(const SystemError& error, const char16_t* what) {
    String sentence = String(u"cannot ") + Verb(error.action) + u" ";
    if (what) sentence = sentence + what + u" ";
    return sentence + EscapeControlCharacters(error.path) + u": " + EscapeControlCharacters(Describe(error));
}

}  // namespace linkloom::platform
