#include "cli/init/StarterSettings.h"

#include <cstdio>

namespace linkloom::cli {

namespace {

std::string Count(int number) { return std::to_string(number); }

// A TOML basic string: quotes, backslashes and control characters escaped.
std::string TomlString(const String& text) {
    std::string quoted = "\"";
    for (const char c : text.ToUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

// "N of the M pages read"
std::string OfSampled(int number, const SiteSurvey& survey) {
    return Count(number) + " of the " + Count(survey.sampled) + " pages read";
}

}  // namespace

std::string StarterSettings(const SiteSurvey& survey, const String& rootUrl) {
    std::string text =
        "# linkloom.toml: the settings of this site for linkloom-cli and the Linkloom window,\n"
        "# written by linkloom-cli --init from what the folder holds. Each key is an option's long\n"
        "# name; what the command line or the window gives wins.\n\n";
    text += "# the site's root URL, which the folder's files lie under\n";
    text += rootUrl.IsEmpty() ? "# url = \"https://www.example.com/\"\n" : "url = " + TomlString(rootUrl) + "\n";
    if (survey.pageExtensions.empty()) {
        text += "# no pages found; the default extensions are htm and php\n";
    } else {
        std::string counts, list;
        for (const auto& [extension, count] : survey.pageExtensions) {
            counts += (counts.empty() ? "" : ", ") + Count(count) + " ." + extension.ToUtf8();
            list += (list.empty() ? "" : ", ") + TomlString(extension);
        }
        text += "# pages found: " + counts + "\n";
        text += "ext = [" + list + "]\n";
    }
    // Index pages in at least half the folders of pages: the site links to folders.
    if (survey.indexFolders > 0 && survey.indexFolders * 2 >= survey.pageFolders) {
        text += "# " + Count(survey.indexFolders) + " of " + Count(survey.pageFolders) +
                " folders of pages hold an index page: list them as their folder's URL\n";
        text += "folder-urls = true\n";
    }
    if (survey.robotsTxt) {
        text += "# the folder holds a robots.txt: leave out what it disallows\n";
        text += "robots-txt = true\n";
    }
    if (survey.gitWorkTree) {
        text += "# the folder is in a git work tree: each page's last commit, else its file time\n";
        text += "lastmod = [\"git\", \"mtime\"]\n";
    }
    if (survey.canonical > 0) {
        text += "# canonical URLs named in " + OfSampled(survey.canonical, survey) + "\n";
        text += "canonical = true\n";
    }
    if (survey.alternates > 0) {
        text += "# language alternates named in " + OfSampled(survey.alternates, survey) + "\n";
        text += "alternates = true\n";
    }
    return text;
}

}  // namespace linkloom::cli
