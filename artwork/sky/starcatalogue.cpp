// SPDX-License-Identifier: MIT
#include "artwork/sky/starcatalogue.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <algorithm>
#include <functional>

namespace sky {

namespace {

// Calls rowFn with the tab-separated fields of every line that is not blank
// or a comment; stops at the first row it rejects.
std::optional<QString>
readRows(const QString &path,
         const std::function<std::optional<QString>(const QStringList &)> &rowFn)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    QTextStream in(&file);
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNo;
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        if (const auto error = rowFn(line.split(u'\t')))
            return QStringLiteral("%1:%2: %3").arg(path).arg(lineNo).arg(*error);
    }
    return std::nullopt;
}

std::optional<double> toDouble(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

std::optional<int> toInt(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

std::optional<QString> StarCatalogue::load(const QString &dataDir)
{
    const QDir dir(dataDir);
    std::optional<QString> error = loadStars(dir.filePath(QStringLiteral("bsc_subset.tsv")));
    if (!error)
        error = loadColours(dir.filePath(QStringLiteral("star_colours.tsv")));
    if (!error)
        error = loadCharts(dir.filePath(QStringLiteral("figures.tsv")));
    if (error) {
        m_stars.clear();
        m_charts.clear();
    }
    return error;
}

const CatalogueStar *StarCatalogue::star(int hr) const
{
    return const_cast<StarCatalogue *>(this)->find(hr);
}

CatalogueStar *StarCatalogue::find(int hr)
{
    const auto it = std::lower_bound(m_stars.begin(), m_stars.end(), hr,
                                     [](const CatalogueStar &s, int h) { return s.hr < h; });
    return it != m_stars.end() && it->hr == hr ? &*it : nullptr;
}

const FieldChart &StarCatalogue::chart(int entry) const
{
    static const FieldChart empty;
    const auto it = m_charts.find(entry);
    return it == m_charts.end() ? empty : it->second;
}

std::optional<QString> StarCatalogue::loadStars(const QString &path)
{
    const auto error = readRows(path, [this](const QStringList &f) -> std::optional<QString> {
        if (f.size() < 4)
            return QStringLiteral("expected hr, ra, dec and magnitude");
        const auto hr = toInt(f[0]);
        const auto ra = toDouble(f[1]);
        const auto dec = toDouble(f[2]);
        const auto mag = toDouble(f[3]);
        if (!hr || !ra || !dec || !mag)
            return QStringLiteral("not a number");
        CatalogueStar s;
        s.hr = *hr;
        s.raHours = *ra;
        s.decDeg = *dec;
        s.magnitude = *mag;
        s.direction = SkyVector::fromRaDec(*ra, *dec);
        m_stars.push_back(s);
        return std::nullopt;
    });
    std::sort(m_stars.begin(), m_stars.end(),
              [](const CatalogueStar &a, const CatalogueStar &b) { return a.hr < b.hr; });
    return error;
}

std::optional<QString> StarCatalogue::loadColours(const QString &path)
{
    return readRows(path, [this](const QStringList &f) -> std::optional<QString> {
        const auto hr = f.size() >= 2 ? toInt(f[0]) : std::nullopt;
        const auto bv = f.size() >= 2 ? toDouble(f[1]) : std::nullopt;
        if (!hr || !bv)
            return QStringLiteral("expected hr and B-V");
        CatalogueStar *s = find(*hr);
        if (!s)
            return QStringLiteral("HR %1 is not in the star list").arg(*hr);
        s->colourIndex = *bv;
        return std::nullopt;
    });
}

std::optional<QString> StarCatalogue::loadCharts(const QString &path)
{
    return readRows(path, [this](const QStringList &f) -> std::optional<QString> {
        const auto entry = f.size() >= 2 ? toInt(f[1]) : std::nullopt;
        if (!entry)
            return QStringLiteral("expected a kind and an entry");
        FieldChart &chart = m_charts[*entry];
        const QString &kind = f[0];
        const auto knownStar = [this](int hr) -> std::optional<QString> {
            if (!star(hr))
                return QStringLiteral("HR %1 is not in the star list").arg(hr);
            return std::nullopt;
        };

        if (kind == QLatin1String("star")) {
            const auto hr = f.size() == 5 ? toInt(f[2]) : std::nullopt;
            const auto side = f.size() == 5 ? FieldChart::parseSide(f[4]) : std::nullopt;
            if (!hr || !side || f[3].isEmpty())
                return QStringLiteral("expected: star, entry, hr, name, side");
            chart.stars.push_back({*hr, f[3], *side});
            return knownStar(*hr);
        }
        if (kind == QLatin1String("figure") || kind == QLatin1String("thin")) {
            if (f.size() != 3)
                return QStringLiteral("expected: %1, entry, hr list").arg(kind);
            FieldChart::Path path;
            path.thin = kind == QLatin1String("thin");
            for (const QString &item : f[2].split(u' ', Qt::SkipEmptyParts)) {
                const auto hr = toInt(item);
                if (!hr)
                    return QStringLiteral("bad HR number %1").arg(item);
                if (const auto error = knownStar(*hr))
                    return error;
                path.hrs.push_back(*hr);
            }
            if (path.hrs.size() < 2)
                return QStringLiteral("a path needs two stars");
            chart.paths.push_back(std::move(path));
            return std::nullopt;
        }
        if (kind == QLatin1String("label")) {
            const auto ra = f.size() == 6 ? toDouble(f[3]) : std::nullopt;
            const auto dec = f.size() == 6 ? toDouble(f[4]) : std::nullopt;
            const auto side = f.size() == 6 ? FieldChart::parseSide(f[5]) : std::nullopt;
            if (!ra || !dec || !side || f[2].isEmpty())
                return QStringLiteral("expected: label, entry, text, ra, dec, side");
            chart.labels.push_back({f[2], *ra, *dec, *side});
            return std::nullopt;
        }
        if (kind == QLatin1String("circle")) {
            const auto ra = f.size() == 5 ? toDouble(f[2]) : std::nullopt;
            const auto dec = f.size() == 5 ? toDouble(f[3]) : std::nullopt;
            const auto radius = f.size() == 5 ? toDouble(f[4]) : std::nullopt;
            if (!ra || !dec || !radius)
                return QStringLiteral("expected: circle, entry, ra, dec, radius");
            chart.circles.push_back({*ra, *dec, *radius});
            return std::nullopt;
        }
        if (kind == QLatin1String("colour")) {
            const QColor colour = f.size() == 3 ? QColor(f[2]) : QColor();
            if (!colour.isValid())
                return QStringLiteral("expected: colour, entry, #rrggbb");
            chart.figureColour = colour;
            return std::nullopt;
        }
        return QStringLiteral("unknown kind %1").arg(kind);
    });
}

} // namespace sky
