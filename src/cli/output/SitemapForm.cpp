#include "cli/output/SitemapForm.h"

#include "core/sitemap/SitemapDocument.h"

namespace linkloom::cli {

namespace {

// The header with the stylesheet's instruction after its first line, the XML declaration.
std::string Styled(const String& header, const std::optional<String>& stylesheet) {
    std::string text = header.ToUtf8();
    if (stylesheet) {
        const String instruction =
            String(u"<?xml-stylesheet type=\"text/xsl\" href=\"") + EscapeXml(*stylesheet) + u"\"?> \r\n";
        text.insert(text.find('\n') + 1, instruction.ToUtf8());
    }
    return text;
}

}  // namespace

SitemapForm::SitemapForm(SitemapFormat format, bool alternates, const std::optional<String>& stylesheet, bool images)
    : format_(format) {
    if (IsText()) return;
    header_ = Styled(SitemapHeader(alternates, images), stylesheet);
    indexHeader_ = Styled(SitemapIndexHeader(), stylesheet);
    footerWithOneDigit_ = Footer(0).size();
}

void SitemapForm::AppendEntry(std::string& out, const SitemapEntry& entry) const {
    if (!IsText()) return AppendEntryUtf8(out, entry);
    out += entry.location.ToUtf8();
    out += '\n';
}

std::string SitemapForm::Footer(int count) const { return IsText() ? std::string() : SitemapFooter(count).ToUtf8(); }

std::uint64_t SitemapForm::FooterBytes(int count) const {
    if (IsText()) return 0;
    // The footer's text grows only with the count's digits.
    std::uint64_t digits = 1;
    for (int rest = count; rest >= 10; rest /= 10) ++digits;
    return footerWithOneDigit_ - 1 + digits;
}

}  // namespace linkloom::cli
