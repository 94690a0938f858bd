#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <random>

#include "core/page/PageReader.h"
#include "platform/CodePages.h"
#include "support/TempTree.h"
#include "support/TreeRun.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace linkloom {
namespace {

const SelectionOptions kNoindex = test::ContentTests(true, false);
const SelectionOptions kDoctype = test::ContentTests(false, true);

// The verdict on the page `name` in `folder`, read as a walk reads it.
PageVerdict Judge(const std::filesystem::path& folder, const std::string& name, const SelectionOptions& flags) {
    const auto handle = *platform::FolderHandle::Open(test::ToEnginePath(folder));
    EXPECT_TRUE(handle);
    platform::DirectoryEntry entry;
    entry.name = String::FromUtf8(name);
    return PageReader(flags).Read(*handle, entry).verdict;
}

class PageHeadFilterTest : public ::testing::Test {
protected:
    PageVerdict Filter(const std::string& bytes, const SelectionOptions& flags, const std::string& name = "page.htm") {
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
    };
    const Form forms[] = {{"UTF-8", "", "\xC3\xA9"}, {"UTF-16LE", "\xFF\xFE", std::string("\xE9\0", 2)}};
    for (const Form& form : forms) {
        std::string inside, outside;
        for (int i = 0; i < 4089; ++i) inside += form.filler;
        outside = inside + form.filler;
        const bool wide = form.prefix == "\xFF\xFE";
        const std::string word = wide ? test::Utf16Le(u"noindex") : "noindex";
        EXPECT_EQ(Filter(form.prefix + inside + word, kNoindex), PageVerdict::Noindex) << form.name;
        EXPECT_EQ(Filter(form.prefix + outside + word, kNoindex), PageVerdict::Keep) << form.name;
    }
}

TEST_F(PageHeadFilterTest, RequiresADoctypeInAnyCase) {
    EXPECT_EQ(Filter("<!doctype html><p>x", kDoctype), PageVerdict::Keep);
    EXPECT_EQ(Filter("<p>a fragment</p>", kDoctype), PageVerdict::NoDoctype);
    EXPECT_EQ(Filter("<!DOCTYPE html><meta content=noindex>", kDoctype), PageVerdict::Keep);
    EXPECT_EQ(Filter("<!DOCTYPE html><meta content=noindex>", test::ContentTests(true, true)), PageVerdict::Noindex);
    EXPECT_EQ(Filter("<p>neither</p>", test::ContentTests(true, true)), PageVerdict::NoDoctype);
    EXPECT_EQ(Filter("<!DOCTYPE html><p>both pass", test::ContentTests(true, true)), PageVerdict::Keep);
}

TEST_F(PageHeadFilterTest, LeavesOutWhatCannotBeReadOnlyWhenATestAsksForText) {
    EXPECT_EQ(Filter("", kNoindex), PageVerdict::Unreadable);
    EXPECT_EQ(Filter("", kDoctype), PageVerdict::Unreadable);
    EXPECT_EQ(Filter("", test::ContentTests(false, false)), PageVerdict::Keep);
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

TEST(PageHeadBytes, JudgeAsTheDecodedTextDoes) {
    // Pages of ASCII, UTF-8 sequences, stray and cut sequences and 8-bit letters, with the two
    // words around the 4096th character: a page read as bytes must get the verdict its decoded
    // text gets.
    std::mt19937 random(20261207);
    // No piece starts with a continuation byte, so none joins the one before it: the characters
    // of a page are those of its pieces.
    const std::string pieces[] = {"a",     "<p>",      "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                  "a\x80", "\xE2\x82", "\xE9",     "\r\n"};
    std::vector<std::size_t> units;
    for (const std::string& piece : pieces) {
        units.push_back(platform::Utf8Length(reinterpret_cast<const unsigned char*>(piece.data()), piece.size()));
    }
    test::TempTree tree;
    const auto folder = *platform::FolderHandle::Open(tree.Root());
    ASSERT_TRUE(folder);
    for (int page = 0; page < 400; ++page) {
        // The text up to where a word goes ends a few characters either side of the 4096th.
        const bool marked = page % 2 == 1;
        std::string bytes = marked ? "\xEF\xBB\xBF" : "";
        const std::size_t wordEnd = 4090 + random() % 12;
        const char* word = page % 3 ? "noindex" : "!DOCTYPE";
        const std::size_t before = wordEnd - std::string(word).size();
        for (std::size_t made = 0; made < before;) {
            const std::size_t piece = random() % std::size(pieces);
            bytes += pieces[piece];
            made += units[piece];
        }
        bytes += word;
        while (bytes.size() < 12000) bytes += pieces[random() % std::size(pieces)];
        const std::string name = "p" + std::to_string(page) + ".htm";
        tree.File(name, bytes);
        for (const SelectionOptions& flags : {kNoindex, kDoctype, test::ContentTests(true, true)}) {
            WebFileReader reader;
            PageVerdict decoded = PageVerdict::Unreadable;
            if (reader.Open(*folder, String::FromUtf8(name)) == WebFileReader::OpenResult::TextReady) {
                std::u16string head(kHeadLength, u'\0');
                head.resize(reader.Read(head.data(), kHeadLength));
                decoded = ContentVerdict(head, flags);
            }
            platform::DirectoryEntry entry;
            entry.name = String::FromUtf8(name);
            // Read as far as the test needs, and whole as for its images.
            PageNeeds whole;
            whole.headTags = whole.images = true;
            for (const PageNeeds& needs : {PageNeeds{}, whole}) {
                EXPECT_EQ(PageReader(flags, needs).Read(*folder, entry).verdict, decoded)
                    << name << " " << flags.FlagsWord() << " " << needs.images;
            }
        }
    }
}

}  // namespace
}  // namespace linkloom
