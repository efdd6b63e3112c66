// SPDX-License-Identifier: MIT
#pragma once

class QApplication;

// The program after the toolkit is up: creates the viewer and the hidden
// About window, shows the viewer full screen and runs the event loop.
// A missing asset is shown in a message box and gives exit code 1 before
// any window appears.
int runNoctivue(QApplication &app);
