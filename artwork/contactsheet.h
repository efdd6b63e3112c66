// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>

// A proof of the whole set: 31 numbered, named pictures followed by the eight
// overlays laid over their pictures, so register faults show at a glance.
class ContactSheet
{
public:
    static constexpr int Columns = 6;
    static constexpr int TileWidth = 320;
    static constexpr int TileHeight = 180;
    static constexpr int CaptionHeight = 26;

    ContactSheet();

    // sparse: a star field, whose points would average away to black at
    // thumbnail size; its thumbnail keeps each block's brightest pixel.
    void addTile(int slot, const QImage &picture, const QString &caption, bool sparse = false);
    const QImage &image() const { return m_sheet; }

private:
    QImage m_sheet;
};
