// SPDX-License-Identifier: MIT
#include "logic/panmath.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct PanCase
{
    const char *what;
    float position;
    float pointer;
    float lastPointer;
    float scale;
    float unscaledSize;
    int windowExtent;
    std::optional<float> expected;
};

// Layers laid out at scale 1 in a 1920-unit window: at scale 1.5 the box is
// 2880 wide, centred at -480, and may travel from -960 to 0.
TEST(PanAxis, StepIsAcceptedOnlyWhileTheBoxCoversTheWindow)
{
    const PanCase cases[] = {
        {"inside, towards the near limit", -480.0f, 600.0f, 500.0f, 1.5f, 1920.0f, 1920, -380.0f},
        {"inside, towards the far limit", -480.0f, 500.0f, 600.0f, 1.5f, 1920.0f, 1920, -580.0f},
        {"fractional pointer", -480.0f, 10.75f, 10.5f, 1.5f, 1920.0f, 1920, -479.75f},
        {"exactly onto the near limit", -480.0f, 980.0f, 500.0f, 1.5f, 1920.0f, 1920, 0.0f},
        {"exactly onto the far limit", -480.0f, 20.0f, 500.0f, 1.5f, 1920.0f, 1920, -960.0f},
        {"past the near limit, dropped whole", -480.0f, 981.0f, 500.0f, 1.5f, 1920.0f, 1920,
         std::nullopt},
        {"past the far limit, dropped whole", -480.0f, 19.0f, 500.0f, 1.5f, 1920.0f, 1920,
         std::nullopt},
        {"short of the limit, a larger step", -10.0f, 520.0f, 500.0f, 1.5f, 1920.0f, 1920,
         std::nullopt},
        {"box exactly covers, one unit", 0.0f, 501.0f, 500.0f, 1.0f, 1920.0f, 1920, std::nullopt},
        {"box exactly covers, other way", 0.0f, 499.0f, 500.0f, 1.0f, 1920.0f, 1920, std::nullopt},
        {"box smaller than window", 192.0f, 400.0f, 500.0f, 0.8f, 1920.0f, 1920, std::nullopt},
        {"box smaller, pointer still", 192.0f, 500.0f, 500.0f, 0.8f, 1920.0f, 1920, std::nullopt},
        {"box smaller, back to the corner", 192.0f, 308.0f, 500.0f, 0.8f, 1920.0f, 1920,
         std::nullopt},
        // Laid out at a smaller scale than the fit scale it now has: the box
        // is larger than the window and can be dragged from the corner.
        {"laid out small, drag from corner", 0.0f, 400.0f, 500.0f, 1.0f, 1080.0f / 0.5083333f, 1080,
         -100.0f},
    };
    for (const PanCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(panmath::panAxis(c.position, c.pointer, c.lastPointer, c.scale, c.unscaledSize,
                                   c.windowExtent),
                  c.expected);
    }
}

} // namespace
