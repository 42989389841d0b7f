#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

// The list-writing text convention of the ".sdt" and "voxa.ini" files: texts in double quotes,
// integers as bare decimal digits, values on a line separated by commas, lines ended by CR LF.
// Everything is bytes: text fields are code page 932, score strings are raw codes.
//
// A double quote inside a text is written doubled ("") and read back as one, so an allocation of
// 2 points (code 34) or a name with a quote survives; files without quotes inside texts keep the
// plain format exactly.
class ListWriter {
public:
    void text(const QByteArray& bytes);
    void integer(int value);
    void endLine();
    const QByteArray& data() const { return m_out; }

private:
    void separate();
    QByteArray m_out;
    bool m_lineStarted = false;
};

// Reads the values back in order, regardless of how they are spread over lines.
class ListReader {
public:
    explicit ListReader(const QByteArray& data) : m_data(data) {}

    // The next value as bytes (a quoted text without its quotes, or a bare value trimmed of
    // blanks); nothing when the data has run out or a quote is never closed.
    std::optional<QByteArray> next();
    // The next value as a 16-bit integer (bare or quoted); nothing when missing or not a number.
    std::optional<qint16> nextInt16();

    bool atEnd();

private:
    void skipSpace();
    QByteArray m_data;
    qsizetype m_pos = 0;
};
