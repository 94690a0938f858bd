#include "cli/front/OptionTable.h"

#include "base/ControlCharacters.h"
#include "cli/front/OptionValues.h"
#include "cli/indexnow/IndexNowSite.h"
#include "cli/output/Sections.h"
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

// An http or https URL of a file, for `option`.
bool TakeFileUrl(const String& value, const char16_t* option, String& url, String& error) {
    const std::optional<String> accepted = SitemapUrl::Accept(value);
    if (!accepted) {
        error = String(option) + u" needs the http or https URL of a file, not '" + value + u"'";
        return false;
    }
    url = *accepted;
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

bool ApplyChanges(const String& value, OptionState& state, String& error) {
    return TakeFileName(value, u"changes", state.options.changes, error);
}

bool ApplyIndexNow(const String& value, OptionState& state, String& error) {
    if (!IsIndexNowKey(value)) {
        error = String(u"--indexnow needs a key of 8 to 128 letters, digits and '-', not '") + value + u"'";
        return false;
    }
    state.options.indexNowKey = value;
    return true;
}

bool ApplyIndexNowEndpoint(const String& value, OptionState& state, String& error) {
    state.indexNowEndpointGiven = true;
    return TakeFileUrl(value, u"--indexnow-endpoint", state.options.indexNowEndpoint, error);
}

bool ApplyIndexNowKeyLocation(const String& value, OptionState& state, String& error) {
    String url;
    if (!TakeFileUrl(value, u"--indexnow-key-location", url, error)) return false;
    state.options.indexNowKeyLocation = url;
    return true;
}

bool ApplyStateHash(const String& value, OptionState& state, String& error) {
    if (value == u"content" || value == u"bytes") {
        state.options.stateHash = value == u"content" ? PageHashKind::Content : PageHashKind::Bytes;
        return true;
    }
    error = String(u"--state-hash needs content or bytes, not '") + value + u"'";
    return false;
}

bool ApplyReport(const String& value, OptionState& state, String& error) {
    ReportRequest request;
    if (!ParseReportRequest(value, request, error)) return false;
    state.options.reports.push_back(std::move(request));
    return true;
}

bool ApplyFormat(const String& value, OptionState& state, String& error) {
    if (value.Text() == u"xml" || value.Text() == u"txt") {
        state.options.format = value.Text() == u"txt" ? SitemapFormat::Text : SitemapFormat::Xml;
        return true;
    }
    error = String(u"--format needs xml or txt, not '") + value + u"'";
    return false;
}

bool ApplyStylesheet(const String& value, OptionState& state, String& error) {
    for (const char16_t unit : value.Text()) {
        if (IsControlCharacter(unit)) {
            error = u"--xsl needs a URL without control characters";
            return false;
        }
    }
    if (value.IsEmpty()) {
        error = u"--xsl needs the URL of a stylesheet";
        return false;
    }
    state.options.stylesheet = value;
    return true;
}

bool ApplyWriteStylesheet(const String& value, OptionState& state, String& error) {
    return TakeFileName(value, u"stylesheet", state.options.writeStylesheet, error);
}

bool ApplySplitBy(const String& value, OptionState& state, String& error) {
    const std::u16string_view text = value.Text();
    constexpr std::u16string_view kSection = u"section";
    unsigned long long depth = Sections::kDefaultDepth;
    const bool named = text.substr(0, kSection.size()) == kSection;
    const std::u16string_view rest = named ? text.substr(kSection.size()) : text;
    if (!named ||
        (!rest.empty() && (rest[0] != u':' || !ParseNumber(String(rest.substr(1)), 1, Sections::kMostDepth, depth)))) {
        error = String(u"--split-by needs section or section:DEPTH (DEPTH 1 to 16), not '") + value + u"'";
        return false;
    }
    state.options.sectionDepth = static_cast<int>(depth);
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
         "         the file (untracked or changed files: the next source;\n"
         "         in a shallow clone, see --shallow)\n"
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
         "files with changes not committed take the next source; without git or a work tree, one\n"
         "warning; in a shallow clone, see \\fB\\-\\-shallow\\fR. \\fBmeta\\fR: the page's own date in its head\n"
         "(<meta property=\"article:modified_time\">, <meta itemprop=\"dateModified\">, or \"dateModified\" in a\n"
         "<script type=\"application/ld+json\">), when it is a W3C Datetime. \\fBmtime\\fR: the file's\n"
         "last\\-write time. \\fBnone\\fR: no lastmod; it ends the list. Every date is written in the run's\n"
         "local time, as file times are."},
        {0, "shallow", "POLICY", Text, Flush, Site<SiteRuleValues::Shallow>,
         "git dates in a shallow clone, for files whose last commit there is\n"
         "its oldest (the date of the clone, not of the change):\n"
         "  next   take the next --lastmod source, with a warning (default)\n"
         "  omit   no lastmod, with a warning\n"
         "  fail   stop at the first such page with exit 2, the output\n"
         "         files as they were",
         "git dates of files last changed at a shallow clone's oldest commit (next, omit, fail)",
         "what \\fB\\-\\-lastmod git\\fR does in a shallow clone with a file whose last commit there is the\n"
         "clone's oldest (a commit whose parents the clone lacks), whose date is that of the clone rather\n"
         "than of the file's last change: \\fBnext\\fR (the default) takes the next \\fB\\-\\-lastmod\\fR\n"
         "source, \\fBomit\\fR writes no lastmod, both with one warning that gives the command fetching the\n"
         "whole history; \\fBfail\\fR stops the run at the first such page with exit 2, the output files as\n"
         "they were. Files changed by a later commit of the clone keep their dates."},
        {0, "lastmod-time", "", None, Flush, Site<SiteRuleValues::LastmodTime>, "lastmod with the time of day"},
        {0, "state", "FILE", File, Aligned, ApplyState,
         "a record of each page's hash and published lastmod: a page whose\n"
         "main content is unchanged since the last run with FILE keeps its\n"
         "recorded lastmod; FILE is created when missing, rewritten after\n"
         "the document",
         "keep each unchanged page's published lastmod, recorded in FILE",
         "a record of what was published: for each location a hash of the page (see\n"
         "\\fB\\-\\-state\\-hash\\fR) and the lastmod written. A page that hashes as it did in the last run\n"
         "with \\fIFILE\\fR keeps its recorded lastmod. A file with the size and modification time\n"
         "recorded for it, written at least 2 seconds before that run began, keeps its recorded hash\n"
         "without being read (as make does, an edit that keeps both goes unseen). \\fIFILE\\fR is UTF\\-8\n"
         "text, a first line \"linkloom\\-state 3 content TIME\" or \"linkloom\\-state 3 bytes TIME\"\n"
         "naming the kind of its hashes and when its run began, then \"HASH LASTMOD SIZE MTIME PATH\n"
         "LOCATION\" lines (a byte\\-order mark before the first is allowed); a missing or empty one is\n"
         "created, one that is not such a record is exit 2 and left as it was. A record of another kind,\n"
         "or of an earlier version (\"linkloom\\-state 2\" without sizes and times, \"linkloom\\-state 1\",\n"
         "hashes of bytes), is read with its own kind of hash and rewritten, moving no date. With \\fB\\-o\\fR it is "
         "switched\n"
         "in with the output files, both or neither; to standard output it is written beside and renamed\n"
         "over once the document is written. It may not be the output file."},
        {0, "state-hash", "KIND", Text, Aligned, ApplyStateHash,
         "what --state hashes of each page: content (the default), its main\n"
         "content, so that a change of the template alone moves no date; or\n"
         "bytes, the whole file",
         "hash each page's main content (content) or its whole bytes (bytes) for --state",
         "what \\fB\\-\\-state\\fR hashes of each page. \\fBcontent\\fR (the default): for a page that\n"
         "starts with markup, the text and the link (\\fBa\\fR, \\fBarea\\fR) and image (\\fBimg\\fR) targets\n"
         "of its \\fBmain\\fR elements or, without one, of the page less its \\fBheader\\fR, \\fBfooter\\fR,\n"
         "\\fBnav\\fR and \\fBaside\\fR; scripts, styles, templates, the title, comments and elements with\n"
         "the attribute \\fBdata\\-linkloom\\-ignore\\fR count nowhere, and white space is collapsed. So a\n"
         "change of the template around a page moves none of its dates. Other files, and pages over 64\n"
         "MiB, are hashed by their bytes. \\fBbytes\\fR: every file by its whole bytes."},
        {0, "changes", "FILE", File, Aligned, ApplyChanges,
         "write to FILE the URLs that changed since the --state record, one\n"
         "a line: \"+ URL\" new, \"~ URL\" lastmod moved, in the document's order,\n"
         "then \"- URL\" no longer listed; switched in with the record; needs\n"
         "--state",
         "write the URLs new, re-dated or gone since the --state record to FILE",
         "write to \\fIFILE\\fR the URLs that changed since the \\fB\\-\\-state\\fR record, one a line:\n"
         "\"+ \\fIURL\\fR\" for a URL the record does not hold, \"~ \\fIURL\\fR\" for one whose lastmod moved,\n"
         "in the document's order, then \"\\- \\fIURL\\fR\" for each URL of the record no longer listed, in\n"
         "the record's order (UTF\\-8, LF line ends; empty when nothing changed). Written with the record,\n"
         "both or neither; \\fB\\-\\-explain\\fR counts them. Needs \\fB\\-\\-state\\fR."},
        {0, "indexnow", "KEY", Text, Aligned, ApplyIndexNow,
         "once the document is written, submit the URLs of --changes (new,\n"
         "re-dated and gone since the --state record) to IndexNow with KEY\n"
         "(8 to 128 of a-z A-Z 0-9 -), at most 10000 a request; FOLDER must\n"
         "hold KEY.txt holding KEY; needs --state; URLs not accepted are\n"
         "kept in the record's FILE.pending for the next run; the only\n"
         "option that touches the network",
         "submit the URLs changed since the --state record to IndexNow",
         "once the document is written (and the record with it), submit the URLs that changed since the\n"
         "\\fB\\-\\-state\\fR record (those \\fB\\-\\-changes\\fR lists: new, re\\-dated and gone) to IndexNow: a\n"
         "POST of {\"host\", \"key\", \"keyLocation\", \"urlList\"} as JSON, at most 10000 URLs a request.\n"
         "\\fIKEY\\fR is 8 to 128 of a\\-z, A\\-Z, 0\\-9 and '\\-'. Before the run, \\fIFOLDER\\fR must hold the\n"
         "key file, \\fIKEY\\fR.txt at its top holding \\fIKEY\\fR alone (or the file\n"
         "\\fB\\-\\-indexnow\\-key\\-location\\fR names), else exit 2 naming the file to create. Each answer is\n"
         "said on standard error: 200 and 202 accepted; 400 bad request; 403 key not valid; 422 URLs not\n"
         "of the host; 429 too many requests, asked again once after its Retry\\-After seconds; 5xx server\n"
         "error. The first request not accepted ends the submission with exit 5. The URLs to submit are\n"
         "written beside the record, in \\fIFILE\\fR.pending (one a line, as \\fB\\-\\-changes\\fR writes\n"
         "them), before anything is posted; those not accepted stay there, and the next run with\n"
         "\\fB\\-\\-indexnow\\fR submits them first, then its own changes, removing the file once all are\n"
         "accepted. \\fB\\-\\-changes\\fR lists only the run's own changes. HTTPS certificates are\n"
         "checked against the system's; a request gives up after 10 seconds to connect, 60 in all.\n"
         "Needs \\fB\\-\\-state\\fR. No other option makes the program touch the network."},
        {0, "indexnow-endpoint", "URL", Text, Aligned, ApplyIndexNowEndpoint,
         "where --indexnow posts (default\n"
         "\"https://api.indexnow.org/indexnow\")",
         "where --indexnow posts (default \"https://api.indexnow.org/indexnow\")",
         "the http or https URL that \\fB\\-\\-indexnow\\fR posts to (default\n"
         "\"https://api.indexnow.org/indexnow\", which shares the URLs with every engine taking part)"},
        {0, "indexnow-key-location", "URL", Text, Aligned, ApplyIndexNowKeyLocation,
         "the URL of the key file, under URL, when it is not URL/KEY.txt;\n"
         "FOLDER must hold it at the same path",
         "the URL of the IndexNow key file (default: URL followed by KEY.txt)",
         "the URL of the IndexNow key file when it is not \\fIURL\\fR followed by \\fIKEY\\fR.txt: it must lie\n"
         "under \\fIURL\\fR, its path after \\fIURL\\fR made of letters, digits, '\\-', '.', '_' and '~'\n"
         "between slashes, and \\fIFOLDER\\fR must hold the file at that path"},
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
        {0, "format", "FORM", Text, Aligned, ApplyFormat,
         "xml (default) or txt: a text sitemap, one URL a line in UTF-8,\n"
         "with the same limits; split with -o into NAME-1.txt, ... with no\n"
         "index, the parts named on standard error",
         "write the sitemap as xml (default) or as a txt list of URLs",
         "\\fBxml\\fR (the default) or \\fBtxt\\fR: a text sitemap, one URL a line in UTF\\-8 ending in LF, with\n"
         "the same limits. With \\fB\\-o\\fR, entries past them go into the parts \\fINAME\\fR\\-1.txt,\n"
         "\\fINAME\\fR\\-2.txt, ... (\\fINAME\\fR: \\fIFILE\\fR without \".txt\"); a text sitemap has no index, so\n"
         "\\fIFILE\\fR is not written then (an earlier one is removed with the old set) and the parts are\n"
         "named on standard error"},
        {0, "xsl", "URL", Text, Aligned, ApplyStylesheet,
         "name the stylesheet at URL in every XML file written (sitemap,\n"
         "parts, index), so that a browser shows them styled",
         "name the stylesheet at URL in every XML file written",
         "name the stylesheet at \\fIURL\\fR in an <?xml\\-stylesheet type=\"text/xsl\" href=\"\\fIURL\\fR\"?>\n"
         "instruction after the XML declaration of every file written (sitemap, parts, index), so that\n"
         "a browser shows them styled; \\fB\\-\\-write\\-xsl\\fR writes one. Not with \\fB\\-\\-format txt\\fR"},
        {0, "write-xsl", "FILE", File, Aligned, ApplyWriteStylesheet,
         "write our stylesheet to FILE and do nothing else: it shows a\n"
         "sitemap or an index as a table sorted by a click on a column",
         "write our stylesheet, which shows sitemaps as sortable tables, to FILE",
         "write our XSLT 1.0 stylesheet to \\fIFILE\\fR and do nothing else (no \\fIFOLDER\\fR or \\fIURL\\fR): it\n"
         "shows a sitemap or a sitemap index as a table in a browser, sorted by a click on a column's\n"
         "head. Serve it and name its URL with \\fB\\-\\-xsl\\fR"},
        {0, "split-by", "section[:DEPTH]", Text, Aligned, ApplySplitBy,
         "with -o, one sitemap per folder at DEPTH (default 1) under the\n"
         "index FILE: NAME-blog.xml, NAME-docs.xml, the pages at the top in\n"
         "NAME-root.xml; each split at the limits as FILE would be",
         "one sitemap per section (folder at DEPTH) under the index",
         "with \\fB\\-o\\fR, one sitemap per section under the index \\fIFILE\\fR, so that search consoles report\n"
         "each apart: a section is a page's folders under \\fIURL\\fR up to \\fIDEPTH\\fR (1 to 16, default 1),\n"
         "named \\fINAME\\fR\\-blog.xml, \\fINAME\\fR\\-docs\\-api.xml (\\fIDEPTH\\fR 2), pages above\n"
         "\\fIDEPTH\\fR in their folder's section and those at the top in \\fINAME\\fR\\-root.xml. Names are in\n"
         "lower case with anything but letters, digits, \"\\-\", \"_\" and \".\" as \"_\"; one that another\n"
         "section's file has already, in any letter case, gets \"_2\", \"_3\", ... A section past the limits\n"
         "is split into \\fINAME\\fR\\-blog\\-1.xml, \\fINAME\\fR\\-blog\\-2.xml, ... The file of a section that an\n"
         "earlier run wrote and this one does not is left in place, out of the index. Standard output is\n"
         "refused"},
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
        {0, "report", "FORMAT[:FILE]", Text, Aligned, ApplyReport,
         "once the run has ended, write a report to FILE (default: standard\n"
         "error) in FORMAT: json, one JSON document (docs/report.schema.json)\n"
         "with the inputs, the counts, each file left out (with --explain),\n"
         "the warnings, the files written and the findings of --check;\n"
         "github, GitHub Actions workflow commands (an error for each\n"
         "finding, a warning for each warning), a summary appended to\n"
         "$GITHUB_STEP_SUMMARY and the step's outputs to $GITHUB_OUTPUT;\n"
         "repeatable",
         "write a report of the run (json or github) to FILE or standard error",
         "once the run has ended, write a report to \\fIFILE\\fR (default: standard error, so that standard\n"
         "output stays the sitemap) in \\fIFORMAT\\fR. \\fBjson\\fR: one JSON document, described by\n"
         "docs/report.schema.json: the inputs as the run took them, the counts (files listed, kept, left\n"
         "out by reason, folders not entered by reason), each file and folder left out with its reason\n"
         "(with \\fB\\-\\-explain\\fR), the warnings, the files written with their URLs and sizes, the\n"
         "findings of \\fB\\-\\-check\\fR with file, line, kind and location, and the exit status. Names\n"
         "that are not valid text keep their lone surrogates as \\\\u escapes. \\fBgithub\\fR: GitHub\n"
         "Actions workflow commands, \"::error file=F,line=N::\" for each finding of \\fB\\-\\-check\\fR and\n"
         "\"::warning::\" for each warning, at most 10 of each (the tenth then counts the rest); a Markdown\n"
         "summary (the counts, the findings, the files written) appended to the file that\n"
         "\\fBGITHUB_STEP_SUMMARY\\fR names, and the outputs sitemap\\-path, url\\-count, excluded\\-count\n"
         "(and findings with \\fB\\-\\-check\\fR) appended to the file that \\fBGITHUB_OUTPUT\\fR names.\n"
         "Repeatable; a report that cannot be written makes a run that succeeded end with status 3"},
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
        {0, "trailing-slash", "WHEN", Text, Aligned, Site<SiteRuleValues::TrailingSlash>,
         "always, never or keep (default): whether the locations that\n"
         "--folder-urls and --drop-extensions make end in '/' (/about/ or\n"
         "/about); the root URL stays as it is",
         "whether folder URLs and clean URLs end in '/' (always, never, keep)",
         "\\fBalways\\fR, \\fBnever\\fR or \\fBkeep\\fR (the default): whether the locations that\n"
         "\\fB\\-\\-folder\\-urls\\fR and \\fB\\-\\-drop\\-extensions\\fR make end in \"/\" (/about/ or /about), to\n"
         "match what the host serves; \\fBkeep\\fR ends folder URLs in \"/\" and names without their\n"
         "extension without it. The root URL stays as it is. Needs one of those two options"},
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
        {0, "images", "", None, Aligned, Site<SiteRuleValues::Images>,
         "list each page's images in its entry as image:image elements:\n"
         "og:image, and the src and first srcset candidate of each <img>",
         "list each page's images in its entry",
         "list each page's images in its entry as <image:image><image:loc> elements, and declare the\n"
         "image namespace on <urlset>: the content of <meta property=\"og:image\">, then the src and\n"
         "the first srcset candidate of each <img> of the page (the whole page is read for them, up to\n"
         "4 M characters), resolved against the page's location. Sources that are not http or https\n"
         "URLs, data: among them, are skipped, a URL named again is dropped, and at most 1000 are\n"
         "listed a page"},
        {0, "skip-error-pages", "", None, Aligned, Site<SiteRuleValues::SkipErrorPages>,
         "leave out servers' error pages: pages named 404, 410, 500, 502,\n"
         "503 or 50x (404.html, 50x.htm), and the index pages of folders so\n"
         "named (404/index.html)",
         "leave out error pages such as 404.html",
         "leave out servers' error pages: pages named 404, 410, 500, 502, 503 or 50x with one of the\n"
         "run's extensions (404.html, 50x.htm), at any depth, and the index pages of folders so named\n"
         "(404/index.html)"},
        {0, "skip-redirects", "", None, Aligned, Site<SiteRuleValues::SkipRedirects>,
         "leave out redirect stubs: pages whose head holds <meta\n"
         "http-equiv=\"refresh\"> with a URL other than their own; with\n"
         "--canonical, a canonical link to a stub leads on to its target",
         "leave out pages whose head refreshes to another URL",
         "leave out redirect stubs: pages whose head holds <meta http\\-equiv=\"refresh\"\n"
         "content=\"0; url=...\"> naming a URL other than their own, resolved against the page's\n"
         "location. With \\fB\\-\\-canonical\\fR, a stub counts as a page whose canonical link names its\n"
         "target: a canonical link to it leads on to the target, and to nothing when the target lies\n"
         "outside \\fIURL\\fR (\"canonical is left out\")"},
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
