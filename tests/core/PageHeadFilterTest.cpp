#include <gtest/gtest.h>

#include <filesystem>

#include "core/PageReader.h"
#include "support/JobRun.h"
#include "support/TempTree.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace linkloom {
namespace {

constexpr JobFlags kNoindex = JobFlag::ExcludeNoindex;
constexpr JobFlags kDoctype = JobFlag::RequireDoctype;

std::string Utf16Le(const std::string& ascii) {
    std::string bytes;
    for (char c : ascii) bytes += std::string(1, c) + '\0';
    return bytes;
}

// The verdict on the page `name` in `folder`, read as a walk reads it.
PageVerdict Judge(const std::filesystem::path& folder, const std::string& name, JobFlags flags) {
    platform::SystemError error;
    const auto handle = platform::FolderHandle::Open(test::ToEnginePath(folder), error);
    EXPECT_TRUE(handle);
    platform::DirectoryEntry entry;
    entry.name = String::FromUtf8(name);
    return PageReader(flags).Read(*handle, entry).verdict;
}

class PageHeadFilterTest : public ::testing::Test {
protected:
    PageVerdict Filter(const std::string& bytes, JobFlags flags, const std::string& name = "page.htm") {
        tree.File(name, bytes);
        return Judge(tree.Path(), name, flags);
    }
    test::TempTree tree;
};

TEST_F(PageHeadFilterTest, FindsNoindexInAnyCaseWithinTheFirst4096Characters) {
    const std::string meta = "<meta name=\"robots\" content=\"NOINDEX, follow\">";
    EXPECT_EQ(Filter("<html><head>" + meta, kNoindex), PageVerdict::Noindex);
    EXPECT_EQ(Filter("<!-- NoIndex this page -->", kNoindex), PageVerdict::Noindex);
    EXPECT_EQ(Filter("<html><head>" + meta, kDoctype), PageVerdict::NoDoctype);
    EXPECT_EQ(Filter("<html><head><title>fine</title>", kNoindex), PageVerdict::Keep);

    // Characters, not bytes, count: the word just inside and just outside the first 4096.
    struct Form {
        const char* name;
        std::string prefix;
        std::string filler;  // one character
        std::string (*encode)(const std::string&);
    };
    const auto plain = [](const std::string& text) { return text; };
    const Form forms[] = {{"8-bit", "", "\xE9", plain},
                          {"UTF-8", "", "\xC3\xA9", plain},
                          {"UTF-8 with mark", "\xEF\xBB\xBF", "\xC3\xA9", plain},
                          {"UTF-16LE", "\xFF\xFE", std::string("\xE9\0", 2), plain}};
    for (const Form& form : forms) {
        std::string inside, outside;
        for (int i = 0; i < 4089; ++i) inside += form.filler;
        outside = inside + form.filler;
        const bool wide = form.prefix == "\xFF\xFE";
        const std::string word = wide ? Utf16Le("noindex") : "noindex";
        EXPECT_EQ(Filter(form.prefix + inside + word, kNoindex), PageVerdict::Noindex) << form.name;
        EXPECT_EQ(Filter(form.prefix + outside + word, kNoindex), PageVerdict::Keep) << form.name;
    }
}

TEST_F(PageHeadFilterTest, RequiresADoctypeInAnyCase) {
    EXPECT_EQ(Filter("<!doctype html><p>x", kDoctype), PageVerdict::Keep);
    EXPECT_EQ(Filter("<p>a fragment</p>", kDoctype), PageVerdict::NoDoctype);
    EXPECT_EQ(Filter("<!DOCTYPE html><meta content=noindex>", kDoctype), PageVerdict::Keep);
    EXPECT_EQ(Filter("<!DOCTYPE html><meta content=noindex>", kDoctype | kNoindex), PageVerdict::Noindex);
    EXPECT_EQ(Filter("<p>neither</p>", kDoctype | kNoindex), PageVerdict::NoDoctype);
    EXPECT_EQ(Filter("<!DOCTYPE html><p>both pass", kDoctype | kNoindex), PageVerdict::Keep);
}

TEST_F(PageHeadFilterTest, LeavesOutWhatCannotBeRead) {
    EXPECT_EQ(Filter("", kNoindex), PageVerdict::Unreadable);
    EXPECT_EQ(Filter("%PDF-1.4 text", kNoindex, "doc.pdf"), PageVerdict::Unreadable);
    tree.Folder("dir.htm");
    EXPECT_EQ(Judge(tree.Path(), "dir.htm", kNoindex), PageVerdict::Unreadable);
    EXPECT_EQ(Judge(tree.Path(), "gone.htm", kNoindex), PageVerdict::Unreadable);
}

#ifdef _WIN32
TEST_F(PageHeadFilterTest, LeavesOutAPageLockedByAnotherProgram) {
    const auto path = tree.File("locked.htm", "<!DOCTYPE html><p>x");
    const HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Judge(tree.Path(), "locked.htm", kNoindex), PageVerdict::Unreadable);
    CloseHandle(lock);
    EXPECT_EQ(Judge(tree.Path(), "locked.htm", kNoindex), PageVerdict::Keep);
}
#endif

TEST(ContentOptions, EmptyPagesAreListedOnlyWhileBothAreClear) {
    test::TempTree tree;
    tree.File("empty.htm", "");
    tree.File("hidden.htm", "<meta name=robots content=noindex>");
    tree.File("page.htm", "<!DOCTYPE html>");
    for (const JobFlags flags : {JobFlags{0}, kNoindex, kDoctype}) {
        test::FakeHost host = test::HostFor(tree, u"htm", flags);
        SitemapJob(host).Run();
        const auto found = test::Locations(host.document);
        if (flags == 0) {
            EXPECT_EQ(found.size(), 3u);
        } else {
            EXPECT_EQ(found, std::vector<std::string>{"https://example.com/page.htm"}) << flags;
        }
    }
}

}  // namespace
}  // namespace linkloom
