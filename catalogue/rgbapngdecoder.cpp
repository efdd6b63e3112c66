#include "rgbapngdecoder.h"

#include "catalogueerror.h"

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

// Reverses the row's filter into dst (which may start before src, never after),
// using the previous unfiltered row (nullptr for the first).
void unfilter(int filter, const uchar *src, uchar *dst, const uchar *prev, size_t bytes)
{
    constexpr size_t bpp = 4;
    switch (filter) {
    case 0:
        std::memmove(dst, src, bytes);
        break;
    case 1:
        for (size_t i = 0; i < bytes; ++i)
            dst[i] = uchar(src[i] + (i >= bpp ? dst[i - bpp] : 0));
        break;
    case 2:
        for (size_t i = 0; i < bytes; ++i)
            dst[i] = uchar(src[i] + (prev ? prev[i] : 0));
        break;
    case 3:
        for (size_t i = 0; i < bytes; ++i) {
            const int left = i >= bpp ? dst[i - bpp] : 0;
            const int up = prev ? prev[i] : 0;
            dst[i] = uchar(src[i] + ((left + up) >> 1));
        }
        break;
    case 4:
        for (size_t i = 0; i < bytes; ++i) {
            const int left = i >= bpp ? dst[i - bpp] : 0;
            const int up = prev ? prev[i] : 0;
            const int upLeft = prev && i >= bpp ? prev[i - bpp] : 0;
            dst[i] = uchar(src[i] + paeth(left, up, upLeft));
        }
        break;
    default:
        fail();
    }
}

// RGBA to premultiplied BGRA, in place.
void premultiply(uchar *row, int width)
{
    for (int x = 0; x < width; ++x, row += 4) {
        const unsigned a = row[3];
        if (a == 255) {
            std::swap(row[0], row[2]);
        } else if (a == 0) {
            row[0] = row[1] = row[2] = 0;
        } else {
            auto mul = [a](unsigned c) {
                const unsigned t = c * a + 128;
                return uchar((t + (t >> 8)) >> 8);
            };
            const uchar r = row[0];
            row[0] = mul(row[2]);
            row[1] = mul(row[1]);
            row[2] = mul(r);
        }
    }
}

} // namespace

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
    const bool rgba8 = ihdr[16] == 8 && ihdr[17] == 6 && ihdr[18] == 0 && ihdr[19] == 0 &&
                       ihdr[20] == 0;
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
    // follows one row behind.
    uchar *prev = nullptr;
    for (size_t y = 0; y < h; ++y) {
        const uchar *src = bits + y * (rowBytes + 1);
        uchar *dst = bits + y * rowBytes;
        unfilter(src[0], src + 1, dst, prev, rowBytes);
        if (prev)
            premultiply(prev, int(w));
        prev = dst;
    }
    premultiply(prev, int(w));
    return true;
}

} // namespace catalogue
