#include "images/Kernels.h"

#include <cmath>

// Every expression is evaluated in extended precision (long double) and rounded to a float
// exactly where a 32-bit quantity is stored: a kernel's argument and result, t, s, y and
// (2 - t). The fractions and pi are extended-precision constants.
namespace {

using Extended = long double;

constexpr Extended pi = 3.141592653589793238462643383279502884L;
constexpr Extended twoThirds = 2.0L / 3.0L;
constexpr Extended oneSixth = 1.0L / 6.0L;
constexpr Extended sixteenThirds = 16.0L / 3.0L;
constexpr Extended sevenThirds = 7.0L / 3.0L;
constexpr Extended thirtyTwoThirds = 32.0L / 3.0L;

float toFloat(Extended v) {
    return static_cast<float>(v);
}

} // namespace

float boxKernel(float x) {
    // The right edge belongs to the box, the left one does not.
    return (x > -0.5f && x <= 0.5f) ? 1.0f : 0.0f;
}

float triangleKernel(float x) {
    const float t = std::fabs(x);
    return t < 1.0f ? toFloat(1.0L - t) : 0.0f;
}

float hermiteKernel(float x) {
    const float t = std::fabs(x);
    if (t < 1.0f) {
        return toFloat((2.0L * t - 3.0L) * t * t + 1.0L);
    }
    return 0.0f;
}

float bellKernel(float x) {
    const float t = std::fabs(x);
    if (t < 0.5f) {
        return toFloat(0.75L - Extended{t} * t);
    }
    if (t < 1.5f) {
        return toFloat(0.5L * (t - 1.5L) * (t - 1.5L));
    }
    return 0.0f;
}

float bSplineKernel(float x) {
    const float t = std::fabs(x);
    const float s = toFloat(Extended{t} * t);
    if (t < 1.0f) {
        return toFloat(0.5L * s * t - s + twoThirds);
    }
    if (t < 2.0f) {
        const float u = toFloat(2.0L - t);
        return toFloat(oneSixth * (Extended{u} * u * u));
    }
    return 0.0f;
}

float sincExtended(float x) {
    if (x == 0.0f) {
        return 1.0f;
    }
    const float y = toFloat(x * pi);
    return toFloat(std::sin(Extended{y}) / y);
}

float sinc(float x) {
    if (x == 0.0f) {
        return 1.0f;
    }
    const float y = toFloat(x * pi);
    // The extended-precision sine is slow. In double precision sin(y) / y is within 2^-50 of
    // the exact quotient (sin is accurate to an ulp, the division to half an ulp), and so is
    // the extended-precision one. So where every value within 2^-40 of the double quotient
    // rounds to the same float, that float is also what the extended-precision quotient
    // rounds to. Otherwise, about once in 30000 arguments, it is computed as defined.
    const double quotient = std::sin(double{y}) / double{y};
    const auto nearest = static_cast<float>(quotient);
    if (static_cast<float>(quotient * (1.0 - 0x1p-40)) == nearest &&
        static_cast<float>(quotient * (1.0 + 0x1p-40)) == nearest) {
        return nearest;
    }
    return sincExtended(x);
}

float lanczos3Kernel(float x) {
    const float t = std::fabs(x);
    if (t < 3.0f) {
        // In double precision, as fast as and equal to extended precision here: the product of
        // two floats is exact in a double, and t / 3, whose bits beyond a float's repeat 01 or
        // 10, never rounds onto the midpoint between two floats, in a double or a long double.
        const auto third = static_cast<float>(double{t} / 3.0);
        return static_cast<float>(double{sinc(t)} * double{sinc(third)});
    }
    return 0.0f;
}

float mitchellKernel(float x) {
    const float t = std::fabs(x);
    const float s = toFloat(Extended{t} * t);
    if (t < 1.0f) {
        return toFloat((7.0L * t * s - 12.0L * s + sixteenThirds) / 6.0L);
    }
    if (t < 2.0f) {
        return toFloat((-sevenThirds * t * s + 12.0L * s - 20.0L * t + thirtyTwoThirds) / 6.0L);
    }
    return 0.0f;
}

const std::array<KernelTableEntry, 7> KernelTable{{
    {"Box", boxKernel, 0.5f},
    {"Triangle", triangleKernel, 1.0f},
    {"Hermite", hermiteKernel, 1.0f},
    {"Bell", bellKernel, 1.5f},
    {"B-Spline", bSplineKernel, 2.0f},
    {"Lanczos3", lanczos3Kernel, 3.0f},
    {"Mitchell", mitchellKernel, 2.0f},
}};

const KernelTableEntry* findKernel(std::string_view name) {
    for (const auto& entry : KernelTable) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}
