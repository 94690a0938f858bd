#include "shell/IdListPath.h"

#include <vector>

#include "base/PathText.h"
#include "shell/AccessViolationGuard.h"
#include "shell/IdList.h"
#include "shell/PathParts.h"
#include "shell/ShellItems.h"
#include "shell/ShellNamespace.h"
#include "shell/ShortPath.h"

namespace linkloom {

namespace {

// Room for what SHGetPathFromIDListW writes (MAX_PATH), with a margin.
constexpr std::size_t kShellPathRoom = 1040;

struct PathCall {
    const ITEMIDLIST* list;
    wchar_t* buffer;
    BOOL succeeded;
};

void CallPathFromIDList(void* argument) {
    auto* call = static_cast<PathCall*>(argument);
    call->succeeded = SHGetPathFromIDListW(call->list, call->buffer);
}

bool StartsAtRoot(const ITEMIDLIST* list, const ITEMIDLIST* root) { return root && SameFirstItem(list, root); }

// How many leading items SHGetPathFromIDListW must convert before the rest can be named.
std::size_t RootItemCount(const ITEMIDLIST* list) {
    const bool network = StartsAtRoot(list, ShellNamespace::NetworkList()) ||
                         StartsAtRoot(list, ShellNamespace::InternetList()) ||
                         StartsAtRoot(list, ShellNamespace::HomeGroupList());
    return (network ? ShellNamespace::NetworkRootDepth() : 2) + 1;
}

}  // namespace

String PathFromIDList(const ITEMIDLIST* list) {
    if (!list) return {};
    std::vector<wchar_t> buffer(kShellPathRoom, L'\0');
    PathCall call{list, buffer.data(), FALSE};
    const bool completed = CallContainingAccessViolation(CallPathFromIDList, &call);
    if (completed && !call.succeeded) return {};
    buffer.back() = L'\0';
    return String::FromWide(buffer.data());
}

String RebuildLongPath(const ITEMIDLIST* list) {
    const std::size_t count = ItemCount(list);
    const std::size_t rootItems = RootItemCount(list);
    IShellFolder* fileSystem = ShellNamespace::FileSystemFolder();
    if (count < rootItems || !fileSystem) return {};
    String path = PathFromIDList(CopyItems(list, rootItems).Get());
    if (path.IsEmpty()) return path;
    for (const ITEMIDLIST* item = ItemAt(list, rootItems); item->mkid.cb != 0; item = NextItem(item)) {
        const IdList single = CopyItems(item, 1);
        WIN32_FIND_DATAW data{};
        if (!single || FAILED(SHGetDataFromIDListW(fileSystem, single.Get(), SHGDFIL_FINDDATA, &data, sizeof data)) ||
            data.cFileName[0] == L'\0') {
            return {};
        }
        if (!path.EndsWith(u'\\')) path += u'\\';
        path += String::FromWide(data.cFileName);
    }
    return path;
}

String IDListToPath(const ITEMIDLIST* list, bool longForms) {
    if (!list) return {};
    String text;
    if (list->mkid.cb == 0) {
        text = ItemDisplayName(ShellNamespace::DesktopDirectoryList(), SHGDN_FORPARSING, ShellNamespace::Desktop());
    } else {
        text = PathFromIDList(list);
        // Wine cuts a path that does not fit MAX_PATH and reports success where Windows fails;
        // a rebuilt path that goes on where the cut one ends shows which it was.
        if (longForms && (text.IsEmpty() || text.Length() == MAX_PATH - 1)) {
            const String rebuilt = RebuildLongPath(list);
            if (text.IsEmpty() || (rebuilt.Length() > text.Length() && rebuilt.StartsWith(text))) text = rebuilt;
        }
    }
    if (text.Length() >= kLongPathThreshold)
        text = LongPathForm(text, ShortPathOf(text, kLongPathThreshold), longForms);
    return text;
}

String IDListToName(const ITEMIDLIST* list, IShellFolder* folder, DWORD flags) {
    if (!list) return {};
    const std::size_t count = ItemCount(list);
    String name;
    ComRef<IShellFolder> current = ComRef<IShellFolder>::Share(folder ? folder : ShellNamespace::Desktop());
    HRESULT status = S_OK;
    std::size_t named = 0;
    for (const ITEMIDLIST* item = list; named < count; item = NextItem(item)) {
        const IdList single = CopyItems(item, 1);
        name += ItemDisplayName(single.Get(), flags, current.Get());
        ++named;
        if (named == count) break;
        if (!name.IsEmpty() && !name.EndsWith(u'\\')) name += u'\\';
        ComRef<IShellFolder> child;
        status = current ? current->BindToObject(single.Get(), nullptr, IID_IShellFolder, child.PutVoid()) : E_FAIL;
        if (SUCCEEDED(status) && !child) status = E_FAIL;
        if (FAILED(status)) break;
        current = std::move(child);
    }
    current.Reset();
    if (name.IsEmpty() || SUCCEEDED(status)) return name;

    // The folder of item `named` could not be opened: the rest is named from the file system.
    for (std::size_t index = named; index < count; ++index) {
        WIN32_FIND_DATAW data{};
        status = FindDataOf(CopyItems(list, index + 1).Get(), data);
        if (FAILED(status)) break;
        if (data.cFileName[0] == L'\0') continue;
        name += String::FromWide(data.cFileName);
        if (index + 1 < count) name += u'\\';
    }
    if (FAILED(status)) name += u"@@@";
    return name;
}

}  // namespace linkloom
