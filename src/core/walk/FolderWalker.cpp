#include "core/walk/FolderWalker.h"

namespace linkloom {

namespace {

// The folder opened, or null with `error` saying why.
std::shared_ptr<const platform::FolderHandle> Opened(platform::FolderHandle::Opened opened,
                                                     platform::SystemError& error) {
    if (opened) return *opened;
    error = opened.Failure();
    return nullptr;
}

}  // namespace

FolderWalker::FolderWalker(String folder, const std::vector<PathPattern>* exclusions)
    : root_(std::move(folder)), exclusions_(exclusions) {}

bool FolderWalker::Next(WalkItem& item) {
    item = WalkItem{};
    if (!started_) {
        started_ = true;
        if (!Start(item)) return true;
    }
    if (enterPending_) {
        enterPending_ = false;
        if (!Enter(item)) return true;
    }
    while (!levels_.empty()) {
        Level& level = levels_.back();
        if (level.lost) {
            // The folder could not be opened again after a deep walk let go of it.
            level.lost = false;
            level.next = level.entries.size();
            item.kind = WalkItemKind::Error;
            item.folderPath = levels_[levels_.size() - 2].path;
            item.entry.name = level.name;
            item.entry.type = platform::EntryType::Folder;
            item.error = level.lostError;
            return true;
        }
        if (level.next == level.entries.size()) {
            item.kind = WalkItemKind::FolderDone;
            item.folderPath = level.path;
            Leave();
            return true;
        }
        item.folderPath = level.path;
        item.entry = std::move(level.entries[level.next++]);
        const bool isFolder = item.entry.type == platform::EntryType::Folder;
        if (Excluded(item, isFolder)) return true;
        if (isFolder) {
            item.kind = WalkItemKind::Folder;
            pending_ = item.entry.name;
            enterPending_ = true;
        } else {
            item.kind = WalkItemKind::File;
            item.folder = level.handle;
        }
        return true;
    }
    return false;
}

bool FolderWalker::Start(WalkItem& item) {
    Level level;
    level.path = std::make_shared<const String>();
    level.handle = Opened(platform::FolderHandle::Open(root_), item.error);
    if (!level.handle || !Load(level, item)) {
        NotEntered(item, level.path, String());
        return false;
    }
    levels_.push_back(std::move(level));
    ++openFolders_;
    return true;
}

bool FolderWalker::Enter(WalkItem& item) {
    const Level& parent = levels_.back();
    Level level;
    level.name = pending_;
    level.path = std::make_shared<const String>(*parent.path + pending_ + u'/');
    level.handle = Opened(parent.handle->OpenFolder(pending_), item.error);
    if (!level.handle || !Load(level, item)) {
        NotEntered(item, parent.path, pending_);
        return false;
    }
    levels_.push_back(std::move(level));
    ++openFolders_;
    LetGoOfShallowFolders();
    return true;
}

// The folder `name` in `folderPath` was not entered: an error, unless Load found it walked already.
void FolderWalker::NotEntered(WalkItem& item, const std::shared_ptr<const String>& folderPath, const String& name) {
    if (item.kind != WalkItemKind::LeftOut) item.kind = WalkItemKind::Error;
    item.folderPath = folderPath;
    item.entry.name = name;
    item.entry.type = platform::EntryType::Folder;
}

bool FolderWalker::Load(Level& level, WalkItem& item) {
    level.identified = level.handle->Identify(level.identity);
    if (level.identified && !walked_.insert(level.identity).second) {
        item.kind = WalkItemKind::LeftOut;
        item.reason = LeftOutReason::AlreadyWalked;
        return false;
    }
    auto failure = level.handle->List(level.entries);
    if (failure) item.error = std::move(*failure);
    return !failure;
}

void FolderWalker::Leave() {
    const std::size_t index = levels_.size() - 1;
    if (index > 0 && !levels_[index - 1].handle) RegainFolder(index - 1);
    if (levels_.back().handle) --openFolders_;
    levels_.pop_back();
}

// Keeps the deepest folders open and lets go of the shallow ones, the walked folder excepted.
void FolderWalker::LetGoOfShallowFolders() {
    while (openFolders_ > platform::kMostOpenFolders && firstHeld_ + 1 < levels_.size()) {
        if (levels_[firstHeld_].handle) {
            levels_[firstHeld_].handle.reset();
            --openFolders_;
        }
        ++firstHeld_;
    }
}

// Opens the folder at `index` again, from its subfolder at index + 1, which is still open: through
// "..", or, when a link led into the subfolder, down from the nearest folder still held.
void FolderWalker::RegainFolder(std::size_t index) {
    Level& level = levels_[index];
    const auto isTheSame = [&level](const std::shared_ptr<const platform::FolderHandle>& handle) {
        platform::FileIdentity identity;
        return handle && level.identified && handle->Identify(identity) && identity == level.identity;
    };
    platform::SystemError error;
    std::shared_ptr<const platform::FolderHandle> handle;
    if (const auto& below = levels_[index + 1].handle) handle = Opened(below->OpenFolder(u".."), error);
    if (!isTheSame(handle)) {
        std::size_t from = index;
        while (!levels_[from].handle) --from;
        handle = levels_[from].handle;
        for (std::size_t i = from + 1; handle && i <= index; ++i)
            handle = Opened(handle->OpenFolder(levels_[i].name), error);
        if (handle && !isTheSame(handle)) handle = nullptr;
    }
    firstHeld_ = index;
    if (!handle) {
        level.lost = true;
        level.lostError = error;
        return;
    }
    level.handle = std::move(handle);
    ++openFolders_;
}

bool FolderWalker::Excluded(WalkItem& item, bool isFolder) const {
    if (!exclusions_ || exclusions_->empty()) return false;
    item.pattern = FirstMatch(*exclusions_, item.Path(), isFolder);
    if (!item.pattern) return false;
    item.kind = WalkItemKind::LeftOut;
    item.reason = LeftOutReason::Excluded;
    return true;
}

}  // namespace linkloom
