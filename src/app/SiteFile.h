#pragma once

#include "base/String.h"
#include "core/rules/RobotsTxt.h"
#include "core/run/RunPlan.h"
#include "site/SettingsFile.h"
#include "site/SiteRules.h"

namespace linkloom {

// A folder's linkloom.toml as the desktop program takes it: the page and URL rules, exclusions
// and lastmod sources its keys give. The dialog's boxes give the inputs; the keys only
// linkloom-cli has a use for are read and checked, and have none here.
class SiteFile {
public:
    // The file's path in `folder`, as the folder box holds it.
    static String PathIn(const String& folder);
    // One look for the file, cheap enough for each change of the folder box.
    static bool IsIn(const String& folder);

    // Reads the file at `path`; false with `error` set to linkloom-cli's sentence for the fault.
    bool Read(const String& path, String& error);
    // The keys that give rules, each once, in the file's order, joined with commas.
    String RuleKeys() const;
    // Puts the rules under the dialog's choices in `plan`: pages kept though they ask not to be
    // indexed are kept whatever their robots meta tags say. The plan points at this object's
    // robots.txt, so this object must outlive the run. False with `error` set when the rules disagree.
    bool PutInto(RunPlan& plan, String& error);

private:
    SiteSettings settings_;
    SiteRules rules_;
    RobotsTxt robots_;
};

}  // namespace linkloom
