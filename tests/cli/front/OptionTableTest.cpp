#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cli/front/OptionTable.h"
#include "cli/settings/SettingsFile.h"

namespace linkloom::cli {
namespace {

// A name given twice would leave the later option unreachable; an argument the help names must
// be one the parser takes.
TEST(OptionTable, NamesAreUniqueAndArgumentsMatchTheValues) {
    std::set<std::string> names;
    for (const CliOption& option : OptionTable()) {
        EXPECT_TRUE(names.insert(option.longName).second) << option.longName;
        if (option.shortName) {
            EXPECT_TRUE(names.insert(std::string(1, option.shortName)).second) << option.longName;
        }
        EXPECT_EQ(*option.argument != '\0', option.value != OptionValue::None) << option.longName;
        EXPECT_EQ(option.Brief().find('\n'), std::string::npos) << option.longName;
    }
}

// A settings key names one option; "url" is the root URL's.
TEST(OptionTable, SettingsKeysAreUnique) {
    std::set<std::string> keys{"url"};
    for (const CliOption& option : OptionTable()) {
        const std::string key = SettingsKeyOf(option);
        if (option.key == SettingsKey::Negated) {
            EXPECT_EQ("no-" + key, option.longName);
        }
        if (!key.empty()) {
            EXPECT_TRUE(keys.insert(key).second) << key;
        }
    }
}

}  // namespace
}  // namespace linkloom::cli
