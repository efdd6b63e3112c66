// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/assetview.h"

#include <vector>

// The least a picture change can cost: the same bytes through the decoders
// made for the job, into buffers that already exist.
class DecodeFloor
{
public:
    DecodeFloor();
    ~DecodeFloor();

    double jpegMs(const AssetView &jpeg);
    // libspng's whole decode, and a decode built on libdeflate (inflate, then
    // unfilter to RGBA); the floor is the faster of the two.
    double pngMs(const AssetView &png);
    double inflateMs(const AssetView &png);
    double memcpyMs();

private:
    void *m_tj;
    void *m_inflater;
    std::vector<unsigned char> m_raw;
    std::vector<unsigned char> m_pixels;
    std::vector<unsigned char> m_copy;
};
