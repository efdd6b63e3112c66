// SPDX-License-Identifier: MIT
#include "catalogue/cataloguetables.h"
#include "catalogue/picturecheck.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A folder holding all 39 pictures, each valid.
class PictureFolder : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        picture = new QImage(1920, 1080, QImage::Format_RGB32);
        picture->fill(QColor(20, 30, 60));
        overlay = new QImage(1920, 1080, QImage::Format_ARGB32);
        overlay->fill(Qt::transparent);
        overlay->setPixel(10, 10, qRgba(255, 255, 255, 255));
    }
    static void TearDownTestSuite()
    {
        delete picture;
        delete overlay;
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        for (const auto &entry : catalogue::Entries)
            ASSERT_TRUE(picture->save(path(entry.pictureAsset, ".jpg"), "JPEG"));
        for (const char *name : catalogue::OverlayAssets)
            ASSERT_TRUE(overlay->save(path(name, ".png"), "PNG"));
    }

    QString path(const char *name, const char *ext) const
    {
        return dir.filePath(QLatin1String(name) + QLatin1String(ext));
    }

    QTemporaryDir dir;
    static QImage *picture;
    static QImage *overlay;
};

QImage *PictureFolder::picture = nullptr;
QImage *PictureFolder::overlay = nullptr;

TEST_F(PictureFolder, AValidFolderPasses)
{
    EXPECT_TRUE(checkPictureFolder(dir.path()).isEmpty());
}

TEST_F(PictureFolder, EachFaultNamesItsFile)
{
    struct Case
    {
        const char *file;
        const char *problem;
        std::function<void(const QString &)> spoil;
    };
    const Case cases[] = {
        {"JpgImage_20.jpg", "missing", [](const QString &p) { QFile::remove(p); }},
        {"JpgImage_12.jpg", "must be 1920 x 1080",
         [](const QString &p) { picture->scaled(960, 540).save(p, "JPEG"); }},
        {"jpgImage_1.jpg", "is PNG, must be JPEG",
         [](const QString &p) { picture->save(p, "PNG"); }},
        {"PngImage_3.png", "has no alpha channel",
         [](const QString &p) { picture->save(p, "PNG"); }},
        {"PngImage_8.png", "cannot be decoded",
         [](const QString &p) {
             QFile f(p);
             f.open(QIODevice::WriteOnly);
             f.write("not a picture");
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const QString file = dir.filePath(QLatin1String(c.file));
        c.spoil(file);
        const QStringList problems = checkPictureFolder(dir.path());
        ASSERT_EQ(problems.size(), 1) << qPrintable(problems.join('\n'));
        EXPECT_TRUE(problems[0].startsWith(file)) << qPrintable(problems[0]);
        EXPECT_TRUE(problems[0].contains(QLatin1String(c.problem))) << qPrintable(problems[0]);
        // Put the good file back for the next case.
        if (file.endsWith(QLatin1String(".jpg")))
            ASSERT_TRUE(picture->save(file, "JPEG"));
        else
            ASSERT_TRUE(overlay->save(file, "PNG"));
    }
}

} // namespace
