// SPDX-License-Identifier: MIT
#include "catalogue/picturecheck.h"

#include "catalogue/bitmapdecoder.h"
#include "catalogue/catalogueerror.h"
#include "catalogue/cataloguetables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

namespace {

enum class Kind { Picture, Overlay };

// Colour types 4 and 6 carry alpha; the others may have a tRNS chunk, which
// comes before the image data.
bool pngHasAlpha(const QByteArray &png)
{
    if (png.size() < 33)
        return false;
    if (png[25] & 4)
        return true;
    for (qsizetype at = 33; at + 8 <= png.size();) {
        const QByteArray type = png.mid(at + 4, 4);
        if (type == "tRNS")
            return true;
        if (type == "IDAT")
            return false;
        at += 12 + qsizetype(qFromBigEndian<quint32>(png.constData() + at));
    }
    return false;
}

QString checkFile(const QString &path, Kind kind)
{
    const QByteArray format = kind == Kind::Picture ? "jpeg" : "png";
    if (!QFileInfo::exists(path))
        return QStringLiteral("%1: missing").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: cannot be read").arg(path);
    // Judged by the content, not the name. Qt's reader only names the kind
    // and the size from the header; whether the file shows is settled by the
    // viewer's own decoders.
    const QByteArray detected = QImageReader::imageFormat(&file);
    if (detected.isEmpty())
        return QStringLiteral("%1: cannot be decoded (not a picture)").arg(path);
    if (detected != format)
        return QStringLiteral("%1: is %2, must be %3")
            .arg(path, QString::fromLatin1(detected.toUpper()),
                 QString::fromLatin1(format.toUpper()));
    QImageReader reader(&file, format);
    const QSize size = reader.size();
    if (size.isValid() && size != catalogue::BitmapSize)
        return QStringLiteral("%1: is %2 x %3, must be %4 x %5")
            .arg(path)
            .arg(size.width())
            .arg(size.height())
            .arg(catalogue::BitmapSize.width())
            .arg(catalogue::BitmapSize.height());

    if (!file.seek(0))
        return QStringLiteral("%1: cannot be read").arg(path);
    const QByteArray bytes = file.readAll();
    if (kind == Kind::Overlay && !pngHasAlpha(bytes))
        return QStringLiteral("%1: has no alpha channel").arg(path);
    const AssetView view{reinterpret_cast<const uchar *>(bytes.constData()), bytes.size()};
    QImage bitmap;
    try {
        kind == Kind::Picture ? catalogue::decodePicture(view, bitmap)
                              : catalogue::decodeOverlay(view, bitmap);
    } catch (const CatalogueError &error) {
        return QStringLiteral("%1: cannot be decoded by the viewer (%2)").arg(path, error.text());
    }
    return {};
}

} // namespace

QStringList checkPictureFolder(const QString &dir)
{
    QStringList problems;
    const QDir folder(dir);
    auto add = [&problems](const QString &problem) {
        if (!problem.isEmpty())
            problems << problem;
    };
    for (const auto &entry : catalogue::Entries)
        add(checkFile(folder.filePath(QLatin1String(entry.pictureAsset) + ".jpg"), Kind::Picture));
    for (const char *name : catalogue::OverlayAssets)
        add(checkFile(folder.filePath(QLatin1String(name) + ".png"), Kind::Overlay));
    return problems;
}
