#include "GradeMaker.h"

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

} // namespace GradeMaker
