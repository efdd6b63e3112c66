// SPDX-License-Identifier: MIT
#include "catalogue/cataloguetables.h"
#include "catalogue/picturecheck.h"
#include "tests/catalogue/jpegmarkers.h"
#include "tests/catalogue/pngbytes.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <turbojpeg.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Changes a file's bytes in place.
std::function<void(const QString &)> edit(std::function<void(QByteArray &)> change)
{
    return [change](const QString &path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QByteArray bytes = f.readAll();
        f.close();
        change(bytes);
        write(path, bytes);
    };
}

// A 1920 x 1080 JPEG in CMYK, which Qt's reader converts and the viewer's
// decoder refuses.
QByteArray cmykJpeg()
{
    std::vector<unsigned char> pixels(size_t(1920) * 1080 * 4, 0x40);
    tjhandle tj = tjInitCompress();
    unsigned char *out = nullptr;
    unsigned long size = 0;
    const int rc =
        tjCompress2(tj, pixels.data(), 1920, 0, 1080, TJPF_CMYK, &out, &size, TJSAMP_444, 90, 0);
    const QByteArray bytes =
        rc == 0 ? QByteArray(reinterpret_cast<char *>(out), qsizetype(size)) : QByteArray();
    tjFree(out);
    tjDestroy(tj);
    return bytes;
}

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
         [](const QString &p) { write(p, "not a picture"); }},
        // Qt's reader shows these, the viewer's decoders do not.
        {"JpgImage_10.jpg", "cannot be decoded",
         edit([](QByteArray &b) { b.truncate(b.size() / 2); })},
        {"JpgImage_11.jpg", "cannot be decoded",
         edit([](QByteArray &b) { b.insert(jpegSegment(b, 0xDA), QByteArray(16, 0x55)); })},
        {"JpgImage_13.jpg", "cannot be decoded", [](const QString &p) { write(p, cmykJpeg()); }},
        {"PngImage_2.png", "cannot be decoded",
         [](const QString &p) {
             const QByteArray rows = pngbytes::filteredRows(*overlay, {0});
             write(p, pngbytes::file(overlay->size(), rows + rows.left(rows.size() / 1080)));
         }},
        {"PngImage_4.png", "cannot be decoded",
         [](const QString &p) {
             const QByteArray rows = pngbytes::filteredRows(*overlay, {0});
             write(p, pngbytes::file(overlay->size(), rows + QByteArray(4 * rows.size(), 0)));
         }},
        // A header claiming a huge size is reported without decoding.
        {"PngImage_5.png", "is 30000 x 30000, must be 1920 x 1080",
         [](const QString &p) {
             write(p, pngbytes::claiming({30000, 30000}));
         }},
        {"JpgImage_14.jpg", "is 30000 x 30000, must be 1920 x 1080", edit([](QByteArray &b) {
             setJpegFrameSize(b, {30000, 30000});
         })},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const QString file = dir.filePath(QLatin1String(c.file));
        c.spoil(file);
        const QStringList problems = checkPictureFolder(dir.path());
        EXPECT_EQ(problems.size(), 1) << qPrintable(problems.join('\n'));
        for (const QString &problem : problems) {
            EXPECT_TRUE(problem.startsWith(file)) << qPrintable(problem);
            EXPECT_TRUE(problem.contains(QLatin1String(c.problem))) << qPrintable(problem);
        }
        // Put the good file back for the next case.
        if (file.endsWith(QLatin1String(".jpg")))
            ASSERT_TRUE(picture->save(file, "JPEG"));
        else
            ASSERT_TRUE(overlay->save(file, "PNG"));
    }
}

} // namespace
