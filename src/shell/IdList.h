#pragma once

#include <windows.h>
#include <shtypes.h>

#include <cstddef>
#include <utility>

namespace linkloom {

// Owns a shell item identifier list from the task allocator (the shell's allocator) and frees
// it once with CoTaskMemFree.
class IdList {
public:
    IdList() = default;
    explicit IdList(ITEMIDLIST* taken) : list_(taken) {}
    ~IdList() { Reset(); }
    IdList(const IdList&) = delete;
    IdList& operator=(const IdList&) = delete;
    IdList(IdList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    IdList& operator=(IdList&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.list_, nullptr));
        return *this;
    }

    ITEMIDLIST* Get() const { return list_; }
    explicit operator bool() const { return list_ != nullptr; }
    void Reset(ITEMIDLIST* taken = nullptr);
    ITEMIDLIST** Put() {
        Reset();
        return &list_;
    }

private:
    ITEMIDLIST* list_ = nullptr;
};

// The item after `item`; the end (a zero count) stays where it is.
const ITEMIDLIST* NextItem(const ITEMIDLIST* item);
// The number of items before the ending zero count; 0 for a null or empty list.
std::size_t ItemCount(const ITEMIDLIST* list);
// The item at `index` (0 the first); the end of the list when there are fewer items.
const ITEMIDLIST* ItemAt(const ITEMIDLIST* list, std::size_t index);
// True when both lists start with the same item, byte for byte and of the same byte count.
bool SameFirstItem(const ITEMIDLIST* list, const ITEMIDLIST* other);
// A new list of the first `count` items (all of them when there are fewer); null for a null
// list or when the
// memory cannot be had.
IdList CopyItems(const ITEMIDLIST* list, std::size_t count);

}  // namespace linkloom
