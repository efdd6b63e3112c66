// SPDX-License-Identifier: MIT
#include "artwork/painted/painted.h"

#include "artwork/painted/recipes.h"
#include "artwork/painted/scene.h"

#include <cstdint>

namespace painted {

namespace {

struct Recipe
{
    int entry;
    uint32_t seed;
    void (*paint)(Scene &);
};

constexpr Recipe Recipes[] = {
    {0, 0x5017A2u, paintSun},          {9, 0xCA7E7Eu, paintCatsEye},
    {10, 0xC4AB01u, paintCrab},        {11, 0x0317A1u, paintSouthernOwl},
    {12, 0x5B1DE4u, paintRedSpider},   {13, 0x4E11C5u, paintHelix},
    {14, 0xB077E4u, paintButterfly},   {15, 0x4069A5u, paintHourglass},
    {16, 0x3202A9u, paintMinkowski29}, {17, 0x4E11C6u, paintHelixInfrared},
    {18, 0x4025E4u, paintHorsehead},   {19, 0x4034C1u, paintHomunculus},
    {20, 0x1501A7u, paintNgc1501},     {21, 0x5B1A06u, paintSpirograph},
    {22, 0x0604C3u, paintNgc604},      {23, 0xF1A3E5u, paintFlame},
    {24, 0xCA41A7u, paintCarina},      {25, 0x1A6009u, paintLagoon},
    {26, 0x3ED05Au, paintMedusa},      {27, 0xCA11F0u, paintCalifornia},
    {28, 0x2053E7u, paintRosette},     {29, 0xB0A3E6u, paintBoomerang},
    {30, 0x9111A2u, paintPillars},
};

} // namespace

QImage renderPicture(int entry)
{
    for (const Recipe &recipe : Recipes) {
        if (recipe.entry == entry) {
            Scene scene(recipe.seed);
            recipe.paint(scene);
            return scene.compose();
        }
    }
    QImage blank(Scene::Width, Scene::Height, QImage::Format_RGB32);
    blank.fill(Qt::black);
    return blank;
}

} // namespace painted
