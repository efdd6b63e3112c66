// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

// A read-only view of one embedded asset's bytes, in place inside the
// executable. Opening one copies and decodes nothing; releasing it forgets it.
struct AssetView
{
    const uchar *data = nullptr;
    qsizetype size = 0;

    bool isOpen() const { return data != nullptr; }
    void release() { *this = {}; }
};
