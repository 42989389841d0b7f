#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <array>

// N bytes held exactly as they stand in a file, never passed through the text codec (which changes
// bytes such as 0x80, 0xA0, 0xFD..0xFF and unassigned pairs). Blank is N spaces.
template <int N> class FixedBytes {
public:
    FixedBytes() { m_bytes.fill(' '); }

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
    void clear() { m_bytes.fill(' '); }

    QByteArray bytes() const { return QByteArray(reinterpret_cast<const char*>(m_bytes.data()), N); }
    // Takes the first N bytes; missing bytes become spaces.
    void setBytes(QByteArrayView b) {
        m_bytes.fill(' ');
        for (int i = 0; i < N && i < b.size(); ++i)
            m_bytes[static_cast<std::size_t>(i)] = static_cast<unsigned char>(b[i]);
    }
    static constexpr int size() { return N; }
    bool operator==(const FixedBytes&) const = default;

private:
    std::array<unsigned char, N> m_bytes;
};
