// SPDX-License-Identifier: MIT
#pragma once

#include "artwork/sky/fieldchart.h"
#include "artwork/sky/skyvector.h"

#include <QString>
#include <map>
#include <optional>
#include <vector>

namespace sky {

struct CatalogueStar
{
    int hr = 0;
    double raHours = 0.0;
    double decDeg = 0.0;
    double magnitude = 0.0;
    std::optional<double> colourIndex; // B-V, where known
    SkyVector direction;
};

// The stars the fields are drawn from, with what each overlay draws. Read once
// from the data folder; afterwards only read, so threads may share it.
class StarCatalogue
{
public:
    // Reads bsc_subset.tsv, star_colours.tsv and figures.tsv; on failure the
    // catalogue is left empty and the reason is returned.
    std::optional<QString> load(const QString &dataDir);

    const std::vector<CatalogueStar> &stars() const { return m_stars; }
    const CatalogueStar *star(int hr) const;
    const FieldChart &chart(int entry) const;

private:
    CatalogueStar *find(int hr);
    std::optional<QString> loadStars(const QString &path);
    std::optional<QString> loadColours(const QString &path);
    std::optional<QString> loadCharts(const QString &path);

    std::vector<CatalogueStar> m_stars; // sorted by HR number
    std::map<int, FieldChart> m_charts;
};

} // namespace sky
