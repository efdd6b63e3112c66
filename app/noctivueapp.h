// SPDX-License-Identifier: MIT
#pragma once

#include "viewer/viewercollaborators.h"

class QApplication;
class TForm1;
class TForm2;

// The program after the toolkit is up: creates the viewer with the given
// collaborators and the hidden About window, shows the viewer full screen
// and runs the event loop. A missing asset is shown in a message box and
// gives exit code 1 before any window appears.
int runNoctivue(QApplication &app, const ViewerCollaborators &collaborators);

// Lets the viewer's "About" show the About window.
void connectAboutWindow(TForm2 &viewer, TForm1 &about);
