#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "cli/front/OptionTable.h"
#include "site/SettingsKeys.h"

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

// Each settings key stands for one option of the table, which takes the kind of value the key gives.
TEST(OptionTable, EachSettingsKeyStandsForOneOption) {
    std::set<std::string> keys{"url"};
    for (const SettingsKeyInfo& key : SettingsKeys()) {
        EXPECT_TRUE(keys.insert(key.key).second) << key.key;
        const auto option = std::find_if(OptionTable().begin(), OptionTable().end(), [&key](const CliOption& one) {
            return one.longName == std::string(key.option);
        });
        ASSERT_NE(option, OptionTable().end()) << key.option;
        EXPECT_EQ(key.value == KeyValue::Switch, option->value == OptionValue::None) << key.key;
        EXPECT_EQ(key.value == KeyValue::File, option->value == OptionValue::File) << key.key;
    }
}

}  // namespace
}  // namespace linkloom::cli
