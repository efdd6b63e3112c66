// SPDX-License-Identifier: MIT
#include "bench/decodefloor.h"

#include "bench/benchclock.h"
#include "catalogue/rgbapngdecoder.h"

#include <QtEndian>

#include <libdeflate.h>
#include <spng.h>
#include <turbojpeg.h>

#include <cstring>

namespace {
constexpr size_t FrameBytes = size_t(1920) * 1080 * 4;
}

DecodeFloor::DecodeFloor()
    : m_tj(tjInitDecompress()), m_inflater(libdeflate_alloc_decompressor()),
      m_raw(FrameBytes + 1080), m_pixels(FrameBytes), m_copy(FrameBytes)
{}

DecodeFloor::~DecodeFloor()
{
    tjDestroy(m_tj);
    libdeflate_free_decompressor(static_cast<libdeflate_decompressor *>(m_inflater));
}

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
    libdeflate_zlib_decompress(static_cast<libdeflate_decompressor *>(m_inflater), stream.data(),
                               stream.size(), m_raw.data(), m_raw.size(), &produced);
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
    tjDecompress2(m_tj, jpeg.data, static_cast<unsigned long>(jpeg.size), m_pixels.data(), 1920,
                  1920 * 4, 1080, TJPF_BGRA, 0);
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
