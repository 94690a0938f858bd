#include "cli/report/JsonReport.h"

#include "base/Version.h"
#include "cli/report/JsonWriter.h"

namespace linkloom::cli {

namespace {

// Read by tools that check which document they were handed.
constexpr int kReportVersion = 1;

const char* SourceName(LastmodSourceKind kind) {
    switch (kind) {
    case LastmodSourceKind::Git: return "git";
    case LastmodSourceKind::Meta: return "meta";
    case LastmodSourceKind::Mtime: return "mtime";
    }
    return "unknown";
}

void Optional(JsonWriter& json, const char* key, const std::optional<String>& value) {
    json.Key(key);
    if (value) {
        json.Value(*value);
    } else {
        json.Null();
    }
}

void Names(JsonWriter& json, const char* key, const std::vector<String>& names) {
    json.Key(key).BeginArray();
    for (const String& name : names) json.Value(name);
    json.EndArray();
}

void Inputs(JsonWriter& json, const RunReport& report) {
    const CliOptions& options = report.Options();
    const auto& accepted = report.Settings();
    // Accepted inputs in the form the run used; refused ones as they were given.
    const SelectionOptions& selection = accepted ? accepted->options : options.selection;
    json.Key("inputs").BeginObject();
    json.Key("folder").Value(accepted ? accepted->folder : options.folder);
    json.Key("rootUrl").Value(accepted ? accepted->rootUrl : options.rootUrl);
    json.Key("extensions").Value(accepted ? accepted->extensions : options.extensions);
    json.Key("accepted").Value(accepted.has_value());
    json.Key("subfolders").Value(selection.subfolders);
    json.Key("includeNoindex").Value(!selection.excludeNoindex);
    json.Key("skipTemplateNames").Value(selection.skipTemplateNames);
    json.Key("requireDoctype").Value(selection.requireDoctype);
    json.Key("lastmodTime").Value(selection.lastmodWithTime);
    json.Key("lastmod").BeginArray();
    for (const LastmodSourceKind kind : options.site.lastmod) json.Value(SourceName(kind));
    json.EndArray();
    json.Key("exclude").BeginArray();
    for (const PathPattern& pattern : options.site.exclusions) json.Value(pattern.Text());
    json.EndArray();
    Optional(json, "output", options.output);
    json.Key("gzip").Value(options.gzip);
    json.Key("maxUrls").Value(options.limits.maxEntries);
    Optional(json, "sitemapUrl", options.sitemapUrl);
    Optional(json, "state", options.state);
    Optional(json, "check", options.check);
    json.Key("explain").Value(options.explain);
    const PageRules& rules = options.site.rules;
    json.Key("folderUrls").Value(rules.folderUrls);
    Names(json, "indexNames", rules.indexNames.Items());
    Names(json, "dropExtensions", rules.droppedExtensions.Items());
    json.Key("canonical").Value(rules.canonical);
    json.Key("robotsTxt").Value(options.site.robotsTxt);
    json.Key("robotsMeta").Value(rules.robotsMeta);
    json.Key("alternates").Value(rules.alternates);
    json.EndObject();
}

void Counts(JsonWriter& json, const RunReport& report) {
    json.Key("counts").BeginObject();
    json.Key("listed").Value(report.Listed());
    json.Key("kept").Value(report.Kept());
    const auto byReason = [&](const char* key, long long RunReport::Tally::*count) {
        json.Key(key).BeginObject();
        for (const RunReport::Tally& tally : report.Tallies()) {
            if (tally.*count > 0) json.Key(ReasonName(tally.reason)).Value(tally.*count);
        }
        json.EndObject();
    };
    byReason("leftOut", &RunReport::Tally::files);
    byReason("notEntered", &RunReport::Tally::folders);
    for (const auto& [name, value] : report.Counts()) json.Key(name).Value(value);
    json.EndObject();
}

void LeftOut(JsonWriter& json, const RunReport& report) {
    json.Key("leftOut").BeginArray();
    for (const RunReport::LeftOutItem& item : report.Items()) {
        json.BeginObject();
        json.Key("path").Value(item.path);
        json.Key("folder").Value(item.isFolder);
        json.Key("reason").Value(ReasonName(item.reason));
        json.Key("detail").Value(item.detail);
        json.EndObject();
    }
    json.EndArray();
}

void Files(JsonWriter& json, const RunReport& report) {
    json.Key("files").BeginArray();
    for (const WrittenFile& file : report.Files()) {
        json.BeginObject();
        Optional(json, "path", file.path);
        Optional(json, "url", file.url);
        json.Key("bytes").Value(file.bytes);
        json.EndObject();
    }
    json.EndArray();
}

void Findings(JsonWriter& json, const RunReport& report) {
    json.Key("findings").BeginArray();
    for (const CheckFinding& finding : report.Findings()) {
        json.BeginObject();
        json.Key("file").Value(finding.file);
        json.Key("line");
        if (finding.line > 0) {
            json.Value(finding.line);
        } else {
            json.Null();
        }
        json.Key("kind").Value(finding.kind);
        json.Key("location");
        if (finding.location.empty()) {
            json.Null();
        } else {
            json.Value(finding.location);
        }
        json.Key("message").Value(finding.message);
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace

std::string JsonReport(const RunReport& report) {
    JsonWriter json;
    json.BeginObject();
    json.Key("report").Value(kReportVersion);
    json.Key("program").Value("linkloom-cli");
    json.Key("version").Value(LINKLOOM_VERSION_TEXT);
    json.Key("mode").Value(report.Options().check ? "check" : "write");
    json.Key("exitStatus").Value(report.ExitStatus());
    Optional(json, "error", report.ErrorText());
    Inputs(json, report);
    Counts(json, report);
    LeftOut(json, report);
    json.Key("warnings").BeginArray();
    for (const String& warning : report.Warnings()) json.Value(warning);
    json.EndArray();
    Files(json, report);
    Findings(json, report);
    json.EndObject();
    return json.Text() + "\n";
}

}  // namespace linkloom::cli
