#include <gtest/gtest.h>

#include <string>

#include "platform/RunProgram.h"

namespace linkloom::platform {
namespace {

#ifdef _WIN32
const char16_t kShell[] = u"cmd";
std::vector<String> Script(const char16_t* text) { return {u"/c", text}; }
#else
const char16_t kShell[] = u"sh";
std::vector<String> Script(const char16_t* text) { return {u"-c", text}; }
#endif

TEST(RunProgram, GivesTheOutputAsItComesTheStatusAndTheStartOfStandardError) {
    std::string out;
    const ProgramRun run = RunProgram(kShell, Script(u"echo one two&& echo oops 1>&2&& exit 3"), [&out](std::string_view bytes) {
        out.append(bytes);
        return true;
    });
    EXPECT_EQ(run.outcome, ProgramRun::Outcome::Exited);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(out.substr(0, 7), "one two");
    EXPECT_EQ(run.errorText.substr(0, 4), "oops");
}

TEST(RunProgram, ArgumentsArriveAsGivenAndAStoppedProgramDoesNotExitByItself) {
#ifndef _WIN32
    std::string out;
    RunProgram(u"printf", {u"%s|", u"a b", u"\"q\"", u"caf\u00e9", u""}, [&out](std::string_view bytes) {
        out.append(bytes);
        return true;
    });
    EXPECT_EQ(out, "a b|\"q\"|caf\xC3\xA9||");
    const ProgramRun endless = RunProgram(u"yes", {}, [](std::string_view) { return false; });
    EXPECT_NE(endless.status, 0);
#endif
}

TEST(RunProgram, SaysWhenTheProgramIsNotThere) {
    const ProgramRun run = RunProgram(u"linkloom-no-such-program", {}, [](std::string_view) { return true; });
    EXPECT_EQ(run.outcome, ProgramRun::Outcome::NotFound);
}

}  // namespace
}  // namespace linkloom::platform
