// SPDX-License-Identifier: MIT
#include "catalogue/picturecheck.h"

#include "catalogue/cataloguetables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

QString checkFile(const QString &path, const QByteArray &format, bool needsAlpha)
{
    if (!QFileInfo::exists(path))
        return QStringLiteral("%1: missing").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: cannot be read").arg(path);
    // Judged by the content, not the name.
    const QByteArray detected = QImageReader::imageFormat(&file);
    if (detected.isEmpty())
        return QStringLiteral("%1: cannot be decoded (not a picture)").arg(path);
    if (detected != format)
        return QStringLiteral("%1: is %2, must be %3")
            .arg(path, QString::fromLatin1(detected.toUpper()),
                 QString::fromLatin1(format.toUpper()));
    QImageReader reader(&file, format);
    const QImage image = reader.read();
    if (image.isNull())
        return QStringLiteral("%1: cannot be decoded (%2)").arg(path, reader.errorString());
    if (image.size() != QSize(1920, 1080))
        return QStringLiteral("%1: is %2 x %3, must be 1920 x 1080")
            .arg(path)
            .arg(image.width())
            .arg(image.height());
    if (needsAlpha && !image.hasAlphaChannel())
        return QStringLiteral("%1: has no alpha channel").arg(path);
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
        add(checkFile(folder.filePath(QLatin1String(entry.pictureAsset) + ".jpg"), "jpeg", false));
    for (const char *name : catalogue::OverlayAssets)
        add(checkFile(folder.filePath(QLatin1String(name) + ".png"), "png", true));
    return problems;
}
