// SPDX-License-Identifier: MIT
#include "viewer/viewercollaborators.h"

#include <QRandomGenerator>

int ViewerCollaborators::systemDraw(int n)
{
    // Seeded once by the system, so every run draws anew.
    return int(QRandomGenerator::global()->bounded(n));
}
