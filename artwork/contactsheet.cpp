#include "contactsheet.h"

#include "cataloguetables.h"

#include <QPainter>

namespace {
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

void ContactSheet::addTile(int slot, const QImage &picture, const QString &caption)
{
    const int x = Gap + (slot % Columns) * (TileWidth + Gap);
    const int y = Gap + (slot / Columns) * (TileHeight + CaptionHeight + Gap);
    QPainter p(&m_sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawImage(QRect(x, y, TileWidth, TileHeight), picture);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(QColor(230, 230, 235));
    p.drawText(QRect(x, y + TileHeight, TileWidth, CaptionHeight), Qt::AlignCenter, caption);
}
