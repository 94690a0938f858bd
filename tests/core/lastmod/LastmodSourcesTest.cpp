#include <gtest/gtest.h>

#include "core/lastmod/GitOutput.h"
#include "core/lastmod/MetaLastmod.h"
#include "core/lastmod/PathNumbers.h"
#include "core/markup/JsonDates.h"
#include "core/markup/W3cDatetime.h"
#include "platform/UnixTime.h"

namespace linkloom {
namespace {

using namespace std::string_literals;

TEST(W3cDatetime, ReadsEachFormWithItsZoneAndSpan) {
    const auto day = ParseW3cDatetime("2024-03-03", 3600);
    ASSERT_TRUE(day);
    EXPECT_EQ(day->first, 1709420400);  // local midnight at +01:00
    EXPECT_EQ(day->end - day->first, 86400);
    EXPECT_EQ(ParseW3cDatetime("2024-03-03T12:00Z", 0)->first, 1709467200);
    EXPECT_EQ(ParseW3cDatetime("2024-03-03T13:30:00+01:30", 0)->first, 1709467200);
    EXPECT_EQ(ParseW3cDatetime("2024-03-03T07:00:00.25-05:00", 0)->first, 1709467200);
    EXPECT_EQ(ParseW3cDatetime("2024", 0)->end - ParseW3cDatetime("2024", 0)->first, 366 * 86400);
    EXPECT_EQ(ParseW3cDatetime("2024-02", 0)->end - ParseW3cDatetime("2024-02", 0)->first, 29 * 86400);
}

TEST(W3cDatetime, RefusesWhatIsNotOneOrNamesNoRealDate) {
    for (const char* text : {"", "yesterday", "2024-3-03", "2023-02-29", "2024-13-01", "2024-03-03T12:00",
                             "2024-03-03T24:00Z", "2024-03-03T12:00:60Z", "2024-03-03 12:00Z", "2024-03-03T12:00+1:00",
                             "2024-03-03T12:00:00.Z", "02024-03-03", "2024-03-03Z", "2024-03-03T12:00+24:00"}) {
        EXPECT_FALSE(ParseW3cDatetime(text, 0)) << text;
    }
}

TEST(HeadDate, TakesTheFirstValidDateOfEachSpellingInTheRunsZone) {
    const auto seconds = [](std::u16string_view head) -> std::int64_t {
        const auto time = HeadDate(ScanHeadTags(head), 3600);
        return time ? platform::UnixSecondsOf(*time) : -1;
    };
    EXPECT_EQ(seconds(u"<meta property=\"article:modified_time\" content=\"2024-03-03T07:00:00-05:00\">"), 1709467200);
    EXPECT_EQ(seconds(u"<meta content=\" 2024-03-03 \" itemprop=\"dateModified\">"), 1709420400);
    EXPECT_EQ(
        seconds(
            u"<script type=\"application/ld+json; charset=utf-8\">{\"dateModified\": \"2024-03-03T12:00Z\"}</script>"),
        1709467200);
    EXPECT_EQ(
        seconds(u"<meta property=article:modified_time content=yesterday>"
                u"<meta itemprop=dateModified content=2021-02-30><meta itemprop=dateModified content=2024-03-03>"),
        1709420400);
    EXPECT_EQ(seconds(u"<meta name=dateModified content=2024-03-03><script>{\"dateModified\": \"2024\"}</script>"), -1);
}

TEST(JsonDates, TakesDateModifiedMembersAtAnyDepthOnly) {
    const auto values = DateModifiedValues(
        uR"({"name": "dateModified", "dateModified": "2020-01-01", "@graph": [{"x": {"dateModified": "2021\u002d02-03"}}],
            "text": "\"dateModified\": \"1999\"", "dateModified": 5})");
    EXPECT_EQ(values, (std::vector<std::u16string>{u"2020-01-01", u"2021-02-03"}));
    // A string left open ends the reading.
    EXPECT_EQ(DateModifiedValues(uR"({"dateModified": "2020-01-01", "x": "open, "dateModified": "2021-01-01)"),
              std::vector<std::u16string>{u"2020-01-01"});
    EXPECT_TRUE(DateModifiedValues(u"{\"dateModified\": \"unterminated").empty());
}

// Each path's date in seconds, -1 for none.
std::vector<std::int64_t> Seconds(GitLogReader& log, std::initializer_list<std::string_view> paths) {
    std::vector<std::int64_t> found;
    for (const std::string_view path : paths) {
        const auto date = log.Dates().Of(path);
        found.push_back(date ? date->seconds : -1);
    }
    return found;
}

TEST(GitLog, TakesEachFilesNewestCommitTimeAcrossSplitReads) {
    const std::string output =
        "\x01"
        "200 c3 c2\0\nb.htm\0a b/\xC3\xA9.htm\0\x01"
        "100 c2 c1\0\na.htm\0b.htm\0"
        "\x01"
        "50 c1 \0"s;  // an empty root commit last
    for (std::size_t split = 0; split <= output.size(); ++split) {
        const GitLogReader::MergedFiles none;
        GitLogReader log(none);
        ASSERT_TRUE(log.Feed(std::string_view(output).substr(0, split)));
        ASSERT_TRUE(log.Feed(std::string_view(output).substr(split)));
        ASSERT_TRUE(log.Finish());
        EXPECT_EQ(Seconds(log, {"b.htm", "a b/\xC3\xA9.htm", "a.htm", "c.htm"}),
                  (std::vector<std::int64_t>{200, 200, 100, -1}))
            << split;
    }
}

// A merge m of a and b: g resolved differently from both, f taken from b, k kept from a though b
// changed it, h changed on a only. Each file follows the parents `git log -- FILE` follows.
TEST(GitLog, FollowsEachFilesOwnHistoryThroughMerges) {
    GitLogReader::MergedFiles merged;
    GitCommitFields mergesReader = MergedFilesReader(merged);
    ASSERT_TRUE(mergesReader.Feed("\x01m\0\0g\0"s));
    ASSERT_TRUE(mergesReader.Finish());
    GitLogReader log(merged);
    ASSERT_TRUE(
        log.Feed("\x01"
                 "400 m a b\0\nf\0g\0\x01"
                 "300 a r\0\nf\0h\0\x01"
                 "200 b r\0\nf\0k\0"
                 "\x01"
                 "100 r \0\nf\0g\0h\0k\0"s));
    ASSERT_TRUE(log.Finish());
    EXPECT_EQ(Seconds(log, {"g", "f", "h", "k"}), (std::vector<std::int64_t>{400, 200, 300, 100}));
}

// A shallow clone's oldest commit shows every file it holds; only files no later commit changed
// keep its date as a grafted one.
TEST(GitLog, MarksTheFilesDatedByAGraftedCommit) {
    const GitLogReader::MergedFiles none;
    GitLogReader log(none);
    ASSERT_TRUE(
        log.Feed("\x01"
                 "300 c3 c2\x02HEAD\0\na.htm\0\x01"
                 "200 c2 \x02HEAD, grafted\0\na.htm\0b.htm\0\x01"
                 "100 c1 \x02\0\nc.htm\0"s));
    ASSERT_TRUE(log.Finish());
    EXPECT_FALSE(log.Dates().Of("a.htm")->grafted);
    EXPECT_TRUE(log.Dates().Of("b.htm")->grafted);
    EXPECT_EQ(log.Dates().Of("b.htm")->seconds, 200);
}

TEST(GitLog, RefusesOutputOfAnotherShape) {
    const GitLogReader::MergedFiles none;
    GitLogReader log(none);
    EXPECT_FALSE(log.Feed("a.htm\0"s));
    GitLogReader badTime(none);
    EXPECT_FALSE(
        badTime.Feed("\x01x1 c\0\x01"
                     "2 d\0"s));
    GitLogReader cut(none);
    EXPECT_TRUE(
        cut.Feed("\x01"
                 "1 c\0\na.h"s));
    EXPECT_FALSE(cut.Finish());
}

TEST(PathNumbers, NumbersEachPathOnceAndFindsItAfterGrowing) {
    PathNumbers numbers;
    for (std::uint32_t number = 0; number < 5000; ++number)
        EXPECT_EQ(numbers.Add("p/" + std::to_string(number)), std::make_pair(number, true));
    EXPECT_EQ(numbers.Add("p/42"), std::make_pair(42u, false));
    EXPECT_EQ(numbers.Find("p/4999"), 4999u);
    EXPECT_EQ(numbers.Find("p/"), PathNumbers::kNone);
    EXPECT_EQ(PathNumbers().Find(""), PathNumbers::kNone);
}

TEST(GitWorkTree, ReadsTheAnswers) {
    const WorkTreeAnswer answer = ParseWorkTreeAnswer("true\nfalse\nsha256\nsite/a\nb/\n");
    EXPECT_TRUE(answer.inWorkTree);
    EXPECT_FALSE(answer.shallow);
    EXPECT_EQ(answer.objectFormat, "sha256");
    EXPECT_EQ(answer.prefix, "site/a\nb/");
    EXPECT_TRUE(ParseWorkTreeAnswer("true\ntrue\nsha1\n\n").shallow);
    EXPECT_FALSE(ParseWorkTreeAnswer("false\n").inWorkTree);
}

}  // namespace
}  // namespace linkloom
