#include "roster/NameImport.h"

#include "core/VOXA1.h"
#include "platform/Cp932.h"

using namespace Qt::StringLiterals;

namespace NameImport {

QString decode(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    return Cp932::decode(bytes);
}

QStringList fields(const QString& text) {
    QStringList out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isBreak = [](QChar ch) { return ch == u'\r' || ch == u'\n'; };
    while (i < n) {
        // Blank lines and the blanks in front of a field separate nothing.
        while (i < n && (text[i] == u' ' || text[i] == u'\t' || isBreak(text[i])))
            ++i;
        if (i >= n)
            break;
        QString field;
        if (text[i] == u'"') {
            ++i;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
            while (i < n && text[i] != u',' && !isBreak(text[i]))
                ++i;
        } else {
            while (i < n && text[i] != u',' && !isBreak(text[i]))
                field += text[i++];
            while (field.endsWith(u' ') || field.endsWith(u'\t'))
                field.chop(1);
        }
        out << field;
        if (i < n && text[i] == u',') {
            ++i;
            // A comma at the very end of a line leaves an empty field before the line end.
            qsizetype j = i;
            while (j < n && (text[j] == u' ' || text[j] == u'\t'))
                ++j;
            if (j >= n || isBreak(text[j]))
                out << QString();
            i = j;
        }
    }
    return out;
}

QString sexOf(const QString& field) {
    const QString f = field.trimmed();
    if (f == u"1"_s || f == u"１"_s || f == u"男"_s)
        return u"1"_s;
    if (f == u"2"_s || f == u"２"_s || f == u"女"_s)
        return u"2"_s;
    return {};
}

int apply(VOXA1& c, const QStringList& f) {
    int taken = 0;
    for (int i = 1; i <= c.ClassSize; ++i) {
        const qsizetype at = qsizetype(i - 1) * 2;
        if (at >= f.size())
            break;
        c.Pupil(i).PName = f[at];
        ++taken;
        if (at + 1 >= f.size())
            break;
        const QString sex = sexOf(f[at + 1]);
        if (!sex.isEmpty())
            c.Pupil(i).Sex = sex;
    }
    return taken;
}

} // namespace NameImport
