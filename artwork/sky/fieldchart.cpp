// SPDX-License-Identifier: MIT
#include "artwork/sky/fieldchart.h"

namespace sky {

std::optional<LabelSide> FieldChart::parseSide(const QString &text)
{
    static const struct
    {
        const char *name;
        LabelSide side;
    } sides[] = {
        {"left", LabelSide::Left},
        {"right", LabelSide::Right},
        {"above", LabelSide::Above},
        {"below", LabelSide::Below},
        {"above-left", LabelSide::AboveLeft},
        {"above-right", LabelSide::AboveRight},
        {"below-left", LabelSide::BelowLeft},
        {"below-right", LabelSide::BelowRight},
        {"centre", LabelSide::Centre},
    };
    for (const auto &s : sides) {
        if (text == QLatin1String(s.name))
            return s.side;
    }
    return std::nullopt;
}

} // namespace sky
