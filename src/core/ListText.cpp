#include "core/ListText.h"

#include <limits>

void ListWriter::separate() {
    if (m_lineStarted)
        m_out.append(',');
    m_lineStarted = true;
}

void ListWriter::text(const QByteArray& bytes) {
    separate();
    m_out.append('"');
    for (char ch : bytes) {
        if (ch == '"')
            m_out.append('"');
        m_out.append(ch);
    }
    m_out.append('"');
}

void ListWriter::integer(int value) {
    separate();
    m_out.append(QByteArray::number(value));
}

void ListWriter::endLine() {
    m_out.append("\r\n");
    m_lineStarted = false;
}

void ListReader::skipSpace() {
    while (m_pos < m_data.size() && (m_data[m_pos] == ' ' || m_data[m_pos] == '\t'))
        ++m_pos;
}

bool ListReader::atEnd() {
    qsizetype p = m_pos;
    while (p < m_data.size() && (m_data[p] == ' ' || m_data[p] == '\t' || m_data[p] == '\r' ||
                                 m_data[p] == '\n' || m_data[p] == 0x1A))
        ++p;
    return p >= m_data.size();
}

std::optional<QByteArray> ListReader::next() {
    // Line ends between values are separators like commas.
    while (m_pos < m_data.size() &&
           (m_data[m_pos] == ' ' || m_data[m_pos] == '\t' || m_data[m_pos] == '\r' || m_data[m_pos] == '\n'))
        ++m_pos;
    if (m_pos >= m_data.size())
        return std::nullopt;

    QByteArray value;
    if (m_data[m_pos] == '"') {
        ++m_pos;
        bool closed = false;
        while (m_pos < m_data.size()) {
            const char ch = m_data[m_pos++];
            if (ch == '"') {
                if (m_pos < m_data.size() && m_data[m_pos] == '"') {
                    value.append('"');
                    ++m_pos;
                    continue;
                }
                closed = true;
                break;
            }
            value.append(ch);
        }
        if (!closed)
            return std::nullopt;
        // Anything after the closing quote up to the separator is passed over.
        while (m_pos < m_data.size() && m_data[m_pos] != ',' && m_data[m_pos] != '\r' &&
               m_data[m_pos] != '\n')
            ++m_pos;
    } else {
        while (m_pos < m_data.size() && m_data[m_pos] != ',' && m_data[m_pos] != '\r' &&
               m_data[m_pos] != '\n')
            value.append(m_data[m_pos++]);
        value = value.trimmed();
    }
    if (m_pos < m_data.size() && m_data[m_pos] == ',') {
        ++m_pos;
    } else if (m_pos < m_data.size() && m_data[m_pos] == '\r') {
        ++m_pos;
        if (m_pos < m_data.size() && m_data[m_pos] == '\n')
            ++m_pos;
    } else if (m_pos < m_data.size() && m_data[m_pos] == '\n') {
        ++m_pos;
    }
    return value;
}

std::optional<qint16> ListReader::nextInt16() {
    const auto v = next();
    if (!v)
        return std::nullopt;
    bool ok = false;
    const int n = v->trimmed().toInt(&ok);
    if (!ok || n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(n);
}
