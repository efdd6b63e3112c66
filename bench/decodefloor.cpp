// SPDX-License-Identifier: MIT
#include "bench/decodefloor.h"

#include "bench/benchclock.h"
#include "bench/stats.h"
#include "catalogue/bitmapdecoder.h"
#include "catalogue/rgbapngdecoder.h"

#include <QBuffer>
#include <QtEndian>

#include <cstdio>
#include <cstring>

namespace {
constexpr size_t FrameBytes = size_t(1920) * 1080 * 4;
}

DecodeFloor::DecodeFloor()
    : m_tj(tjInitDecompress()), m_inflater(libdeflate_alloc_decompressor()),
      m_raw(FrameBytes + 1080), m_pixels(FrameBytes), m_copy(FrameBytes)
{}

double DecodeFloor::inflateMs(const AssetView &png)
{
    const double t0 = BenchClock::wallMs();
    std::vector<unsigned char> stream;
    for (qsizetype at = 8; at + 12 <= png.size;) {
        const quint32 length = qFromBigEndian<quint32>(png.data + at);
        if (std::memcmp(png.data + at + 4, "IDAT", 4) == 0)
            stream.insert(stream.end(), png.data + at + 8, png.data + at + 8 + length);
        at += 12 + length;
    }
    size_t produced = 0;
    libdeflate_zlib_decompress(m_inflater.get(), stream.data(), stream.size(), m_raw.data(),
                               m_raw.size(), &produced);
    constexpr size_t rowBytes = 1920 * 4;
    const std::vector<unsigned char> zero(rowBytes, 0);
    const unsigned char *prev = zero.data();
    for (size_t y = 0; y < 1080; ++y) {
        const unsigned char *src = m_raw.data() + y * (rowBytes + 1);
        unsigned char *dst = m_pixels.data() + y * rowBytes;
        catalogue::unfilterRgbaRow(src[0], src + 1, dst, prev, rowBytes);
        prev = dst;
    }
    return BenchClock::wallMs() - t0;
}

double DecodeFloor::jpegMs(const AssetView &jpeg)
{
    const double t0 = BenchClock::wallMs();
    tjDecompress2(m_tj.get(), jpeg.data, static_cast<unsigned long>(jpeg.size), m_pixels.data(),
                  1920, 1920 * 4, 1080, TJPF_BGRA, 0);
    return BenchClock::wallMs() - t0;
}

double DecodeFloor::pngMs(const AssetView &png)
{
    const double t0 = BenchClock::wallMs();
    spng_ctx *ctx = spng_ctx_new(0);
    spng_set_png_buffer(ctx, png.data, static_cast<size_t>(png.size));
    spng_decode_image(ctx, m_pixels.data(), m_pixels.size(), SPNG_FMT_RGBA8, 0);
    spng_ctx_free(ctx);
    return BenchClock::wallMs() - t0;
}

double DecodeFloor::memcpyMs()
{
    const double t0 = BenchClock::wallMs();
    std::memcpy(m_copy.data(), m_pixels.data(), FrameBytes);
    return BenchClock::wallMs() - t0;
}

double DecodeFloor::qtPngMs(const AssetView &png)
{
    const double t0 = BenchClock::wallMs();
    QImage image;
    image.loadFromData(png.data, int(png.size), "PNG");
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return BenchClock::wallMs() - t0;
}

double DecodeFloor::overlayMs(const AssetView &png)
{
    const double t0 = BenchClock::wallMs();
    catalogue::decodeOverlay(png, m_overlay);
    return BenchClock::wallMs() - t0;
}

void DecodeFloor::printPngComparison(std::span<const AssetView> overlays, int reps)
{
    using Decode = double (DecodeFloor::*)(const AssetView &);
    auto median = [this, reps](Decode decode, const AssetView &png) {
        std::vector<double> times;
        for (int rep = 0; rep < reps; ++rep)
            times.push_back((this->*decode)(png));
        return stats::median(times);
    };
    auto row = [&](const char *name, const AssetView &png) {
        const double qt = median(&DecodeFloor::qtPngMs, png);
        const double spng = median(&DecodeFloor::pngMs, png);
        const double ours = median(&DecodeFloor::overlayMs, png);
        std::printf("%-22s %8.2f ms %8.2f ms %8.2f ms %7.1fx\n", name, qt, spng, ours, qt / ours);
    };
    std::printf("\nPNG decode to premultiplied ARGB, median of %d\n", reps);
    std::printf("%-22s %11s %11s %11s %8s\n", "overlay", "Qt", "libspng", "viewer", "Qt/it");
    int k = 0;
    for (const AssetView &png : overlays)
        row(qPrintable(QStringLiteral("PngImage_%1").arg(++k)), png);

    // The general path, for replacement overlays in other kinds of PNG.
    QImage source;
    source.loadFromData(overlays.back().data, int(overlays.back().size), "PNG");
    const struct
    {
        const char *name;
        QImage::Format format;
    } kinds[] = {{"16-bit RGBA", QImage::Format_RGBA64},
                 {"palette with alpha", QImage::Format_Indexed8},
                 {"8-bit RGB", QImage::Format_RGB888}};
    for (const auto &kind : kinds) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        source.convertToFormat(kind.format).save(&buffer, "PNG");
        row(kind.name, {reinterpret_cast<const uchar *>(bytes.constData()), bytes.size()});
    }
}
