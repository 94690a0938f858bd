#include "site/SettingsKeys.h"

#include "site/SiteRules.h"

namespace linkloom {

namespace {

constexpr auto Key = SettingsKey::LongName;
constexpr auto Negated = SettingsKey::Negated;
constexpr auto Number = SettingsKey::Number;
constexpr auto List = SettingsKey::List;
constexpr auto Repeated = SettingsKey::Repeated;
constexpr auto Written = SettingsKey::Written;
constexpr auto Switch = KeyValue::Switch;
constexpr auto Text = KeyValue::Text;
constexpr auto File = KeyValue::File;

}  // namespace

const std::vector<SettingsKeyInfo>& SettingsKeys() {
    static const std::vector<SettingsKeyInfo> keys = {
        {"ext", "ext", List, Text},
        {"subfolders", "no-subfolders", Negated, Switch},
        {"include-noindex", "include-noindex", Key, Switch},
        {"skip-template-names", "skip-template-names", Key, Switch, SiteRuleValues::SkipTemplateNames},
        {"require-doctype", "require-doctype", Key, Switch, SiteRuleValues::RequireDoctype},
        {"lastmod", "lastmod", List, Text, SiteRuleValues::Lastmod},
        {"shallow", "shallow", Key, Text, SiteRuleValues::Shallow},
        {"lastmod-time", "lastmod-time", Key, Switch, SiteRuleValues::LastmodTime},
        {"state", "state", Written, File},
        {"state-hash", "state-hash", Key, Text},
        {"changes", "changes", Written, File},
        {"indexnow", "indexnow", Key, Text},
        {"indexnow-key-location", "indexnow-key-location", Key, Text},
        {"check", "check", Key, File},
        {"flags", "flags", Number, Text},
        {"output", "output", Written, File},
        {"sitemap-url", "sitemap-url", Key, Text},
        {"max-urls", "max-urls", Number, Text},
        {"format", "format", Key, Text},
        {"xsl", "xsl", Key, Text},
        {"split-by", "split-by", Key, Text},
        {"gzip", "gzip", Key, Switch},
        {"exclude", "exclude", Repeated, Text, SiteRuleValues::Exclude},
        {"explain", "explain", Key, Switch},
        {"report", "report", Written, Text},
        {"folder-urls", "folder-urls", Key, Switch, SiteRuleValues::FolderUrls},
        {"index-names", "index-names", List, Text, SiteRuleValues::IndexNames},
        {"drop-extensions", "drop-extensions", List, Text, SiteRuleValues::DropExtensions},
        {"trailing-slash", "trailing-slash", Key, Text, SiteRuleValues::TrailingSlash},
        {"canonical", "canonical", Key, Switch, SiteRuleValues::Canonical},
        {"robots-txt", "robots-txt", Key, Switch, SiteRuleValues::RobotsTxt},
        {"robots-meta", "robots-meta", Key, Switch, SiteRuleValues::RobotsMeta},
        {"alternates", "alternates", Key, Switch, SiteRuleValues::Alternates},
        {"images", "images", Key, Switch},
        {"skip-error-pages", "skip-error-pages", Key, Switch, SiteRuleValues::SkipErrorPages},
        {"skip-redirects", "skip-redirects", Key, Switch, SiteRuleValues::SkipRedirects},
        {"jobs", "jobs", Number, Text},
        {"quiet", "quiet", Key, Switch},
    };
    return keys;
}

const SettingsKeyInfo* SettingsKeyForOption(std::string_view longName) {
    for (const SettingsKeyInfo& key : SettingsKeys()) {
        if (longName == key.option) return &key;
    }
    return nullptr;
}

}  // namespace linkloom
