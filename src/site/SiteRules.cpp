#include "site/SiteRules.h"

#include <algorithm>
#include <iterator>

#include "core/run/InputCheck.h"

namespace linkloom {

bool SiteRules::AsksPageRules() const {
    return robotsTxt || rules.folderUrls || !rules.droppedExtensions.Items().empty() || rules.canonical ||
           rules.robotsMeta || rules.alternates || rules.skipErrorPages || rules.skipRedirects || rules.images;
}

bool SiteRules::Settle(bool includeNoindex, SelectionOptions& selection, String& error) const {
    if (indexNamesGiven && !rules.folderUrls) {
        error = u"--index-names needs --folder-urls";
        return false;
    }
    if (rules.trailingSlash != linkloom::TrailingSlash::Keep && !rules.folderUrls &&
        rules.droppedExtensions.Items().empty()) {
        error = u"--trailing-slash needs --folder-urls or --drop-extensions";
        return false;
    }
    if (rules.robotsMeta) {
        if (includeNoindex) {
            error = u"--robots-meta and --include-noindex ask for opposite things";
            return false;
        }
        // The meta tags decide in place of the word.
        selection.excludeNoindex = false;
    }
    selection.skipTemplateNames |= skipTemplateNames;
    selection.requireDoctype |= requireDoctype;
    selection.lastmodWithTime |= lastmodWithTime;
    return true;
}

void SiteRules::PutInto(RunPlan& plan, const RobotsTxt* robots) const {
    if (AsksPageRules()) {
        plan.rules = rules;
        plan.rules->robots = robots;
    }
    plan.exclusions = exclusions;
    plan.lastmod = lastmod;
    plan.shallow = shallow;
}

namespace SiteRuleValues {

namespace {

template <bool SiteRules::*Field>
bool Enable(SiteRules& rules) {
    rules.*Field = true;
    return true;
}

template <bool PageRules::*Field>
bool EnablePageRule(SiteRules& rules) {
    rules.rules.*Field = true;
    return true;
}

}  // namespace

bool SkipTemplateNames(const String&, SiteRules& rules, String&) {
    return Enable<&SiteRules::skipTemplateNames>(rules);
}

bool RequireDoctype(const String&, SiteRules& rules, String&) { return Enable<&SiteRules::requireDoctype>(rules); }

bool LastmodTime(const String&, SiteRules& rules, String&) { return Enable<&SiteRules::lastmodWithTime>(rules); }

bool RobotsTxt(const String&, SiteRules& rules, String&) { return Enable<&SiteRules::robotsTxt>(rules); }

bool FolderUrls(const String&, SiteRules& rules, String&) { return EnablePageRule<&PageRules::folderUrls>(rules); }

bool Canonical(const String&, SiteRules& rules, String&) { return EnablePageRule<&PageRules::canonical>(rules); }

bool RobotsMeta(const String&, SiteRules& rules, String&) { return EnablePageRule<&PageRules::robotsMeta>(rules); }

bool Alternates(const String&, SiteRules& rules, String&) { return EnablePageRule<&PageRules::alternates>(rules); }

bool Images(const String&, SiteRules& rules, String&) { return EnablePageRule<&PageRules::images>(rules); }

bool SkipErrorPages(const String&, SiteRules& rules, String&) {
    return EnablePageRule<&PageRules::skipErrorPages>(rules);
}

bool SkipRedirects(const String&, SiteRules& rules, String&) {
    return EnablePageRule<&PageRules::skipRedirects>(rules);
}

bool Shallow(const String& value, SiteRules& rules, String& error) {
    static const std::pair<const char16_t*, ShallowPolicy> kPolicies[] = {
        {u"next", ShallowPolicy::Next}, {u"omit", ShallowPolicy::Omit}, {u"fail", ShallowPolicy::Fail}};
    for (const auto& [name, policy] : kPolicies) {
        if (value == name) {
            rules.shallow = policy;
            return true;
        }
    }
    error = String(u"--shallow needs next, omit or fail, not '") + value + u"'";
    return false;
}

bool TrailingSlash(const String& value, SiteRules& rules, String& error) {
    static const std::pair<const char16_t*, linkloom::TrailingSlash> kPolicies[] = {
        {u"keep", linkloom::TrailingSlash::Keep},
        {u"always", linkloom::TrailingSlash::Always},
        {u"never", linkloom::TrailingSlash::Never}};
    for (const auto& [name, policy] : kPolicies) {
        if (value == name) {
            rules.rules.trailingSlash = policy;
            return true;
        }
    }
    error = String(u"--trailing-slash needs always, never or keep, not '") + value + u"'";
    return false;
}

bool Lastmod(const String& value, SiteRules& rules, String& error) {
    static const struct {
        const char16_t* name;
        LastmodSourceKind kind;
    } kSources[] = {
        {u"git", LastmodSourceKind::Git}, {u"meta", LastmodSourceKind::Meta}, {u"mtime", LastmodSourceKind::Mtime}};
    LastmodOrder& order = rules.lastmod;
    order.clear();
    bool ended = false;
    std::size_t start = 0;
    for (;;) {
        const auto comma = value.Find(u',', start);
        const std::size_t end = comma == String::npos ? value.Length() : static_cast<std::size_t>(comma);
        const String name(value.Text().substr(start, end - start));
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

bool Exclude(const String& value, SiteRules& rules, String& error) {
    if (value.Length() > PathPattern::kMaxLength) {
        error = String(u"--exclude takes patterns of at most ") +
                String::FromInt(static_cast<long long>(PathPattern::kMaxLength)) + u" characters, not " +
                String::FromInt(static_cast<long long>(value.Length()));
        return false;
    }
    PathPattern pattern;
    if (!pattern.Parse(value)) {
        error = String(u"invalid pattern '") + value + u"'";
        return false;
    }
    rules.exclusions.push_back(std::move(pattern));
    return true;
}

bool IndexNames(const String& value, SiteRules& rules, String& error) {
    if (!rules.rules.indexNames.Parse(value, u',')) {
        error = u"--index-names needs at least one name";
        return false;
    }
    rules.indexNamesGiven = true;
    return true;
}

bool DropExtensions(const String& value, SiteRules& rules, String& error) {
    const auto normalised = NormaliseExtensionList(value);
    if (!normalised || !rules.rules.droppedExtensions.Parse(*normalised, u',')) {
        error = String(u"--drop-extensions needs a list of extensions, not '") + value + u"'";
        return false;
    }
    return true;
}

}  // namespace SiteRuleValues

}  // namespace linkloom
