// SPDX-License-Identifier: MIT
#include "catalogue/bitmapdecoder.h"

#include "catalogue/catalogueerror.h"
#include "catalogue/libraryhandle.h"
#include "catalogue/rgbapngdecoder.h"

#include <spng.h>
#include <turbojpeg.h>

#include <type_traits>

namespace catalogue {

namespace {

[[noreturn]] void fail()
{
    throw CatalogueError(QStringLiteral("Loading bitmap failed."));
}

// Reuses the target's pixels when they fit; detaching first so the decode
// never writes into a buffer someone else still shares.
uchar *prepare(QImage &target, int width, int height, QImage::Format format)
{
    if (target.width() != width || target.height() != height || target.format() != format)
        target = QImage(width, height, format);
    if (target.isNull())
        fail();
    return target.bits();
}

using TurboJpeg = LibraryHandle<void, tjDestroy>;
using SpngContext = LibraryHandle<spng_ctx, spng_ctx_free>;
static_assert(std::is_move_constructible_v<TurboJpeg> && !std::is_copy_constructible_v<TurboJpeg>,
              "a handle has one owner at a time");

} // namespace

void decodePicture(const AssetView &jpeg, QImage &target)
{
    if (!jpeg.isOpen())
        fail();
    const TurboJpeg tj(tjInitDecompress());
    int width = 0, height = 0, subsamp = 0, colorspace = 0;
    if (!tj ||
        tjDecompressHeader3(tj.get(), jpeg.data, static_cast<unsigned long>(jpeg.size), &width,
                            &height, &subsamp, &colorspace) != 0 ||
        QSize(width, height) != BitmapSize || colorspace == TJCS_CMYK || colorspace == TJCS_YCCK)
        fail();
    uchar *bits = prepare(target, width, height, QImage::Format_RGB32);
    // BGRA gives Qt's RGB32 byte order with the fourth byte set to 0xFF. A
    // warning means some of the picture is made up, so it fails the decode
    // at once, as does a progressive file with an absurd number of scans.
    if (tjDecompress2(tj.get(), jpeg.data, static_cast<unsigned long>(jpeg.size), bits, width,
                      static_cast<int>(target.bytesPerLine()), height, TJPF_BGRA,
                      TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS) != 0)
        fail();
}

void decodeOverlay(const AssetView &png, QImage &target)
{
    if (!png.isOpen())
        fail();
    if (decodeRgbaPng(png, target, BitmapSize))
        return;
    // Any other kind of PNG: libspng converts each row to RGBA8 in the
    // bitmap's own buffer, so even a 16-bit file needs no second bitmap.
    const SpngContext ctx(spng_ctx_new(0));
    if (!ctx || spng_set_png_buffer(ctx.get(), png.data, static_cast<size_t>(png.size)) != 0)
        fail();
    spng_ihdr ihdr{};
    if (spng_get_ihdr(ctx.get(), &ihdr) != 0 ||
        QSize(int(ihdr.width), int(ihdr.height)) != BitmapSize)
        fail();
    const int width = static_cast<int>(ihdr.width);
    const int height = static_cast<int>(ihdr.height);
    uchar *bits = prepare(target, width, height, QImage::Format_ARGB32_Premultiplied);
    const size_t rowBytes = size_t(width) * 4;
    if (ihdr.interlace_method != SPNG_INTERLACE_NONE) {
        // Interlaced rows arrive in passes, so convert only once all are in;
        // the passes fill a buffer without spare bytes between rows.
        if (target.bytesPerLine() != qsizetype(rowBytes)) {
            target = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
            bits = target.bits();
        }
        if (!bits ||
            spng_decode_image(ctx.get(), bits, rowBytes * size_t(height), SPNG_FMT_RGBA8, 0) != 0)
            fail();
        for (int y = 0; y < height; ++y)
            premultiplyRgbaRow(target.scanLine(y), width);
        return;
    }
    if (spng_decode_image(ctx.get(), nullptr, 0, SPNG_FMT_RGBA8, SPNG_DECODE_PROGRESSIVE) != 0)
        fail();
    spng_row_info info{};
    int rc = 0;
    // Rows are decoded into their place in the bitmap and converted there.
    do {
        if (spng_get_row_info(ctx.get(), &info) != 0)
            break;
        uchar *row = target.scanLine(static_cast<int>(info.row_num));
        rc = spng_decode_row(ctx.get(), row, rowBytes);
        if (rc != 0 && rc != SPNG_EOI)
            fail();
        premultiplyRgbaRow(row, width);
    } while (rc != SPNG_EOI);
    if (rc != SPNG_EOI)
        fail();
}

} // namespace catalogue
