// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QString>
#include <optional>
#include <vector>

namespace sky {

// Where a label sits relative to the point it names.
enum class LabelSide {
    Left,
    Right,
    Above,
    Below,
    AboveLeft,
    AboveRight,
    BelowLeft,
    BelowRight,
    Centre
};

// What one star field's overlay draws: stick figures between catalogue stars
// (by HR number), names beside stars, labels at other objects and circles.
struct FieldChart
{
    struct Star
    {
        int hr = 0;
        QString name;
        LabelSide side = LabelSide::Right;
    };
    struct Path
    {
        std::vector<int> hrs;
        bool thin = false;
    };
    struct Label
    {
        QString text;
        double raHours = 0.0;
        double decDeg = 0.0;
        LabelSide side = LabelSide::Centre;
    };
    struct Circle
    {
        double raHours = 0.0;
        double decDeg = 0.0;
        double radiusDeg = 0.0;
    };

    std::vector<Star> stars;
    std::vector<Path> paths;
    std::vector<Label> labels;
    std::vector<Circle> circles;
    QColor figureColour = Qt::white;

    static std::optional<LabelSide> parseSide(const QString &text);
};

} // namespace sky
