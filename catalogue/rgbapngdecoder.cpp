// SPDX-License-Identifier: MIT
#include "catalogue/rgbapngdecoder.h"

#include "catalogue/catalogueerror.h"
#include "catalogue/libraryhandle.h"

#include <QtEndian>

#include <libdeflate.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace catalogue {

namespace {

[[noreturn]] void fail()
{
    throw CatalogueError(QStringLiteral("Loading bitmap failed."));
}

constexpr uchar Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Pixels are read from the stream's RGBA bytes as one little-endian word,
// red lowest, and written back as Qt's native ARGB32 word.
static_assert(std::endian::native == std::endian::little,
              "the RGBA word order assumes a little-endian machine");

// Rows carry one spare pixel, so the buffer holds h * (w * 4 + 4) bytes: the
// raw stream, one filter byte per row longer than the pixels, fits at its
// end. Any detached bitmap of this geometry has such a buffer, whoever made
// it, so nothing needs to remember which buffers came from here.
qsizetype strideFor(int width)
{
    return qsizetype(width) * 4 + 4;
}

uchar *prepare(QImage &target, int width, int height)
{
    constexpr QImage::Format format = QImage::Format_ARGB32_Premultiplied;
    const qsizetype stride = strideFor(width);
    if (target.width() == width && target.height() == height && target.format() == format &&
        target.bytesPerLine() == stride && target.isDetached()) {
        uchar *bits = target.bits();
        if (target.bytesPerLine() == stride)
            return bits;
    }
    target = QImage();
    auto *buffer = static_cast<uchar *>(std::malloc(size_t(stride) * size_t(height)));
    if (!buffer)
        fail();
    target = QImage(
        buffer, width, height, stride, format, [](void *b) { std::free(b); }, buffer);
    return buffer;
}

using Inflater = LibraryHandle<libdeflate_decompressor, libdeflate_free_decompressor>;

bool isChunk(const uchar *type, const char *name)
{
    return std::memcmp(type, name, 4) == 0;
}

bool isLetter(uchar c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Bit 5 of the first letter clear: a decoder that does not know the chunk
// cannot show the picture.
bool isCritical(const uchar *type)
{
    return (type[0] & 0x20) == 0;
}

inline uchar paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return uchar(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

inline quint32 load32(const uchar *p)
{
    quint32 v;
    std::memcpy(&v, p, 4);
    return v;
}

inline void store32(uchar *p, quint32 v)
{
    std::memcpy(p, &v, 4);
}

using Bytes16 = uchar __attribute__((vector_size(16)));

} // namespace

// Every chunk is read before the bytes in front of it are written, so the
// move left of an in-place decode is safe.
void unfilterRgbaRow(int filter, const uchar *src, uchar *dst, const uchar *prev, size_t bytes)
{
    switch (filter) {
    case 0:
        std::memmove(dst, src, bytes);
        return;
    case 2: {
        size_t i = 0;
        for (; i + 16 <= bytes; i += 16) {
            Bytes16 s, p;
            std::memcpy(&s, src + i, 16);
            std::memcpy(&p, prev + i, 16);
            s += p;
            std::memcpy(dst + i, &s, 16);
        }
        for (; i < bytes; ++i)
            dst[i] = uchar(src[i] + prev[i]);
        return;
    }
    case 1:
    case 3:
    case 4:
        break;
    default:
        fail();
    }
    // Sub, average and Paeth depend on the pixel to the left, so they go a
    // pixel at a time; the overlays are mostly empty, and an empty pixel
    // with empty neighbours stays empty.
    quint32 left = 0, upLeft = 0;
    for (size_t i = 0; i < bytes; i += 4) {
        const quint32 s = load32(src + i);
        const quint32 up = load32(prev + i);
        quint32 out = 0;
        if ((s | left | up | upLeft) != 0) {
            for (int c = 0; c < 4; ++c) {
                const int shift = 8 * c;
                const int a = (left >> shift) & 0xFF, b = (up >> shift) & 0xFF;
                int predictor = a;
                if (filter == 3)
                    predictor = (a + b) >> 1;
                else if (filter == 4)
                    predictor = paeth(a, b, (upLeft >> shift) & 0xFF);
                out |= quint32(uchar(((s >> shift) & 0xFF) + predictor)) << shift;
            }
        }
        store32(dst + i, out);
        left = out;
        upLeft = up;
    }
}

// Four pixels at a time where they are all clear or all opaque.
void premultiplyRgbaRow(uchar *row, int width)
{
    auto opaque = [](quint32 p) {
        return (p & 0xFF00FF00u) | ((p & 0xFFu) << 16) | ((p >> 16) & 0xFFu);
    };
    auto general = [](quint32 p) -> quint32 {
        const unsigned a = p >> 24;
        if (a == 0)
            return 0;
        auto mul = [a](unsigned c) {
            const unsigned t = c * a + 128;
            return (t + (t >> 8)) >> 8;
        };
        return (a << 24) | (mul(p & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) |
               mul((p >> 16) & 0xFF);
    };
    int x = 0;
    for (; x + 4 <= width; x += 4, row += 16) {
        quint32 px[4];
        std::memcpy(px, row, 16);
        const quint32 any = px[0] | px[1] | px[2] | px[3];
        if (any == 0)
            continue;
        if (((px[0] & px[1] & px[2] & px[3]) >> 24) == 0xFF) {
            for (quint32 &p : px)
                p = opaque(p);
        } else {
            for (quint32 &p : px)
                p = general(p);
        }
        std::memcpy(row, px, 16);
    }
    for (; x < width; ++x, row += 4)
        store32(row, general(load32(row)));
}

bool decodeRgbaPng(const AssetView &png, QImage &target, QSize size)
{
    const uchar *p = png.data;
    const size_t fileSize = size_t(png.size);
    if (!p || fileSize < 8 + 25 || std::memcmp(p, Signature, 8) != 0)
        return false;
    const uchar *ihdr = p + 8;
    if (qFromBigEndian<quint32>(ihdr) != 13 || !isChunk(ihdr + 4, "IHDR"))
        return false;
    const quint32 w = qFromBigEndian<quint32>(ihdr + 8);
    const quint32 h = qFromBigEndian<quint32>(ihdr + 12);
    const bool rgba8 =
        ihdr[16] == 8 && ihdr[17] == 6 && ihdr[18] == 0 && ihdr[19] == 0 && ihdr[20] == 0;
    if (!rgba8)
        return false;
    if (libdeflate_crc32(0, ihdr + 4, 17) != qFromBigEndian<quint32>(ihdr + 21) ||
        w != quint32(size.width()) || h != quint32(size.height()))
        fail();

    // Walk the chunks up to IEND, checking each one's CRC. The stream may be
    // split over many IDAT chunks, which must follow one another; it is used
    // in place when it is one chunk and joined otherwise. Bytes after IEND
    // are not part of the datastream and are left unread.
    std::vector<uchar> joined;
    const uchar *stream = nullptr;
    size_t streamSize = 0;
    bool dataEnded = false;
    for (size_t at = 8 + 25;;) {
        if (fileSize - at < 12)
            fail();
        const size_t length = qFromBigEndian<quint32>(p + at);
        if (length > 0x7FFFFFFF || length > fileSize - at - 12)
            fail();
        const uchar *type = p + at + 4;
        const uchar *data = type + 4;
        if (!std::all_of(type, type + 4, isLetter) ||
            libdeflate_crc32(0, type, length + 4) != qFromBigEndian<quint32>(data + length))
            fail();
        at += 12 + length;
        if (isChunk(type, "IDAT")) {
            if (dataEnded)
                fail();
            if (!stream) {
                stream = data;
                streamSize = length;
                continue;
            }
            if (joined.empty())
                joined.assign(stream, stream + streamSize);
            joined.insert(joined.end(), data, data + length);
            continue;
        }
        dataEnded = stream != nullptr;
        if (isChunk(type, "IEND")) {
            if (length != 0 || !stream)
                fail();
            break;
        }
        // A palette is only a suggestion for truecolour and must come
        // before the data; every other critical chunk is unknown here.
        if (isCritical(type) && !(isChunk(type, "PLTE") && !stream))
            fail();
    }
    if (!joined.empty()) {
        stream = joined.data();
        streamSize = joined.size();
    }

    const size_t rowBytes = size_t(w) * 4;
    const size_t rawRow = rowBytes + 1;
    const size_t rawSize = rawRow * h;
    uchar *bits = prepare(target, int(w), int(h));
    const size_t stride = size_t(target.bytesPerLine());
    uchar *raw = bits + stride * h - rawSize;

    // Inflating stops at the end of the buffer, so a stream that claims more
    // than the image costs no more than the image; the whole input must be
    // one zlib stream of exactly the image's size.
    const Inflater inflater(libdeflate_alloc_decompressor());
    size_t consumed = 0;
    if (!inflater ||
        libdeflate_zlib_decompress_ex(inflater.get(), stream, streamSize, raw, rawSize, &consumed,
                                      nullptr) != LIBDEFLATE_SUCCESS ||
        consumed != streamSize)
        fail();

    // Row y's raw bytes start at 3h + y * (rowBytes + 1) and its pixels at
    // y * (rowBytes + 4): a row never moves right, and its pixels end before
    // the next row's raw bytes begin, so going down overwrites nothing unread.
    // Unfiltering reads the row above as it was stored, so premultiplying
    // follows one row behind. The first row's "row above" is all zero.
    const std::vector<uchar> zeroRow(rowBytes, 0);
    uchar *prev = nullptr;
    for (size_t y = 0; y < h; ++y) {
        const uchar *src = raw + y * rawRow;
        uchar *dst = bits + y * stride;
        unfilterRgbaRow(src[0], src + 1, dst, prev ? prev : zeroRow.data(), rowBytes);
        if (prev)
            premultiplyRgbaRow(prev, int(w));
        prev = dst;
    }
    premultiplyRgbaRow(prev, int(w));
    return true;
}

} // namespace catalogue
