#include "cli/fileset/SwitchJournal.h"

#include <string>

#include "cli/output/OutputNames.h"
#include "platform/FileNames.h"

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

// Temporary files and backups are plain names beside their target.
std::string NameIn(const String& path) { return path.Mid(FolderOf(path).Length()).ToNativeBytes(); }

bool PathBeside(const String& target, const std::string& name, String& path) {
    const String plain = String::FromUtf8(name);
    if (!FolderOf(plain).IsEmpty()) return false;
    path = plain.IsEmpty() ? String() : FolderOf(target) + plain;
    return true;
}

}  // namespace

bool SwitchJournal::Write(const String& path, String& error) const {
    std::string text;
    Put(text, kMagic);
    Put(text, std::to_string(guards.size()));
    Put(text, std::to_string(steps.size()));
    for (const String& guard : guards) Put(text, guard.ToNativeBytes());
    for (const SwitchStep& step : steps) {
        Put(text, step.target.ToNativeBytes());
        Put(text, NameIn(step.temporary));
        Put(text, NameIn(step.backup));
    }
    return platform::WritePrivateFile(path, text, error);
}

SwitchJournal::State SwitchJournal::Read(const String& path) {
    guards.clear();
    steps.clear();
    std::string text;
    if (!platform::ReadPrivateFile(path, text)) return State::Unusable;
    Fields fields(text);
    std::string field;
    if (!fields.Next(field)) return State::Partial;
    if (field != kMagic) return State::Unusable;
    std::size_t guardCount = 0, stepCount = 0;
    if (!ReadCount(fields, guardCount) || !ReadCount(fields, stepCount)) return State::Partial;
    for (std::size_t i = 0; i < guardCount; ++i) {
        if (!fields.Next(field)) return State::Partial;
        guards.push_back(String::FromUtf8(field));
    }
    for (std::size_t i = 0; i < stepCount; ++i) {
        SwitchStep step;
        std::string temporary, backup;
        if (!fields.Next(field) || !fields.Next(temporary) || !fields.Next(backup)) return State::Partial;
        step.target = String::FromUtf8(field);
        if (!PathBeside(step.target, temporary, step.temporary) || !PathBeside(step.target, backup, step.backup)) {
            return State::Unusable;
        }
        steps.push_back(std::move(step));
    }
    return fields.AtEnd() ? State::Whole : State::Unusable;
}

}  // namespace linkloom::cli
