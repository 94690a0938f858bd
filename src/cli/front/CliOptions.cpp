#include "cli/front/CliOptions.h"

#include "base/ControlCharacters.h"
#include "cli/front/OptionTable.h"
#include "cli/output/OutputNames.h"
#include "platform/FileNames.h"

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

// ParseOptions without the escaping of its message.
bool ParseArguments(const std::vector<String>& arguments, CliOptions& options, String& error) {
    std::vector<String> positional;
    OptionState state{options};
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
        if (!option->apply(value, state, error)) return false;
    }
    if (options.help || options.version || options.writeStylesheet) return true;
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
    if (state.indexNamesGiven && !options.rules.folderUrls) {
        error = u"--index-names needs --folder-urls";
        return false;
    }
    if (options.rules.trailingSlash != TrailingSlash::Keep && !options.rules.folderUrls &&
        options.rules.droppedExtensions.Items().empty()) {
        error = u"--trailing-slash needs --folder-urls or --drop-extensions";
        return false;
    }
    if (options.rules.robotsMeta) {
        if (state.includeNoindex) {
            error = u"--robots-meta and --include-noindex ask for opposite things";
            return false;
        }
        // The meta tags decide in place of the word.
        state.includeNoindex = true;
    }
    options.folder = positional[0];
    options.rootUrl = positional[1];
    SelectionOptions& selection = options.selection;
    selection.subfolders &= !state.noSubfolders;
    selection.excludeNoindex &= !state.includeNoindex;
    selection.skipTemplateNames |= state.skipTemplateNames;
    selection.requireDoctype |= state.requireDoctype;
    selection.lastmodWithTime |= state.lastmodWithTime;
    return true;
}

}  // namespace

bool ParseOptions(const std::vector<String>& arguments, CliOptions& options, String& error) {
    if (ParseArguments(arguments, options, error)) return true;
    // The message quotes what was given, which must not break its line.
    error = EscapeControlCharacters(error);
    return false;
}

}  // namespace linkloom::cli
