// SPDX-License-Identifier: MIT
#include "app/noctivueapp.h"
#include "app/windowsystemcheck.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    // Without a window system the toolkit would abort with advice that does
    // not help; say what is missing instead.
    if (!windowSystemAvailable(argc, argv)) {
        std::fputs("Noctivue needs a graphical desktop (X11 or Wayland).\n", stderr);
        return 1;
    }
    // Window units follow each monitor's scale factor, unrounded.
    QApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    return runNoctivue(app, ViewerCollaborators());
}
