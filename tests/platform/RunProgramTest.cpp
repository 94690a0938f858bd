#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "platform/RunProgram.h"
#include "platform/ShellQuote.h"

namespace linkloom::platform {
namespace {

#ifdef _WIN32
const char16_t kShell[] = u"cmd";
std::vector<String> Script(const char16_t* text) { return {u"/c", text}; }
#else
const char16_t kShell[] = u"sh";
std::vector<String> Script(const char16_t* text) { return {u"-c", text}; }
#endif

// Takes every output byte into `out`.
auto Into(std::string& out) {
    return [&out](std::string_view bytes) {
        out.append(bytes);
        return true;
    };
}

TEST(RunProgram, GivesTheOutputAsItComesTheStatusAndTheStartOfStandardError) {
    std::string out;
    const ProgramRun run = RunProgram(kShell, Script(u"echo one two&& echo oops 1>&2&& exit 3"), Into(out));
    EXPECT_EQ(run.outcome, ProgramRun::Outcome::Exited);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(out.substr(0, 7), "one two");
    EXPECT_EQ(run.errorText.substr(0, 4), "oops");
}

TEST(RunProgram, ArgumentsArriveAsGivenAndAStoppedProgramDoesNotExitByItself) {
#ifndef _WIN32
    std::string out;
    RunProgram(u"printf", {u"%s|", u"a b", u"\"q\"", u"caf\u00e9", u""}, Into(out));
    EXPECT_EQ(out, "a b|\"q\"|caf\xC3\xA9||");
    const ProgramRun endless = RunProgram(u"yes", {}, [](std::string_view) { return false; });
    EXPECT_NE(endless.status, 0);
#endif
}

TEST(RunProgram, HandsOnTheEnvironmentLessTheDroppedVariables) {
#ifdef _WIN32
    // Names are the same in any case there.
    _putenv("LINKLOOM_PROBE=kept");
    const char16_t* script = u"echo %linkloom_probe%-%ADDED%";
    const char16_t* dropped = u"Linkloom_";
#else
    setenv("LINKLOOM_PROBE", "kept", 1);
    const char16_t* script = u"echo \"${LINKLOOM_PROBE-gone}-$ADDED\"";
    const char16_t* dropped = u"LINKLOOM_";
#endif
    std::string out;
    RunProgram(kShell, Script(script), Into(out), {dropped, {u"ADDED=yes"}});
#ifdef _WIN32
    EXPECT_EQ(out.substr(0, 20), "%linkloom_probe%-yes");
#else
    EXPECT_EQ(out, "gone-yes\n");
#endif
}

TEST(RunProgram, EndsAtOnceWhenStoppedAndNeverWaitsOnAPipeAProgramItStartedHolds) {
#ifndef _WIN32
    const auto begun = std::chrono::steady_clock::now();
    const auto since = [begun] { return std::chrono::steady_clock::now() - begun; };
    std::string out;
    const ProgramRun left = RunProgram(kShell, Script(u"sleep 20 >&2 & echo done"), Into(out));
    EXPECT_EQ(left.status, 0);
    EXPECT_EQ(out, "done\n");
    const ProgramRun stopped = RunProgram(
        u"sleep", {u"20"}, [](std::string_view) { return true; }, {},
        [&since] { return since() > std::chrono::milliseconds(200); });
    EXPECT_EQ(stopped.outcome, ProgramRun::Outcome::Stopped);
    EXPECT_LT(since(), std::chrono::seconds(5));
#endif
}

TEST(ShellQuote, QuotesANameSoThatTheShellExpandsNothing) {
#ifdef _WIN32
    EXPECT_EQ(*ShellQuoted(u"C:\\my site's (new)\\"), String(u"\"C:\\my site's (new)\\\\\""));
    EXPECT_FALSE(ShellQuoted(u"C:\\%PATH%"));
    EXPECT_FALSE(ShellQuoted(u"C:\\$(x)"));
#else
    EXPECT_EQ(*ShellQuoted(u"/a b/$(touch x)/it's\"`"), String(u"'/a b/$(touch x)/it'\\''s\"`'"));
#endif
}

TEST(RunProgram, SaysWhenTheProgramIsNotThere) {
    const ProgramRun run = RunProgram(u"linkloom-no-such-program", {}, [](std::string_view) { return true; });
    EXPECT_EQ(run.outcome, ProgramRun::Outcome::NotFound);
}

}  // namespace
}  // namespace linkloom::platform
