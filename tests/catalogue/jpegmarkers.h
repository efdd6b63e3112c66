// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QSize>

#include <vector>

// What a JPEG's frame header says about how it was encoded.
struct JpegFrame
{
    bool baseline = false; // SOF0
    int width = 0;
    int height = 0;
    struct Component
    {
        int id, h, v;
    };
    std::vector<Component> components;
};

// Reads markers up to the first frame header; empty components on failure.
JpegFrame readJpegFrame(const QByteArray &bytes);

// Where the first segment with this marker starts (its 0xFF byte), or -1.
// Reading stops at the start of the scan.
qsizetype jpegSegment(const QByteArray &bytes, int marker);

// Rewrites the size the frame header claims, leaving the data as it is.
void setJpegFrameSize(QByteArray &bytes, QSize size);
