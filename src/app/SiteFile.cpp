#include "app/SiteFile.h"

#include "base/PathText.h"
#include "core/rules/RobotsTxtFile.h"
#include "core/walk/OwnFiles.h"
#include "platform/Directory.h"
#include "platform/NativePath.h"

namespace linkloom {

String SiteFile::PathIn(const String& folder) {
    return JoinPath(folder, kSettingsFileName, false, platform::kNativePathStyle);
}

bool SiteFile::IsIn(const String& folder) {
    return !folder.IsEmpty() && platform::PathKind(PathIn(folder)) != platform::PathType::Missing;
}

bool SiteFile::Read(const String& path, String& error) {
    rules_ = SiteRules();
    return ReadSettingsFile(path, SettingsOrigin::Folder, settings_, error) && ApplySiteRules(settings_, rules_, error);
}

String SiteFile::RuleKeys() const {
    String keys;
    for (std::size_t i = 0; i < settings_.uses.size(); ++i) {
        const SettingsKeyInfo* key = settings_.uses[i].key;
        if (!key->rule || (i > 0 && settings_.uses[i - 1].key == key)) continue;
        keys += (keys.IsEmpty() ? String() : String(u", ")) + String::FromUtf8(key->key);
    }
    return keys;
}

bool SiteFile::PutInto(RunPlan& plan, String& error) {
    SiteRules rules = rules_;
    SelectionOptions& selection = plan.settings.options;
    const bool includeNoindex = !selection.excludeNoindex;
    if (includeNoindex) rules.rules.robotsMeta = false;
    if (!rules.Settle(includeNoindex, selection, error)) {
        error = settings_.path + u": " + error;
        return false;
    }
    const RobotsTxt* robots = nullptr;
    bool cut = false;
    String reason;
    // Without a robots.txt that can be read, nothing is left out by it, as in linkloom-cli.
    if (rules.robotsTxt && ReadRobotsTxt(plan.settings.folder, robots_, cut, reason) == RobotsTxtRead::Read) {
        robots = &robots_;
    }
    rules.PutInto(plan, robots);
    AddOwnFile(plan.ownFiles, settings_.path);
    return true;
}

}  // namespace linkloom
