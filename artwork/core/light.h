// SPDX-License-Identifier: MIT
#pragma once

// core::Light, the renderer's one colour type: linear light, before the
// develop step. 1 is about the white point; components may exceed it (star
// cores do) and are rolled off or saturated only when the picture is developed.
//
//   Light a{1.0f, 0.4f, 0.2f};
//   a * 0.5f, a + b, a * b (filter), mix(a, b, t), a.mean()
//   Light::fromColourIndex(bv)     // a star's colour from its B-V index
//   a.saturated(k)                 // pushes a colour away from (k > 1) or towards grey

#include <algorithm>

namespace core {

struct Light
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;

    constexpr Light() = default;
    constexpr Light(float red, float green, float blue) : r(red), g(green), b(blue) {}
    static constexpr Light grey(float v) { return {v, v, v}; }

    Light &operator+=(const Light &o)
    {
        r += o.r;
        g += o.g;
        b += o.b;
        return *this;
    }
    Light &operator*=(float k)
    {
        r *= k;
        g *= k;
        b *= k;
        return *this;
    }
    friend Light operator+(Light a, const Light &o) { return a += o; }
    friend Light operator-(const Light &a, const Light &o)
    {
        return {a.r - o.r, a.g - o.g, a.b - o.b};
    }
    friend Light operator*(Light a, float k) { return a *= k; }
    friend Light operator*(float k, Light a) { return a *= k; }
    friend Light operator*(const Light &a, const Light &o)
    {
        return {a.r * o.r, a.g * o.g, a.b * o.b};
    }

    float mean() const { return (r + g + b) * (1.0f / 3.0f); }
    float maximum() const { return std::max({r, g, b}); }

    // k = 1 keeps the colour, 0 gives its grey, above 1 deepens it.
    Light saturated(float k) const
    {
        const float m = mean();
        return {std::max(0.0f, m + (r - m) * k), std::max(0.0f, m + (g - m) * k),
                std::max(0.0f, m + (b - m) * k)};
    }

    // Blue-white for hot stars through orange-red for cool giants; the
    // brightest channel is 1.
    static Light fromColourIndex(float bv);
};

inline Light mix(const Light &a, const Light &b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

} // namespace core
