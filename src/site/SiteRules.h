#pragma once

#include <vector>

#include "base/String.h"
#include "core/lastmod/LastmodSource.h"
#include "core/model/SelectionOptions.h"
#include "core/rules/PageRules.h"
#include "core/run/RunPlan.h"
#include "core/walk/PathPattern.h"

namespace linkloom {

// The rules for a site's pages and their locations that a settings file or linkloom-cli's options
// give a run, beyond the folder, extensions, root URL and the two selection switches.
struct SiteRules {
    PageRules rules;
    // FOLDER's robots.txt is to be read into the rules.
    bool robotsTxt = false;
    std::vector<PathPattern> exclusions;
    // Where each lastmod comes from, in the order asked; empty for none at all.
    LastmodOrder lastmod = {LastmodSourceKind::Mtime};
    // What git dates do with a file whose last commit in a shallow clone is one of its oldest.
    ShallowPolicy shallow = ShallowPolicy::Next;
    // Switches put over the selection options once all are given, whatever order they came in.
    bool skipTemplateNames = false;
    bool requireDoctype = false;
    bool lastmodWithTime = false;
    bool indexNamesGiven = false;

    // True when any rule for the pages kept and their locations is asked for.
    bool AsksPageRules() const;
    // Checks that the rules agree with each other and with `includeNoindex` (noindex pages kept
    // by the word test), and puts the switches over `selection`. False with `error` set.
    bool Settle(bool includeNoindex, SelectionOptions& selection, String& error) const;
    // Gives `plan` these rules, with the robots.txt read for the run (null for none).
    void PutInto(RunPlan& plan, const RobotsTxt* robots) const;
};

// The values of the keys and options that give site rules, each taken as the command line gives it.
namespace SiteRuleValues {
bool SkipTemplateNames(const String& value, SiteRules& rules, String& error);
bool RequireDoctype(const String& value, SiteRules& rules, String& error);
// "git,mtime": each source once, "none" only last.
bool Lastmod(const String& value, SiteRules& rules, String& error);
bool LastmodTime(const String& value, SiteRules& rules, String& error);
// "next", "omit" or "fail".
bool Shallow(const String& value, SiteRules& rules, String& error);
bool Exclude(const String& value, SiteRules& rules, String& error);
bool FolderUrls(const String& value, SiteRules& rules, String& error);
bool IndexNames(const String& value, SiteRules& rules, String& error);
bool DropExtensions(const String& value, SiteRules& rules, String& error);
// "always", "never" or "keep".
bool TrailingSlash(const String& value, SiteRules& rules, String& error);
bool Canonical(const String& value, SiteRules& rules, String& error);
bool RobotsTxt(const String& value, SiteRules& rules, String& error);
bool RobotsMeta(const String& value, SiteRules& rules, String& error);
bool Alternates(const String& value, SiteRules& rules, String& error);
bool Images(const String& value, SiteRules& rules, String& error);
bool SkipErrorPages(const String& value, SiteRules& rules, String& error);
bool SkipRedirects(const String& value, SiteRules& rules, String& error);
}  // namespace SiteRuleValues

}  // namespace linkloom
