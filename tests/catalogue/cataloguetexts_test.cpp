// SPDX-License-Identifier: MIT
#include "catalogue/catalogue.h"
#include "catalogue/cataloguetables.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <array>

namespace {

struct TextCase
{
    int index;
    const char *row;
    const char *factSheet;
    const char *credit;
};

// Transcribed independently of the tables, so a slip in either shows here.
const TextCase Cases[] = {
    {0, "1. Sun", "Solar Flare class M2.9\nG dwarf star\n8min 19s at light speed\nSolar System",
     "Credits: NASA/SDO"},
    {1, "2. Pleiades", "Seven Sisters, Messier 45\nStar Cluster\n444 ly\nTaurus",
     "Credits: Piet Oldring"},
    {2, "3. Ursa Major", "Great Bear \nConstellation\nnone\nStars", "Credits: Lene Varga"},
    {3, "4. Ursa Minor", "Little Bear  (+Ursa Major)\nConstellation\nnone\nStars",
     "Credits: Lene Varga"},
    {4, "5. Cassiopeia", "Cas\nConstellation\nnone\nStars", "Credits: Lene Varga"},
    {5, "6. Corvus", "Crv\nConstellation\nnone\nStars", "Credits: NASA, ESA, L. Varga"},
    {6, "7. Orion's Belt", "Orion's belt and sword\nAsterism\nnone\nOrion", "Credits: None"},
    {7, "8. Taurus", "Tau\nConstellation\nnone\nStars", "Credits: Lene Varga"},
    {8, "9. Hyades", "WD0421+162\nStar Cluster\n153 ly\nTaurus", "Credits: NASA, ESA and STScI"},
    {9, "10. Cat's Eye Nebula", "NGC 6543\nNebula\n3300 ly\nDraco", "Credits: NASA/CXC/SAO/STScI"},
    {10, "11. Crab Nebula", "M 1, NGC 1952\nSupernova Remnant\n6000 ly\nTaurus", "Credits: ESO"},
    {11, "12. Southern Owl Nebula", "ESO 378-1\nNebula\n3500 ly\nHydra", "Credits: ESO"},
    {12, "13. Red Spider Nebula", "NGC 6537\nNebula\n6000 ly\nSagittarius ",
     "Credits: ESA & Odo Kranich"},
    {13, "14. Helix Nebula", "NGC 7293\nNebula \n2500 ly\nAquarius",
     "Credits: NASA, NOAO, ESA, Hubble"},
    {14, "15. Butterfly Nebula", "Bipolar Nebula\nNebula\n3400 ly\nScorpius",
     "Credits: NASA, ESA, Hubble, HLA"},
    {15, "16. Hourglass Nebula", "MyCn 18 \nNebula\n8000 ly\nMusca ",
     "Credits: JPL, WFPC2, NASA/ESA"},
    {16, "17. Minkowski 2-9", "Minkowski's Butterfly\nNebula\n2100 ly\nOphiuchus",
     "Credits: ESA/Hubble, NASA"},
    {17, "18. Helix Nebula 2", "NGC 7293\nNebula, infrared \n2500 ly\nAquarius",
     "Credits: NASA/JPL-Caltech"},
    {18, "19. Horsehead Nebula", "Barnard 33\nNebula\n1400 ly\nOrion",
     "Credits: skyarchive.example.org"},
    {19, "20. Homunculus Nebula", "Eta Carinae\nNebula \n7500 ly\nCarina",
     "Credits: ESA/Hubble, NASA"},
    {20, "21. NGC 1501", "none\nNebula \n5000 ly\nCamelopardalis", "Credits: ESA/Hubble, NASA"},
    {21, "22. Spirograph Nebula", "IC 418, IRAS 05251-1244\nNebula\n2000 ly\nLepus ",
     "Credits: NASA, Hubble(STScI/AURA)"},
    {22, "23. NGC 604", "none\nNebula \n2.7 million ly\nTriangulum", "Credits: Hubble"},
    {23, "24. Flame Nebula", "NGC 2024\nStar formation\n1500 ly\nOrion ",
     "Credits: ESO/R. Dalby/VISTA"},
    {24, "25. Carina Nebula", "NGC 3372\nNebula\n7500 ly\nCarina ", "Credits: NASA, ESA, Hubble"},
    {25, "26. Lagoon Nebula", "M8, NGC 6523\nStar formation\n4000 ly\nSagittarius ",
     "Credits: NASA, ESA, STScI"},
    {26, "27. Medusa Nebula", "Abell 21 \nNebula\n1500 ly\nGemini", "Credits: Pellow QR"},
    {27, "28. California Nebula", "NGC 1499\nNebula\n1000 ly\nPerseus",
     "Credits: Emil Sander, ESA/ESO/NASA"},
    {28, "29. Rosette Nebula", "Caldwell 49\nNebula\n5200 ly\nMonoceros",
     "Credits: Emil Sander, ESA/ESO/NASA"},
    {29, "30. Boomerang Nebula", "IRAS 12419-5414\nNebula\n5000 ly\nCentaurus",
     "Credits: ESA, NASA"},
    {30, "31. Pillars of Creation",
     "Eagle Nebula, Messier 16\nStar Formation\n7000 ly\nSerpens Cauda", "Credits: NASA/ESA"},
};

class CatalogueTexts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        catalogue::fillTexts(
            names, [this](const QString &text) { labels = text; }, info);
    }

    std::array<QString, catalogue::TextSlots> names;
    std::array<QString, catalogue::TextSlots> info;
    QString labels;
};

TEST_F(CatalogueTexts, EveryEntryReadsExactlyAsStored)
{
    static_assert(std::size(Cases) == catalogue::EntryCount);
    for (const TextCase &c : Cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(catalogue::listRowText(c.index, names[c.index]), QLatin1String(c.row));
        EXPECT_EQ(info[c.index], QLatin1String(c.factSheet));
        EXPECT_EQ(catalogue::creditLine(c.index), QLatin1String(c.credit));
        EXPECT_EQ(info[c.index].count(u'\n'), 3);
        EXPECT_FALSE(info[c.index].contains(u'\r'));
    }
}

TEST_F(CatalogueTexts, SpareSlotsStayEmpty)
{
    for (int i = catalogue::EntryCount; i < catalogue::TextSlots; ++i) {
        EXPECT_TRUE(names[i].isNull()) << i;
        EXPECT_TRUE(info[i].isNull()) << i;
    }
}

TEST_F(CatalogueTexts, FieldLabelsLineUpTheirColons)
{
    EXPECT_EQ(labels, QLatin1String("          Name:\n          Type:\n      Distance:\n"
                                    " Constellation:"));
    for (const QString &line : labels.split(u'\n'))
        EXPECT_EQ(line.size(), 15) << qPrintable(line);
}

TEST(CatalogueFill, NamesComeBeforeTheLabelsAndFactSheetsAfter)
{
    std::array<QString, catalogue::TextSlots> names, info;
    bool namesDone = false, infoStarted = true;
    catalogue::fillTexts(
        names,
        [&](const QString &) {
            namesDone = !names[catalogue::EntryCount - 1].isEmpty();
            infoStarted = !info[0].isEmpty();
        },
        info);
    EXPECT_TRUE(namesDone);
    EXPECT_FALSE(infoStarted);
}

TEST(CatalogueCredits, SharedLinesGroupTheRightEntries)
{
    const std::vector<std::vector<int>> groups = {{2, 3, 4, 7}, {10, 11}, {16, 19, 20}, {27, 28}};
    std::vector<int> groupOf(catalogue::EntryCount, -1);
    for (size_t g = 0; g < groups.size(); ++g)
        for (int e : groups[g])
            groupOf[e] = int(g);
    for (int a = 0; a < catalogue::EntryCount; ++a) {
        for (int b = a + 1; b < catalogue::EntryCount; ++b) {
            const bool same = catalogue::creditLine(a) == catalogue::creditLine(b);
            EXPECT_EQ(same, groupOf[a] >= 0 && groupOf[a] == groupOf[b]) << a << " and " << b;
        }
    }
    for (int e = 0; e < catalogue::EntryCount; ++e)
        EXPECT_TRUE(catalogue::creditLine(e).startsWith(QLatin1String("Credits: "))) << e;
}

TEST(CatalogueOverlays, OnlyEntriesOneToEightHaveOne)
{
    for (int e = -1; e <= catalogue::EntryCount; ++e)
        EXPECT_EQ(catalogue::hasOverlay(e), e >= 1 && e <= 8) << e;
}

TEST(CatalogueNebulae, AreEntriesNineToThirty)
{
    for (int e = -1; e <= catalogue::EntryCount; ++e)
        EXPECT_EQ(catalogue::isNebula(e), e >= 9 && e <= 30) << e;
}

} // namespace
