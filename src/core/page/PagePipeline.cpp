#include "core/page/PagePipeline.h"

namespace linkloom {

namespace {

// Enough slots ahead that the readers never run dry while the walk lists a folder, few enough
// that cancelling leaves little read for nothing.
constexpr std::size_t kSlotsAhead = 1024;
// Candidates handed to a reader at once, so that threads meet rarely.
constexpr std::size_t kBatchSize = 16;

}  // namespace

PagePipeline::PagePipeline(const SelectionOptions& options, PageNeeds needs, int readers)
    : capacity_(readers > 1 ? kSlotsAhead : 1), reader_(options, needs) {
    if (readers < 2) return;
    threads_.reserve(static_cast<std::size_t>(readers));
    for (int i = 0; i < readers; ++i) {
        threads_.emplace_back([this, options, needs] {
            PageReader reader(options, needs);
            Serve(reader);
        });
    }
}

PagePipeline::~PagePipeline() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        batches_.clear();
    }
    work_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void PagePipeline::Push(WalkSlot value) {
    if (spare_.empty()) {
        slots_.push_back(std::make_unique<Slot>());
    } else {
        slots_.push_back(std::move(spare_.back()));
        spare_.pop_back();
    }
    Slot& slot = *slots_.back();
    slot.value = std::move(value);
    if (slot.value.item.folder && slot.value.item.folder != lastFolder_) {
        lastFolder_ = slot.value.item.folder;
        slot.firstOfFolder = true;
        ++foldersHeld_;
    }
    if (!slot.value.candidate) {
        slot.ready.store(true, std::memory_order_relaxed);
    } else if (threads_.empty()) {
        slot.value.facts =
            reader_.Read(*slot.value.item.folder, slot.value.item.entry, slot.value.item.folderPath.get());
        slot.ready.store(true, std::memory_order_relaxed);
    } else {
        gathering_.push_back(&slot);
        if (gathering_.size() >= kBatchSize) Submit();
    }
}

void PagePipeline::Submit() {
    if (gathering_.empty()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        batches_.push_back(std::move(gathering_));
    }
    gathering_.clear();
    gathering_.reserve(kBatchSize);
    work_.notify_one();
}

bool PagePipeline::Pop(WalkSlot& value, bool wait) {
    if (slots_.empty()) return false;
    Slot& head = *slots_.front();
    if (!head.ready.load(std::memory_order_acquire)) {
        if (!wait) return false;
        Submit();
        while (!head.ready.load(std::memory_order_acquire)) {
            Batch batch;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                if (batches_.empty()) {
                    // Every batch is with a reader: wait for one to finish.
                    waiting_ = true;
                    done_.wait(lock, [&head] { return head.ready.load(std::memory_order_acquire); });
                    waiting_ = false;
                    break;
                }
                batch = std::move(batches_.front());
                batches_.pop_front();
            }
            ReadBatch(batch, reader_);
        }
    }
    value = std::move(head.value);
    if (head.firstOfFolder) --foldersHeld_;
    head.ready.store(false, std::memory_order_relaxed);
    head.firstOfFolder = false;
    spare_.push_back(std::move(slots_.front()));
    slots_.pop_front();
    return true;
}

void PagePipeline::Serve(PageReader& reader) {
    for (;;) {
        Batch batch;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            work_.wait(lock, [this] { return stopping_ || !batches_.empty(); });
            if (stopping_) return;
            batch = std::move(batches_.front());
            batches_.pop_front();
        }
        ReadBatch(batch, reader);
        std::lock_guard<std::mutex> lock(mutex_);
        if (waiting_) done_.notify_one();
    }
}

void PagePipeline::ReadBatch(const Batch& batch, PageReader& reader) {
    for (Slot* slot : batch) {
        slot->value.facts =
            reader.Read(*slot->value.item.folder, slot->value.item.entry, slot->value.item.folderPath.get());
        slot->ready.store(true, std::memory_order_release);
    }
}

}  // namespace linkloom
