// SPDX-License-Identifier: MIT
#pragma once

namespace painted {

class Scene;

// One painter per object; each draws its picture into a fresh scene.
void paintSun(Scene &scene);

void paintCatsEye(Scene &scene);
void paintSouthernOwl(Scene &scene);
void paintHelix(Scene &scene);
void paintHelixInfrared(Scene &scene);
void paintNgc1501(Scene &scene);
void paintSpirograph(Scene &scene);
void paintMedusa(Scene &scene);

void paintRedSpider(Scene &scene);
void paintButterfly(Scene &scene);
void paintHourglass(Scene &scene);
void paintMinkowski29(Scene &scene);
void paintHomunculus(Scene &scene);
void paintBoomerang(Scene &scene);

void paintCrab(Scene &scene);
void paintNgc604(Scene &scene);
void paintFlame(Scene &scene);
void paintCarina(Scene &scene);
void paintLagoon(Scene &scene);
void paintCalifornia(Scene &scene);
void paintRosette(Scene &scene);

void paintHorsehead(Scene &scene);
void paintPillars(Scene &scene);

} // namespace painted
