#include "cli/front/OptionTable.h"

#include "cli/front/OptionValues.h"
#include "cli/output/SitemapUrl.h"
#include "core/run/InputCheck.h"
#include "site/SettingsKeys.h"
#include "site/SiteRules.h"

namespace linkloom::cli {

namespace {

constexpr unsigned long long kMostJobs = 256;

template <bool CliOptions::*Field>
bool Enable(const String&, OptionState& state, String&) {
    state.options.*Field = true;
    return true;
}

// An option that gives a site rule, as a settings file's key gives it.
template <ApplyRule Rule>
bool Site(const String& value, OptionState& state, String& error) {
    return Rule(value, state.options.site, error);
}

template <bool OptionState::*Field>
bool Note(const String&, OptionState& state, String&) {
    state.*Field = true;
    return true;
}

// A file name, which may not be empty; `what` names the file in the message.
bool TakeFileName(const String& value, const char16_t* what, std::optional<String>& file, String& error) {
    if (value.IsEmpty()) {
        error = String(u"the ") + what + u" file name is empty";
        return false;
    }
    file = value;
    return true;
}

bool ApplyExtensions(const String& value, OptionState& state, String&) {
    state.options.extensions = value;
    return true;
}

bool ApplyState(const String& value, OptionState& state, String& error) {
    return TakeFileName(value, u"state", state.options.state, error);
}

bool ApplyCheck(const String& value, OptionState& state, String& error) {
    return TakeFileName(value, u"sitemap", state.options.check, error);
}

bool ApplyOutput(const String& value, OptionState& state, String& error) {
    return TakeFileName(value, u"output", state.options.output, error);
}

bool ApplyConfig(const String& value, OptionState& state, String& error) {
    return TakeFileName(value, u"settings", state.config, error);
}

bool ApplySitemapUrl(const String& value, OptionState& state, String& error) {
    state.options.sitemapUrl = SitemapUrl::Accept(value);
    if (state.options.sitemapUrl) return true;
    error = String(u"--sitemap-url needs the http or https URL of a file, not '") + value + u"'";
    return false;
}

bool ApplyFlags(const String& value, OptionState& state, String& error) {
    unsigned long long number = 0;
    if (!ParseNumber(value, 0, 0xFFFFFFFFULL, number)) {
        error = String(u"--flags needs a number from 0 to 4294967295, not '") + value + u"'";
        return false;
    }
    state.options.selection = SelectionOptions::FromFlagsWord(static_cast<std::uint32_t>(number));
    return true;
}

bool ApplyMaxUrls(const String& value, OptionState& state, String& error) {
    unsigned long long number = 0;
    if (!ParseNumber(value, 1, SitemapLimits::kMostEntries, number)) {
        error = String(u"--max-urls needs a number from 1 to 50000, not '") + value + u"'";
        return false;
    }
    state.options.limits.maxEntries = static_cast<int>(number);
    return true;
}

bool ApplyJobs(const String& value, OptionState& state, String& error) {
    unsigned long long number = 0;
    if (!ParseNumber(value, 1, kMostJobs, number)) {
        error = String(u"--jobs needs a number from 1 to 256, not '") + value + u"'";
        return false;
    }
    state.options.jobs = static_cast<int>(number);
    return true;
}

// A help or manual text with no markup in roff: dashes are minus signs there.
std::string RoffText(const char* text) {
    std::string roff;
    for (const char* c = text; *c; ++c) roff += *c == '-' ? std::string("\\-") : std::string(1, *c);
    return roff;
}

constexpr auto None = OptionValue::None;
constexpr auto Text = OptionValue::Text;
constexpr auto File = OptionValue::File;
constexpr auto Flush = HelpColumn::Flush;
constexpr auto Aligned = HelpColumn::Aligned;

}  // namespace

std::string CliOption::Brief() const { return *brief ? brief : help; }

std::string CliOption::Manual() const { return *manual ? std::string(manual) : RoffText(help); }

const std::vector<CliOption>& OptionTable() {
    static const std::vector<CliOption> table = {
        {0, "ext", "LIST", Text, Flush, ApplyExtensions,
         "extension list (default \"htm,php\"), normalised as the dialog's box is"},
        {0, "no-subfolders", "", None, Flush, Note<&OptionState::noSubfolders>, "stay in FOLDER (default: descend)", "",
         "stay in \\fIFOLDER\\fR (default: descend)"},
        {0, "include-noindex", "", None, Flush, Note<&OptionState::includeNoindex>,
         "keep pages that ask not to be indexed (default: leave them out)"},
        {0, "skip-template-names", "", None, Flush, Site<SiteRuleValues::SkipTemplateNames>,
         "leave out files whose names hold \"template\""},
        {0, "require-doctype", "", None, Flush, Site<SiteRuleValues::RequireDoctype>,
         "keep only pages whose head holds \"!DOCTYPE\""},
        {0, "lastmod", "SOURCES", Text, Flush, Site<SiteRuleValues::Lastmod>,
         "where each page's lastmod comes from: a comma-separated list\n"
         "tried in order until one has a date (default \"mtime\"):\n"
         "  git    the committer date of the last commit that changed\n"
         "         the file (untracked or changed files: the next source)\n"
         "  meta   the page's own date in its head (article:modified_time,\n"
         "         itemprop dateModified, JSON-LD dateModified), when it\n"
         "         is a W3C Datetime\n"
         "  mtime  the file's last-write time\n"
         "  none   no lastmod; ends the list\n"
         "a date later than the run's start is written as the start",
         "where each lastmod comes from (git, meta, mtime, none), tried in order",
         "where each page's lastmod comes from: a comma\\-separated list tried in order until one has a\n"
         "date (default \"mtime\"). \\fBgit\\fR: the committer date of the last commit that changed the file,\n"
         "read with one \\fBgit log\\fR run on the work tree that holds \\fIFOLDER\\fR; untracked files and\n"
         "files with changes not committed take the next source; without git or a work tree, or in a\n"
         "shallow clone, one warning. \\fBmeta\\fR: the page's own date in its head\n"
         "(<meta property=\"article:modified_time\">, <meta itemprop=\"dateModified\">, or \"dateModified\" in a\n"
         "<script type=\"application/ld+json\">), when it is a W3C Datetime. \\fBmtime\\fR: the file's\n"
         "last\\-write time. \\fBnone\\fR: no lastmod; it ends the list. Every date is written in the run's\n"
         "local time, as file times are."},
        {0, "lastmod-time", "", None, Flush, Site<SiteRuleValues::LastmodTime>, "lastmod with the time of day"},
        {0, "state", "FILE", File, Aligned, ApplyState,
         "a record of each page's content hash and published lastmod: a page\n"
         "whose bytes are unchanged since the last run with FILE keeps its\n"
         "recorded lastmod; FILE is created when missing, rewritten after\n"
         "the document",
         "keep each unchanged page's published lastmod, recorded in FILE",
         "a record of what was published: for each location a hash of the page's bytes and the lastmod\n"
         "written. A page whose bytes are unchanged since the last run with \\fIFILE\\fR keeps its recorded\n"
         "lastmod. \\fIFILE\\fR is UTF\\-8 text, a first line \"linkloom\\-state 1\", then \"HASH LASTMOD\n"
         "LOCATION\" lines (a byte\\-order mark before the first is allowed); a missing or empty one is\n"
         "created, one that is not such a record is exit 2 and left as it was. With \\fB\\-o\\fR it is\n"
         "switched in with the output files, both or neither; to standard output it is written beside and\n"
         "renamed over once the document is written. It may not be the output file."},
        {0, "check", "SITEMAP", File, Aligned, ApplyCheck,
         "write nothing: check SITEMAP (or an index and its parts beside\n"
         "it; .gz unpacked) against the protocol and against the site as this\n"
         "run would list it; findings on standard error, then their count",
         "check SITEMAP against the protocol and the site instead of writing",
         "write nothing; read \\fISITEMAP\\fR (a sitemap, or an index with its parts beside it; \".gz\"\n"
         "unpacked) and say on standard error, one line each, where it breaks the protocol and how it\n"
         "differs from the site walked with the same options (\"missing: \\fIURL\\fR\", \"extra: \\fIURL\\fR\",\n"
         "\"stale: \\fIURL\\fR (sitemap \\fID1\\fR, site \\fID2\\fR)\"), then the count. Locations compare in\n"
         "their RFC 3986 normal form; a file not in UTF-8, a location or part named twice, more than 50000\n"
         "entries or elements nested deeper than 16 levels are findings, the last two ending the reading"},
        {0, "flags", "N", Text, Flush, ApplyFlags,
         "start from this flags word (the stored \"flags\" of the desktop program);\n"
         "the options above then adjust it",
         "start from this flags word (the stored \"flags\" of the desktop program)",
         "start from this flags word (the stored \"flags\" of the desktop program); the options above\n"
         "then adjust it"},
        {'o', "output", "FILE", File, Aligned, ApplyOutput,
         "write the document to FILE instead of standard output; beyond\n"
         "--max-urls entries or 52428800 bytes, the entries go into the parts\n"
         "NAME-1.xml, NAME-2.xml, ... beside FILE (NAME: FILE without \".xml\")\n"
         "and FILE becomes their sitemap index (at most 50000 parts); the new\n"
         "files replace the old ones only when all are ready, a link at FILE\n"
         "is followed, a FIFO or device is written into as one document",
         "write the document to FILE instead of standard output",
         "write the document to \\fIFILE\\fR instead of standard output; beyond \\fB\\-\\-max\\-urls\\fR\n"
         "entries or 52428800 bytes, the entries go into the parts \\fINAME\\fR\\-1.xml,\n"
         "\\fINAME\\fR\\-2.xml, ... beside \\fIFILE\\fR (\\fINAME\\fR: \\fIFILE\\fR without \".xml\") and\n"
         "\\fIFILE\\fR becomes their sitemap index, which may name at most 50000 parts.\n"
         "See \\fBOUTPUT FILES\\fR for how the files are replaced."},
        {0, "sitemap-url", "URL", Text, Aligned, ApplySitemapUrl,
         "the URL at which crawlers find FILE, when it is not served at\n"
         "URL followed by its path in FOLDER; the index names the parts\n"
         "beside it",
         "the URL at which crawlers find FILE (default: from its path in FOLDER)",
         "the URL at which crawlers find \\fIFILE\\fR, for the index's part locations (the parts lie beside\n"
         "it) and the \"Sitemap:\" line. Without it, a \\fIFILE\\fR inside \\fIFOLDER\\fR is at the root URL\n"
         "followed by its path there; one outside is taken to be at the root URL followed by its name,\n"
         "which is said once when the URL is used."},
        {0, "max-urls", "N", Text, Aligned, ApplyMaxUrls,
         "at most N entries per sitemap file (1 to 50000, default 50000)", "",
         "at most \\fIN\\fR entries per sitemap file (1 to 50000, default 50000)"},
        {0, "gzip", "", None, Aligned, Enable<&CliOptions::gzip>,
         "compress every file written with -o (names end in \".gz\"); a FILE\n"
         "that ends in \".gz\" asks for it too",
         "compress every file written with -o (names end in \".gz\")",
         "compress every file written with \\fB\\-o\\fR (names end in \".gz\"); a \\fIFILE\\fR that ends in\n"
         "\".gz\" asks for it too"},
        {0, "exclude", "PATTERN", Text, Aligned, Site<SiteRuleValues::Exclude>,
         "leave out files and folders whose path relative to FOLDER matches\n"
         "PATTERN (repeatable): '*' within a name, '**' across folders, '?',\n"
         "'[...]', '/' between names, letter case ignored; a final '/'\n"
         "matches folders only, and an excluded folder is not entered;\n"
         "at most 4096 characters",
         "leave out files and folders whose path matches PATTERN (repeatable)",
         "leave out files and folders whose path relative to \\fIFOLDER\\fR matches \\fIPATTERN\\fR\n"
         "(repeatable): '*' within a name, '**' across folders, '?', '[...]', '/' between names,\n"
         "letter case ignored; a final '/' matches folders only, and an excluded folder is not entered;\n"
         "at most 4096 characters"},
        {0, "explain", "", None, Aligned, Enable<&CliOptions::explain>,
         "on standard error, each file left out and each folder not\n"
         "entered, with the reason, each date outside what a lastmod can\n"
         "name or later than the run's start, then the counts",
         "say on standard error what was left out and why, then the counts",
         "on standard error, each file left out and each folder not entered, with the reason, each\n"
         "date outside what a lastmod can name or later than the run's start, then the counts"},
        {0, "folder-urls", "", None, Aligned, Site<SiteRuleValues::FolderUrls>,
         "list an index page as its folder's URL, ending in '/' (the top\n"
         "folder's is URL itself)",
         "list index pages as their folder's URL, ending in \"/\"",
         "list a page whose name is an index name (letter case ignored) as its folder's URL, ending in\n"
         "\"/\"; the top folder's index page is \\fIURL\\fR itself"},
        {0, "index-names", "LIST", Text, Aligned, Site<SiteRuleValues::IndexNames>,
         "the names of index pages, in any letter case (default\n"
         "\"index.html,index.htm,index.php\"); needs --folder-urls",
         "the index names (default \"index.html,index.htm,index.php\")",
         "the index names, comma-separated (default \"index.html,index.htm,index.php\"); needs\n"
         "\\fB\\-\\-folder\\-urls\\fR"},
        {0, "drop-extensions", "LIST", Text, Aligned, Site<SiteRuleValues::DropExtensions>,
         "list pages with these extensions without them (docs/intro.html\n"
         "as docs/intro), after --folder-urls",
         "list pages with these extensions without them",
         "list pages with one of these extensions without it (docs/intro.html as docs/intro), as hosts\n"
         "that serve clean URLs expect; with \\fB\\-\\-folder\\-urls\\fR, index pages become folder URLs first"},
        {0, "canonical", "", None, Aligned, Site<SiteRuleValues::Canonical>,
         "list each page at the URL its <link rel=\"canonical\"> names, and\n"
         "leave out pages whose canonical URL lies outside URL or is a page\n"
         "this run leaves out; chains are followed, cycles ignored",
         "list each page at the URL its canonical link names",
         "read each page's <link rel=\"canonical\" href=\"...\"> from its head and resolve it against the\n"
         "page's location: a page naming itself is listed as it is, one naming another URL under\n"
         "\\fIURL\\fR is listed at that URL, one naming a URL elsewhere is left out; a warning names\n"
         "\\fIURL\\fR when more than half of the pages name a canonical URL elsewhere. A chain of canonical\n"
         "links is followed to its end (at most 8 links); a page whose canonical URL is a page the run\n"
         "leaves out is left out too (\"canonical is left out\"); the links of a cycle are ignored"},
        {0, "robots-txt", "", None, Aligned, Site<SiteRuleValues::RobotsTxt>,
         "leave out locations that FOLDER/robots.txt disallows to every\n"
         "crawler; with -o, say which Sitemap line it lacks",
         "leave out what FOLDER/robots.txt disallows to every crawler",
         "leave out the locations that \\fIFOLDER\\fR/robots.txt disallows to every crawler (its group for\n"
         "user agent \"*\": the longest matching rule decides, Allow wins a tie, \"*\" and a final \"$\" as\n"
         "crawlers read them); with \\fB\\-o\\fR, give the \"Sitemap:\" line it lacks for \\fIFILE\\fR. Nothing is\n"
         "written into \\fIFOLDER\\fR"},
        {0, "robots-meta", "", None, Aligned, Site<SiteRuleValues::RobotsMeta>,
         "leave out pages whose robots meta tags (robots, googlebot,\n"
         "bingbot) say noindex or none, in place of looking for the word\n"
         "\"noindex\"; not with --include-noindex",
         "leave out pages whose robots meta tags say noindex or none",
         "leave out pages whose <meta name=\"robots\"> (or googlebot, bingbot) holds the token noindex or\n"
         "none, in place of looking for the word \"noindex\"; not with \\fB\\-\\-include\\-noindex\\fR"},
        {0, "alternates", "", None, Aligned, Site<SiteRuleValues::Alternates>,
         "copy each page's <link rel=\"alternate\" hreflang=...> into its\n"
         "entry as an xhtml:link element",
         "copy each page's language alternates into its entry",
         "copy each page's <link rel=\"alternate\" hreflang=\"...\" href=\"...\"> into its entry as an\n"
         "<xhtml:link> element, and declare the xhtml namespace on <urlset>; alternates whose language is\n"
         "no language tag are dropped (\\fB\\-\\-explain\\fR names them)"},
        {'j', "jobs", "N", Text, Aligned, ApplyJobs,
         "read pages with N threads ahead of the walk (1 to 256; default:\n"
         "the number of processors; 1 reads them in turn); the output is\n"
         "the same whatever N is",
         "read pages with N threads ahead of the walk (default: one per processor)",
         "read pages with \\fIN\\fR threads ahead of the walk (1 to 256; default: the number of\n"
         "processors; 1 reads them in turn); the output is the same whatever \\fIN\\fR is"},
        {0, "init", "", None, Aligned, Enable<&CliOptions::init>,
         "write nothing else: write a starter FOLDER/linkloom.toml from what\n"
         "FOLDER holds (page extensions, index pages, robots.txt, git,\n"
         "canonical links and alternates in the first 300 pages), each key\n"
         "with a comment saying why; URL may be left off; a file already\n"
         "there is left as it is (exit 2)",
         "write a starter FOLDER/linkloom.toml from what FOLDER holds",
         "write nothing else: write a starter \\fIFOLDER\\fR/linkloom.toml from what \\fIFOLDER\\fR holds: the\n"
         "page extensions with their counts, \\fBfolder\\-urls\\fR when at least half the folders of pages hold an\n"
         "index page, \\fBrobots\\-txt\\fR for a robots.txt, \\fBlastmod\\fR git for a git work tree, and\n"
         "\\fBcanonical\\fR and \\fBalternates\\fR when the first 300 pages name them; each key with a comment\n"
         "saying why. \\fIURL\\fR may be left off; it is then a comment to fill in. A file already there is\n"
         "left as it is (exit 2); the new one is written beside and renamed into place"},
        {0, "config", "FILE", File, Aligned, ApplyConfig,
         "read the settings from FILE instead of FOLDER/linkloom.toml; its\n"
         "paths are relative to its folder, and it may name where the run\n"
         "writes (output, state)",
         "read the settings from FILE instead of FOLDER/linkloom.toml",
         "read the settings from \\fIFILE\\fR instead of \\fIFOLDER\\fR/linkloom.toml (see \\fBFILES\\fR); its\n"
         "paths are relative to its folder, and unlike the folder's own file it may name where the run\n"
         "writes (\\fBoutput\\fR, \\fBstate\\fR)"},
        {0, "no-config", "", None, Aligned, Note<&OptionState::noConfig>, "read no settings file", "",
         "read no settings file, not even \\fIFOLDER\\fR/linkloom.toml"},
        {'q', "quiet", "", None, Aligned, Enable<&CliOptions::quiet>, "no progress on standard error"},
        {'h', "help", "", None, Aligned, Enable<&CliOptions::help>, "show this text", "show the options"},
        {0, "version", "", None, Aligned, Enable<&CliOptions::version>, "show the version"},
    };
    return table;
}

}  // namespace linkloom::cli
