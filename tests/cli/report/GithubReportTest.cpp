#include "cli/report/GithubReport.h"

#include <gtest/gtest.h>

namespace linkloom::cli {
namespace {

std::size_t Lines(const std::string& text, const std::string& start) {
    std::size_t count = 0;
    for (std::size_t at = 0; (at = text.find("\n" + start, at)) != std::string::npos; ++at) ++count;
    return count + (text.rfind(start, 0) == 0 ? 1 : 0);
}

TEST(GithubReportTest, AnnotationsAreEscapedAndCutAtTheLimitWithTheRestCounted) {
    CliOptions options;
    options.check = String(u"s.xml");
    RunReport report(options);
    report.Finding({u"a,b:c%.xml", 7, "extra", "https://e.x/a", "extra: https://e.x/a\r\n::warning::x"});
    report.Finding({u"s.xml", 0, "missing", "https://e.x/b", "missing: https://e.x/b"});
    report.Warning(u"warning: 50% of pages\nsecond line");
    const std::string commands = WorkflowCommands(report);
    EXPECT_EQ(commands,
              "::error file=a%2Cb%3Ac%25.xml,line=7::extra: https://e.x/a%0D%0A::warning::x\n"
              "::error file=s.xml::missing: https://e.x/b\n"
              "::warning::50%25 of pages%0Asecond line\n");

    for (std::size_t i = 0; i < kMostAnnotationsPerKind - 2; ++i) report.Finding({u"s.xml", 1, "lastmod", "", "x"});
    EXPECT_EQ(Lines(WorkflowCommands(report), "::error "), kMostAnnotationsPerKind);
    report.Finding({u"s.xml", 1, "lastmod", "", "x"});
    report.Finding({u"s.xml", 1, "lastmod", "", "x"});
    const std::string cut = WorkflowCommands(report);
    EXPECT_EQ(Lines(cut, "::error "), kMostAnnotationsPerKind - 1);
    EXPECT_EQ(Lines(cut, "::error::3 more findings "), 1u);
}

TEST(GithubReportTest, SummaryTabulatesFindingsAsTextAndOutputsUseTheDelimitedForm) {
    CliOptions options;
    options.check = String(u"s.xml");
    RunReport report(options);
    report.Kept(3);
    report.LeftOut(u"x.txt", false, LeftOutReason::Extension, String());
    report.Finding({u"s|[x](y).xml", 4, "stale", "https://e.x/<b>", "stale: https://e.x/<b>"});
    report.Ended(4);
    const std::string summary = StepSummary(report);
    EXPECT_NE(summary.find("| Pages left out | 1 (extension 1) |"), std::string::npos);
    EXPECT_NE(summary.find("| s\\|\\[x\\]\\(y\\)\\.xml | 4 | stale | https://e\\.x/\\<b\\> |"), std::string::npos);
    EXPECT_EQ(StepOutputs(report, "D"),
              "sitemap-path<<D\n\nD\nurl-count<<D\n3\nD\nexcluded-count<<D\n1\nD\nfindings<<D\n1\nD\n");
}

}  // namespace
}  // namespace linkloom::cli
