#include "core/ClassSettings.h"

using namespace Qt::StringLiterals;

namespace ClassSettings {

QList<ViewNameEntry> standardViewNames(int grade) {
    QList<ViewNameEntry> out;
    auto three = [&](int slot, const QString& a, const QString& b, const QString& c) {
        out.append({slot, 1, a});
        out.append({slot, 2, b});
        out.append({slot, 3, c});
    };
    three(1, u"表現"_s, u"読解"_s, u"言語"_s);
    if (grade >= 3)
        three(2, u"思考"_s, u"資料"_s, u"知識"_s);
    three(3, u"思考"_s, u"技能"_s, u"概念"_s);
    if (grade >= 3)
        three(4, u"思考"_s, u"観察"_s, u"知識"_s);
    else
        three(5, u"表現"_s, u"気付"_s, u"活動"_s);
    return out;
}

QList<ViewNameEntry> currentViewNames(int grade) {
    QList<ViewNameEntry> out;
    const QList<int> slots = grade >= 3 ? QList<int>{1, 2, 3, 4} : QList<int>{1, 3, 5};
    for (int slot : slots) {
        out.append({slot, 1, u"知技"_s});
        out.append({slot, 2, u"思判表"_s});
        out.append({slot, 3, u"主体"_s});
        out.append({slot, 4, QString()});
    }
    return out;
}

QString checkNumbers(const QString& classSizeText, const QString& termText) {
    bool ok = false;
    const int size = classSizeText.trimmed().toInt(&ok);
    if (!ok || size < 0 || size > 42)
        return u"学級の人数は０～４２の数字で入力して下さい"_s;
    const int term = termText.trimmed().toInt(&ok);
    if (!ok || term < 1 || term > 3)
        return u"現在の学期は１～３の数字で入力して下さい"_s;
    return {};
}

} // namespace ClassSettings
