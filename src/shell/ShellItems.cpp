#include "shell/ShellItems.h"

#include <cstring>
#include <string>

#include "base/PathText.h"
#include "shell/Environment.h"
#include "shell/ShellNamespace.h"

namespace linkloom {

namespace {

String FromAnsi(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    return String::FromWide(wide.c_str());
}

void FreeShellText(wchar_t* text) {
    if (IMalloc* allocator = ShellNamespace::Allocator()) {
        allocator->Free(text);
    } else {
        CoTaskMemFree(text);
    }
}

}  // namespace

IdList ParseLocation(const String& text) {
    IShellFolder* desktop = ShellNamespace::Desktop();
    if (text.IsEmpty() || !desktop) return IdList();
    String location = text;
    const std::ptrdiff_t percent = location.Find(u'%');
    if (percent != String::npos && location.Find(u'%', static_cast<std::size_t>(percent) + 1) != String::npos) {
        ExpandEnvironment(location);
    }
    location = StripLongPrefix(location);
    IdList list;
    if (FAILED(desktop->ParseDisplayName(GetFocus(), nullptr, const_cast<wchar_t*>(location.Wide()), nullptr,
                                         list.Put(), nullptr))) {
        list.Reset();
    }
    return list;
}

ComRef<IShellFolder> BindToParent(const ITEMIDLIST* list, const ITEMIDLIST** last) {
    const std::size_t count = ItemCount(list);
    if (count == 0) return {};
    if (last) *last = ItemAt(list, count - 1);
    ComRef<IShellFolder> folder;
    if (count == 1) {
        SHGetDesktopFolder(folder.Put());
        return folder;
    }
    IShellFolder* desktop = ShellNamespace::Desktop();
    const IdList parent = CopyItems(list, count - 1);
    if (!desktop || !parent ||
        FAILED(desktop->BindToObject(parent.Get(), nullptr, IID_IShellFolder, folder.PutVoid()))) {
        folder.Reset();
    }
    return folder;
}

String ItemDisplayName(const ITEMIDLIST* item, DWORD flags, IShellFolder* folder) {
    if (!folder || !item) return {};
    STRRET name{};
    name.uType = STRRET_OFFSET;
    if (FAILED(folder->GetDisplayNameOf(item, flags, &name))) return {};
    switch (name.uType) {
    case STRRET_WSTR: {
        const String text = String::FromWide(name.pOleStr);
        FreeShellText(name.pOleStr);
        return text;
    }
    case STRRET_OFFSET: return FromAnsi(reinterpret_cast<const char*>(item) + name.uOffset);
    case STRRET_CSTR: name.cStr[sizeof name.cStr - 1] = '\0'; return FromAnsi(name.cStr);
    default: return {};
    }
}

HRESULT FindDataOf(const ITEMIDLIST* list, WIN32_FIND_DATAW& data) {
    const ITEMIDLIST* last = nullptr;
    ComRef<IShellFolder> folder = BindToParent(list, &last);
    if (!last) return E_INVALIDARG;
    if (!folder) folder = ComRef<IShellFolder>::Share(ShellNamespace::FileSystemFolder());
    if (!folder) return E_FAIL;
    return SHGetDataFromIDListW(folder.Get(), last, SHGDFIL_FINDDATA, &data, sizeof data);
}

}  // namespace linkloom
