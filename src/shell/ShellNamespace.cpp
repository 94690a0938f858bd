#include "shell/ShellNamespace.h"

#include <knownfolders.h>

#include "shell/ComRef.h"
#include "shell/IdList.h"
#include "shell/ShellItems.h"

namespace linkloom {

namespace {

struct Members {
    ComRef<IMalloc> allocator;
    ComRef<IShellFolder> desktop;
    IdList desktopDirectory;
    IdList network;
    IdList documents;
    IdList internet;
    IdList homeGroup;
    ComRef<IShellFolder> fileSystem;
    std::size_t networkRootDepth = 3;
};

Members members;

IdList SpecialFolder(int csidl) {
    IdList list;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, list.Put()))) list.Reset();
    return list;
}

// SHGetKnownFolderIDList exists from Vista on only, so it is looked up once at run time.
IdList KnownFolder(REFKNOWNFOLDERID id) {
    using Function = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PIDLIST_ABSOLUTE*);
    static const auto function = reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"shell32.dll"), "SHGetKnownFolderIDList")));
    IdList list;
    if (function && FAILED(function(id, 0, nullptr, list.Put()))) list.Reset();
    return list;
}

std::size_t NetworkDepthOfSystem() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    version.dwMajorVersion = 6;  // a failing call counts as Vista or later
    GetVersionExW(&version);
    return version.dwMajorVersion < 6 ? 6 : 3;
}

// An ordinary file-system folder: the parent of the Windows folder, or of the application data.
ComRef<IShellFolder> OrdinaryFileSystemFolder() {
    IdList location = ParseLocation(u"%WINDIR%");
    if (!location) location = ParseLocation(u"shell:appdata");
    return BindToParent(location.Get(), nullptr);
}

}  // namespace

bool ShellNamespace::Start() {
    SHGetMalloc(members.allocator.Put());
    SHGetDesktopFolder(members.desktop.Put());
    members.desktopDirectory = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
    members.network = SpecialFolder(CSIDL_NETWORK);
    if (!members.allocator || !members.desktop || !members.desktopDirectory) return false;
    members.fileSystem = OrdinaryFileSystemFolder();
    members.documents = SpecialFolder(CSIDL_PERSONAL);
    members.internet = SpecialFolder(CSIDL_INTERNET);
    members.homeGroup = KnownFolder(FOLDERID_HomeGroup);
    members.networkRootDepth = NetworkDepthOfSystem();
    return true;
}

void ShellNamespace::Stop() {
    members.desktopDirectory.Reset();
    members.network.Reset();
    members.documents.Reset();
    members.internet.Reset();
    members.homeGroup.Reset();
    members.fileSystem.Reset();
    members.allocator.Reset();
    members.desktop.Reset();
}

IMalloc* ShellNamespace::Allocator() { return members.allocator.Get(); }
IShellFolder* ShellNamespace::Desktop() { return members.desktop.Get(); }
const ITEMIDLIST* ShellNamespace::DesktopDirectoryList() { return members.desktopDirectory.Get(); }
const ITEMIDLIST* ShellNamespace::NetworkList() { return members.network.Get(); }
const ITEMIDLIST* ShellNamespace::DocumentsList() { return members.documents.Get(); }
const ITEMIDLIST* ShellNamespace::InternetList() { return members.internet.Get(); }
const ITEMIDLIST* ShellNamespace::HomeGroupList() { return members.homeGroup.Get(); }
IShellFolder* ShellNamespace::FileSystemFolder() { return members.fileSystem.Get(); }
std::size_t ShellNamespace::NetworkRootDepth() { return members.networkRootDepth; }

}  // namespace linkloom
