// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

// Whether the toolkit will find a window system to open windows on. Without
// one it aborts, so the program asks first.
namespace displaycheck {

struct Environment
{
    // The platform asked for (the -platform argument, else QT_QPA_PLATFORM):
    // names separated by ';' tried in turn, each with optional ":options";
    // empty for the toolkit's default.
    std::string platform;
    std::string display;        // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
};

// True when one of the platforms asked for can open windows: "xcb" needs an
// X11 display, a "wayland" platform a Wayland one, every platform an
// installed plugin of its name, and the default either "xcb" or "wayland".
bool canOpenWindows(const Environment &env,
                    const std::function<bool(const std::string &name)> &pluginInstalled);

} // namespace displaycheck
