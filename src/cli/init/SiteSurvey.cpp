#include "cli/init/SiteSurvey.h"

#include <algorithm>

#include "base/AsciiCharacters.h"
#include "base/PathText.h"
#include "core/page/PageReader.h"
#include "core/rules/PageRules.h"
#include "core/walk/FolderWalker.h"
#include "platform/NativePath.h"

namespace linkloom::cli {

namespace {

// Enough heads to see what a site does, few enough to keep --init quick on a large one.
constexpr int kMostSampled = 300;
// Folders above FOLDER looked at for a ".git"; deeper trees are not worth the walk up.
constexpr int kMostParents = 64;

bool IsLink(const HeadTag& tag, std::u16string_view rel) { return tag.name == u"link" && tag.HasToken(u"rel", rel); }

void Sample(const HeadTags& tags, SiteSurvey& survey) {
    ++survey.sampled;
    const auto named = [&tags](auto test) { return std::any_of(tags.begin(), tags.end(), test); };
    if (named([](const HeadTag& tag) { return IsLink(tag, u"canonical") && tag.Attribute(u"href"); })) {
        ++survey.canonical;
    }
    if (named([](const HeadTag& tag) { return IsLink(tag, u"alternate") && tag.Attribute(u"hreflang"); })) {
        ++survey.alternates;
    }
}

// True when FOLDER or a folder above it holds ".git", as a work tree's top does.
bool InGitWorkTree(const String& folder) {
    String path = folder;
    platform::FileIdentity below;
    for (int level = 0; level <= kMostParents; ++level) {
        if (platform::PathKind(path + u".git") != platform::PathType::Missing) return true;
        platform::FileIdentity here;
        if (!platform::IdentifyDirectory(path, here) || (level > 0 && here == below)) return false;
        below = here;
        path = path + u".." + PathSeparator(platform::kNativePathStyle);
    }
    return false;
}

}  // namespace

const std::vector<String>& PageExtensions() {
    static const std::vector<String> extensions{u"htm", u"html", u"xhtml", u"shtml", u"php", u"asp", u"aspx", u"jsp"};
    return extensions;
}

SiteSurvey SurveySite(const String& folder) {
    SiteSurvey survey;
    survey.robotsTxt = platform::PathKind(folder + u"robots.txt") != platform::PathType::Missing;
    survey.gitWorkTree = InGitWorkTree(folder);
    SelectionOptions readAll;
    readAll.excludeNoindex = false;
    PageReader reader(readAll, PageNeeds{true, false, false});
    const NameList indexNames = PageRules().indexNames;
    std::vector<std::pair<String, int>>& counts = survey.pageExtensions;
    bool folderHasPages = false;
    bool folderHasIndex = false;
    FolderWalker walker(folder, nullptr);
    WalkItem item;
    while (walker.Next(item)) {
        if (item.kind == WalkItemKind::FolderDone) {
            survey.pageFolders += folderHasPages;
            survey.indexFolders += folderHasIndex;
            folderHasPages = folderHasIndex = false;
        }
        if (item.kind != WalkItemKind::File) continue;
        const auto extension = FileExtension(item.entry.name, platform::kNativePathStyle);
        if (!extension) continue;
        const String lower = String(AsciiLowered(extension->Text()));
        if (std::find(PageExtensions().begin(), PageExtensions().end(), lower) == PageExtensions().end()) continue;
        const auto counted =
            std::find_if(counts.begin(), counts.end(), [&lower](const auto& count) { return count.first == lower; });
        if (counted == counts.end()) {
            counts.emplace_back(lower, 1);
        } else {
            ++counted->second;
        }
        folderHasPages = true;
        folderHasIndex |= indexNames.Contains(item.entry.name);
        if (survey.sampled < kMostSampled) Sample(reader.Read(*item.folder, item.entry).headTags, survey);
    }
    std::stable_sort(counts.begin(), counts.end(),
                     [](const auto& one, const auto& other) { return one.second > other.second; });
    return survey;
}

}  // namespace linkloom::cli
