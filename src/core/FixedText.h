#pragma once

#include <QString>

// A text of exactly N characters (String*N): a shorter text is padded with spaces on the right, a
// longer one is cut. The class files store it as N bytes of code page 932 (see ClassFiles).
template <int N> class FixedText {
public:
    FixedText() : m_text(blank()) {}
    FixedText(const QString& s) { assign(s); } // NOLINT: assignment from a text is the point
    FixedText& operator=(const QString& s) {
        assign(s);
        return *this;
    }
    const QString& str() const { return m_text; }
    operator const QString&() const { return m_text; } // NOLINT
    static constexpr int width() { return N; }
    bool operator==(const FixedText&) const = default;

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
};
