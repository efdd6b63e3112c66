// SPDX-License-Identifier: MIT
#include "catalogue/bitmapdecoder.h"
#include "catalogue/catalogueerror.h"
#include "tests/catalogue/jpegmarkers.h"
#include "tests/catalogue/pngbytes.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

// A small real JPEG whose frame header claims another size.
QByteArray jpegClaiming(QSize size)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    setJpegFrameSize(bytes, size);
    return bytes;
}

TEST(BitmapDecoder, AnyOtherSizeIsRefusedBeforeTheBitmapIsMade)
{
    struct Case
    {
        const char *what;
        QByteArray bytes;
        bool overlay;
    };
    const Case cases[] = {
        {"JPEG claiming 30000 x 30000", jpegClaiming({30000, 30000}), false},
        {"JPEG one row short", jpegClaiming({1920, 1079}), false},
        {"RGBA PNG claiming 30000 x 30000", pngbytes::claiming({30000, 30000}, 8), true},
        {"16-bit PNG claiming 30000 x 30000", pngbytes::claiming({30000, 30000}, 16), true},
        {"16-bit PNG one column short", pngbytes::claiming({1919, 1080}, 16), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const AssetView view{reinterpret_cast<const uchar *>(c.bytes.constData()), c.bytes.size()};
        QImage target;
        try {
            c.overlay ? catalogue::decodeOverlay(view, target)
                      : catalogue::decodePicture(view, target);
            ADD_FAILURE() << "decoded";
        } catch (const CatalogueError &e) {
            EXPECT_EQ(e.text(), QLatin1String("Loading bitmap failed."));
        }
        EXPECT_TRUE(target.isNull());
    }
}

} // namespace
