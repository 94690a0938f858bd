#include "cli/fileset/SwitchJournal.h"

#include <algorithm>
#include <string>

#include "cli/fileset/RunFileNames.h"
#include "cli/fileset/StampedFile.h"
#include "cli/output/OutputNames.h"

namespace linkloom::cli {

namespace {

const char kMagic[] = "linkloom switch 1";

void Put(std::string& text, const std::string& field) {
    text += field;
    text += '\0';
}

// Fields in turn; false at the end of the text or at a field without its zero byte.
class Fields {
public:
    explicit Fields(const std::string& text) : text_(text) {}
    bool Next(std::string& field) {
        const std::size_t end = text_.find('\0', at_);
        if (end == std::string::npos) return false;
        field = text_.substr(at_, end - at_);
        at_ = end + 1;
        return true;
    }
    bool AtEnd() const { return at_ == text_.size(); }

private:
    const std::string& text_;
    std::size_t at_ = 0;
};

bool ReadCount(Fields& fields, std::size_t& count) {
    std::string text;
    if (!fields.Next(text) || text.empty() || text.size() > 9) return false;
    count = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') return false;
        count = count * 10 + static_cast<std::size_t>(digit - '0');
    }
    return true;
}

String NameIn(const String& path) { return path.Mid(FolderOf(path).Length()); }

// Temporary files and backups are the run's own names beside their target.
bool PathBeside(const String& target, const std::string& name, const String& token, String& path) {
    const String plain = String::FromUtf8(name);
    String named;
    if (!plain.IsEmpty() && (RunFileNames::Parse(plain, named) != RunFileNames::Kind::Temporary || named != token)) {
        return false;
    }
    path = plain.IsEmpty() ? String() : FolderOf(target) + plain;
    return true;
}

}  // namespace

std::optional<platform::SystemError> SwitchJournal::Write(const String& path) const {
    std::string text;
    Put(text, kMagic);
    Put(text, std::to_string(guards.size()));
    Put(text, std::to_string(steps.size()));
    for (const String& guard : guards) Put(text, guard.ToNativeBytes());
    for (const SwitchStep& step : steps) {
        Put(text, step.target.ToNativeBytes());
        Put(text, NameIn(step.temporary).ToNativeBytes());
        Put(text, NameIn(step.backup).ToNativeBytes());
    }
    return WriteStampedFile(path, text);
}

SwitchJournal::State SwitchJournal::Read(const String& path) {
    guards.clear();
    steps.clear();
    String token;
    std::string text;
    if (RunFileNames::Parse(NameIn(path), token) != RunFileNames::Kind::Journal) return State::Unusable;
    switch (ReadStampedFile(path, text)) {
    case StampedRead::Whole: break;
    case StampedRead::Cut: return State::Partial;
    case StampedRead::Refused: return State::Unusable;
    }
    // A switch acts in the journal's folder, and in the folders that hold its guards.
    std::vector<String> folders{FolderOf(path)};
    Fields fields(text);
    std::string field;
    if (!fields.Next(field)) return State::Partial;
    if (field != kMagic) return State::Unusable;
    std::size_t guardCount = 0, stepCount = 0;
    if (!ReadCount(fields, guardCount) || !ReadCount(fields, stepCount)) return State::Partial;
    for (std::size_t i = 0; i < guardCount; ++i) {
        if (!fields.Next(field)) return State::Partial;
        guards.push_back(String::FromUtf8(field));
        String named;
        if (RunFileNames::Parse(NameIn(guards.back()), named) != RunFileNames::Kind::Guard || named != token) {
            return State::Unusable;
        }
        folders.push_back(FolderOf(guards.back()));
    }
    String named;
    for (std::size_t i = 0; i < stepCount; ++i) {
        SwitchStep step;
        std::string temporary, backup;
        if (!fields.Next(field) || !fields.Next(temporary) || !fields.Next(backup)) return State::Partial;
        step.target = String::FromUtf8(field);
        const auto inFolder = [&](const String& folder) { return IsOneFolder(folder, FolderOf(step.target)); };
        if (std::none_of(folders.begin(), folders.end(), inFolder) ||
            RunFileNames::Parse(NameIn(step.target), named) != RunFileNames::Kind::None ||
            !PathBeside(step.target, temporary, token, step.temporary) ||
            !PathBeside(step.target, backup, token, step.backup)) {
            return State::Unusable;
        }
        steps.push_back(std::move(step));
    }
    return fields.AtEnd() ? State::Whole : State::Unusable;
}

}  // namespace linkloom::cli
