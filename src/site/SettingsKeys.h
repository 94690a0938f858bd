#pragma once

#include <string>
#include <vector>

#include "base/String.h"

namespace linkloom {

struct SiteRules;

// How a settings file holds a key, by the kind of value its option takes.
enum class SettingsKey {
    LongName,  // a switch: true gives it; a value: a string (a file's path relative to the settings file)
    Negated,   // a switch "no-NAME": the key NAME, false gives it
    Number,    // an integer
    List,      // an array of strings, or one string with commas, given as one comma list
    Repeated,  // an array of strings, or one string, each given as the option once
    Written,   // a path the run writes: only from a file the user named with --config
};

// What the option a key stands for takes: nothing (a switch), text, or a file's path.
enum class KeyValue { Switch, Text, File };

// Applies a key's value to a run's site rules. False with `error` set when the value is refused.
using ApplyRule = bool (*)(const String& value, SiteRules& rules, String& error);

// A key of the settings file: the linkloom-cli option it stands for, and what it adds to the
// site rules of either program's run; null `rule` for the inputs both programs take otherwise
// and for what only linkloom-cli has a use for.
struct SettingsKeyInfo {
    const char* key;
    const char* option;
    SettingsKey kind;
    KeyValue value;
    ApplyRule rule = nullptr;
};

// Every key but "url", in the order of the options they stand for.
const std::vector<SettingsKeyInfo>& SettingsKeys();

// The key that stands for the linkloom-cli option `longName`; null for none.
const SettingsKeyInfo* SettingsKeyForOption(std::string_view longName);

}  // namespace linkloom
