#include "shell/IdList.h"

#include <objbase.h>

#include <cstring>

namespace linkloom {

void IdList::Reset(ITEMIDLIST* taken) {
    if (list_ && list_ != taken) CoTaskMemFree(list_);
    list_ = taken;
}

const ITEMIDLIST* NextItem(const ITEMIDLIST* item) {
    if (!item || item->mkid.cb == 0) return item;
    return reinterpret_cast<const ITEMIDLIST*>(reinterpret_cast<const BYTE*>(item) + item->mkid.cb);
}

std::size_t ItemCount(const ITEMIDLIST* list) {
    std::size_t count = 0;
    for (; list && list->mkid.cb != 0; list = NextItem(list)) ++count;
    return count;
}

const ITEMIDLIST* ItemAt(const ITEMIDLIST* list, std::size_t index) {
    for (; index > 0 && list && list->mkid.cb != 0; --index) list = NextItem(list);
    return list;
}

bool SameFirstItem(const ITEMIDLIST* list, const ITEMIDLIST* other) {
    if (!list || !other || list->mkid.cb == 0 || list->mkid.cb != other->mkid.cb) return false;
    return std::memcmp(list, other, list->mkid.cb) == 0;
}

IdList CopyItems(const ITEMIDLIST* list, std::size_t count) {
    if (!list) return IdList();
    const auto* start = reinterpret_cast<const BYTE*>(list);
    const auto* end = reinterpret_cast<const BYTE*>(ItemAt(list, count));
    const auto bytes = static_cast<std::size_t>(end - start);
    auto* copy = static_cast<BYTE*>(CoTaskMemAlloc(bytes + sizeof(USHORT)));
    if (!copy) return IdList();
    if (bytes) std::memcpy(copy, start, bytes);
    std::memset(copy + bytes, 0, sizeof(USHORT));
    return IdList(reinterpret_cast<ITEMIDLIST*>(copy));
}

}  // namespace linkloom
