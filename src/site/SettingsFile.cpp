#include "site/SettingsFile.h"

#include <toml++/toml.h>
#include <algorithm>

#include "base/PathText.h"
#include "platform/Directory.h"
#include "platform/NativePath.h"
#include "platform/ReadFile.h"
#include "site/NearestName.h"

namespace linkloom {

namespace {

// Far more than any site's settings need; a larger file is not read into memory.
constexpr std::size_t kMostBytes = 1 << 20;
constexpr char kUrlKey[] = "url";

String Quoted(std::string_view key) { return String(u"\"") + String::FromUtf8(key) + u"\""; }

String TypeName(const toml::node& node) {
    switch (node.type()) {
    case toml::node_type::string: return u"a string";
    case toml::node_type::integer: return u"an integer";
    case toml::node_type::floating_point: return u"a number with a fraction";
    case toml::node_type::boolean: return u"a boolean";
    case toml::node_type::array: return u"an array";
    case toml::node_type::table: return u"a table";
    case toml::node_type::none:
    case toml::node_type::date:
    case toml::node_type::time:
    case toml::node_type::date_time: break;
    }
    return u"a date or time";
}

std::vector<std::string> KnownKeys() {
    std::vector<std::string> keys{kUrlKey};
    for (const SettingsKeyInfo& key : SettingsKeys()) keys.push_back(key.key);
    return keys;
}

// Reads the file whole; false with `error` set when it cannot be read or is too large.
bool ReadWhole(const String& path, std::string& text, String& error) {
    platform::SequentialFile file;
    if (auto failure = file.Open(path)) {
        error = String(u"cannot read ") + path + u": " + platform::Describe(*failure);
        return false;
    }
    // One byte beyond the most tells whether there is more.
    text.assign(kMostBytes + 1, '\0');
    text.resize(file.Read(text.data(), text.size()));
    if (text.size() <= kMostBytes) return true;
    error =
        path + u": a settings file holds at most " + String::FromInt(static_cast<long long>(kMostBytes)) + u" bytes";
    return false;
}

// Turns one key's value into the uses of its option; false with `error` set for a value of the
// wrong kind.
class KeyReader {
public:
    KeyReader(const SiteSettings& settings, SettingsOrigin origin, std::string_view key, long line)
        : settings_(settings), origin_(origin), key_(key), line_(line) {}

    bool Read(const SettingsKeyInfo& info, const toml::node& node, std::vector<SettingsUse>& uses,
              String& error) const {
        std::vector<String> values;
        bool ok = false;
        switch (info.kind) {
        case SettingsKey::LongName:
            ok = info.value == KeyValue::Switch ? Switch(node, true, values) : Text(info, node, values);
            break;
        case SettingsKey::Negated: ok = Switch(node, false, values); break;
        case SettingsKey::Number: ok = Integer(node, values); break;
        case SettingsKey::List:
        case SettingsKey::Repeated: ok = Strings(node, values); break;
        case SettingsKey::Written:
            if (origin_ == SettingsOrigin::Folder) {
                error = settings_.Where(line_) + u"a site's own settings file may not say where the run writes (" +
                        Quoted(key_) + u"): give --" + String::FromUtf8(info.option) +
                        u" on the command line, or name the file with --config";
                return false;
            }
            ok = Text(info, node, values);
            break;
        }
        if (!ok) {
            error = settings_.Where(line_) + Quoted(key_) + u" takes " + Expected(info) + u", not " + TypeName(node);
            return false;
        }
        if (info.kind == SettingsKey::List && values.size() > 1) values = {Joined(values)};
        for (String& value : values) uses.push_back({&info, std::move(value), line_});
        return true;
    }

private:
    static String Expected(const SettingsKeyInfo& info) {
        switch (info.kind) {
        case SettingsKey::LongName:
        case SettingsKey::Written: return info.value == KeyValue::Switch ? u"true or false" : u"a string";
        case SettingsKey::Negated: return u"true or false";
        case SettingsKey::Number: return u"an integer";
        case SettingsKey::List:
        case SettingsKey::Repeated: break;
        }
        return u"a string or an array of strings";
    }

    static String Joined(const std::vector<String>& values) {
        String joined;
        for (const String& value : values) joined += (joined.IsEmpty() ? String() : String(u",")) + value;
        return joined;
    }

    // A switch is given when the value is `gives`.
    static bool Switch(const toml::node& node, bool gives, std::vector<String>& values) {
        const auto value = node.value<bool>();
        if (!value || node.type() != toml::node_type::boolean) return false;
        if (*value == gives) values.emplace_back();
        return true;
    }

    static bool Integer(const toml::node& node, std::vector<String>& values) {
        if (node.type() != toml::node_type::integer) return false;
        values.push_back(String::FromInt(*node.value<std::int64_t>()));
        return true;
    }

    static bool Strings(const toml::node& node, std::vector<String>& values) {
        if (const auto* text = node.as_string()) {
            values.push_back(String::FromUtf8(text->get()));
            return true;
        }
        const auto* array = node.as_array();
        if (!array || (!array->empty() && !array->is_homogeneous(toml::node_type::string))) return false;
        for (const toml::node& item : *array) values.push_back(String::FromUtf8(*item.value<std::string_view>()));
        return true;
    }

    // A string; a file's relative path is taken from the settings file's folder.
    bool Text(const SettingsKeyInfo& info, const toml::node& node, std::vector<String>& values) const {
        const auto* text = node.as_string();
        if (!text) return false;
        String value = String::FromUtf8(text->get());
        if (info.value == KeyValue::File && !value.IsEmpty() && IsRelativePath(value, platform::kNativePathStyle)) {
            value = platform::FolderOf(settings_.path) + value;
        }
        values.push_back(std::move(value));
        return true;
    }

    const SiteSettings& settings_;
    SettingsOrigin origin_;
    std::string_view key_;
    long line_;
};

const SettingsKeyInfo* KeyNamed(std::string_view name) {
    for (const SettingsKeyInfo& key : SettingsKeys()) {
        if (name == key.key) return &key;
    }
    return nullptr;
}

}  // namespace

String SiteSettings::Where(long line) const { return path + u':' + String::FromInt(line) + u": "; }

bool ReadSettingsFile(const String& path, SettingsOrigin origin, SiteSettings& settings, String& error) {
    settings = SiteSettings{path, {}, std::nullopt};
    std::string text;
    if (!ReadWhole(path, text, error)) return false;
    const toml::parse_result parsed = toml::parse(std::string_view(text), std::string_view(path.ToUtf8()));
    if (!parsed) {
        const toml::source_position at = parsed.error().source().begin;
        error = path + u':' + String::FromInt(at.line) + u':' + String::FromInt(at.column) + u": " +
                String::FromUtf8(parsed.error().description());
        return false;
    }
    // The keys in the file's order, so that the first fault told is the first in the file.
    std::vector<std::pair<const toml::key*, const toml::node*>> keys;
    for (const auto& [key, node] : parsed.table()) keys.emplace_back(&key, &node);
    std::sort(keys.begin(), keys.end(), [](const auto& one, const auto& other) {
        return one.first->source().begin < other.first->source().begin;
    });
    for (const auto& [key, node] : keys) {
        const long line = static_cast<long>(key->source().begin.line);
        const std::string_view name = key->str();
        if (name == kUrlKey) {
            const auto* url = node->as_string();
            if (!url) {
                error = settings.Where(line) + Quoted(name) + u" takes a string, not " + TypeName(*node);
                return false;
            }
            settings.rootUrl = String::FromUtf8(url->get());
            continue;
        }
        const SettingsKeyInfo* info = KeyNamed(name);
        if (!info) {
            error = settings.Where(line) + u"unknown key " + Quoted(name);
            const std::string nearest = NearestName(std::string(name), KnownKeys());
            if (!nearest.empty()) error += u"; did you mean " + Quoted(nearest) + u"?";
            return false;
        }
        if (!KeyReader(settings, origin, name, line).Read(*info, *node, settings.uses, error)) return false;
    }
    return true;
}

bool ApplySiteRules(const SiteSettings& settings, SiteRules& rules, String& error) {
    for (const SettingsUse& use : settings.uses) {
        if (!use.key->rule || use.key->rule(use.value, rules, error)) continue;
        error = settings.Where(use.line) + error;
        return false;
    }
    return true;
}

}  // namespace linkloom
