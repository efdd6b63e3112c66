// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

// Owns one handle of a C library and gives it back through Free exactly once.
// It moves but never copies, so no two owners can free the same handle.
template <typename T, auto Free> class LibraryHandle
{
public:
    explicit LibraryHandle(T *handle) : m_handle(handle) {}

    T *get() const { return m_handle.get(); }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    struct Release
    {
        void operator()(T *handle) const { Free(handle); }
    };
    std::unique_ptr<T, Release> m_handle;
};
