// SPDX-License-Identifier: MIT
#include "logic/displaycheck.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct DisplayCase
{
    const char *what;
    displaycheck::Environment env;
    bool canOpen;
};

TEST(DisplayCheck, AskedForPlatformNeedsItsDisplayAndPlugin)
{
    const std::set<std::string> installed{"xcb", "wayland", "wayland-egl", "offscreen"};
    const auto plugin = [&installed](const std::string &name) { return installed.count(name) > 0; };
    const DisplayCase cases[] = {
        {"nothing at all", {"", "", ""}, false},
        {"an X11 display", {"", ":0", ""}, true},
        {"a Wayland display", {"", "", "wayland-0"}, true},
        {"xcb without X11", {"xcb", "", "wayland-0"}, false},
        {"xcb with X11", {"xcb", ":1", ""}, true},
        {"wayland without Wayland", {"wayland", ":0", ""}, false},
        {"wayland-egl with Wayland", {"wayland-egl", "", "wayland-1"}, true},
        {"offscreen needs no display", {"offscreen", "", ""}, true},
        {"options after the name", {"offscreen:fontengine=freetype", "", ""}, true},
        {"an unknown platform", {"nosuch", ":0", "wayland-0"}, false},
        {"falls back along the list", {"wayland;xcb", ":0", ""}, true},
        {"no entry of the list usable", {"wayland;nosuch", ":0", ""}, false},
        {"empty entries are skipped", {";offscreen;", "", ""}, true},
        {"only separators is the default", {";;", "", ""}, false},
    };
    for (const DisplayCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(displaycheck::canOpenWindows(c.env, plugin), c.canOpen);
    }
}

TEST(DisplayCheck, DefaultNeedsThePluginOfItsDisplay)
{
    const auto onlyX11 = [](const std::string &name) { return name == "xcb"; };
    EXPECT_TRUE(displaycheck::canOpenWindows({"", ":0", ""}, onlyX11));
    EXPECT_FALSE(displaycheck::canOpenWindows({"", "", "wayland-0"}, onlyX11));
}

} // namespace
