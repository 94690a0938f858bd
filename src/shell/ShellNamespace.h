#pragma once

#include <windows.h>
#include <shlobj.h>

namespace linkloom {

// The process-wide shell objects that folder paths and the folder browser need. Start runs
// once after CoInitialize and before the main dialog exists, Stop once after the message loop
// and before CoUninitialize; in between every member is fixed. A member that could not be had
// stays null.
class ShellNamespace {
public:
    // True when the allocator, the desktop folder and the desktop's file-system folder were had;
    // the later members are then tried too.
    static bool Start();
    static void Stop();

    static IMalloc* Allocator();
    static IShellFolder* Desktop();
    // The file-system folder behind the desktop (CSIDL_DESKTOPDIRECTORY).
    static const ITEMIDLIST* DesktopDirectoryList();
    static const ITEMIDLIST* NetworkList();
    static const ITEMIDLIST* DocumentsList();
    static const ITEMIDLIST* InternetList();
    static const ITEMIDLIST* HomeGroupList();
    // A folder of the file system, for reading the find data of file-system items.
    static IShellFolder* FileSystemFolder();
    // How many items lead to a network share's folder: 6 before Vista, 3 from Vista on.
    static std::size_t NetworkRootDepth();
};

}  // namespace linkloom
