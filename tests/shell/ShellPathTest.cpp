#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <vector>

#include "base/PathText.h"
#include "platform/Directory.h"
#include "shell/IdListPath.h"
#include "shell/PathParts.h"
#include "shell/ShellItems.h"
#include "shell/ShellNamespace.h"
#include "shell/ShortPath.h"
#include "support/StringPrinter.h"
#include "support/TempTree.h"

namespace linkloom {
namespace {

String Repeat(char16_t unit, std::size_t count) { return String(std::u16string(count, unit)); }

String WithoutFinalBackslash(String path) { return path.EndsWith(u'\\') ? path.Left(path.Length() - 1) : path; }

String CurrentDirectory() {
    std::vector<wchar_t> buffer(33000, L'\0');
    GetCurrentDirectoryW(33000, buffer.data());
    return String::FromWide(buffer.data());
}

bool SameDirectory(const String& one, const String& other) {
    platform::FileIdentity a, b;
    return platform::IdentifyDirectory(one, a) && platform::IdentifyDirectory(other, b) && a == b;
}

class ShellPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ASSERT_TRUE(ShellNamespace::Start());
    }
    void TearDown() override {
        ShellNamespace::Stop();
        CoUninitialize();
    }
};

TEST_F(ShellPathTest, DesktopAndOrdinaryFolders) {
    const USHORT emptyList = 0;
    const String desktop = IDListToPath(reinterpret_cast<const ITEMIDLIST*>(&emptyList), true);
    wchar_t expected[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, expected), S_OK);
    EXPECT_EQ(desktop, String::FromWide(expected));
    EXPECT_EQ(IDListToPath(nullptr, true), String());

    test::TempTree tree;
    const String folder = WithoutFinalBackslash(tree.Root());
    const IdList list = ParseLocation(folder);
    ASSERT_TRUE(list);
    EXPECT_EQ(IDListToPath(list.Get(), true), folder);
    EXPECT_EQ(RebuildLongPath(list.Get()), folder);
    // Named item by item from the desktop, the folder's own name comes last.
    const String name = IDListToName(list.Get(), nullptr, SHGDN_FORPARSING | SHGDN_INFOLDER);
    const String last = String(u"\\") + LastComponent(folder);
    ASSERT_GT(name.Length(), last.Length());
    EXPECT_EQ(name.Mid(name.Length() - last.Length()), last) << name.ToUtf8();

    // Environment variables and a long-path prefix are looked through.
    const IdList windows = ParseLocation(u"\\\\?\\%WINDIR%");
    ASSERT_TRUE(windows);
    wchar_t windowsFolder[MAX_PATH] = {};
    GetWindowsDirectoryW(windowsFolder, MAX_PATH);
    EXPECT_TRUE(SameDirectory(IDListToPath(windows.Get(), true), String::FromWide(windowsFolder)));
    EXPECT_FALSE(ParseLocation(u""));
    EXPECT_FALSE(ParseLocation(folder + u"\\no such folder"));
}

TEST_F(ShellPathTest, VirtualFolderHasANameButNoPath) {
    IdList controls;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_CONTROLS, controls.Put()), S_OK);
    EXPECT_EQ(IDListToPath(controls.Get(), true), String());
    const String name = IDListToName(controls.Get(), nullptr, SHGDN_FORPARSING | SHGDN_INFOLDER);
    EXPECT_FALSE(name.IsEmpty());
    EXPECT_EQ(name.Find(u"@@@"), String::npos) << name.ToUtf8();
}

// A list at an unreadable address makes the system call fault (under Wine an unguarded call
// ends the process); contained, the path is empty and the program goes on.
TEST_F(ShellPathTest, AnAccessViolationInTheSystemCallIsContained) {
    EXPECT_EQ(PathFromIDList(reinterpret_cast<const ITEMIDLIST*>(0x10)), String());
}

// A folder of over 300 units under the tree, made through the long-path prefix: folders of 60
// units while the path fits, then one long enough to go past 300.
class DeepFolder {
public:
    explicit DeepFolder(const String& root) {
        String path = WithoutFinalBackslash(root);
        for (int level = 0; path.Length() < 310; ++level) {
            const std::size_t fits = kLongPathThreshold - 1 - path.Length();
            const std::size_t length = fits > 70 ? 60 : 310 - path.Length();
            path += u'\\';
            path += Repeat(static_cast<char16_t>(u'a' + level), length) + u".folder";
            levels_.push_back(path);
            CreateDirectoryW((String(u"\\\\?\\") + path).Wide(), nullptr);
        }
    }
    ~DeepFolder() {
        for (auto level = levels_.rbegin(); level != levels_.rend(); ++level) {
            RemoveDirectoryW((String(u"\\\\?\\") + *level).Wide());
        }
    }
    const String& Path() const { return levels_.back(); }
    // The item list: the parent parsed from its path, the last folder found among its items
    // (parsing a name into a path past 260 units fails under Wine).
    IdList List() const {
        const IdList parent = ParseLocation(levels_[levels_.size() - 2]);
        ComRef<IShellFolder> folder;
        ComRef<IEnumIDList> items;
        if (!parent ||
            FAILED(
                ShellNamespace::Desktop()->BindToObject(parent.Get(), nullptr, IID_IShellFolder, folder.PutVoid())) ||
            folder->EnumObjects(nullptr, SHCONTF_FOLDERS, items.Put()) != S_OK) {
            return IdList();
        }
        const String name = LastComponent(Path());
        for (IdList child; items->Next(1, child.Put(), nullptr) == S_OK;) {
            if (ItemDisplayName(child.Get(), SHGDN_INFOLDER | SHGDN_FORPARSING, folder.Get()) == name) {
                return IdList(ILCombine(parent.Get(), child.Get()));
            }
        }
        return IdList();
    }

private:
    std::vector<String> levels_;
};

TEST_F(ShellPathTest, DeepFolderComesInAShortOrPrefixedForm) {
    test::TempTree tree;
    const DeepFolder deep(tree.Root());
    ASSERT_GE(deep.Path().Length(), 300u);
    ASSERT_EQ(platform::PathKind(String(u"\\\\?\\") + deep.Path()), platform::PathType::Folder);
    const IdList list = deep.List();
    ASSERT_TRUE(list);

    EXPECT_EQ(RebuildLongPath(list.Get()), deep.Path());
    const String path = IDListToPath(list.Get(), true);
    ASSERT_FALSE(path.IsEmpty());
    if (LongPrefixKind(path) == kNoLongPrefix) {
        EXPECT_LT(path.Length(), kLongPathThreshold) << path.ToUtf8();
    }
    EXPECT_TRUE(SameDirectory(path, String(u"\\\\?\\") + deep.Path())) << path.ToUtf8();

    // Without long forms the system's own conversion is all there is.
    const String plain = IDListToPath(list.Get(), false);
    EXPECT_EQ(LongPrefixKind(plain), kNoLongPrefix);
}

TEST_F(ShellPathTest, ShortPathOfLongPathsAndTheCurrentDirectory) {
    test::TempTree tree;
    const DeepFolder deep(tree.Root());
    const String before = CurrentDirectory();
    const String shortForm = ShortPathOf(String(u"\\\\?\\") + deep.Path(), kLongPathThreshold);
    if (!shortForm.IsEmpty()) {
        EXPECT_LT(shortForm.Length(), kLongPathThreshold);
        EXPECT_TRUE(SameDirectory(shortForm, String(u"\\\\?\\") + deep.Path())) << shortForm.ToUtf8();
    }
    EXPECT_EQ(ShortPathOf(String(u"\\\\?\\") + deep.Path(), 10), String());

    // A network path is walked through the current directory, which is back as it was after
    // success and after failure alike. Wine reaches no network share, so the walk itself is
    // shown on a device path of the local folder, which takes the same branch.
    EXPECT_EQ(ShortPathOf(String(u"\\\\no-such-server\\share\\") + Repeat(u'x', 300), kLongPathThreshold), String());
    EXPECT_EQ(CurrentDirectory(), before);
    const String device = String(u"\\\\.\\") + deep.Path();  // a device path takes the same walk
    const String walked = ShortPathOf(device, kLongPathThreshold);
    EXPECT_EQ(CurrentDirectory(), before);
    const String missing = ShortPathOf(device + u"\\missing", kLongPathThreshold);
    EXPECT_EQ(missing, String());
    EXPECT_EQ(CurrentDirectory(), before);
    if (walked.IsEmpty()) {
        GTEST_LOG_(INFO) << "the system did not walk the device path, so only the restored directory is checked";
    } else {
        EXPECT_TRUE(SameDirectory(walked, String(u"\\\\?\\") + deep.Path())) << walked.ToUtf8();
    }
}

}  // namespace
}  // namespace linkloom
