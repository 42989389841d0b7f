#include "GradeMaker.h"

#include "core/VOXA1.h"
#include "platform/DosPath.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace GradeMaker {

Organiser::Problem make(const Ask& ask, quint64 seed) {
    Organiser::Random r(seed);
    Organiser::Problem p;
    p.classes = ask.newClasses;
    p.cap = ask.cap;
    p.flagNames = {u"リーダー"_s, u"要配慮"_s, u"ピアノ"_s, u"特別支援"_s};
    for (int o = 0; o < ask.oldClasses; ++o) {
        p.oldClasses << u"5-"_s + QString::number(o + 1);
        const int n = ask.minSize + r.below(ask.maxSize - ask.minSize + 1);
        QList<int> order;
        for (int i = 0; i < n; ++i) {
            Organiser::Pupil x;
            x.boy = r.below(2) == 0;
            x.oldClass = o;
            // Each class a level of its own, as its own tests make it.
            x.mean = 40.0 + 5.0 * o + r.below(5000) / 100.0;
            p.pupils.append(x);
            order.append(int(p.pupils.size()) - 1);
        }
        // Bands from the rank in the old class.
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return *p.pupils[a].mean > *p.pupils[b].mean; });
        for (int rank = 0; rank < n; ++rank)
            p.pupils[order[rank]].band = 5 * rank / n + 1;
    }
    const int n = int(p.pupils.size());
    QList<bool> used(n, false);
    auto fresh = [&] {
        for (;;) {
            const int i = r.below(n);
            if (!used[i]) {
                used[i] = true;
                return i;
            }
        }
    };
    const int ruled = 2 * ask.apart + 3 * ask.together + ask.fixed;
    if (ruled > n)
        return p;
    for (int i = 0; i < ask.together; ++i) {
        QList<int> g{fresh(), fresh()};
        if (r.below(2) == 0)
            g.append(fresh());
        p.rules.together.append(g);
    }
    for (int i = 0; i < ask.apart; ++i) {
        const int a = fresh();
        p.rules.apart.append({a, fresh()});
    }
    for (int i = 0; i < ask.fixed; ++i) {
        const int a = fresh();
        p.rules.fixed.append({a, r.below(ask.newClasses)});
    }
    for (int i = 0; i < ask.flagged; ++i)
        p.pupils[r.below(n)].flags |= 1u << r.below(Organiser::kFlags);
    return p;
}

bool writeGrade(const QString& folder, int grade, int classes, int size, quint64 seed) {
    static const QStringList family{u"佐藤"_s, u"鈴木"_s, u"高橋"_s, u"田中"_s, u"伊藤"_s,
                                    u"渡辺"_s, u"山本"_s, u"中村"_s, u"小林"_s, u"加藤"_s,
                                    u"吉田"_s, u"山田"_s, u"松本"_s, u"井上"_s};
    static const QStringList boys{u"大翔"_s, u"蓮"_s, u"悠真"_s, u"湊"_s,
                                  u"陽翔"_s, u"樹"_s, u"蒼"_s,   u"律"_s};
    static const QStringList girls{u"陽葵"_s, u"凛"_s,   u"結菜"_s, u"詩"_s,
                                   u"葵"_s,   u"結愛"_s, u"芽依"_s, u"紬"_s};
    Organiser::Random r(seed);
    if (!QDir().mkpath(DosPath::toNative(folder)))
        return false;
    for (int k = 1; k <= classes; ++k) {
        VOXA1 c;
        c.ClassPath = DosPath::join(folder, QString::number(grade) + u"-"_s + QString::number(k));
        c.SchoolName = u"みなと小学校"_s;
        c.CityName = u"港市"_s;
        c.TeacherName = family[r.below(int(family.size()))] + u"　先生"_s;
        c.CurTerm = 3;
        c.ClassSize = qint16(size);
        c.CalcMark(4, 1) = u"O"_s;
        for (int i = 1; i <= size; ++i) {
            const bool boy = r.below(2) == 0;
            c.RecNo(i) = QString::number(i);
            c.Pupil(i).PName = family[r.below(int(family.size()))] + u"　"_s +
                               (boy ? boys[r.below(int(boys.size()))] : girls[r.below(int(girls.size()))]);
            c.Pupil(i).Sex = boy ? u"1"_s : u"2"_s;
            for (int s = 1; s <= 4; ++s)
                c.Pupil(i).SubjRate(4, s) = 35.0 + 2.0 * k + r.below(5000) / 100.0;
        }
        if (!c.SaveClass())
            return false;
    }
    return true;
}

} // namespace GradeMaker
