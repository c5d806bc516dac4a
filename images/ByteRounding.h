#pragma once

#include <cmath>
#include <cstdint>

// A weighted sum becomes a byte: 255 above 255, 0 below 0, otherwise the nearest integer with
// ties to even (nearbyint in the default rounding mode).
inline std::uint8_t sumToByte(float sum) {
    if (sum > 255.0f) {
        return 255;
    }
    if (sum < 0.0f) {
        return 0;
    }
    return static_cast<std::uint8_t>(std::nearbyint(sum));
}

// One step of a running sum: the exact value of sum + byte * weight, rounded once to a float.
inline float addWeighted(float sum, std::uint8_t byte, float weight) {
    return std::fma(static_cast<float>(byte), weight, sum);
}
