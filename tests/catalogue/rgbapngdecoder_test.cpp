// SPDX-License-Identifier: MIT
#include "catalogue/catalogueerror.h"
#include "catalogue/rgbapngdecoder.h"
#include "tests/catalogue/pngbytes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace pngbytes;

// Odd in width, so rows end in a pixel outside any group of four; the first
// row is all clear and the second all opaque, as most overlay rows are, and
// clear pixels keep colour bytes that premultiplying must drop.
QImage sample(int seed = 0)
{
    QImage image(9, 6, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int r = (37 * x + 11 * y + seed) % 256, g = (5 * x * y + 90) % 256;
            const int b = (200 - 13 * x + seed) % 256;
            const int a = y == 0             ? 0
                          : y == 1           ? 255
                          : (x + y) % 3 == 0 ? 0
                                             : (29 * x + 71 * y) % 256;
            image.setPixel(x, y, qRgba(r, g, b, a));
        }
    }
    return image;
}

const QSize Size = sample().size();

QByteArray rows(const std::vector<int> &filters)
{
    return filteredRows(sample(), filters);
}

QByteArray withChunks(const QByteArray &chunks)
{
    return signature() + header(Size) + chunks + end();
}

QByteArray idat(const QByteArray &stream)
{
    return chunk("IDAT", stream);
}

QByteArray badCrc(QByteArray png, qsizetype crcAt)
{
    png[crcAt] = char(png[crcAt] ^ 0x01);
    return png;
}

enum class Outcome {
    Decodes,
    // Found while walking the chunks, so the target is never touched.
    RefusedUnallocated,
    // Found while inflating or unfiltering.
    Refused,
    OtherKind,
};

struct Case
{
    const char *what;
    QByteArray png;
    Outcome outcome;
};

std::vector<Case> cases()
{
    const QByteArray plain = rows({0});
    const QByteArray stream = zlib(rows({0, 1, 2, 3, 4}));
    const qsizetype third = stream.size() / 3;
    const QByteArray text = chunk("tEXt", QByteArray("Comment\0made here", 17));
    QByteArray badFilter = plain;
    badFilter[3 * (Size.width() * 4 + 1)] = 5;
    const QByteArray good = file(Size, plain);
    return {
        {"no filter", file(Size, plain), Outcome::Decodes},
        {"sub", file(Size, rows({1})), Outcome::Decodes},
        {"up", file(Size, rows({2})), Outcome::Decodes},
        {"average", file(Size, rows({3})), Outcome::Decodes},
        {"Paeth", file(Size, rows({4})), Outcome::Decodes},
        {"each filter in turn", withChunks(idat(stream)), Outcome::Decodes},
        {"stream over three IDAT chunks",
         withChunks(idat(stream.left(third)) + idat(stream.mid(third, third)) +
                    idat(stream.mid(2 * third))),
         Outcome::Decodes},
        {"ancillary chunks around the data", withChunks(text + idat(stream) + text),
         Outcome::Decodes},
        {"bytes after IEND", good + "trailing bytes", Outcome::Decodes},

        {"other size than asked", file(Size + QSize(1, 0), rows({0})), Outcome::RefusedUnallocated},
        {"truncated chunk", good.left(good.size() - 20), Outcome::RefusedUnallocated},
        {"no IEND", good.left(good.size() - 12), Outcome::RefusedUnallocated},
        {"cut inside the last CRC", good.chopped(2), Outcome::RefusedUnallocated},
        {"bad CRC in IHDR", badCrc(good, 8 + 8 + 13), Outcome::RefusedUnallocated},
        {"bad CRC in IDAT", badCrc(good, good.size() - 13), Outcome::RefusedUnallocated},
        {"bad CRC in an ancillary chunk",
         badCrc(withChunks(text + idat(stream)), 33 + text.size() - 1),
         Outcome::RefusedUnallocated},
        {"IEND carrying data", signature() + header(Size) + idat(stream) + chunk("IEND", "x"),
         Outcome::RefusedUnallocated},
        {"unknown critical chunk", withChunks(chunk("CRIT", "x") + idat(stream)),
         Outcome::RefusedUnallocated},
        {"second IHDR", withChunks(header(Size) + idat(stream)), Outcome::RefusedUnallocated},
        {"IDAT chunks not consecutive",
         withChunks(idat(stream.left(third)) + text + idat(stream.mid(third))),
         Outcome::RefusedUnallocated},
        {"no IDAT", withChunks(text), Outcome::RefusedUnallocated},

        {"bad filter byte", file(Size, badFilter), Outcome::Refused},
        {"stream inflates past the image", file(Size, plain + QByteArray(Size.width() * 4 + 1, 0)),
         Outcome::Refused},
        {"stream ends before the image", file(Size, plain.chopped(Size.width() * 4 + 1)),
         Outcome::Refused},
        {"bytes after the zlib stream", withChunks(idat(zlib(plain) + "xx")), Outcome::Refused},

        {"8-bit RGB", signature() + header(Size, 8, 2) + idat(zlib(plain)) + end(),
         Outcome::OtherKind},
        {"16-bit RGBA", signature() + header(Size, 16, 6) + idat(zlib(plain)) + end(),
         Outcome::OtherKind},
    };
}

TEST(RgbaPngDecoder, DecodesWhatItShouldAndRefusesTheRest)
{
    const QImage expected = sample().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (const Case &c : cases()) {
        SCOPED_TRACE(c.what);
        // Exactly the file's bytes on the heap, so reading past them is caught.
        const std::vector<uchar> bytes(c.png.cbegin(), c.png.cend());
        const AssetView view{bytes.data(), qsizetype(bytes.size())};
        QImage target;
        try {
            const bool handled = catalogue::decodeRgbaPng(view, target, Size);
            EXPECT_EQ(handled, c.outcome != Outcome::OtherKind);
            if (c.outcome == Outcome::Decodes) {
                EXPECT_EQ(target, expected);
            } else if (c.outcome == Outcome::OtherKind) {
                EXPECT_TRUE(target.isNull());
            } else {
                ADD_FAILURE() << "decoded";
            }
        } catch (const CatalogueError &e) {
            EXPECT_EQ(e.text(), QLatin1String("Loading bitmap failed."));
            EXPECT_TRUE(c.outcome == Outcome::Refused || c.outcome == Outcome::RefusedUnallocated);
            if (c.outcome == Outcome::RefusedUnallocated) {
                EXPECT_TRUE(target.isNull());
            }
        }
    }
}

TEST(RgbaPngDecoder, ReusesItsOwnBufferButNeverOneThatIsShared)
{
    const QByteArray first = file(Size, rows({4})),
                     second = file(Size, filteredRows(sample(7), {1}));
    auto decode = [](const QByteArray &png, QImage &target) {
        ASSERT_TRUE(catalogue::decodeRgbaPng(
            {reinterpret_cast<const uchar *>(png.constData()), png.size()}, target, Size));
    };
    QImage target;
    decode(first, target);
    const uchar *bits = target.constBits();
    decode(second, target);
    EXPECT_EQ(target.constBits(), bits);

    const QImage kept = target;
    decode(first, target);
    EXPECT_EQ(kept, sample(7).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    EXPECT_EQ(target, sample().convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

} // namespace
