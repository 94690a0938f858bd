#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "core/model/WalkReport.h"
#include "core/page/PageReader.h"
#include "core/walk/FolderWalker.h"

namespace linkloom {

// One walk item on its way to the steps after the walk.
struct WalkSlot {
    WalkItem item;
    // Why the walk's own steps left it out already (name, extension, subfolders off).
    std::optional<LeftOutReason> leftOut;
    // A file whose page facts are to be read.
    bool candidate = false;
    PageFacts facts;
};

// Carries the walk's items to the steps after it in walk order, reading each candidate's page
// facts on the way: inline on the calling thread, or on a pool of threads that runs ahead of the
// walk by a bounded number of items.
class PagePipeline {
public:
    // `readers` threads read pages; with fewer than 2 the calling thread reads each as it comes.
    PagePipeline(const SelectionOptions& options, PageNeeds needs, int readers);
    // Stops the threads; slots not yet taken are dropped.
    ~PagePipeline();
    PagePipeline(const PagePipeline&) = delete;
    PagePipeline& operator=(const PagePipeline&) = delete;

    // Takes the next slot in walk order.
    void Push(WalkSlot slot);
    // True when no slot may be pushed before one is taken.
    bool Full() const { return slots_.size() >= capacity_ || foldersHeld_ >= kFoldersAhead; }
    // True when even a walk that may run far ahead pushes no more before one is taken.
    bool FarAhead() const { return slots_.size() >= kMostAhead || foldersHeld_ >= kFoldersAhead; }
    // The oldest slot once its page has been read; false when there is none ready. With `wait`,
    // waits for it, helping to read, and is false only when no slot is left.
    bool Pop(WalkSlot& slot, bool wait);

private:
    // How far a walk may run ahead while what the steps need is not ready yet: bounded so that
    // the slots of a large tree do not all wait in memory.
    static constexpr std::size_t kMostAhead = 65536;
    // Each waiting slot keeps its folder open; a tree of many small folders must not use up the
    // process's descriptors (256 by default on some systems), which git and the readers need too.
    static constexpr std::size_t kFoldersAhead = 64;
    struct Slot {
        WalkSlot value;
        std::atomic<bool> ready{false};
        bool firstOfFolder = false;  // its folder differs from the slot's before it
    };
    // Slots live apart so that readers may hold them while the queue moves; a taken slot is kept
    // for the next push rather than freed, as a tree's files come by the hundred thousand.
    using SlotPointer = std::unique_ptr<Slot>;
    using Batch = std::vector<Slot*>;

    void Submit();
    void Serve(PageReader& reader);
    static void ReadBatch(const Batch& batch, PageReader& reader);

    std::size_t capacity_;
    PageReader reader_;
    std::deque<SlotPointer> slots_;
    std::vector<SlotPointer> spare_;
    // The folder of the last slot pushed, held so that a new folder cannot reuse its address.
    std::shared_ptr<const platform::FolderHandle> lastFolder_;
    std::size_t foldersHeld_ = 0;  // slots waiting that are the first of their folder
    Batch gathering_;

    std::mutex mutex_;
    std::condition_variable work_;
    std::condition_variable done_;
    std::deque<Batch> batches_;
    bool stopping_ = false;
    bool waiting_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace linkloom
