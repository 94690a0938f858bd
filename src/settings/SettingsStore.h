#pragma once

#include <windows.h>

#include <optional>

#include "base/String.h"
#include "platform/SystemError.h"

namespace linkloom {

enum class SectionMode { Read, Write };

// One open section of the INI file, for one operation. A call that fails says so with the code
// ERROR_INVALID_HANDLE (the section is not open) or ERROR_INVALID_DATA (missing, empty, failed).
class SettingsSection {
public:
    SettingsSection(const String& path, const String& name, SectionMode mode);
    ~SettingsSection() { Close(); }
    SettingsSection(SettingsSection&&) = default;

    bool IsOpen() const { return open_; }
    void Close();

    // On success sets `value`; otherwise leaves it alone.
    std::optional<platform::SystemError> ReadInt(const String& key, int& value) const;
    // The stored text, or on any failure `defaultText`. An empty stored value counts as missing.
    String ReadString(const String& key, const String& defaultText = String()) const;
    std::optional<platform::SystemError> WriteInt(const String& key, int value) const;
    // An empty text is stored as the key with an empty value, never as a deletion.
    std::optional<platform::SystemError> WriteString(const String& key, const String& text) const;

private:
    bool OpenForReading();
    bool OpenForWriting();
    std::optional<platform::SystemError> ReadStored(const String& key, String& value) const;
    std::optional<platform::SystemError> Failure(DWORD code, platform::Action action) const;

    bool open_ = false;
    String path_;
    String name_;
};

// The program's settings file; it holds only the path and opens nothing until asked.
class SettingsStore {
public:
    explicit SettingsStore(String path) : path_(std::move(path)) {}
    const String& Path() const { return path_; }
    SettingsSection OpenSection(const String& name, SectionMode mode) const {
        return SettingsSection(path_, name, mode);
    }

private:
    String path_;
};

}  // namespace linkloom
