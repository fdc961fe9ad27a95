#pragma once
// Sums and products of seconds and digits that stop at the largest count
// instead of wrapping: a damaged or hostile log may hold any number, and a
// wrapped total would look like a small, believable one.

#include <cstdint>
#include <limits>

namespace uvlog {

constexpr std::uint64_t saturated = std::numeric_limits<std::uint64_t>::max();

constexpr std::uint64_t addSaturating(std::uint64_t a, std::uint64_t b)
{
    return a > saturated - b ? saturated : a + b;
}

constexpr std::uint64_t multiplySaturating(std::uint64_t a, std::uint64_t b)
{
    return b != 0 && a > saturated / b ? saturated : a * b;
}

}  // namespace uvlog
