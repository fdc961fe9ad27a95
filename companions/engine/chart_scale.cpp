#include "companions/engine/chart_scale.h"

namespace uvlog {

int scaledLength(std::uint64_t value, std::uint64_t maximum, int fullLength)
{
    if (value == 0 || maximum == 0 || fullLength <= 0)
        return 0;
    if (value >= maximum)
        return fullLength;
    // In long double: value * fullLength overflows for saturated sums.
    const long double exact = static_cast<long double>(value) * fullLength / maximum;
    const int rounded = static_cast<int>(exact + 0.5L);
    return rounded < 1 ? 1 : rounded;
}

ChartAxis hourAxis(std::uint64_t maximumSeconds)
{
    constexpr std::uint64_t hour = 3600;
    constexpr std::uint64_t maximumLines = 6;
    static constexpr std::uint64_t niceSteps[] = {1, 2, 3, 4, 6, 12, 24};
    std::uint64_t hours = maximumSeconds / hour + (maximumSeconds % hour != 0 ? 1 : 0);
    if (hours == 0)
        hours = 1;
    std::uint64_t step = 0;
    for (std::uint64_t candidate : niceSteps) {
        if ((hours + candidate - 1) / candidate <= maximumLines) {
            step = candidate;
            break;
        }
    }
    if (step == 0) {
        step = 48;
        while ((hours + step - 1) / step > maximumLines)
            step *= 2;
    }
    const std::uint64_t lines = (hours + step - 1) / step;
    const std::uint64_t most = ~std::uint64_t{0};
    const std::uint64_t topHours = lines * step;
    return ChartAxis{topHours > most / hour ? most : topHours * hour, step * hour};
}

}  // namespace uvlog
