#include "roster/NameImport.h"

#include "controls/TextGuard.h"
#include "core/VOXA1.h"
#include "platform/Cp932.h"
#include "platform/DosPath.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace NameImport {

QString decode(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                          : QStringConverter::Utf16BE);
        return utf16.decode(bytes.mid(2));
    }
    // Japanese text in code page 932 is almost never valid UTF-8, so valid UTF-8 with characters
    // beyond ASCII is taken as UTF-8.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    if (!utf8.hasError())
        return asUtf8;
    return Cp932::decode(bytes);
}

QString readFile(const QString& nativePath, QString* error) {
    const QFileInfo info(nativePath);
    QFile f(nativePath);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly)) {
        *error = u"ファイルを読み込めませんでした。"_s + u"\r\n"_s + DosPath::fromNative(nativePath);
        return {};
    }
    if (f.size() > kMaxFileSize) {
        *error = u"ファイルが大きすぎます（1MBまで）。名前と性別だけのCSVファイルを選んでください。"_s +
                 u"\r\n"_s + DosPath::fromNative(nativePath);
        return {};
    }
    const QByteArray bytes = f.read(kMaxFileSize + 1);
    if (f.error() != QFileDevice::NoError || bytes.size() > kMaxFileSize) {
        *error = u"ファイルを読み込めませんでした。"_s + u"\r\n"_s + DosPath::fromNative(nativePath);
        return {};
    }
    return decode(bytes);
}

QString unstorableName(const QStringList& f, int classSize) {
    for (int i = 1; i <= classSize; ++i) {
        const qsizetype at = qsizetype(i - 1) * 2;
        if (at >= f.size())
            break;
        const QString bad = Cp932::firstUnencodable(f[at]);
        if (!bad.isEmpty())
            return TextGuard::refusal(bad, u"%1番目の名前「%2」"_s.arg(i).arg(f[at])) + u"\r\n"_s +
                   u"名前は取り込みませんでした。"_s;
    }
    return {};
}

QStringList fields(const QString& input) {
    // NUL and the end-of-file mark some programs leave behind are no part of any name.
    QString text = input;
    text.remove(QChar(0));
    text.remove(QChar(0x1A));
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
                // A line end or tab inside quotes would break the roster's one-line names.
                if (!isBreak(text[i]) && text[i] != u'\t')
                    field += text[i];
                ++i;
            }
            while (i < n && text[i] != u',' && !isBreak(text[i]))
                ++i;
        } else {
            while (i < n && text[i] != u',' && !isBreak(text[i])) {
                if (text[i] != u'\t')
                    field += text[i];
                ++i;
            }
            while (field.endsWith(u' '))
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
    if (f == u"1"_s || f == u"男"_s)
        return u"1"_s;
    if (f == u"2"_s || f == u"女"_s)
        return u"2"_s;
    return {};
}

int apply(VOXA1& c, const QStringList& f, QStringList* cut) {
    int taken = 0;
    const int width = PupilRec().PName.width();
    for (int i = 1; i <= c.ClassSize; ++i) {
        const qsizetype at = qsizetype(i - 1) * 2;
        if (at >= f.size())
            break;
        QString name = f[at];
        if (Cp932::encode(name).size() > width) {
            name = Cp932::leftColumns(name, width);
            if (cut)
                cut->append(f[at] + u" → "_s + name);
        }
        c.Pupil(i).PName = name;
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
