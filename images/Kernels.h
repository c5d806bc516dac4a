#pragma once

#include <array>
#include <string_view>

// A reconstruction kernel: the weight of a sample at distance x. Arguments, intermediates and
// results are 32-bit floats; each kernel is zero at and beyond its support (the box kernel
// includes its right edge).
using KernelFunction = float (*)(float x);

float boxKernel(float x);
float triangleKernel(float x);
float hermiteKernel(float x);
float bellKernel(float x);
float bSplineKernel(float x);
float lanczos3Kernel(float x);
float mitchellKernel(float x);

// The normalised sinc: 1 at 0, otherwise sin(y) / y with y = x * pi rounded to a float, the
// quotient evaluated in extended precision and rounded to a float.
float sinc(float x);
// The same, always evaluated in extended precision: slower, and the same float for every x.
float sincExtended(float x);

struct KernelTableEntry {
    std::string_view name;
    KernelFunction kernel;
    float support;
};

// The seven kernels by name, in their fixed order: "Box", "Triangle", "Hermite", "Bell",
// "B-Spline", "Lanczos3", "Mitchell".
extern const std::array<KernelTableEntry, 7> KernelTable;

// The entry of that exact name, or nullptr.
const KernelTableEntry* findKernel(std::string_view name);
