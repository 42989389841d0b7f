#include "core/TextHelpers.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace TextHelpers {

QString PadRight(const QString& text, int width) {
    return text.size() >= width ? text : text + QString(width - text.size(), u' ');
}

QString TrimPadding(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return text.left(n);
}

QString RightJustify(const QString& text, int width) {
    return text.size() >= width ? text : QString(width - text.size(), u' ') + text;
}

QString CutAfter(const QString& text, const QString& first, const QString& second) {
    qsizetype at = text.indexOf(first);
    if (at >= 0)
        return text.left(at + first.size());
    at = text.indexOf(second);
    if (at >= 0)
        return text.left(at + second.size());
    return {};
}

void SwapText(QString& a, QString& b) {
    std::swap(a, b);
}
void SwapInt(qint16& a, qint16& b) {
    std::swap(a, b);
}
void SwapDouble(double& a, double& b) {
    std::swap(a, b);
}

QString OwnSchoolName(const QString& schoolName) {
    qsizetype first = -1;
    for (const QString& founder :
         {u"市立"_s, u"区立"_s, u"町立"_s, u"村立"_s, u"都立"_s, u"道立"_s, u"府立"_s, u"県立"_s}) {
        const qsizetype at = schoolName.indexOf(founder);
        if (at > 0 && (first < 0 || at < first))
            first = at;
    }
    return first < 0 ? schoolName : schoolName.mid(first + 2);
}

QString SchoolLine(const QString& cityName, const QString& schoolName) {
    QString city = CutAfter(cityName, u"市"_s, u"区"_s);
    if (city.isEmpty())
        city = CutAfter(cityName, u"町"_s, u"町"_s);
    const QString school = CutAfter(OwnSchoolName(schoolName), u"小"_s, u"小"_s);
    return city + u"立"_s + school + u"学校"_s;
}

QString CutAtBlank(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u' ' || text[i] == u'　')
            return text.left(i);
    return text;
}

} // namespace TextHelpers
