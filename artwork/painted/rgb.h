// SPDX-License-Identifier: MIT
#pragma once

namespace painted {

// Linear light before tone mapping; components may exceed 1.
struct Rgb
{
    float r = 0, g = 0, b = 0;

    Rgb &operator+=(const Rgb &o)
    {
        r += o.r;
        g += o.g;
        b += o.b;
        return *this;
    }
    friend Rgb operator+(Rgb a, const Rgb &b) { return a += b; }
    friend Rgb operator-(const Rgb &a, const Rgb &b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
    friend Rgb operator*(const Rgb &a, float k) { return {a.r * k, a.g * k, a.b * k}; }
    friend Rgb operator*(float k, const Rgb &a) { return a * k; }
    friend Rgb operator*(const Rgb &a, const Rgb &b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
};

inline Rgb mix(const Rgb &a, const Rgb &b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

} // namespace painted
