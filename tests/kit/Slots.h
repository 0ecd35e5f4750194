#pragma once
// Virtual slot order: where a virtual member function sits in its class's table, so that tests can check that
// derived classes find operations in the documented order.
#include <cstddef>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace kit
{
// Under the C++ ABI of this compiler a pointer to a virtual member holds one plus its slot's byte offset.
template <class TMember>
std::ptrdiff_t SlotOffset(TMember pMember)
{
    struct
    {
        std::size_t uFunction;
        std::ptrdiff_t nAdjust;
    } raw;
    static_assert(sizeof(raw) == sizeof(pMember), "a two-word member pointer");
    std::memcpy(&raw, &pMember, sizeof(raw));
    return static_cast<std::ptrdiff_t>(raw.uFunction) - 1;
}

// The slots follow each other without gaps, in the order given.
inline void ExpectConsecutiveSlots(const std::vector<std::ptrdiff_t>& vecSlots)
{
    for (std::size_t i = 1; i < vecSlots.size(); ++i)
        EXPECT_EQ(vecSlots[0] + static_cast<std::ptrdiff_t>(i * sizeof(void*)), vecSlots[i]) << "operation " << i;
}
}
