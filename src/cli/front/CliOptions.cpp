#include "cli/front/CliOptions.h"

#include <algorithm>

#include "base/ControlCharacters.h"
#include "base/PathText.h"
#include "cli/front/OptionTable.h"
#include "cli/output/OutputNames.h"
#include "platform/Directory.h"
#include "platform/FileNames.h"
#include "platform/NativePath.h"
#include "site/SettingsFile.h"

namespace linkloom::cli {

namespace {

// The option that `name` ("-o", "--output") names, or null.
const CliOption* FindOption(const String& name) {
    for (const CliOption& option : OptionTable()) {
        const bool named = name.StartsWith(u"--")
                               ? name.Mid(2) == String::FromUtf8(option.longName)
                               : name.Length() == 2 && option.shortName && name[1] == option.shortName;
        if (named) return &option;
    }
    return nullptr;
}

// The option named `longName`; every settings key names one.
const CliOption& OptionNamed(const char* longName) { return *FindOption(String(u"--") + String::FromUtf8(longName)); }

// An option and the value it was given.
struct OptionUse {
    const CliOption* option;
    String value;
};

// Splits the arguments into the options given and the positional arguments.
bool SplitArguments(const std::vector<String>& arguments, std::vector<OptionUse>& uses, std::vector<String>& positional,
                    String& error) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        String name = arguments[i];
        if (optionsEnded || name.IsEmpty() || name[0] != u'-' || name == String(u"-")) {
            positional.push_back(name);
            continue;
        }
        if (name == String(u"--")) {
            optionsEnded = true;
            continue;
        }
        std::optional<String> inlineValue;
        const auto equals = name.Find(u'=');
        if (name.StartsWith(u"--") && equals != String::npos) {
            inlineValue = name.Mid(static_cast<std::size_t>(equals) + 1);
            name = name.Left(static_cast<std::size_t>(equals));
        }
        const CliOption* option = FindOption(name);
        if (!option) {
            error = String(u"unknown option ") + name;
            return false;
        }
        String value;
        if (option->value == OptionValue::None) {
            if (inlineValue) {
                error = String(u"option ") + name + u" takes no value";
                return false;
            }
        } else if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            error = String(u"option ") + name + u" needs a value";
            return false;
        }
        uses.push_back({option, std::move(value)});
    }
    return true;
}

bool Apply(const std::vector<OptionUse>& uses, OptionState& state, String& error) {
    for (const OptionUse& use : uses) {
        if (!use.option->apply(use.value, state, error)) return false;
    }
    return true;
}

// Reads the settings file the command line asks for (--config FILE, or FOLDER's own unless
// --no-config), if there is one.
bool ReadSettings(const OptionState& given, const String& folder, std::optional<SiteSettings>& settings,
                  String& error) {
    if (given.config && given.noConfig) {
        error = u"--config and --no-config ask for opposite things";
        return false;
    }
    if (given.noConfig) return true;
    const String path =
        given.config ? *given.config : JoinPath(folder, kSettingsFileName, false, platform::kNativePathStyle);
    if (!given.config && platform::PathKind(path) == platform::PathType::Missing) return true;
    settings.emplace();
    return ReadSettingsFile(path, given.config ? SettingsOrigin::Named : SettingsOrigin::Folder, *settings, error);
}

// Gives the options of the settings file that the command line leaves alone.
bool ApplySettings(const SiteSettings& settings, const std::vector<OptionUse>& given, OptionState& state,
                   String& error) {
    for (const SettingsUse& use : settings.uses) {
        const CliOption& option = OptionNamed(use.key->option);
        const bool overridden = std::any_of(given.begin(), given.end(),
                                            [&option](const OptionUse& flag) { return flag.option == &option; });
        if (overridden || option.apply(use.value, state, error)) continue;
        error = settings.Where(use.line) + error;
        return false;
    }
    return true;
}

// --init FOLDER [URL], alone.
bool InitArguments(const std::vector<OptionUse>& uses, const std::vector<String>& positional,
                   const CliOptions& commandLine, CliOptions& options, String& error) {
    if (uses.size() > 1 || positional.empty() || positional.size() > 2) {
        error = u"--init takes FOLDER and URL, and no other option";
        return false;
    }
    options = commandLine;
    options.folder = positional[0];
    if (positional.size() == 2) options.rootUrl = positional[1];
    return true;
}

// ParseOptions without the escaping of its message.
bool ParseArguments(const std::vector<String>& arguments, CliOptions& options, String& error) {
    std::vector<OptionUse> uses;
    std::vector<String> positional;
    if (!SplitArguments(arguments, uses, positional, error)) return false;
    // The command line alone first: its values are checked, and it says whether to read settings.
    CliOptions commandLine;
    OptionState given{commandLine};
    if (!Apply(uses, given, error)) return false;
    if (commandLine.help || commandLine.version || commandLine.writeStylesheet) {
        options = commandLine;
        return true;
    }
    if (commandLine.init) return InitArguments(uses, positional, commandLine, options, error);
    std::optional<SiteSettings> settings;
    const bool folderGiven = !positional.empty() && !positional[0].IsEmpty();
    if (folderGiven && !ReadSettings(given, positional[0], settings, error)) return false;
    OptionState state{options};
    if (settings && !ApplySettings(*settings, uses, state, error)) return false;
    if (!Apply(uses, state, error)) return false;
    if (positional.size() == 1 && settings && settings->rootUrl) positional.push_back(*settings->rootUrl);
    if (settings) options.settingsFile = settings->path;
    if (positional.size() != 2) {
        error = positional.size() < 2 ? u"FOLDER and URL are needed" : u"too many arguments";
        return false;
    }
    if (options.output && OutputNames::NamesCompressedFile(*options.output)) options.gzip = true;
    if (options.check && (options.output || options.gzip)) {
        error = u"--check reads a sitemap and writes none: it takes no -o or --gzip";
        return false;
    }
    if (options.stylesheet && options.format == SitemapFormat::Text) {
        error = u"--xsl names a stylesheet for XML files; a text sitemap has none";
        return false;
    }
    if (options.sectionDepth && !options.output) {
        error = u"--split-by writes a sitemap file per section under an index: it needs -o FILE";
        return false;
    }
    if (options.gzip && !options.output) {
        error = u"--gzip needs -o FILE";
        return false;
    }
    if (options.output && options.state &&
        platform::SameFile(OutputNames(*options.output, options.gzip).File(), *options.state)) {
        error = String(u"-o ") + *options.output + u" and --state " + *options.state + u" name one file";
        return false;
    }
    if (options.changes) {
        if (!options.state || options.check) {
            error = u"--changes needs --state FILE, and --check writes no changes";
            return false;
        }
        const String sitemap = options.output ? OutputNames(*options.output, options.gzip).File() : String();
        if (platform::SameFile(*options.changes, *options.state) ||
            (options.output && platform::SameFile(sitemap, *options.changes))) {
            error = String(u"--changes ") + *options.changes + u" names the file of --state or -o";
            return false;
        }
    }
    if (options.indexNowKey && (!options.state || options.check)) {
        error = u"--indexnow needs --state FILE, and --check submits nothing";
        return false;
    }
    if (!options.indexNowKey && (state.indexNowEndpointGiven || options.indexNowKeyLocation)) {
        error = u"--indexnow-endpoint and --indexnow-key-location need --indexnow KEY";
        return false;
    }
    options.folder = positional[0];
    options.rootUrl = positional[1];
    SelectionOptions& selection = options.selection;
    selection.subfolders &= !state.noSubfolders;
    selection.excludeNoindex &= !state.includeNoindex;
    return options.site.Settle(state.includeNoindex, selection, error);
}

}  // namespace

bool ParseOptions(const std::vector<String>& arguments, CliOptions& options, String& error) {
    if (ParseArguments(arguments, options, error)) return true;
    // The message quotes what was given, which must not break its line.
    error = EscapeControlCharacters(error);
    return false;
}

}  // namespace linkloom::cli
