// SPDX-License-Identifier: MIT
#include "artwork/contactsheet.h"

#include "catalogue/cataloguetables.h"

#include <QPainter>

namespace {

// Downscales by blocks, half the block's mean and half its brightest pixel.
QImage keepPoints(const QImage &source, int width, int height)
{
    const QImage in = source.convertToFormat(QImage::Format_RGB32);
    QImage out(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const int y0 = y * in.height() / height, y1 = (y + 1) * in.height() / height;
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int x0 = x * in.width() / width, x1 = (x + 1) * in.width() / width;
            int sum[3] = {0, 0, 0}, peak[3] = {0, 0, 0}, count = 0, peakLuma = -1;
            for (int sy = y0; sy < y1; ++sy) {
                const auto *src = reinterpret_cast<const QRgb *>(in.constScanLine(sy));
                for (int sx = x0; sx < x1; ++sx) {
                    const QRgb p = src[sx];
                    sum[0] += qRed(p), sum[1] += qGreen(p), sum[2] += qBlue(p), ++count;
                    if (qGray(p) > peakLuma) {
                        peakLuma = qGray(p);
                        peak[0] = qRed(p), peak[1] = qGreen(p), peak[2] = qBlue(p);
                    }
                }
            }
            auto mix = [&](int c) { return (sum[c] / std::max(1, count) + peak[c]) / 2; };
            row[x] = qRgb(mix(0), mix(1), mix(2));
        }
    }
    return out;
}

constexpr int TileCount = catalogue::EntryCount + catalogue::OverlayCount;
constexpr int Rows = (TileCount + ContactSheet::Columns - 1) / ContactSheet::Columns;
constexpr int Gap = 8;
} // namespace

ContactSheet::ContactSheet()
    : m_sheet(Columns * (TileWidth + Gap) + Gap, Rows * (TileHeight + CaptionHeight + Gap) + Gap,
              QImage::Format_RGB32)
{
    m_sheet.fill(QColor(24, 24, 28));
}

void ContactSheet::addTile(int slot, const QImage &picture, const QString &caption, bool sparse)
{
    const int x = Gap + (slot % Columns) * (TileWidth + Gap);
    const int y = Gap + (slot / Columns) * (TileHeight + CaptionHeight + Gap);
    QPainter p(&m_sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (sparse)
        p.drawImage(x, y, keepPoints(picture, TileWidth, TileHeight));
    else
        p.drawImage(QRect(x, y, TileWidth, TileHeight), picture);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(QColor(230, 230, 235));
    p.drawText(QRect(x, y + TileHeight, TileWidth, CaptionHeight), Qt::AlignCenter, caption);
}
