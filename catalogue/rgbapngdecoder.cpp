// SPDX-License-Identifier: MIT
#include "catalogue/rgbapngdecoder.h"

#include "catalogue/catalogueerror.h"

#include <QtEndian>

#include <libdeflate.h>

#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace catalogue {

namespace {

[[noreturn]] void fail()
{
    throw CatalogueError(QStringLiteral("Loading bitmap failed."));
}

constexpr uchar Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Buffers this decoder handed to a QImage, with their capacity. The raw
// stream carries one filter byte per row, so a buffer holds height bytes more
// than the bitmap; only such a buffer can be inflated into again.
std::unordered_map<const uchar *, size_t> &ownBuffers()
{
    static std::unordered_map<const uchar *, size_t> buffers;
    return buffers;
}

void releaseBuffer(void *buffer)
{
    ownBuffers().erase(static_cast<const uchar *>(buffer));
    std::free(buffer);
}

uchar *prepare(QImage &target, int width, int height, size_t capacity)
{
    constexpr QImage::Format format = QImage::Format_ARGB32_Premultiplied;
    if (target.width() == width && target.height() == height && target.format() == format &&
        target.bytesPerLine() == qsizetype(width) * 4 && target.isDetached()) {
        const auto it = ownBuffers().find(target.constBits());
        if (it != ownBuffers().end() && it->second >= capacity)
            return target.bits();
    }
    target = QImage();
    auto *buffer = static_cast<uchar *>(std::malloc(capacity));
    if (!buffer)
        fail();
    ownBuffers().emplace(buffer, capacity);
    target = QImage(buffer, width, height, width * 4, format, releaseBuffer, buffer);
    return buffer;
}

struct Decompressor
{
    libdeflate_decompressor *d = libdeflate_alloc_decompressor();
    ~Decompressor() { libdeflate_free_decompressor(d); }
};

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

bool decodeRgbaPng(const AssetView &png, QImage &target)
{
    const uchar *p = png.data;
    const size_t size = size_t(png.size);
    if (!p || size < 8 + 25 || std::memcmp(p, Signature, 8) != 0)
        return false;
    const uchar *ihdr = p + 8;
    if (qFromBigEndian<quint32>(ihdr) != 13 || std::memcmp(ihdr + 4, "IHDR", 4) != 0)
        return false;
    const quint32 w = qFromBigEndian<quint32>(ihdr + 8);
    const quint32 h = qFromBigEndian<quint32>(ihdr + 12);
    const bool rgba8 =
        ihdr[16] == 8 && ihdr[17] == 6 && ihdr[18] == 0 && ihdr[19] == 0 && ihdr[20] == 0;
    if (!rgba8 || w == 0 || h == 0 || w > 16384 || h > 16384)
        return false;

    // Gather the compressed stream; it is usually one chunk, used in place.
    std::vector<uchar> joined;
    const uchar *stream = nullptr;
    size_t streamSize = 0;
    bool ended = false;
    for (size_t at = 8; at + 12 <= size && !ended;) {
        const size_t length = qFromBigEndian<quint32>(p + at);
        if (length > size - at - 12)
            fail();
        const uchar *type = p + at + 4;
        const uchar *data = p + at + 8;
        if (std::memcmp(type, "IDAT", 4) == 0) {
            if (!stream) {
                stream = data;
                streamSize = length;
            } else {
                if (joined.empty())
                    joined.assign(stream, stream + streamSize);
                joined.insert(joined.end(), data, data + length);
            }
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            ended = true;
        }
        at += 12 + length;
    }
    if (!joined.empty()) {
        stream = joined.data();
        streamSize = joined.size();
    }
    if (!stream || !ended)
        fail();

    const size_t rowBytes = size_t(w) * 4;
    const size_t rawSize = (rowBytes + 1) * h;
    uchar *bits = prepare(target, int(w), int(h), rawSize);

    static thread_local Decompressor inflater;
    size_t produced = 0;
    if (!inflater.d ||
        libdeflate_zlib_decompress(inflater.d, stream, streamSize, bits, rawSize, &produced) !=
            LIBDEFLATE_SUCCESS ||
        produced != rawSize)
        fail();

    // Row y's raw bytes start at y * (rowBytes + 1) and its pixels at
    // y * rowBytes: each row moves left, so going down never overwrites
    // bytes not read yet.
    // Unfiltering reads the row above as it was stored, so premultiplying
    // follows one row behind. The first row's "row above" is all zero.
    const std::vector<uchar> zeroRow(rowBytes, 0);
    uchar *prev = nullptr;
    for (size_t y = 0; y < h; ++y) {
        const uchar *src = bits + y * (rowBytes + 1);
        uchar *dst = bits + y * rowBytes;
        unfilterRgbaRow(src[0], src + 1, dst, prev ? prev : zeroRow.data(), rowBytes);
        if (prev)
            premultiplyRgbaRow(prev, int(w));
        prev = dst;
    }
    premultiplyRgbaRow(prev, int(w));
    return true;
}

} // namespace catalogue
