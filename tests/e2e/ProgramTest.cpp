#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "e2e/ProgramDriver.h"

#include <commctrl.h>

#include "platform/RunProgram.h"
#include "resources/resource.h"
#include "support/TempTree.h"

namespace linkloom::e2e {
namespace {

constexpr wchar_t kPaused[] = L" [PAUSED]";
constexpr DWORD kLargeRunMs = 180000;

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::size_t Count(const std::wstring& text, const std::wstring& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

// The tree of 50,001 pages, one more than a sitemap file may hold, made by the test fixture.
std::wstring LargeTree() {
    const char* folder = std::getenv("LINKLOOM_E2E_TREE");
    wchar_t full[MAX_PATH] = L"";
    if (folder) GetFullPathNameW(std::filesystem::path(folder).c_str(), MAX_PATH, full, nullptr);
    return full;
}

std::wstring Clipboard() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// The built linkloom-cli's document on standard output for `arguments`; programs are run only
// from the PATH, so its folder is put first there.
std::string CliDocument(const std::vector<String>& arguments) {
    const std::filesystem::path built = std::filesystem::absolute(L"" LINKLOOM_CLI);
    const std::wstring path = built.parent_path().wstring() + L";" + _wgetenv(L"PATH");
    SetEnvironmentVariableW(L"PATH", path.c_str());
    std::string document;
    platform::RunProgram(String::FromWide(built.stem().c_str()), arguments, [&document](std::string_view bytes) {
        document += bytes;
        return true;
    });
    return document;
}

// What the folder box shows of a settings file: its icon, and how many tools the tip has.
std::pair<LRESULT, LRESULT> FolderBoxSign(const ProgramDriver& program) {
    const HWND icon = FindWindowExW(program.Item(IDC_FOLDER), nullptr, L"Static", nullptr);
    HWND tip = nullptr;
    while ((tip = FindWindowExW(nullptr, tip, L"ATL:GlimTip", nullptr))) {
        if (GetParent(tip) == program.Window() || GetWindow(tip, GW_OWNER) == program.Window()) break;
    }
    return {SendMessageW(icon, STM_GETICON, 0, 0), tip ? SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0) : -1};
}

// The program started from its own folder, which holds its settings file.
class ProgramTest : public ::testing::Test {
protected:
    void Start() {
        program = std::make_unique<ProgramDriver>(home.Path());
        ASSERT_NE(program->Window(), nullptr) << "the main dialog did not appear";
    }
    void Inputs(const std::wstring& folder, const std::wstring& extensions, const std::wstring& url) {
        program->SetText(IDC_FOLDER, folder);
        program->SetText(IDC_EXTENSIONS, extensions);
        program->SetText(IDC_ROOT_URL, url);
    }
    // Clicks create xml and waits until the output box holds text other than `before`.
    std::wstring Create(const std::wstring& before = L"", DWORD timeoutMs = 20000) {
        program->Click(IDOK);
        std::wstring output;
        WaitFor([&] { return (output = program->Text(IDC_OUTPUT)) != before; }, timeoutMs);
        return output;
    }
    void ExpectMessage(const std::wstring& text) {
        const SeenMessage seen = program->CloseMessageBox();
        EXPECT_EQ(seen.caption, L"Linkloom");
        EXPECT_EQ(seen.text, text);
    }
    void ExpectFocusOn(int id) {
        EXPECT_TRUE(WaitFor([&] { return program->Focus() == program->Item(id); }, 5000)) << "focus on " << id;
    }

    test::TempTree home;
    std::unique_ptr<ProgramDriver> program;
};

TEST_F(ProgramTest, FirstStartShowsDefaultsAndTheNextStartWhatTheRunSaved) {
    test::TempTree site;
    site.File("index.htm");
    Start();
    EXPECT_TRUE(program->IsChecked(IDC_SUBFOLDERS));
    EXPECT_TRUE(program->IsChecked(IDC_EXCLUDE_NOINDEX));
    EXPECT_EQ(program->Text(IDC_EXTENSIONS), L"htm,php");
    EXPECT_EQ(program->Text(IDC_FOLDER), L"");
    EXPECT_EQ(program->Text(IDC_ROOT_URL), L"");
    EXPECT_EQ(program->Text(IDC_OUTPUT), L"");
    EXPECT_FALSE(std::filesystem::exists(home.Path() / "linkloom.ini"));

    Inputs(site.Root().Wide(), L" HTM ", L"https://example.com");
    SendMessageW(program->Item(IDC_SUBFOLDERS), BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_NE(Create().find(L"<loc>https://example.com/index.htm</loc>"), std::wstring::npos);
    program->PressKey(VK_ESCAPE);
    EXPECT_EQ(program->WaitForExit(), 2u);
    EXPECT_TRUE(std::filesystem::exists(home.Path() / "linkloom.ini"));

    Start();
    EXPECT_EQ(program->Text(IDC_FOLDER), site.Root().Wide());
    EXPECT_EQ(program->Text(IDC_EXTENSIONS), L"HTM,");
    EXPECT_EQ(program->Text(IDC_ROOT_URL), L"https://example.com/");
    EXPECT_FALSE(program->IsChecked(IDC_SUBFOLDERS));
    EXPECT_TRUE(program->IsChecked(IDC_EXCLUDE_NOINDEX));
    PostMessageW(program->Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program->WaitForExit(), 2u);
}

TEST_F(ProgramTest, EachBadInputIsNamedAndFocused) {
    test::TempTree site;
    Start();
    Inputs(site.Root().Wide(), L"*.htm", L"https://example.com");
    program->Click(IDOK);
    ExpectMessage(L"please enter a list of extensions, not wildcards");
    ExpectFocusOn(IDC_EXTENSIONS);

    Inputs(std::wstring(site.Root().Wide()) + L"missing", L"htm", L"https://example.com");
    program->Click(IDOK);
    ExpectMessage(L"please enter a valid path to scan for web files");
    ExpectFocusOn(IDC_FOLDER);

    Inputs(site.Root().Wide(), L"htm", L"example");
    program->Click(IDOK);
    ExpectMessage(L"please specify the CANONICAL full website URL");
    ExpectFocusOn(IDC_ROOT_URL);
    EXPECT_EQ(program->Text(IDC_OUTPUT), L"");
}

TEST_F(ProgramTest, EnterWritesTheExactDocumentAndFindingNothingClearsIt) {
    test::TempTree site;
    site.File("index.htm", "<!DOCTYPE html>", test::kNoonMarch3);
    site.File("docs/a b.htm", "<!DOCTYPE html>", test::kNoonMarch3);
    site.File("docs/hidden.htm", "<meta name=\"robots\" content=\"NOINDEX\">", test::kNoonMarch3);
    site.File("notes.txt", "text", test::kNoonMarch3);
    Start();
    Inputs(site.Root().Wide(), L"htm", L"https://example.com/");
    PostMessageW(program->Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(program->Item(IDC_ROOT_URL)), TRUE);
    ASSERT_TRUE(WaitFor([&] { return program->Focus() == program->Item(IDC_ROOT_URL); }));
    program->PressKey(VK_RETURN);
    std::wstring document;
    ASSERT_TRUE(WaitFor([&] { return !(document = program->Text(IDC_OUTPUT)).empty(); }));
    EXPECT_EQ(document,
              L"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r\n"
              L"<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\"> \r\n"
              L"<url>\r\n <loc>https://example.com/docs/a%20b.htm</loc>\r\n <lastmod>2024-03-03</lastmod>\r\n</url>\r\n"
              L"<url>\r\n <loc>https://example.com/index.htm</loc>\r\n <lastmod>2024-03-03</lastmod>\r\n</url>\r\n"
              L"<!-- 2 files added -->\r\n</urlset>\r\n");

    program->SetText(IDC_EXTENSIONS, L"php");
    program->Click(IDOK);
    ExpectMessage(L"no files match the criteria\r\ntry scanning a different folder or adjust search settings");
    EXPECT_EQ(program->Text(IDC_OUTPUT), L"");
}

TEST_F(ProgramTest, ClosingDuringAPausedRunEndsTheRunAndTheProgram) {
    const std::wstring tree = LargeTree();
    ASSERT_FALSE(tree.empty()) << "LINKLOOM_E2E_TREE names no folder";
    Start();
    Inputs(tree, L"htm", L"https://example.com");
    program->Click(IDOK);
    const HWND progress = program->WaitForProgress();
    ASSERT_NE(progress, nullptr);
    program->Click(IDC_PAUSE, progress);
    ASSERT_TRUE(WaitFor([&] { return EndsWith(ProgramDriver::Caption(progress), kPaused); }));
    PostMessageW(program->Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program->WaitForExit(), 2u);
}

TEST_F(ProgramTest, PauseResumeCancelThenAWholeRunCopiedToTheClipboard) {
    const std::wstring tree = LargeTree();
    ASSERT_FALSE(tree.empty()) << "LINKLOOM_E2E_TREE names no folder";
    Start();
    program->Click(IDC_COPY_TEXT);
    ExpectMessage(L"click CREATE XML button to get the sitemap");

    Inputs(tree, L"htm", L"https://example.com");
    program->Click(IDOK);
    const HWND progress = program->WaitForProgress();
    ASSERT_NE(progress, nullptr);
    program->Click(IDC_PAUSE, progress);
    ASSERT_TRUE(WaitFor([&] { return EndsWith(ProgramDriver::Caption(progress), kPaused); }));
    const std::wstring pausedTitle = ProgramDriver::Caption(progress);
    Sleep(300);
    EXPECT_EQ(ProgramDriver::Caption(progress), pausedTitle) << "the walk went on while paused";
    EXPECT_FALSE(IsWindowEnabled(program->Window()));

    // Resumed, the walk goes on until it reports another finished folder in the title.
    program->Click(IDC_PAUSE, progress);
    const std::wstring resumedFrom = pausedTitle.substr(0, pausedTitle.size() - wcslen(kPaused));
    ASSERT_TRUE(WaitFor([&] {
        const std::wstring title = ProgramDriver::Caption(progress);
        return title != resumedFrom && !EndsWith(title, kPaused);
    }));
    program->Click(IDC_PAUSE, progress);
    ASSERT_TRUE(WaitFor([&] { return EndsWith(ProgramDriver::Caption(progress), kPaused); }));
    program->Click(IDCANCEL, progress);
    std::wstring cancelled;
    ASSERT_TRUE(WaitFor([&] { return !(cancelled = program->Text(IDC_OUTPUT)).empty(); }));
    const std::size_t kept = Count(cancelled, L"<url>");
    EXPECT_GE(kept, 500u);
    EXPECT_LT(kept, 50001u);
    EXPECT_NE(cancelled.find(L"<!-- " + std::to_wstring(kept) + L" files added -->"), std::wstring::npos);
    EXPECT_FALSE(IsWindowVisible(progress));
    EXPECT_TRUE(IsWindowEnabled(program->Window()));

    const std::wstring whole = Create(cancelled, kLargeRunMs);
    EXPECT_EQ(Count(whole, L"<url>"), 50001u);
    EXPECT_TRUE(EndsWith(whole, L"<!-- 50001 files added -->\r\n</urlset>\r\n"));
    EXPECT_EQ(ProgramDriver::Caption(progress), L"working... (50001 files found)");
    ExpectMessage(L"the sitemap holds 50001 entries and " + std::to_wstring(whole.size()) +
                  L" bytes, more than one sitemap file may hold (50000 entries, 52428800 bytes)\r\n"
                  L"search engines refuse such a file: linkloom-cli -o FILE splits it into parts");

    program->Click(IDC_COPY_TEXT);
    ExpectMessage(L"Use Notepad or a similar editor to paste the text\r\nand save it into SITEMAP.XML file");
    const std::wstring copied = Clipboard();
    // Compared whole but not printed: a failure would otherwise print megabytes.
    EXPECT_TRUE(copied == whole) << copied.size() << " units copied of " << whole.size();
}

// The folder's settings file adds its rules to the dialog's inputs, which win over its own: the
// folder box says so, and the document is linkloom-cli's with those inputs to the byte.
TEST_F(ProgramTest, ASiteSettingsFileIsShownAndGivesLinkloomClisDocument) {
    test::TempTree plain;
    plain.File("index.htm");
    test::TempTree site;
    site.File("index.htm", "<!DOCTYPE html>", test::kNoonMarch3);
    site.File("docs/intro.htm", "<link rel=\"alternate\" hreflang=\"de\" href=\"/de/intro\">", test::kNoonMarch3);
    site.File("drafts/a.htm", "draft", test::kNoonMarch3);
    site.File("private/p.htm", "private", test::kNoonMarch3);
    site.File("robots.txt", "User-agent: *\nDisallow: /private/\n");
    site.File("linkloom.toml",
              "url = 'https://other.example/'\next = 'php'\nfolder-urls = true\n"
              "drop-extensions = 'htm'\nexclude = ['drafts/']\nrobots-txt = true\n"
              "alternates = true\nlastmod-time = true\njobs = 2\nquiet = true\n");
    Start();
    Inputs(plain.Root().Wide(), L"htm", L"https://example.com/");
    const auto without = FolderBoxSign(*program);
    program->SetText(IDC_FOLDER, site.Root().Wide());
    const auto with = FolderBoxSign(*program);
    EXPECT_NE(with.first, without.first);
    EXPECT_EQ(with.second, without.second + 1);

    const std::wstring document = Create();
    EXPECT_NE(document.find(L"<loc>https://example.com/docs/intro</loc>"), std::wstring::npos);
    EXPECT_EQ(String::FromWide(document.c_str()).ToUtf8(),
              CliDocument({site.Root(), u"https://example.com/", u"--ext", u"htm"}));
    program->SetText(IDC_FOLDER, plain.Root().Wide());
    EXPECT_EQ(FolderBoxSign(*program), without);
}

TEST_F(ProgramTest, ASettingsFileThatCannotBeUsedIsNamedAndNothingRuns) {
    test::TempTree site;
    site.File("index.htm");
    site.File("linkloom.toml", "ext = 'htm'\n\ncanonicals = true\n");
    Start();
    Inputs(site.Root().Wide(), L"htm", L"https://example.com/");
    program->Click(IDOK);
    const SeenMessage seen = program->CloseMessageBox();
    EXPECT_TRUE(EndsWith(seen.text, L"linkloom.toml:3: unknown key \"canonicals\"; did you mean \"canonical\"?"))
        << String::FromWide(seen.text.c_str()).ToUtf8();
    EXPECT_EQ(program->FindWindowOfClass(L"#32770"), nullptr);
    EXPECT_EQ(program->Text(IDC_OUTPUT), L"");
}

}  // namespace
}  // namespace linkloom::e2e
