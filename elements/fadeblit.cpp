// SPDX-License-Identifier: MIT
#include "elements/fadeblit.h"

#include <QPaintEngine>
#include <QPainter>

#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#define NOCTIVUE_AVX2_BLIT
#include <immintrin.h>
#endif

namespace {

// Qt's 8-bit multiply: x * a / 255, rounded, as its interpolating blend does
// it with the destination black.
inline quint32 scaleChannels(quint32 pixel, quint32 a)
{
    quint32 rb = (pixel & 0x00ff00ffu) * a;
    rb = ((rb + ((rb >> 8) & 0x00ff00ffu) + 0x00800080u) >> 8) & 0x00ff00ffu;
    quint32 g = ((pixel >> 8) & 0xffu) * a;
    g = ((g + (g >> 8) + 0x80u) >> 8) & 0xffu;
    return 0xff000000u | rb | (g << 8);
}

#if defined(NOCTIVUE_AVX2_BLIT)
// The same arithmetic eight pixels at a time; unpacking and packing both
// work within 128-bit lanes, so the pixels keep their order. Returns how many
// pixels it wrote.
__attribute__((target("avx2"))) int scaleRowAvx2(quint32 *out, const quint32 *in, int count,
                                                 quint32 a)
{
    int i = 0;
    const __m256i zero = _mm256_setzero_si256();
    const __m256i factor = _mm256_set1_epi16(short(a));
    const __m256i half = _mm256_set1_epi16(0x80);
    const __m256i opaque = _mm256_set1_epi32(int(0xff000000u));
    for (; i + 8 <= count; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(in + i));
        __m256i lo = _mm256_mullo_epi16(_mm256_unpacklo_epi8(s, zero), factor);
        __m256i hi = _mm256_mullo_epi16(_mm256_unpackhi_epi8(s, zero), factor);
        lo = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_add_epi16(lo, _mm256_srli_epi16(lo, 8)), half), 8);
        hi = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_add_epi16(hi, _mm256_srli_epi16(hi, 8)), half), 8);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + i),
                            _mm256_or_si256(_mm256_packus_epi16(lo, hi), opaque));
    }
    return i;
}
#endif

void scaleRow(quint32 *out, const quint32 *in, int count, quint32 a)
{
    int i = 0;
#if defined(NOCTIVUE_AVX2_BLIT)
    // A fade frame is bound by this loop as much as by memory: twice the
    // width cuts its time by about a fifth.
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2)
        i = scaleRowAvx2(out, in, count, a);
#endif
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i factor = _mm_set1_epi16(short(a));
    const __m128i half = _mm_set1_epi16(0x80);
    const __m128i opaque = _mm_set1_epi32(int(0xff000000u));
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
        __m128i lo = _mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), factor);
        __m128i hi = _mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), factor);
        lo = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(lo, _mm_srli_epi16(lo, 8)), half), 8);
        hi = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(hi, _mm_srli_epi16(hi, 8)), half), 8);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i),
                         _mm_or_si128(_mm_packus_epi16(lo, hi), opaque));
    }
#endif
    for (; i < count; ++i)
        out[i] = scaleChannels(in[i], a);
}

} // namespace

bool fadeBlit(QPainter &painter, const QRegion &region, QPoint at, const QImage &bitmap, int alpha)
{
    QPaintEngine *engine = painter.paintEngine();
    if (!engine || alpha < 1 || alpha > 256 || bitmap.format() != QImage::Format_RGB32)
        return false;
    QPaintDevice *device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return false;
    auto *target = static_cast<QImage *>(device);
    const QTransform t = painter.deviceTransform();
    // The window system's backing store is often the premultiplied format
    // even where it shows no alpha; opaque pixels are the same in both.
    const bool opaqueTarget = target->format() == QImage::Format_RGB32 ||
                              target->format() == QImage::Format_ARGB32_Premultiplied;
    if (!opaqueTarget || t.type() > QTransform::TxTranslate || t.dx() != std::trunc(t.dx()) ||
        t.dy() != std::trunc(t.dy()))
        return false;
    const QPoint shift(int(t.dx()), int(t.dy()));
    // The engine truncates its alpha to 0..255 for this blend.
    const quint32 a = quint32(alpha * 255) >> 8;
    const QRect bitmapRect(at + shift, bitmap.size());
    const QRegion written = region.translated(shift) & bitmapRect & target->rect();
    // Once per frame: the non-const scanLine() checks for a detach on every row.
    uchar *const pixels = target->bits();
    const qsizetype stride = target->bytesPerLine();
    for (const QRect &r : written) {
        const int sx = r.left() - bitmapRect.left();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto *out = reinterpret_cast<quint32 *>(pixels + y * stride) + r.left();
            const auto *in =
                reinterpret_cast<const quint32 *>(bitmap.constScanLine(y - bitmapRect.top())) + sx;
            if (alpha == 256)
                std::memcpy(out, in, size_t(r.width()) * sizeof(quint32));
            else
                scaleRow(out, in, r.width(), a);
        }
    }
    return true;
}
