#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/String.h"
#include "site/SettingsKeys.h"
#include "site/SiteRules.h"

namespace linkloom {

// The settings file a site's folder may hold.
inline constexpr char16_t kSettingsFileName[] = u"linkloom.toml";

// A key a settings file gives, with the value its option's command line would give it.
struct SettingsUse {
    const SettingsKeyInfo* key;
    String value;
    long line;
};

struct SiteSettings {
    // The file as it was named, for messages.
    String path;
    // In the order of the file's lines.
    std::vector<SettingsUse> uses;
    // The root URL, under the key "url".
    std::optional<String> rootUrl;

    // "FILE:LINE: ", the start of a message about a line of the file.
    String Where(long line) const;
};

// Whether the settings file is the folder's own, or one the user named, which alone may say
// where the run writes.
enum class SettingsOrigin { Folder, Named };

// Reads the settings file at `path`. False with `error` set, naming the file, and the line and
// what is expected.
bool ReadSettingsFile(const String& path, SettingsOrigin origin, SiteSettings& settings, String& error);

// Gives `rules` what the settings' keys of site rules say; the other keys are left to the front end.
// False with `error` set, naming the file and the line.
bool ApplySiteRules(const SiteSettings& settings, SiteRules& rules, String& error);

}  // namespace linkloom
