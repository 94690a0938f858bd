#include <gtest/gtest.h>

#include "platform/SystemError.h"

namespace linkloom::platform {
namespace {

TEST(SystemError, SentenceNamesTheActionThePathAndTheReasonWithControlsEscaped) {
    EXPECT_EQ(Sentence(OwnFailure(u"a folder has that name", u"out/site.xml", Action::Write)).ToUtf8(),
              "cannot write out/site.xml: a folder has that name");
    EXPECT_EQ(Sentence(NotAFile(u"state\n.txt"), u"the state file").ToUtf8(),
              "cannot read the state file state\\n.txt: not a file");
    // The system's own words for a code; never empty.
    const SystemError failure = SystemFailure(2, u"x", Action::Read);
    EXPECT_FALSE(Describe(failure).IsEmpty());
    EXPECT_EQ(Sentence(failure).ToUtf8(), "cannot read x: " + Describe(failure).ToUtf8());
}

}  // namespace
}  // namespace linkloom::platform
