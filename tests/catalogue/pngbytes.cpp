// SPDX-License-Identifier: MIT
#include "tests/catalogue/pngbytes.h"

#include <QtEndian>

#include <libdeflate.h>

#include <cstdlib>
#include <memory>

namespace pngbytes {

namespace {

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

int paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

} // namespace

QByteArray signature()
{
    return QByteArray("\x89PNG\r\n\x1a\n", 8);
}

QByteArray chunk(const char *type, const QByteArray &data)
{
    const QByteArray body = QByteArray(type, 4) + data;
    const quint32 crc = libdeflate_crc32(0, body.constData(), size_t(body.size()));
    return bigEndian(quint32(data.size())) + body + bigEndian(crc);
}

QByteArray header(QSize size, int bitDepth, int colourType)
{
    QByteArray data = bigEndian(quint32(size.width())) + bigEndian(quint32(size.height()));
    data += char(bitDepth);
    data += char(colourType);
    data += QByteArray(3, '\0'); // compression, filter method, no interlacing
    return chunk("IHDR", data);
}

QByteArray end()
{
    return chunk("IEND", {});
}

QByteArray zlib(const QByteArray &raw)
{
    const std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor *)> compressor(
        libdeflate_alloc_compressor(6), libdeflate_free_compressor);
    QByteArray out(qsizetype(libdeflate_zlib_compress_bound(compressor.get(), size_t(raw.size()))),
                   '\0');
    const size_t n = libdeflate_zlib_compress(compressor.get(), raw.constData(), size_t(raw.size()),
                                              out.data(), size_t(out.size()));
    out.truncate(qsizetype(n));
    return out;
}

QByteArray filteredRows(const QImage &image, const std::vector<int> &filters)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const qsizetype rowBytes = qsizetype(argb.width()) * 4;
    QByteArray above(rowBytes, '\0'), out;
    for (int y = 0; y < argb.height(); ++y) {
        QByteArray row;
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = argb.pixel(x, y);
            row += char(qRed(p));
            row += char(qGreen(p));
            row += char(qBlue(p));
            row += char(qAlpha(p));
        }
        const int filter = filters[size_t(y) % filters.size()];
        out += char(filter);
        for (qsizetype i = 0; i < rowBytes; ++i) {
            const int a = i >= 4 ? uchar(row[i - 4]) : 0, b = uchar(above[i]);
            const int c = i >= 4 ? uchar(above[i - 4]) : 0;
            const int predictor = filter == 1   ? a
                                  : filter == 2 ? b
                                  : filter == 3 ? (a + b) / 2
                                  : filter == 4 ? paeth(a, b, c)
                                                : 0;
            out += char(uchar(row[i]) - predictor);
        }
        above = row;
    }
    return out;
}

QByteArray file(QSize size, const QByteArray &rows)
{
    return signature() + header(size) + chunk("IDAT", zlib(rows)) + end();
}

QByteArray claiming(QSize size, int bitDepth)
{
    return signature() + header(size, bitDepth) + chunk("IDAT", zlib(QByteArray(1, '\0'))) + end();
}

} // namespace pngbytes
