// SPDX-License-Identifier: MIT
#include "catalogue/bitmapdecoder.h"
#include "catalogue/cataloguetables.h"
#include "catalogue/resourceassetstore.h"
#include "tests/catalogue/jpegmarkers.h"

#include <QBuffer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QByteArray bytesOf(const AssetView &view)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(view.data), view.size);
}

TEST(PictureAssets, BaselineJpegWithQuarterChromaAtFullHd)
{
    if (NOCTIVUE_OWN_PICTURES)
        GTEST_SKIP() << "replacement pictures need only be 1920 x 1080 JPEGs";
    for (const auto &entry : catalogue::Entries) {
        SCOPED_TRACE(entry.pictureAsset);
        const AssetView view =
            ResourceAssetStore::embedded().open(QLatin1String(entry.pictureAsset));
        const JpegFrame frame = readJpegFrame(bytesOf(view));
        EXPECT_TRUE(frame.baseline);
        EXPECT_EQ(frame.width, 1920);
        EXPECT_EQ(frame.height, 1080);
        ASSERT_EQ(frame.components.size(), 3u);
        EXPECT_EQ(frame.components[0].h, 2);
        EXPECT_EQ(frame.components[0].v, 2);
        for (int c = 1; c < 3; ++c) {
            EXPECT_EQ(frame.components[c].h, 1);
            EXPECT_EQ(frame.components[c].v, 1);
        }

        QImage bitmap;
        catalogue::decodePicture(view, bitmap);
        EXPECT_EQ(bitmap.size(), QSize(1920, 1080));
        EXPECT_EQ(bitmap.format(), QImage::Format_RGB32);
    }
}

TEST(OverlayAssets, EightBitRgbaPngMostlyTransparent)
{
    if (NOCTIVUE_OWN_PICTURES)
        GTEST_SKIP() << "replacement overlays need only be 1920 x 1080 PNGs with alpha";
    for (const char *name : catalogue::OverlayAssets) {
        SCOPED_TRACE(name);
        const AssetView view = ResourceAssetStore::embedded().open(QLatin1String(name));
        const QByteArray bytes = bytesOf(view);
        // Signature, then IHDR: width, height, bit depth, colour type, ..., interlace.
        ASSERT_GE(bytes.size(), 33);
        ASSERT_EQ(bytes.mid(12, 4), QByteArray("IHDR"));
        const auto *ihdr = reinterpret_cast<const uchar *>(bytes.constData()) + 16;
        EXPECT_EQ(qFromBigEndian<quint32>(ihdr), 1920u);
        EXPECT_EQ(qFromBigEndian<quint32>(ihdr + 4), 1080u);
        EXPECT_EQ(ihdr[8], 8);  // bits per channel
        EXPECT_EQ(ihdr[9], 6);  // RGBA
        EXPECT_EQ(ihdr[12], 0); // not interlaced

        QImage bitmap;
        catalogue::decodeOverlay(view, bitmap);
        ASSERT_EQ(bitmap.size(), QSize(1920, 1080));
        EXPECT_EQ(bitmap.format(), QImage::Format_ARGB32_Premultiplied);
        qint64 clear = 0, drawn = 0;
        for (int y = 0; y < bitmap.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(bitmap.constScanLine(y));
            for (int x = 0; x < bitmap.width(); ++x) {
                const QRgb px = row[x];
                qAlpha(px) == 0 ? ++clear : ++drawn;
                // Premultiplied: no channel may exceed its alpha.
                ASSERT_LE(qRed(px), qAlpha(px));
                ASSERT_LE(qGreen(px), qAlpha(px));
                ASSERT_LE(qBlue(px), qAlpha(px));
            }
        }
        EXPECT_GT(clear, 9 * (clear + drawn) / 10);
        EXPECT_GT(drawn, 0);
    }
}

TEST(BitmapDecoding, RedecodingReusesTheLayerBuffer)
{
    QImage picture, overlay;
    catalogue::decodePicture(ResourceAssetStore::embedded().open("JpgImage_6"), picture);
    catalogue::decodeOverlay(ResourceAssetStore::embedded().open("PngImage_5"), overlay);
    const uchar *pictureBits = picture.constBits();
    const uchar *overlayBits = overlay.constBits();
    catalogue::decodePicture(ResourceAssetStore::embedded().open("JpgImage_7"), picture);
    catalogue::decodeOverlay(ResourceAssetStore::embedded().open("PngImage_6"), overlay);
    EXPECT_EQ(picture.constBits(), pictureBits);
    EXPECT_EQ(overlay.constBits(), overlayBits);
}

TEST(BitmapDecoding, MatchesQtsOwnDecoder)
{
    // The fast decoders must give the picture Qt's loader gives, to within
    // the rounding of the colour conversion.
    struct Case
    {
        const char *name;
        bool overlay;
    };
    for (const Case c : {Case{"JpgImage_25", false}, Case{"PngImage_6", true}}) {
        SCOPED_TRACE(c.name);
        const AssetView view = ResourceAssetStore::embedded().open(QLatin1String(c.name));
        QImage ours;
        c.overlay ? catalogue::decodeOverlay(view, ours) : catalogue::decodePicture(view, ours);
        const QImage theirs = QImage::fromData(bytesOf(view)).convertToFormat(ours.format());
        ASSERT_EQ(theirs.size(), ours.size());
        int worst = 0;
        for (int y = 0; y < ours.height(); y += 7) {
            for (int x = 0; x < ours.width(); x += 5) {
                const QRgb a = ours.pixel(x, y), b = theirs.pixel(x, y);
                worst =
                    std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            }
        }
        EXPECT_LE(worst, 2);
    }
}

TEST(BitmapDecoding, OtherPngKindsDecodeLikeQtDoes)
{
    // Replacement overlays need not be 8-bit RGBA; other kinds take the
    // general decoder and must come out the same.
    QImage source(catalogue::BitmapSize, QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgba(x * 4, y * 5, 255 - x * 3, (x * y) % 256));
    const QImage::Format formats[] = {QImage::Format_RGBA64, QImage::Format_Grayscale8,
                                      QImage::Format_RGB888};
    for (QImage::Format format : formats) {
        SCOPED_TRACE(format);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(source.convertToFormat(format).save(&buffer, "PNG"));
        QImage ours;
        catalogue::decodeOverlay({reinterpret_cast<const uchar *>(bytes.constData()), bytes.size()},
                                 ours);
        const QImage theirs =
            QImage::fromData(bytes).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(ours.size(), theirs.size());
        for (int y = 0; y < ours.height(); ++y) {
            for (int x = 0; x < ours.width(); ++x) {
                const QRgb a = ours.pixel(x, y), b = theirs.pixel(x, y);
                ASSERT_LE(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b)),
                          4)
                    << x << "," << y;
            }
        }
    }
}

} // namespace
