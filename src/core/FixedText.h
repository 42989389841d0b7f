#pragma once

#include "platform/Cp932.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
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
    void setFromFile(QByteArrayView bytes) {
        // A pupil record holds some eighty two-byte marks, most of them blank or one of a few signs
        // whose bytes the conversion gives back exactly: those come from a table, without keeping
        // their bytes, so that loading a class costs little more than reading it.
        if (bytes.size() == 2) {
            if (N == 2 && bytes[0] == ' ' && bytes[1] == ' ') {
                m_text = blank();
                m_source.clear();
                return;
            }
            const Known& k = known(bytes);
            m_text = k.text;
            if (k.exact) {
                m_source.clear();
                return;
            }
            m_source = bytes.toByteArray();
            return;
        }
        assign(Cp932::decode(bytes.toByteArray()));
        m_source = bytes.toByteArray();
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
    struct Known {
        QString text;
        bool exact = false; // the text converts back to exactly these bytes
    };
    // The text of a two-byte value, worked out the first time it is met.
    static const Known& known(QByteArrayView bytes) {
        thread_local QHash<quint16, Known> table;
        const quint16 v = quint16((uchar(bytes[0]) << 8) | uchar(bytes[1]));
        auto it = table.find(v);
        if (it == table.end()) {
            const QByteArray b = bytes.toByteArray();
            FixedText f;
            f.assign(Cp932::decode(b));
            // Written back without its bytes, the text must give these same bytes in a record and
            // between the quotes of the settings file.
            const bool exact = Cp932::fixedBytes(f.m_text, 2) == b &&
                               (Cp932::decode(b) != f.m_text || Cp932::encode(f.m_text) == b);
            it = table.insert(v, Known{f.m_text, exact});
        }
        return *it;
    }
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
