#include "cli/output/Stylesheet.h"

#include "cli/fileset/FileSetTransaction.h"
#include "cli/output/OutputNames.h"
#include "platform/OutputFile.h"

namespace linkloom::cli {

namespace {

// Shows a sitemap's entries or an index's sitemaps as a table; a click on a column's head sorts
// the rows by it, a second click the other way.
constexpr char kStylesheet[] = R"XSL(<?xml version="1.0" encoding="UTF-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="http://www.sitemaps.org/schemas/sitemap/0.9" xmlns:xhtml="http://www.w3.org/1999/xhtml"
    xmlns:image="http://www.google.com/schemas/sitemap-image/1.1" exclude-result-prefixes="s xhtml image">
  <xsl:output method="html" encoding="UTF-8" indent="yes" doctype-system="about:legacy-compat"/>
  <xsl:template match="/">
    <html>
      <head>
        <meta charset="UTF-8"/>
        <title>Sitemap</title>
        <style>
          body { font-family: sans-serif; margin: 2em; }
          table { border-collapse: collapse; }
          th, td { padding: 0.3em 0.8em; text-align: left; border-bottom: 1px solid #ddd; }
          th { cursor: pointer; background: #f3f3f3; }
        </style>
      </head>
      <body>
        <xsl:apply-templates select="s:urlset | s:sitemapindex"/>
        <script><![CDATA[
          document.querySelectorAll("th").forEach(function (head, column) {
            head.addEventListener("click", function () {
              var body = head.closest("table").tBodies[0];
              var rows = Array.prototype.slice.call(body.rows);
              var order = head.dataset.order === "up" ? -1 : 1;
              head.dataset.order = order === 1 ? "up" : "down";
              rows.sort(function (a, b) {
                var x = a.cells[column].textContent, y = b.cells[column].textContent;
                var n = Number(x) - Number(y);
                return order * (isNaN(n) ? x.localeCompare(y) : n);
              });
              rows.forEach(function (row) { body.appendChild(row); });
            });
          });
        ]]></script>
      </body>
    </html>
  </xsl:template>
  <xsl:template match="s:urlset">
    <h1>Sitemap</h1>
    <p><xsl:value-of select="count(s:url)"/> URLs</p>
    <table>
      <thead><tr><th>URL</th><th>Last modified</th><th>Alternates</th><th>Images</th></tr></thead>
      <tbody>
        <xsl:for-each select="s:url">
          <tr>
            <td><a href="{s:loc}"><xsl:value-of select="s:loc"/></a></td>
            <td><xsl:value-of select="s:lastmod"/></td>
            <td><xsl:value-of select="count(xhtml:link)"/></td>
            <td><xsl:value-of select="count(image:image)"/></td>
          </tr>
        </xsl:for-each>
      </tbody>
    </table>
  </xsl:template>
  <xsl:template match="s:sitemapindex">
    <h1>Sitemap index</h1>
    <p><xsl:value-of select="count(s:sitemap)"/> sitemaps</p>
    <table>
      <thead><tr><th>Sitemap</th><th>Last modified</th></tr></thead>
      <tbody>
        <xsl:for-each select="s:sitemap">
          <tr>
            <td><a href="{s:loc}"><xsl:value-of select="s:loc"/></a></td>
            <td><xsl:value-of select="s:lastmod"/></td>
          </tr>
        </xsl:for-each>
      </tbody>
    </table>
  </xsl:template>
</xsl:stylesheet>
)XSL";

}  // namespace

std::optional<platform::SystemError> WriteStylesheet(const String& path) {
    const platform::OutputTarget target = platform::ResolveOutputTarget(path);
    if (target.kind == platform::OutputKind::Folder) {
        return platform::OwnFailure(u"a folder has that name", path, platform::Action::Write);
    }
    FileSetTransaction change;
    platform::Outcome<platform::OutputFile> file = change.CreateTemporary(FolderOf(target.path));
    if (!file) return file.Failure();
    if (auto failure = platform::WriteAndClose(*file, std::string_view(kStylesheet, sizeof kStylesheet - 1))) {
        return failure;
    }
    change.Replace(target.path, file->Path());
    return change.Commit([] { return true; });
}

}  // namespace linkloom::cli
