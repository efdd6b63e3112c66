// SPDX-License-Identifier: MIT
#include "catalogue/cataloguetables.h"

namespace catalogue {

// Picture asset names are spelled as the viewer asks for them: the first three
// with a small j. The store resolves names without regard to letter case.
const std::array<Entry, EntryCount> Entries = {{
    {"Sun", "Solar Flare class M2.9\nG dwarf star\n8min 19s at light speed\nSolar System",
     "Credits: NASA/SDO", "jpgImage_1"},
    {"Pleiades", "Seven Sisters, Messier 45\nStar Cluster\n444 ly\nTaurus", "Credits: Piet Oldring",
     "jpgImage_2"},
    {"Ursa Major", "Great Bear \nConstellation\nnone\nStars", "Credits: Lene Varga", "jpgImage_3"},
    {"Ursa Minor", "Little Bear  (+Ursa Major)\nConstellation\nnone\nStars", "Credits: Lene Varga",
     "JpgImage_4"},
    {"Cassiopeia", "Cas\nConstellation\nnone\nStars", "Credits: Lene Varga", "JpgImage_5"},
    {"Corvus", "Crv\nConstellation\nnone\nStars", "Credits: NASA, ESA, L. Varga", "JpgImage_6"},
    {"Orion's Belt", "Orion's belt and sword\nAsterism\nnone\nOrion", "Credits: None",
     "JpgImage_7"},
    {"Taurus", "Tau\nConstellation\nnone\nStars", "Credits: Lene Varga", "JpgImage_8"},
    {"Hyades", "WD0421+162\nStar Cluster\n153 ly\nTaurus", "Credits: NASA, ESA and STScI",
     "JpgImage_9"},
    {"Cat's Eye Nebula", "NGC 6543\nNebula\n3300 ly\nDraco", "Credits: NASA/CXC/SAO/STScI",
     "JpgImage_10"},
    {"Crab Nebula", "M 1, NGC 1952\nSupernova Remnant\n6000 ly\nTaurus", "Credits: ESO",
     "JpgImage_11"},
    {"Southern Owl Nebula", "ESO 378-1\nNebula\n3500 ly\nHydra", "Credits: ESO", "JpgImage_12"},
    {"Red Spider Nebula", "NGC 6537\nNebula\n6000 ly\nSagittarius ", "Credits: ESA & Odo Kranich",
     "JpgImage_13"},
    {"Helix Nebula", "NGC 7293\nNebula \n2500 ly\nAquarius", "Credits: NASA, NOAO, ESA, Hubble",
     "JpgImage_14"},
    {"Butterfly Nebula", "Bipolar Nebula\nNebula\n3400 ly\nScorpius",
     "Credits: NASA, ESA, Hubble, HLA", "JpgImage_15"},
    {"Hourglass Nebula", "MyCn 18 \nNebula\n8000 ly\nMusca ", "Credits: JPL, WFPC2, NASA/ESA",
     "JpgImage_16"},
    {"Minkowski 2-9", "Minkowski's Butterfly\nNebula\n2100 ly\nOphiuchus",
     "Credits: ESA/Hubble, NASA", "JpgImage_17"},
    {"Helix Nebula 2", "NGC 7293\nNebula, infrared \n2500 ly\nAquarius",
     "Credits: NASA/JPL-Caltech", "JpgImage_18"},
    {"Horsehead Nebula", "Barnard 33\nNebula\n1400 ly\nOrion", "Credits: skyarchive.example.org",
     "JpgImage_19"},
    {"Homunculus Nebula", "Eta Carinae\nNebula \n7500 ly\nCarina", "Credits: ESA/Hubble, NASA",
     "JpgImage_20"},
    {"NGC 1501", "none\nNebula \n5000 ly\nCamelopardalis", "Credits: ESA/Hubble, NASA",
     "JpgImage_21"},
    {"Spirograph Nebula", "IC 418, IRAS 05251-1244\nNebula\n2000 ly\nLepus ",
     "Credits: NASA, Hubble(STScI/AURA)", "JpgImage_22"},
    {"NGC 604", "none\nNebula \n2.7 million ly\nTriangulum", "Credits: Hubble", "JpgImage_23"},
    {"Flame Nebula", "NGC 2024\nStar formation\n1500 ly\nOrion ", "Credits: ESO/R. Dalby/VISTA",
     "JpgImage_24"},
    {"Carina Nebula", "NGC 3372\nNebula\n7500 ly\nCarina ", "Credits: NASA, ESA, Hubble",
     "JpgImage_25"},
    {"Lagoon Nebula", "M8, NGC 6523\nStar formation\n4000 ly\nSagittarius ",
     "Credits: NASA, ESA, STScI", "JpgImage_26"},
    {"Medusa Nebula", "Abell 21 \nNebula\n1500 ly\nGemini", "Credits: Pellow QR", "JpgImage_27"},
    {"California Nebula", "NGC 1499\nNebula\n1000 ly\nPerseus",
     "Credits: Emil Sander, ESA/ESO/NASA", "JpgImage_28"},
    {"Rosette Nebula", "Caldwell 49\nNebula\n5200 ly\nMonoceros",
     "Credits: Emil Sander, ESA/ESO/NASA", "JpgImage_29"},
    {"Boomerang Nebula", "IRAS 12419-5414\nNebula\n5000 ly\nCentaurus", "Credits: ESA, NASA",
     "JpgImage_30"},
    {"Pillars of Creation", "Eagle Nebula, Messier 16\nStar Formation\n7000 ly\nSerpens Cauda",
     "Credits: NASA/ESA", "JpgImage_31"},
}};

const std::array<const char *, OverlayCount> OverlayAssets = {
    "PngImage_1", "PngImage_2", "PngImage_3", "PngImage_4",
    "PngImage_5", "PngImage_6", "PngImage_7", "PngImage_8",
};

const char *const FieldLabels =
    "          Name:\n          Type:\n      Distance:\n Constellation:";

} // namespace catalogue
