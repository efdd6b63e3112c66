// SPDX-License-Identifier: MIT
#pragma once

// How often a fading picture is repainted on a display of this refresh rate
// (0 when the display does not say): a whole number of display frames, so
// the frames are evenly paced, and no more than 40 a second. Every fade frame
// rewrites the whole screen, which the display server copies again, and a
// 0.5 s fade from black looks as calm at half of a 60 Hz rate.
double fadeFrameMs(double refreshHz);

// One display frame; 60 Hz where the display does not say.
double displayFrameMs(double refreshHz);
