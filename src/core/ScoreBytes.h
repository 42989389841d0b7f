#pragma once

#include "core/ScoreCode.h"

#include <QByteArray>
#include <QtGlobal>

#include <array>

// A score or allocation string (SheetMarks, SheetSetup): N single bytes, each a score code, a space
// (nothing entered) or the absence mark. These are bytes, never text: they must not pass through
// the text codec, which would turn codes 128..131 into something else.
template <int N> class ScoreBytes {
public:
    ScoreBytes() { m_bytes.fill(' '); }

    // Byte at position i, 1..N.
    unsigned char at(int i) const {
        Q_ASSERT(i >= 1 && i <= N);
        return (i >= 1 && i <= N) ? m_bytes[static_cast<std::size_t>(i - 1)] : ' ';
    }
    void set(int i, unsigned char b) {
        Q_ASSERT(i >= 1 && i <= N);
        if (i >= 1 && i <= N)
            m_bytes[static_cast<std::size_t>(i - 1)] = b;
    }
    // The points stored at position i (a space reads as 0).
    int value(int i) const { return ScoreCode::decode(at(i)); }
    bool isBlank(int i) const { return at(i) == ' '; }
    bool isAbsent(int i) const { return at(i) == ScoreCode::kAbsent; }
    void clear() { m_bytes.fill(' '); }

    QByteArray bytes() const { return QByteArray(reinterpret_cast<const char*>(m_bytes.data()), N); }
    // Takes the first N bytes; missing bytes become spaces.
    void setBytes(const QByteArray& b) {
        m_bytes.fill(' ');
        for (int i = 0; i < N && i < b.size(); ++i)
            m_bytes[static_cast<std::size_t>(i)] = static_cast<unsigned char>(b[i]);
    }
    static constexpr int size() { return N; }
    bool operator==(const ScoreBytes&) const = default;

private:
    std::array<unsigned char, N> m_bytes;
};
