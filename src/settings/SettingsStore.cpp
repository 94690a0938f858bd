#include "settings/SettingsStore.h"

#include <vector>

#include "platform/win32/Handle.h"

namespace linkloom {

namespace {

// An integer key whose stored value is this reads as missing.
constexpr int kMissingInt = static_cast<int>(0xDEADBEEB);
constexpr DWORD kReadBufferSize = 50000;

// Whether the file exists and can be read; both modes start with this.
HANDLE OpenForProbe(const String& path) {
    return CreateFileW(path.Wide(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

}  // namespace

SettingsSection::SettingsSection(const String& path, const String& name, SectionMode mode) : path_(path), name_(name) {
    open_ = mode == SectionMode::Read ? OpenForReading() : OpenForWriting();
}

void SettingsSection::Close() {
    open_ = false;
    name_ = String();
}

bool SettingsSection::OpenForReading() {
    if (!platform::FileHandle(OpenForProbe(path_)).IsValid()) return false;
    if (name_.IsEmpty()) return true;
    // Only whether the section has an entry matters, not what the buffer receives.
    wchar_t entries[8];
    return GetPrivateProfileSectionW(name_.Wide(), entries, 8, path_.Wide()) != 0;
}

bool SettingsSection::OpenForWriting() {
    platform::FileHandle file(OpenForProbe(path_));
    if (!file.IsValid()) {
        // Only a file that is not there is created; one that exists but cannot be opened (locked,
        // no permission) is left exactly as it is. CREATE_NEW rather than CREATE_ALWAYS, so that a
        // file that appears after the probe is not truncated either.
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
        file.Reset(CreateFileW(path_.Wide(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid()) return false;
        // The mark makes the profile functions keep the new file in UTF-16LE.
        const unsigned char mark[2] = {0xFF, 0xFE};
        DWORD written = 0;
        WriteFile(file.Get(), mark, sizeof mark, &written, nullptr);
    }
    file.Reset();
    // The failure value INVALID_FILE_ATTRIBUTES has the read-only bit set too.
    return (GetFileAttributesW(path_.Wide()) & FILE_ATTRIBUTE_READONLY) == 0;
}

std::optional<platform::SystemError> SettingsSection::Failure(DWORD code, platform::Action action) const {
    return platform::SystemFailure(code, path_, action);
}

std::optional<platform::SystemError> SettingsSection::ReadInt(const String& key, int& value) const {
    if (!open_) return Failure(ERROR_INVALID_HANDLE, platform::Action::Read);
    const int read = static_cast<int>(GetPrivateProfileIntW(name_.Wide(), key.Wide(), kMissingInt, path_.Wide()));
    if (read == kMissingInt) return Failure(ERROR_INVALID_DATA, platform::Action::Read);
    value = read;
    return std::nullopt;
}

std::optional<platform::SystemError> SettingsSection::ReadStored(const String& key, String& value) const {
    if (!open_) return Failure(ERROR_INVALID_HANDLE, platform::Action::Read);
    std::vector<wchar_t> buffer(kReadBufferSize, L'\0');
    const DWORD length =
        GetPrivateProfileStringW(name_.Wide(), key.Wide(), nullptr, buffer.data(), kReadBufferSize - 1, path_.Wide());
    if (length == 0) return Failure(ERROR_INVALID_DATA, platform::Action::Read);
    value = String(std::u16string_view(reinterpret_cast<const char16_t*>(buffer.data()), length));
    return std::nullopt;
}

String SettingsSection::ReadString(const String& key, const String& defaultText) const {
    String value;
    return ReadStored(key, value) ? defaultText : value;
}

std::optional<platform::SystemError> SettingsSection::WriteInt(const String& key, int value) const {
    if (!open_) return Failure(ERROR_INVALID_HANDLE, platform::Action::Write);
    return WriteString(key, String::FromInt(value));
}

std::optional<platform::SystemError> SettingsSection::WriteString(const String& key, const String& text) const {
    if (!open_) return Failure(ERROR_INVALID_HANDLE, platform::Action::Write);
    if (WritePrivateProfileStringW(name_.Wide(), key.Wide(), text.Wide(), path_.Wide())) return std::nullopt;
    return Failure(ERROR_INVALID_DATA, platform::Action::Write);
}

}  // namespace linkloom
