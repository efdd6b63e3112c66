// SPDX-License-Identifier: MIT
#include "logic/displaycheck.h"

#include <algorithm>
#include <string_view>

namespace displaycheck {

namespace {

bool usable(const std::string &name, const Environment &env,
            const std::function<bool(const std::string &)> &pluginInstalled)
{
    if (name.empty())
        return usable("xcb", env, pluginInstalled) || usable("wayland", env, pluginInstalled);
    if (name == "xcb" && env.display.empty())
        return false;
    if (name.starts_with("wayland") && env.waylandDisplay.empty())
        return false;
    return pluginInstalled(name);
}

} // namespace

bool canOpenWindows(const Environment &env,
                    const std::function<bool(const std::string &name)> &pluginInstalled)
{
    std::string_view rest = env.platform;
    bool named = false;
    while (!rest.empty()) {
        const std::string_view item = rest.substr(0, rest.find(';'));
        rest.remove_prefix(std::min(rest.size(), item.size() + 1));
        const std::string name(item.substr(0, item.find(':')));
        if (name.empty())
            continue;
        named = true;
        if (usable(name, env, pluginInstalled))
            return true;
    }
    return !named && usable(std::string(), env, pluginInstalled);
}

} // namespace displaycheck
