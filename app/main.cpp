// SPDX-License-Identifier: MIT
#include "app/noctivueapp.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // Window units follow each monitor's scale factor, unrounded.
    QApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    return runNoctivue(app);
}
