// SPDX-License-Identifier: MIT
#include "artwork/painted/shellparts.h"

#include "artwork/core/starfield.h"
#include "artwork/core/starimage.h"
#include "artwork/painted/scene.h"

namespace painted::shellparts {

void addComet(core::FloatCanvas &canvas, const Comet &k)
{
    const float c = std::cos(k.angle), s = std::sin(k.angle);
    const float reach = std::max(3.0f * k.head, 3.0f * k.width) + 1.0f;
    const float ex = k.x + c * k.tail, ey = k.y + s * k.tail;
    const int x0 = std::max(0, int(std::min(k.x, ex) - reach - 2));
    const int x1 = std::min(canvas.width() - 1, int(std::max(k.x, ex) + reach + 2));
    const int y0 = std::max(0, int(std::min(k.y, ey) - reach - 2));
    const int y1 = std::min(canvas.height() - 1, int(std::max(k.y, ey) + reach + 2));
    const float ih = 1.0f / (k.head * k.head);
    for (int j = y0; j <= y1; ++j) {
        const float dy = float(j) + 0.5f - k.y;
        for (int i = x0; i <= x1; ++i) {
            const float dx = float(i) + 0.5f - k.x;
            const float a = dx * c + dy * s, b = -dx * s + dy * c;
            core::Light v = k.headLight * std::exp(-(a * a + b * b) * ih);
            if (a > -k.head && a < k.tail) {
                const float t = std::max(a, 0.0f) / k.tail;
                const float w = k.width * (1.0f + 1.2f * t);
                const float onset = std::min(1.0f, (a + k.head) / (2.0f * k.head));
                v += k.tailLight * (onset * (1.0f - t) * std::exp(-b * b / (w * w)) / (1 + t));
            }
            canvas.add(i, j, v);
        }
    }
}

void addFieldStars(Scene &scene, int count, float brightest, float blueShare, std::uint64_t salt)
{
    core::Rng rng(core::hash64(std::uint64_t(scene.seed()) * 0x9E3779B1u + salt));
    core::StarFieldStyle style;
    style.count = count;
    style.brightest = brightest;
    style.blueShare = blueShare;
    core::scatterStars(scene.light(), rng, style);
}

} // namespace painted::shellparts
