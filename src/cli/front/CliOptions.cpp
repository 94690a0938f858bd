#include "cli/front/CliOptions.h"

#include <algorithm>
#include <iterator>

#include "base/ControlCharacters.h"
#include "cli/output/OutputNames.h"
#include "core/walk/NameList.h"
#include "core/run/InputCheck.h"

namespace linkloom::cli {

const char kUsage[] =
    "usage: linkloom-cli [OPTIONS] FOLDER URL\n"
    "\n"
    "Builds an XML sitemap (Sitemaps protocol 0.9) of the web files in FOLDER, whose\n"
    "structure mirrors the website at URL, and writes it to standard output.\n"
    "URL begins with \"http\" (https://www.example.com/), names a host and holds no blank,\n"
    "control character, query or fragment; what a URL cannot hold is percent-encoded, a final\n"
    "'/' is added, and the result holds at most 2000 characters.\n"
    "\n"
    "  --ext LIST              extension list (default \"htm,php\"), normalised as the dialog's box is\n"
    "  --no-subfolders         stay in FOLDER (default: descend)\n"
    "  --include-noindex       keep pages that ask not to be indexed (default: leave them out)\n"
    "  --skip-template-names   leave out files whose names hold \"template\"\n"
    "  --require-doctype       keep only pages whose head holds \"!DOCTYPE\"\n"
    "  --lastmod SOURCES       where each page's lastmod comes from: a comma-separated list\n"
    "                          tried in order until one has a date (default \"mtime\"):\n"
    "                            git    the committer date of the last commit that changed\n"
    "                                   the file (untracked or changed files: the next source)\n"
    "                            meta   the page's own date in its head (article:modified_time,\n"
    "                                   itemprop dateModified, JSON-LD dateModified), when it\n"
    "                                   is a W3C Datetime\n"
    "                            mtime  the file's last-write time\n"
    "                            none   no lastmod; ends the list\n"
    "                          a date later than the run's start is written as the start\n"
    "  --lastmod-time          lastmod with the time of day\n"
    "      --state FILE        a record of each page's content hash and published lastmod: a page\n"
    "                          whose bytes are unchanged since the last run with FILE keeps its\n"
    "                          recorded lastmod; FILE is created when missing, rewritten after\n"
    "                          the document\n"
    "      --check SITEMAP     write nothing: check SITEMAP (or an index and its parts beside\n"
    "                          it; .gz unpacked) against the protocol and against the site as this\n"
    "                          run would list it; findings on standard error, then their count\n"
    "  --flags N               start from this flags word (the stored \"flags\" of the desktop program);\n"
    "                          the options above then adjust it\n"
    "  -o, --output FILE       write the document to FILE instead of standard output; beyond\n"
    "                          --max-urls entries or 52428800 bytes, the entries go into the parts\n"
    "                          NAME-1.xml, NAME-2.xml, ... beside FILE (NAME: FILE without \".xml\")\n"
    "                          and FILE becomes their sitemap index (at most 50000 parts); the new\n"
    "                          files replace the old ones only when all are ready, a link at FILE\n"
    "                          is followed, a FIFO or device is written into as one document\n"
    "      --max-urls N        at most N entries per sitemap file (1 to 50000, default 50000)\n"
    "      --gzip              compress every file written with -o (names end in \".gz\"); a FILE\n"
    "                          that ends in \".gz\" asks for it too\n"
    "      --exclude PATTERN   leave out files and folders whose path relative to FOLDER matches\n"
    "                          PATTERN (repeatable): '*' within a name, '**' across folders, '?',\n"
    "                          '[...]', '/' between names, letter case ignored; a final '/'\n"
    "                          matches folders only, and an excluded folder is not entered;\n"
    "                          at most 4096 characters\n"
    "      --explain           on standard error, each file left out and each folder not\n"
    "                          entered, with the reason, each date outside what a lastmod can\n"
    "                          name or later than the run's start, then the counts\n"
    "      --folder-urls       list an index page as its folder's URL, ending in '/' (the top\n"
    "                          folder's is URL itself)\n"
    "      --index-names LIST  the names of index pages, in any letter case (default\n"
    "                          \"index.html,index.htm,index.php\"); needs --folder-urls\n"
    "      --drop-extensions LIST\n"
    "                          list pages with these extensions without them (docs/intro.html\n"
    "                          as docs/intro), after --folder-urls\n"
    "      --canonical         list each page at the URL its <link rel=\"canonical\"> names, and\n"
    "                          leave out pages whose canonical URL lies outside URL\n"
    "      --robots-txt        leave out locations that FOLDER/robots.txt disallows to every\n"
    "                          crawler; with -o, say which Sitemap line it lacks\n"
    "      --robots-meta       leave out pages whose robots meta tags (robots, googlebot,\n"
    "                          bingbot) say noindex or none, in place of looking for the word\n"
    "                          \"noindex\"; not with --include-noindex\n"
    "      --alternates        copy each page's <link rel=\"alternate\" hreflang=...> into its\n"
    "                          entry as an xhtml:link element\n"
    "  -j, --jobs N            read pages with N threads ahead of the walk (1 to 256; default:\n"
    "                          the number of processors; 1 reads them in turn); the output is\n"
    "                          the same whatever N is\n"
    "  -q, --quiet             no progress on standard error\n"
    "  -h, --help              show this text\n"
    "      --version           show the version\n"
    "\n"
    "Pages that come to one location (--folder-urls, --drop-extensions, --canonical) are listed\n"
    "once, where the walk met the first of them, with the newest of their lastmods.\n"
    "\n"
    "Exit status: 0 a document was written; 1 no files match the criteria; 2 an input or option\n"
    "was rejected, or FOLDER cannot be read; 3 the output could not be written (a file or\n"
    "standard output); 4 --check found the sitemap invalid or out of step; 130 Ctrl+C stopped\n"
    "the walk and the entries found so far were written; 143 (SIGTERM, on Windows Ctrl+Break)\n"
    "or 129 (SIGHUP, the console closed) ended the run without writing.\n";

namespace {

constexpr unsigned long long kMostJobs = 256;

// A decimal number from `least` to `most`.
bool ParseNumber(const String& text, unsigned long long least, unsigned long long most, unsigned long long& value) {
    if (text.IsEmpty() || text.Length() > 10) return false;
    value = 0;
    for (std::size_t i = 0; i < text.Length(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') return false;
        value = value * 10 + (text[i] - u'0');
    }
    return value >= least && value <= most;
}

// The sources of "--lastmod git,mtime": each once, "none" only last.
bool ParseLastmodSources(const String& text, LastmodOrder& order, String& error) {
    static const struct {
        const char16_t* name;
        LastmodSourceKind kind;
    } kSources[] = {{u"git", LastmodSourceKind::Git}, {u"meta", LastmodSourceKind::Meta}, {u"mtime", LastmodSourceKind::Mtime}};
    order.clear();
    bool ended = false;
    std::size_t start = 0;
    for (;;) {
        const auto comma = text.Find(u',', start);
        const std::size_t end = comma == String::npos ? text.Length() : static_cast<std::size_t>(comma);
        const String name(text.Text().substr(start, end - start));
        if (ended) {
            error = u"--lastmod: \"none\" ends the list";
            return false;
        }
        const auto* source = std::find_if(std::begin(kSources), std::end(kSources),
                                          [&name](const auto& known) { return name == String(known.name); });
        if (name == String(u"none")) {
            ended = true;
        } else if (source == std::end(kSources)) {
            error = String(u"--lastmod takes git, meta, mtime and none, not '") + name + u"'";
            return false;
        } else if (std::find(order.begin(), order.end(), source->kind) != order.end()) {
            error = String(u"--lastmod names '") + name + u"' twice";
            return false;
        } else {
            order.push_back(source->kind);
        }
        if (comma == String::npos) return true;
        start = end + 1;
    }
}

// ParseOptions without the escaping of its message.
bool ParseArguments(const std::vector<String>& arguments, CliOptions& options, String& error) {
    std::vector<String> positional;
    // Options that set or clear a selection option, whatever --flags says before or after them.
    bool noSubfolders = false, includeNoindex = false, skipTemplateNames = false, requireDoctype = false;
    bool lastmodWithTime = false;
    bool optionsEnded = false;
    bool indexNamesGiven = false;
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
        const auto value = [&](String& out) {
            if (inlineValue) {
                out = *inlineValue;
                return true;
            }
            if (i + 1 >= arguments.size()) {
                error = String(u"option ") + name + u" needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        // A file name, which may not be empty; `what` names the file in the message.
        const auto fileValue = [&](const char16_t* what, String& out) {
            if (!value(out)) return false;
            if (out.IsEmpty()) error = String(u"the ") + what + u" file name is empty";
            return !out.IsEmpty();
        };
        const auto takesNoValue = [&] {
            if (inlineValue) error = String(u"option ") + name + u" takes no value";
            return !inlineValue;
        };

        if (name == String(u"--ext")) {
            if (!value(options.extensions)) return false;
        } else if (name == String(u"--flags")) {
            String text;
            if (!value(text)) return false;
            unsigned long long number = 0;
            if (!ParseNumber(text, 0, 0xFFFFFFFFULL, number)) {
                error = String(u"--flags needs a number from 0 to 4294967295, not '") + text + u"'";
                return false;
            }
            options.selection = SelectionOptions::FromFlagsWord(static_cast<std::uint32_t>(number));
        } else if (name == String(u"--exclude")) {
            String text;
            if (!value(text)) return false;
            if (text.Length() > PathPattern::kMaxLength) {
                error = String(u"--exclude takes patterns of at most ") +
                        String::FromInt(static_cast<long long>(PathPattern::kMaxLength)) + u" characters, not " +
                        String::FromInt(static_cast<long long>(text.Length()));
                return false;
            }
            PathPattern pattern;
            if (!pattern.Parse(text)) {
                error = String(u"invalid pattern '") + text + u"'";
                return false;
            }
            options.exclusions.push_back(std::move(pattern));
        } else if (name == String(u"--check")) {
            String file;
            if (!fileValue(u"sitemap", file)) return false;
            options.check = file;
        } else if (name == String(u"--state")) {
            String file;
            if (!fileValue(u"state", file)) return false;
            options.state = file;
        } else if (name == String(u"--lastmod")) {
            String text;
            if (!value(text) || !ParseLastmodSources(text, options.lastmod, error)) return false;
        } else if (name == String(u"--max-urls")) {
            String text;
            if (!value(text)) return false;
            unsigned long long number = 0;
            if (!ParseNumber(text, 1, SitemapLimits::kMostEntries, number)) {
                error = String(u"--max-urls needs a number from 1 to 50000, not '") + text + u"'";
                return false;
            }
            options.limits.maxEntries = static_cast<int>(number);
        } else if (name == String(u"-j") || name == String(u"--jobs")) {
            String text;
            if (!value(text)) return false;
            unsigned long long number = 0;
            if (!ParseNumber(text, 1, kMostJobs, number)) {
                error = String(u"--jobs needs a number from 1 to 256, not '") + text + u"'";
                return false;
            }
            options.jobs = static_cast<int>(number);
        } else if (name == String(u"--index-names")) {
            String text;
            if (!value(text)) return false;
            if (!options.rules.indexNames.Parse(text, u',')) {
                error = u"--index-names needs at least one name";
                return false;
            }
            indexNamesGiven = true;
        } else if (name == String(u"--drop-extensions")) {
            String text;
            if (!value(text)) return false;
            const auto normalised = NormaliseExtensionList(text);
            if (!normalised || !options.rules.droppedExtensions.Parse(*normalised, u',')) {
                error = String(u"--drop-extensions needs a list of extensions, not '") + text + u"'";
                return false;
            }
        } else if (name == String(u"-o") || name == String(u"--output")) {
            String file;
            if (!fileValue(u"output", file)) return false;
            options.output = file;
        } else if (!takesNoValue()) {
            return false;
        } else if (name == String(u"--no-subfolders")) {
            noSubfolders = true;
        } else if (name == String(u"--include-noindex")) {
            includeNoindex = true;
        } else if (name == String(u"--skip-template-names")) {
            skipTemplateNames = true;
        } else if (name == String(u"--require-doctype")) {
            requireDoctype = true;
        } else if (name == String(u"--lastmod-time")) {
            lastmodWithTime = true;
        } else if (name == String(u"--folder-urls")) {
            options.rules.folderUrls = true;
        } else if (name == String(u"--canonical")) {
            options.rules.canonical = true;
        } else if (name == String(u"--robots-txt")) {
            options.robotsTxt = true;
        } else if (name == String(u"--robots-meta")) {
            options.rules.robotsMeta = true;
        } else if (name == String(u"--alternates")) {
            options.rules.alternates = true;
        } else if (name == String(u"--explain")) {
            options.explain = true;
        } else if (name == String(u"--gzip")) {
            options.gzip = true;
        } else if (name == String(u"-q") || name == String(u"--quiet")) {
            options.quiet = true;
        } else if (name == String(u"-h") || name == String(u"--help")) {
            options.help = true;
        } else if (name == String(u"--version")) {
            options.version = true;
        } else {
            error = String(u"unknown option ") + name;
            return false;
        }
    }
    if (options.help || options.version) return true;
    if (positional.size() != 2) {
        error = positional.size() < 2 ? u"FOLDER and URL are needed" : u"too many arguments";
        return false;
    }
    if (options.output && OutputNames::NamesCompressedFile(*options.output)) options.gzip = true;
    if (options.check && (options.output || options.gzip)) {
        error = u"--check reads a sitemap and writes none: it takes no -o or --gzip";
        return false;
    }
    if (options.gzip && !options.output) {
        error = u"--gzip needs -o FILE";
        return false;
    }
    if (indexNamesGiven && !options.rules.folderUrls) {
        error = u"--index-names needs --folder-urls";
        return false;
    }
    if (options.rules.robotsMeta) {
        if (includeNoindex) {
            error = u"--robots-meta and --include-noindex ask for opposite things";
            return false;
        }
        // The meta tags decide in place of the word.
        includeNoindex = true;
    }
    options.folder = positional[0];
    options.rootUrl = positional[1];
    SelectionOptions& selection = options.selection;
    selection.subfolders &= !noSubfolders;
    selection.excludeNoindex &= !includeNoindex;
    selection.skipTemplateNames |= skipTemplateNames;
    selection.requireDoctype |= requireDoctype;
    selection.lastmodWithTime |= lastmodWithTime;
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
