// SPDX-License-Identifier: MIT
#include "tests/catalogue/jpegmarkers.h"

#include <QtEndian>

JpegFrame readJpegFrame(const QByteArray &bytes)
{
    JpegFrame frame;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    if (n < 4 || p[0] != 0xFF || p[1] != 0xD8)
        return frame;
    qsizetype i = 2;
    while (i + 4 <= n) {
        if (p[i] != 0xFF)
            return frame;
        const int marker = p[i + 1];
        const int length = (p[i + 2] << 8) | p[i + 3];
        const bool isFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (isFrame) {
            const unsigned char *s = p + i + 4;
            if (i + 4 + 6 > n)
                return frame;
            frame.baseline = marker == 0xC0;
            frame.height = (s[1] << 8) | s[2];
            frame.width = (s[3] << 8) | s[4];
            const int count = s[5];
            for (int c = 0; c < count && i + 4 + 6 + 3 * c + 3 <= n; ++c) {
                const unsigned char *comp = s + 6 + 3 * c;
                frame.components.push_back({comp[0], comp[1] >> 4, comp[1] & 0x0F});
            }
            return frame;
        }
        i += 2 + length;
    }
    return frame;
}

qsizetype jpegSegment(const QByteArray &bytes, int marker)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (qsizetype i = 2; i + 4 <= bytes.size() && p[i] == 0xFF;
         i += 2 + ((p[i + 2] << 8) | p[i + 3])) {
        if (p[i + 1] == marker)
            return i;
        if (p[i + 1] == 0xDA)
            break;
    }
    return -1;
}

void setJpegFrameSize(QByteArray &bytes, QSize size)
{
    const qsizetype frame = jpegSegment(bytes, 0xC0);
    qToBigEndian(quint16(size.height()), bytes.data() + frame + 5);
    qToBigEndian(quint16(size.width()), bytes.data() + frame + 7);
}
