// Where the interface module's hot-key slots may lie. The table starts at 0x3210, and the
// program takes slots only wholly below the message line's seconds at 0x32FA, whatever count
// the server reports: a slot further on would overlap the message line, the hot-key counter
// and the offsets after them, which the program reads and writes for their own sake.
#pragma once

#include <cstdint>
#include <optional>

#include "deck/SimData.h"

namespace hf {

inline constexpr std::uint32_t HotKeySlotSize = 4;
inline constexpr std::uint32_t MaxHotKeySlots =
    (offsets::MessageSeconds - offsets::HotKeySlots) / HotKeySlotSize;

// Whether an offset is one of those slots (a recorded slot field before it is used).
constexpr bool IsHotKeySlot(std::uint32_t offset) {
    return offset >= offsets::HotKeySlots &&
           (offset - offsets::HotKeySlots) % HotKeySlotSize == 0 &&
           (offset - offsets::HotKeySlots) / HotKeySlotSize < MaxHotKeySlots;
}

// The offset of slot `index`; none when the arithmetic overflows or the slot lies beyond
// the last one the program may take.
constexpr std::optional<std::uint32_t> HotKeySlotOffset(std::uint32_t index) {
    std::uint32_t bytes = 0;
    std::uint32_t offset = 0;
    if (__builtin_mul_overflow(index, HotKeySlotSize, &bytes) ||
        __builtin_add_overflow(offsets::HotKeySlots, bytes, &offset) || !IsHotKeySlot(offset)) {
        return std::nullopt;
    }
    return offset;
}

static_assert(MaxHotKeySlots == 58 && HotKeySlotOffset(57) == 0x32F4u &&
              !HotKeySlotOffset(58) && !HotKeySlotOffset(0xFFFFFFFFu));

}  // namespace hf
