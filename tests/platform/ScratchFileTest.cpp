#include <gtest/gtest.h>

#include <string>

#include "platform/ScratchFile.h"

namespace linkloom::platform {
namespace {

TEST(ScratchFile, ReadsBackWhatWasWrittenAtAnyOffset) {
    ScratchFile file;
    const auto failure = ScratchFile::Create(file);
    ASSERT_FALSE(failure) << Describe(*failure).ToUtf8();
    const std::string later(70000, 'b');
    ASSERT_TRUE(file.Write(100000, later.data(), later.size()));
    ASSERT_TRUE(file.Write(0, "abc", 3));
    std::string read(3, '\0');
    ASSERT_TRUE(file.Read(0, read.data(), 3));
    EXPECT_EQ(read, "abc");
    read.assign(later.size(), '\0');
    ASSERT_TRUE(file.Read(100000, read.data(), read.size()));
    EXPECT_EQ(read, later);
    EXPECT_FALSE(file.Read(169999, read.data(), 2));  // past the end
    ScratchFile moved = std::move(file);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_TRUE(moved.Read(1, read.data(), 2));
}

}  // namespace
}  // namespace linkloom::platform
