#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "shell/AccessViolationGuard.h"
#include "shell/IdList.h"

namespace linkloom {
namespace {

// An item list built in memory: items of the given payloads, then the ending zero count.
std::vector<BYTE> MakeList(const std::vector<std::vector<BYTE>>& items) {
    std::vector<BYTE> bytes;
    for (const std::vector<BYTE>& payload : items) {
        const auto count = static_cast<USHORT>(payload.size() + sizeof(USHORT));
        bytes.push_back(static_cast<BYTE>(count & 0xFF));
        bytes.push_back(static_cast<BYTE>(count >> 8));
        bytes.insert(bytes.end(), payload.begin(), payload.end());
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

const ITEMIDLIST* AsList(const std::vector<BYTE>& bytes) { return reinterpret_cast<const ITEMIDLIST*>(bytes.data()); }

TEST(IdList, CountsWalksAndCopiesItems) {
    const std::vector<BYTE> list = MakeList({{1, 2, 3}, {4}, {5, 6}});
    EXPECT_EQ(ItemCount(AsList(list)), 3u);
    EXPECT_EQ(ItemCount(nullptr), 0u);
    EXPECT_EQ(ItemCount(AsList(MakeList({}))), 0u);
    EXPECT_EQ(reinterpret_cast<const BYTE*>(ItemAt(AsList(list), 2)), list.data() + 5 + 3);
    EXPECT_EQ(ItemAt(AsList(list), 9)->mkid.cb, 0u);

    const IdList head = CopyItems(AsList(list), 2);
    ASSERT_TRUE(head);
    EXPECT_EQ(ItemCount(head.Get()), 2u);
    EXPECT_EQ(std::memcmp(head.Get(), list.data(), 8), 0);
    EXPECT_EQ(ItemAt(head.Get(), 2)->mkid.cb, 0u);
    // The middle item alone, as a relative list of its own.
    const IdList single = CopyItems(ItemAt(AsList(list), 1), 1);
    EXPECT_EQ(ItemCount(single.Get()), 1u);
    EXPECT_EQ(single.Get()->mkid.abID[0], 4);
    EXPECT_EQ(ItemCount(CopyItems(AsList(list), 7).Get()), 3u);
    EXPECT_FALSE(CopyItems(nullptr, 1));
}

TEST(IdList, FirstItemsMatchByteForByte) {
    const std::vector<BYTE> network = MakeList({{9, 9}, {1}});
    EXPECT_TRUE(SameFirstItem(AsList(MakeList({{9, 9}, {2}, {3}})), AsList(network)));
    EXPECT_FALSE(SameFirstItem(AsList(MakeList({{9, 8}})), AsList(network)));
    EXPECT_FALSE(SameFirstItem(AsList(MakeList({{9, 9, 0}})), AsList(network)));  // same start, longer item
    EXPECT_FALSE(SameFirstItem(AsList(MakeList({})), AsList(MakeList({}))));
    EXPECT_FALSE(SameFirstItem(AsList(network), nullptr));
}

void WriteThrough(void* address) { *static_cast<volatile int*>(address) = 1; }

void RaiseOther(void* raised) {
    RaiseException(0xE0001234, 0, 0, nullptr);
    *static_cast<bool*>(raised) = true;
}

LONG CALLBACK ResumeOther(EXCEPTION_POINTERS* exception) {
    return exception->ExceptionRecord->ExceptionCode == 0xE0001234 ? EXCEPTION_CONTINUE_EXECUTION
                                                                   : EXCEPTION_CONTINUE_SEARCH;
}

TEST(AccessViolationGuard, ContainsAnAccessViolationAndPassesOthersOn) {
    int target = 0;
    EXPECT_TRUE(CallContainingAccessViolation(WriteThrough, &target));
    EXPECT_EQ(target, 1);
    EXPECT_FALSE(CallContainingAccessViolation(WriteThrough, reinterpret_cast<void*>(0x10)));
    EXPECT_FALSE(CallContainingAccessViolation(WriteThrough, reinterpret_cast<void*>(0x20)));  // again, fresh

    // Another exception goes past the guard to whoever handles it after, here a handler that
    // resumes it; the call then completes.
    PVOID later = AddVectoredExceptionHandler(0, ResumeOther);
    bool completed = false;
    EXPECT_TRUE(CallContainingAccessViolation(RaiseOther, &completed));
    EXPECT_TRUE(completed);
    RemoveVectoredExceptionHandler(later);
}

}  // namespace
}  // namespace linkloom
