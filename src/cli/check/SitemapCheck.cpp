#include "cli/check/SitemapCheck.h"

#include <algorithm>

#include "base/AsciiCharacters.h"
#include "base/ControlCharacters.h"
#include "cli/check/SitemapBytes.h"
#include "cli/check/SitemapEncoding.h"
#include "cli/output/OutputNames.h"
#include "core/markup/W3cDatetime.h"
#include "core/model/SitemapLimits.h"
#include "core/url/LocationBuilder.h"
#include "platform/Console.h"
#include "platform/StopSignals.h"

namespace linkloom::cli {

namespace {

// Only characters a URI may hold, and '%' only before two hex digits.
bool IsUriText(std::string_view text) {
    static constexpr std::string_view kMarks = "-._~:/?#[]@!$&'()*+,;=";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size() + 0 || HexDigitValue(text[i + 1]) < 0 || HexDigitValue(text[i + 2]) < 0)
                return false;
            i += 2;
        } else if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && kMarks.find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

// "http://" or "https://" (either case) and a host.
bool IsAbsoluteWebUrl(std::string_view text) {
    const std::size_t colon = text.find("://");
    if (colon == std::string_view::npos) return false;
    std::string scheme(text.substr(0, colon));
    std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](char c) { return static_cast<char>(c | 0x20); });
    if (scheme != "http" && scheme != "https") return false;
    const std::size_t host = colon + 3;
    return host < text.size() && text[host] != '/' && text[host] != '?' && text[host] != '#';
}

// The file name a part's location ends in, percent-decoded; empty when it names no plain file.
String PartName(std::string_view location) {
    const std::size_t slash = location.rfind('/');
    const std::string_view encoded = slash == std::string_view::npos ? location : location.substr(slash + 1);
    std::string name;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '%' && i + 2 < encoded.size() + 0 && HexDigitValue(encoded[i + 1]) >= 0 &&
            HexDigitValue(encoded[i + 2]) >= 0) {
            name += static_cast<char>(HexDigitValue(encoded[i + 1]) * 16 + HexDigitValue(encoded[i + 2]));
            i += 2;
        } else {
            name += encoded[i];
        }
    }
    // Never a path: the parts are read beside the index and nowhere else. Windows drops a final
    // dot or blank from a name and would open another file, so no system takes such a name.
    if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ' ||
        name.find_first_of(std::string("/\\:\0", 4)) != std::string::npos) {
        return String();
    }
    return String::FromUtf8(name);
}

std::string Shown(const String& text) { return EscapeControlCharacters(text).ToUtf8(); }
std::string Shown(std::string_view utf8) { return Shown(String::FromUtf8(utf8)); }

}  // namespace

SitemapCheck::SitemapCheck(String rootUrl, std::int64_t nowSeconds, std::int64_t utcOffsetSeconds)
    : rootUrl_(std::move(rootUrl)),
      rootNormal_(NormalLocation(rootUrl_.ToUtf8())),
      now_(nowSeconds),
      utcOffset_(utcOffsetSeconds) {}

void SitemapCheck::Say(CheckFinding finding) {
    // Differences from the site read as they did before files and lines were kept with them.
    const bool difference = finding.kind == "missing" || finding.kind == "extra" || finding.kind == "stale";
    platform::WriteStandardError(
        (difference ? finding.message
                    : Shown(finding.file) + (finding.line > 0 ? ":" + std::to_string(finding.line) : std::string()) +
                          ": " + finding.message) +
        "\n");
    findings_.push_back(std::move(finding));
}

int SitemapCheck::Check(const String& path, SiteListing& site) {
    site_ = &site;
    SitemapXml::Root root = SitemapXml::Root::None;
    std::vector<SitemapItem> parts;
    bool whole = ReadFile(path, false, root, &parts);
    if (root == SitemapXml::Root::Index) {
        const String folder = FolderOf(path);
        std::unordered_set<std::u16string> named;
        for (const SitemapItem& part : parts) {
            if (!part.hasLocation) continue;
            const String name = PartName(part.location);
            if (name.IsEmpty()) {
                Say(path, part, "part", "a part's location names no file: " + Shown(part.location));
                whole = false;
                continue;
            }
            // Read once: a second reading would only tell its locations twice.
            if (!named.insert(name.Text()).second) {
                Say(path, part, "duplicate", "the index names a part twice: " + Shown(part.location));
                continue;
            }
            SitemapXml::Root partRoot = SitemapXml::Root::None;
            whole &= ReadFile(folder + name, true, partRoot, nullptr);
        }
    }
    if (whole) {
        for (CheckFinding& difference : differences_) Say(std::move(difference));
        for (const SiteListing::Page& page : site.Pages()) {
            if (!page.listed) Say({path, 0, "missing", page.location, "missing: " + Shown(page.location)});
        }
    } else if (platform::PendingStop() == platform::StopRequest::None) {
        // Not a finding of its own: it follows from the one that stopped the reading.
        platform::WriteStandardError("not compared with the site: the sitemap could not be read whole\n");
    }
    return static_cast<int>(findings_.size());
}

bool SitemapCheck::ReadFile(const String& path, bool isPart, SitemapXml::Root& root, std::vector<SitemapItem>* index) {
    const SitemapLimits limits;
    SitemapBytes bytes(limits.maxBytes);
    if (auto failure = bytes.Open(path)) {
        Say(path, 0, "unreadable",
            std::string(isPart ? "the part named by the index cannot be read: " : "cannot be read: ") +
                Shown(platform::Describe(*failure)));
        return false;
    }
    entries_ = 0;
    bool inIndex = false;
    std::string normal;
    SitemapXml xml([&](const SitemapItem& item, SitemapXml::Root itemRoot) {
        inIndex = index && itemRoot == SitemapXml::Root::Index;
        // One past the limit is enough to tell; the rest is not read.
        if (++entries_ > limits.kMostEntries) return false;
        // A location told as broken is not compared with the site as well.
        if (!CheckItem(path, item, inIndex, normal)) return true;
        if (inIndex) {
            index->push_back(item);
        } else {
            Compare(path, item, normal);
        }
        return true;
    });
    const platform::XmlResult result = platform::ReadXml(bytes, xml);
    root = xml.RootElement();
    // A file in another encoding is read differently by each system's parser, or not at all: the
    // finding ends it, so both give the same verdict.
    const std::string encoding = EncodingProblem(bytes.Head());
    if (!encoding.empty()) {
        Say(path, 0, "encoding", encoding);
        return false;
    }

    switch (bytes.Outcome()) {
    case SitemapBytes::State::TooLarge:
        Say(path, 0, "size", "larger than " + std::to_string(limits.maxBytes) + " bytes (unpacked); not read further");
        return false;
    case SitemapBytes::State::BadGzip: Say(path, 0, "gzip", "not a whole gzip file"); return false;
    case SitemapBytes::State::Stopped: return false;
    case SitemapBytes::State::Reading:
    case SitemapBytes::State::Unopened: break;
    }
    if (entries_ > limits.kMostEntries) {
        Say(path, 0, "entries",
            "more than " + std::to_string(limits.kMostEntries) + (inIndex ? " sitemaps" : " URLs") +
                ", which one file may hold at most; not read further");
        return false;
    }
    if (xml.TooDeepAt() > 0) {
        Say(path, xml.TooDeepAt(), "depth",
            "elements nested deeper than " + std::to_string(SitemapXml::kMostDepth) +
                " levels, which no sitemap needs; not read further");
        return false;
    }
    switch (result.outcome) {
    case platform::XmlResult::Outcome::Read: break;
    case platform::XmlResult::Outcome::DoctypeRefused:
        Say(path, result.line, "malformed",
            "not well-formed for a sitemap: it has a document type declaration, which is not read");
        return false;
    case platform::XmlResult::Outcome::Malformed:
    case platform::XmlResult::Outcome::Stopped:
        Say(path, result.line, "malformed", "not well-formed: " + Shown(result.reason));
        return false;
    }
    const bool expected =
        isPart ? root == SitemapXml::Root::UrlSet : root == SitemapXml::Root::UrlSet || root == SitemapXml::Root::Index;
    if (!expected || !xml.RootInNamespace()) {
        Say(path, 0, "root",
            isPart ? "the root element is not <urlset> in the namespace " + std::string(kSitemapNamespace)
                   : "the root element is not <urlset> or <sitemapindex> in the namespace " +
                         std::string(kSitemapNamespace));
        return false;
    }
    return true;
}

bool SitemapCheck::CheckItem(const String& file, const SitemapItem& item, bool inIndex, std::string& normal) {
    normal.clear();
    const char* element = inIndex ? "<sitemap>" : "<url>";
    if (!item.hasLocation) {
        Say(file, item.line, "location", std::string(element) + " without <loc>");
        return false;
    }
    const auto shown = [&item] { return Shown(item.location); };
    const std::size_t findings = findings_.size();
    if (item.cut || item.location.size() > kMostLocationLength) {
        Say(file, item, "location", "location longer than 2,048 characters: " + shown().substr(0, 80) + "...");
    } else if (!IsAbsoluteWebUrl(item.location)) {
        Say(file, item, "location", "location is not an absolute URL: " + shown());
    } else if (!IsUriText(item.location)) {
        Say(file, item, "location", "location is not a valid URI: " + shown());
    } else if ((normal = NormalLocation(item.location)).compare(0, rootNormal_.size(), rootNormal_) != 0) {
        Say(file, item, "location", "location is not under " + Shown(rootUrl_) + ": " + shown());
    }
    const bool located = findings_.size() == findings;
    if (!item.hasLastmod) return located;
    const auto date = ParseW3cDatetime(item.lastmod, utcOffset_);
    if (!date) {
        Say(file, item, "lastmod", "lastmod is not a W3C Datetime: " + Shown(item.lastmod.substr(0, 80)));
    } else if (date->first > now_) {
        Say(file, item, "lastmod", "lastmod is in the future: " + Shown(item.lastmod));
    }
    return located;
}

void SitemapCheck::Compare(const String& file, const SitemapItem& item, const std::string& normal) {
    SiteListing::Page* page = site_->Find(normal);
    if (page ? page->listed : !extras_.insert(normal).second) {
        Say(file, item, "duplicate", "location listed twice: " + Shown(item.location));
        return;
    }
    if (!page) {
        differences_.push_back({file, item.line, "extra", item.location, "extra: " + Shown(item.location)});
        return;
    }
    page->listed = true;
    // An entry without a lastmod claims no date; one that is no date has been told as such.
    if (page->lastmod.empty() || !item.hasLastmod || page->lastmod == item.lastmod) return;
    const auto now = ParseW3cDatetime(page->lastmod, utcOffset_);
    const auto then = ParseW3cDatetime(item.lastmod, utcOffset_);
    // Stale when the site's date lies past the whole span the sitemap's names.
    if (now && then && now->first >= then->end) {
        differences_.push_back(
            {file, item.line, "stale", item.location,
             "stale: " + Shown(item.location) + " (sitemap " + Shown(item.lastmod) + ", site " + page->lastmod + ")"});
    }
}

}  // namespace linkloom::cli
