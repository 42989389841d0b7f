#pragma once

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: the input as bytes, and a check that stops the run (and keeps
// the input) when a property the program relies on does not hold.
namespace FuzzCheck {

inline QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

inline void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

} // namespace FuzzCheck
