// SPDX-License-Identifier: MIT
#pragma once

// Whether the toolkit will find a window system to open windows on, judged
// from the command line and the environment before the toolkit starts.
bool windowSystemAvailable(int argc, char **argv);
