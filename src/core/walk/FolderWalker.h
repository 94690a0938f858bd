#pragma once

#include <memory>
#include <unordered_set>
#include <vector>

#include "base/String.h"
#include "core/model/WalkReport.h"
#include "core/walk/PathPattern.h"
#include "platform/Directory.h"

namespace linkloom {

enum class WalkItemKind {
    File,        // a file (anything that is not a folder) to consider
    Folder,      // a folder, entered at the next call unless the caller skips it
    FolderDone,  // the end of a folder's listing; the top folder's comes last
    LeftOut,     // an entry the walk itself leaves out: excluded, or a folder already walked
    Error,       // a folder that cannot be opened or listed; the top folder's is the only item
};

struct WalkItem {
    WalkItemKind kind = WalkItemKind::File;
    // The folder holding the entry (for FolderDone, the finished folder itself), relative to the
    // walked folder with '/' between names and after each; empty for the walked folder.
    std::shared_ptr<const String> folderPath;
    // The open folder that holds a File, through which the file is read.
    std::shared_ptr<const platform::FolderHandle> folder;
    platform::DirectoryEntry entry;
    LeftOutReason reason = LeftOutReason::Excluded;
    const PathPattern* pattern = nullptr;  // the exclusion that left it out
    platform::SystemError error;

    // The entry's path relative to the walked folder ('/' between names).
    String Path() const { return *folderPath + entry.name; }
};

// Walks a folder depth-first in listing order and yields what it meets, one item at a time: a
// pull iterator over an explicit stack of listings, so depth is limited only by memory. Each
// directory is entered at most once, wherever links lead; files and folders that match an
// exclusion are yielded as left out, and folders are not entered.
class FolderWalker {
public:
    // `folder` is a path; `exclusions` (may be null) outlive the walker.
    FolderWalker(String folder, const std::vector<PathPattern>* exclusions);

    // The next item; false once the walk has ended.
    bool Next(WalkItem& item);
    // Leaves out the folder that Next gave last: it is not entered.
    void SkipCurrentFolder() { enterPending_ = false; }

private:
    struct Level {
        String name;  // in its parent, to open it again
        std::shared_ptr<const String> path;
        // Null while a deep walk has let go of the folder to keep its descriptors few.
        std::shared_ptr<const platform::FolderHandle> handle;
        platform::FileIdentity identity;
        bool identified = false;
        std::vector<platform::DirectoryEntry> entries;
        std::size_t next = 0;
        // Set when the folder could not be opened again; its other entries are lost.
        bool lost = false;
        platform::SystemError lostError;
    };

    bool Start(WalkItem& item);
    // Opens and lists the folder that Next gave last; false with `item` set when it is not entered.
    bool Enter(WalkItem& item);
    // Lists `level`'s folder and notes it as walked; false with `item` set when it cannot be.
    bool Load(Level& level, WalkItem& item);
    static void NotEntered(WalkItem& item, const std::shared_ptr<const String>& folderPath, const String& name);
    // Ends the deepest level.
    void Leave();
    void LetGoOfShallowFolders();
    void RegainFolder(std::size_t index);
    bool Excluded(WalkItem& item, bool isFolder) const;

    String root_;
    const std::vector<PathPattern>* exclusions_;
    std::vector<Level> levels_;
    std::unordered_set<platform::FileIdentity, platform::FileIdentityHash> walked_;
    std::size_t openFolders_ = 0;
    // The shallowest level below the walked folder that may still hold its folder open.
    std::size_t firstHeld_ = 1;
    bool started_ = false;
    bool enterPending_ = false;
    String pending_;  // the name of the folder Next gave last
};

}  // namespace linkloom
