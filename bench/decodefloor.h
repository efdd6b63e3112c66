// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/assetview.h"
#include "catalogue/libraryhandle.h"

#include <QImage>

#include <libdeflate.h>
#include <spng.h>
#include <turbojpeg.h>

#include <span>
#include <vector>

// The least a picture change can cost: the same bytes through the decoders
// made for the job, into buffers that already exist.
class DecodeFloor
{
public:
    DecodeFloor();

    double jpegMs(const AssetView &jpeg);
    // libspng's whole decode, and a decode built on libdeflate (inflate, then
    // unfilter to RGBA); the floor is the faster of the two.
    double pngMs(const AssetView &png);
    double inflateMs(const AssetView &png);
    double memcpyMs();

    // Qt's own loader with the conversion to premultiplied ARGB, and the
    // viewer's overlay decoder into a reused bitmap.
    double qtPngMs(const AssetView &png);
    double overlayMs(const AssetView &png);

    // Median times of the three PNG decoders over the overlays, then over one
    // overlay saved in the other kinds of PNG the general path takes.
    void printPngComparison(std::span<const AssetView> overlays, int reps);

private:
    LibraryHandle<void, tjDestroy> m_tj;
    LibraryHandle<libdeflate_decompressor, libdeflate_free_decompressor> m_inflater;
    std::vector<unsigned char> m_raw;
    std::vector<unsigned char> m_pixels;
    std::vector<unsigned char> m_copy;
    QImage m_overlay;
};
