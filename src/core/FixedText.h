#pragma once

#include "platform/Cp932.h"

#include <QByteArray>
#include <QString>

// A text of exactly N characters (String*N): a shorter text is padded with spaces on the right, a
// longer one is cut. The class files store it in code page 932 (see ClassFiles).
//
// A text read from a file remembers the bytes it came from, and is written back with exactly those
// bytes until it is changed: code page 932 has characters with two codes (the NEC-selected and the
// IBM rows of 髙, 﨑, ...), and a load and save must not turn one into the other.
template <int N> class FixedText {
public:
    FixedText() : m_text(blank()) {}
    FixedText(const QString& s) { assign(s); } // NOLINT: assignment from a text is the point
    // Giving it the text it already holds keeps the bytes it was read from.
    FixedText& operator=(const QString& s) {
        const QString before = m_text;
        assign(s);
        if (m_text != before)
            m_source.clear();
        return *this;
    }
    const QString& str() const { return m_text; }
    operator const QString&() const { return m_text; } // NOLINT
    static constexpr int width() { return N; }
    // Equal texts are equal, whatever bytes they were read from.
    bool operator==(const FixedText& o) const { return m_text == o.m_text; }

    // Takes the text from the bytes of a file.
    void setFromFile(const QByteArray& bytes) {
        assign(Cp932::decode(bytes));
        m_source = bytes;
    }
    // The bytes it was read from while it is unchanged; empty otherwise.
    const QByteArray& sourceBytes() const { return m_source; }
    // The text as n bytes of a record: the bytes it was read from when it has n of them,
    // otherwise its conversion cut or padded to n bytes.
    QByteArray fileBytes(int n) const {
        return m_source.size() == n ? m_source : Cp932::fixedBytes(m_text, n);
    }
    // The text between the quotes of the settings file: the bytes it was read from when they hold
    // the whole padded text, otherwise its conversion.
    QByteArray quotedBytes() const {
        if (!m_source.isEmpty() && Cp932::decode(m_source) == m_text)
            return m_source;
        return Cp932::encode(m_text);
    }

private:
    // Every blank text of this width shares one string.
    static const QString& blank() {
        static const QString b(N, u' ');
        return b;
    }
    void assign(const QString& s) {
        m_text = s.left(N);
        if (m_text.size() < N)
            m_text.append(QString(N - m_text.size(), u' '));
    }
    QString m_text;
    QByteArray m_source;
};
