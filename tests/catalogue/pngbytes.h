// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

// PNG files put together chunk by chunk, so a test can make the ones no
// encoder writes: wrong CRCs, chunks out of order, streams of the wrong size.
namespace pngbytes {

QByteArray signature();
// Length, type, data and the CRC over type and data.
QByteArray chunk(const char *type, const QByteArray &data);
QByteArray header(QSize size, int bitDepth = 8, int colourType = 6);
QByteArray end();
QByteArray zlib(const QByteArray &raw);

// The image as 8-bit RGBA rows, row y filtered with filters[y % size].
QByteArray filteredRows(const QImage &image, const std::vector<int> &filters);

// A whole RGBA file: signature, header, one IDAT chunk, IEND.
QByteArray file(QSize size, const QByteArray &rows);

// A well-formed file whose header claims a size its one byte of data lacks.
QByteArray claiming(QSize size, int bitDepth = 8);

} // namespace pngbytes
