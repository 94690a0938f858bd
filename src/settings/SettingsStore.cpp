#include "settings/SettingsStore.h"

#include <vector>

namespace linkloom {

namespace {

// An integer key whose stored value is this reads as missing.
constexpr int kMissingInt = static_cast<int>(0xDEADBEEB);
constexpr DWORD kReadBufferSize = 50000;

class ProbeHandle {
public:
    explicit ProbeHandle(HANDLE handle) : handle_(handle) {}
    ~ProbeHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    ProbeHandle(const ProbeHandle&) = delete;
    ProbeHandle& operator=(const ProbeHandle&) = delete;
    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

DWORD StatusOf(BOOL succeeded) { return succeeded ? ERROR_SUCCESS : ERROR_INVALID_DATA; }

}  // namespace

String LoadResourceString(unsigned id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text ? String(std::u16string_view(reinterpret_cast<const char16_t*>(text), length))
                              : String();
}

SettingsSection::SettingsSection(const String& path, const String& name, SectionMode mode)
    : mode_(mode), path_(path), name_(name) {
    open_ = mode == SectionMode::Read ? OpenForReading() : OpenForWriting();
}

void SettingsSection::Close() {
    open_ = false;
    name_ = String();
}

bool SettingsSection::OpenForReading() {
    {
        ProbeHandle probe(CreateFileW(path_.Wide(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.IsValid()) return false;
    }
    if (name_.IsEmpty()) return true;
    wchar_t probeBuffer[8];
    return GetPrivateProfileSectionW(name_.Wide(), probeBuffer, 8, path_.Wide()) != 0;
}

bool SettingsSection::OpenForWriting() {
    {
        ProbeHandle probe(CreateFileW(path_.Wide(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe.IsValid()) {
            // Only a file that is not there is created; one that exists but cannot be read (locked,
            // no permission) is left exactly as it is.
            const DWORD reason = GetLastError();
            if (reason != ERROR_FILE_NOT_FOUND) return false;
            ProbeHandle created(CreateFileW(path_.Wide(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!created.IsValid()) return false;
            // The mark makes the profile functions keep the new file in UTF-16LE.
            const unsigned char mark[2] = {0xFF, 0xFE};
            DWORD written = 0;
            WriteFile(created.Get(), mark, sizeof mark, &written, nullptr);
        }
    }
    return (GetFileAttributesW(path_.Wide()) & FILE_ATTRIBUTE_READONLY) == 0;
}

DWORD SettingsSection::ReadInt(const String& key, int& value) const {
    if (!open_) return ERROR_INVALID_HANDLE;
    const int read = static_cast<int>(GetPrivateProfileIntW(name_.Wide(), key.Wide(), kMissingInt, path_.Wide()));
    if (read == kMissingInt) return ERROR_INVALID_DATA;
    value = read;
    return ERROR_SUCCESS;
}

DWORD SettingsSection::ReadString(const String& key, String& value) const {
    if (!open_) return ERROR_INVALID_HANDLE;
    std::vector<wchar_t> buffer(kReadBufferSize, L'\0');
    const DWORD length =
        GetPrivateProfileStringW(name_.Wide(), key.Wide(), nullptr, buffer.data(), kReadBufferSize - 1, path_.Wide());
    if (length == 0) return ERROR_INVALID_DATA;
    value = String(std::u16string_view(reinterpret_cast<const char16_t*>(buffer.data()), length));
    return ERROR_SUCCESS;
}

String SettingsSection::ReadString(const String& key, const wchar_t* defaultText) const {
    String value;
    if (ReadString(key, value) == ERROR_SUCCESS) return value;
    if (!defaultText) return String();
    const auto id = reinterpret_cast<std::uintptr_t>(defaultText);
    if (id <= 0xFFFF) return LoadResourceString(static_cast<unsigned>(id));
    return String::FromWide(defaultText);
}

DWORD SettingsSection::WriteInt(const String& key, int value) const {
    if (!open_) return ERROR_INVALID_HANDLE;
    return WriteString(key, String::FromInt(value));
}

DWORD SettingsSection::WriteString(const String& key, const String& text) const {
    if (!open_) return ERROR_INVALID_HANDLE;
    return StatusOf(WritePrivateProfileStringW(name_.Wide(), key.Wide(), text.Wide(), path_.Wide()));
}

}  // namespace linkloom
