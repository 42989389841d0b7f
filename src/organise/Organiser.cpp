#include "organise/Organiser.h"

#include <QMap>

#include <functional>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace Organiser {

quint64 Random::next() {
    quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int Random::below(int n) {
    return int(next() % quint64(n));
}

namespace {

QString classText(const Problem& p, int k) {
    return p.classNames.value(k, QString::number(k + 1) + u"組"_s);
}

// The pupils joined by together groups (a pupil in two groups joins them), each with the class it
// is fixed to (-1: none).
struct Units {
    QList<int> of;              // pupil → unit
    QList<QList<int>> members;  // unit → pupils, in pupil order
    QList<int> fixedTo;         // unit → class or -1
    QList<QList<int>> groupsOf; // unit → indices of the together groups in it
};

Units unitsOf(const Problem& p) {
    const int n = int(p.pupils.size());
    QList<int> parent(n);
    for (int i = 0; i < n; ++i)
        parent[i] = i;
    auto find = [&](int x) {
        while (parent[x] != x)
            x = parent[x] = parent[parent[x]];
        return x;
    };
    for (const QList<int>& g : p.rules.together)
        for (int i = 1; i < g.size(); ++i) {
            const int a = find(g[0]), b = find(g[i]);
            if (a != b)
                parent[std::max(a, b)] = std::min(a, b);
        }
    Units u;
    u.of.resize(n);
    QMap<int, int> unitOfRoot;
    for (int i = 0; i < n; ++i) {
        const int r = find(i);
        if (!unitOfRoot.contains(r)) {
            unitOfRoot.insert(r, int(u.members.size()));
            u.members.append(QList<int>());
            u.fixedTo.append(-1);
            u.groupsOf.append(QList<int>());
        }
        u.of[i] = unitOfRoot.value(r);
        u.members[u.of[i]].append(i);
    }
    for (int g = 0; g < p.rules.together.size(); ++g)
        if (!p.rules.together[g].isEmpty())
            u.groupsOf[u.of[p.rules.together[g][0]]].append(g);
    return u;
}

QString joined(const QStringList& names, const QList<int>& pupils) {
    QStringList out;
    for (int i : pupils)
        out << names.value(i);
    return out.join(u"、"_s);
}

int largestSize(const Problem& p) {
    const int n = int(p.pupils.size());
    return (n + p.classes - 1) / p.classes;
}

// A set of more than `need - 1` units that are pairwise apart, or empty (a bounded search).
QList<int> apartClique(const QList<QList<int>>& adj, int need) {
    const int n = int(adj.size());
    QList<QList<bool>> edge(n, QList<bool>(n, false));
    for (int a = 0; a < n; ++a)
        for (int b : adj[a])
            edge[a][b] = true;
    QList<int> best, chosen;
    long budget = 200000;
    std::function<void(const QList<int>&)> grow = [&](const QList<int>& candidates) {
        if (!best.isEmpty() || --budget < 0)
            return;
        if (chosen.size() >= need) {
            best = chosen;
            return;
        }
        if (chosen.size() + candidates.size() < need)
            return;
        for (int i = 0; i < candidates.size(); ++i) {
            const int v = candidates[i];
            QList<int> next;
            for (int j = i + 1; j < candidates.size(); ++j)
                if (edge[v][candidates[j]])
                    next.append(candidates[j]);
            chosen.append(v);
            grow(next);
            chosen.removeLast();
            if (!best.isEmpty() || chosen.size() + (candidates.size() - i - 1) < need)
                return;
        }
    };
    QList<int> all;
    for (int v = 0; v < n; ++v)
        if (adj[v].size() >= need - 1)
            all.append(v);
    grow(all);
    return best;
}

} // namespace

QList<Conflict> conflicts(const Problem& p, const QStringList& names) {
    QList<Conflict> out;
    const int n = int(p.pupils.size());
    const int K = p.classes;
    const int maxSize = largestSize(p);
    if (n == 0)
        return out;
    Units u = unitsOf(p);

    // Fixed classes, and two of one unit that differ.
    QList<int> fixedPupil(u.members.size(), -1);
    for (const auto& [pupil, k] : p.rules.fixed) {
        if (k < 0 || k >= K) {
            out.append({names.value(pupil) + u"は"_s + classText(p, k) +
                            u"に決めてありますが、新しい学級は"_s + QString::number(K) + u"学級です。"_s,
                        {pupil}});
            continue;
        }
        const int unit = u.of[pupil];
        if (u.fixedTo[unit] >= 0 && u.fixedTo[unit] != k) {
            const int other = fixedPupil[unit];
            out.append({names.value(other) + u"は"_s + classText(p, u.fixedTo[unit]) + u"、"_s +
                            names.value(pupil) + u"は"_s + classText(p, k) +
                            u"に決めてありますが、同じ組にするグループでつながっています（"_s +
                            joined(names, u.members[unit]) + u"）。"_s,
                        {other, pupil}});
            continue;
        }
        u.fixedTo[unit] = k;
        fixedPupil[unit] = pupil;
    }
    // Groups larger than a class.
    for (int unit = 0; unit < u.members.size(); ++unit)
        if (u.members[unit].size() > maxSize)
            out.append({u"同じ組にする"_s + QString::number(u.members[unit].size()) + u"人（"_s +
                            joined(names, u.members[unit]) + u"）は、1学級の人数（"_s +
                            QString::number(maxSize) + u"人まで）を超えます。"_s,
                        u.members[unit]});
    // Pairs apart inside one unit, or both fixed to one class.
    const int units = int(u.members.size());
    QList<QList<int>> adj(units);
    for (const auto& [a, b] : p.rules.apart) {
        const int ua = u.of[a], ub = u.of[b];
        if (ua == ub) {
            out.append({names.value(a) + u"と"_s + names.value(b) +
                            u"は離す組ですが、同じ組にするグループでつながっています（"_s +
                            joined(names, u.members[ua]) + u"）。"_s,
                        {a, b}});
            continue;
        }
        if (u.fixedTo[ua] >= 0 && u.fixedTo[ua] == u.fixedTo[ub]) {
            out.append({names.value(a) + u"と"_s + names.value(b) + u"は離す組ですが、どちらも"_s +
                            classText(p, u.fixedTo[ua]) + u"に決めてあります。"_s,
                        {a, b}});
            continue;
        }
        if (!adj[ua].contains(ub)) {
            adj[ua].append(ub);
            adj[ub].append(ua);
        }
    }
    // More fixed to a class than it holds.
    QList<int> fixedSize(K, 0);
    QList<QList<int>> fixedIn(K);
    for (int unit = 0; unit < units; ++unit)
        if (u.fixedTo[unit] >= 0) {
            fixedSize[u.fixedTo[unit]] += int(u.members[unit].size());
            fixedIn[u.fixedTo[unit]] += u.members[unit];
        }
    for (int k = 0; k < K; ++k)
        if (fixedSize[k] > maxSize)
            out.append({classText(p, k) + u"に入ると決まっている人が"_s + QString::number(fixedSize[k]) +
                            u"人で、1学級の人数（"_s + QString::number(maxSize) + u"人まで）を超えます。"_s,
                        fixedIn[k]});
    // A unit every class of which is barred by a fixed unit it must be apart from.
    for (int unit = 0; unit < units; ++unit) {
        if (u.fixedTo[unit] >= 0 || adj[unit].size() < K)
            continue;
        QList<int> barredBy(K, -1);
        for (int other : adj[unit])
            if (u.fixedTo[other] >= 0)
                barredBy[u.fixedTo[other]] = other;
        if (!barredBy.contains(-1)) {
            QList<int> who = u.members[unit];
            for (int other : barredBy)
                who += u.members[other];
            out.append(
                {names.value(u.members[unit][0]) +
                     u"を入れられる学級がありません。どの学級にも、離す相手で学級を決めた人がいます（"_s +
                     joined(names, who.mid(u.members[unit].size())) + u"）。"_s,
                 who});
        }
    }
    // More units pairwise apart than there are classes.
    if (out.isEmpty()) {
        const QList<int> clique = apartClique(adj, K + 1);
        if (!clique.isEmpty()) {
            QList<int> who;
            for (int unit : clique)
                who.append(u.members[unit][0]);
            out.append({joined(names, who) + u"の"_s + QString::number(who.size()) +
                            u"人は、どの二人も離す組ですが、新しい学級は"_s + QString::number(K) +
                            u"学級です。"_s,
                        who});
        }
    }
    return out;
}

namespace {

struct Layout {
    int oldClasses = 0;
    int features = 0;
    int oldAt() const { return 2; }
    int bandAt() const { return 2 + 2 * oldClasses; }
    int flagAt() const { return bandAt() + 2 * kBands; }
};

Layout layoutOf(const Problem& p) {
    Layout l;
    for (const Pupil& x : p.pupils)
        l.oldClasses = std::max(l.oldClasses, x.oldClass + 1);
    l.oldClasses = std::max(l.oldClasses, int(p.oldClasses.size()));
    l.features = l.flagAt() + kFlags;
    return l;
}

QList<int> featuresOf(const Layout& l, const Pupil& x) {
    const int sex = x.boy ? 0 : 1;
    QList<int> f{sex, l.oldAt() + 2 * x.oldClass + sex, l.bandAt() + 2 * (x.band - 1) + sex};
    for (int i = 0; i < kFlags; ++i)
        if (x.flags & (1u << i))
            f.append(l.flagAt() + i);
    return f;
}

QString featureName(const Problem& p, const Layout& l, int f) {
    const QString sex = (f % 2 == 0) ? u"男"_s : u"女"_s;
    if (f < l.oldAt())
        return sex;
    if (f < l.bandAt())
        return p.oldClasses.value((f - l.oldAt()) / 2, QString::number((f - l.oldAt()) / 2 + 1)) + u" "_s +
               sex;
    if (f < l.flagAt())
        return u"帯"_s + QString::number((f - l.bandAt()) / 2 + 1) + u" "_s + sex;
    return p.flagNames.value(f - l.flagAt(), u"印"_s + QString::number(f - l.flagAt() + 1));
}

qint64 milli(double mean) {
    return std::llround(mean * 1000.0);
}

// The search over assignments that keep every class size, together group and fixed pupil: swaps
// of two pupils, moves of one pupil between a larger and a smaller class, and a together group
// traded for as many single pupils. Late-acceptance hill climbing: a step is taken when it is no
// worse than now or than the state some steps back; only sums, products and comparisons of
// integers and exact doubles, so every machine takes the same steps.
class Search {
public:
    Search(const Problem& p, const Units& u, quint64 seed)
        : m_p(p), m_u(u), m_l(layoutOf(p)), m_rand(seed), m_K(p.classes) {
        const int n = int(p.pupils.size());
        m_features.resize(n);
        m_apartOf.resize(n);
        m_milli.resize(n);
        m_hasMean.resize(n);
        QList<int> total(m_l.features, 0);
        for (int i = 0; i < n; ++i) {
            m_features[i] = featuresOf(m_l, p.pupils[i]);
            for (int f : m_features[i])
                ++total[f];
            m_hasMean[i] = p.pupils[i].mean.has_value();
            m_milli[i] = m_hasMean[i] ? milli(*p.pupils[i].mean) : 0;
        }
        for (const auto& [a, b] : p.rules.apart) {
            m_apartOf[a].append(b);
            m_apartOf[b].append(a);
        }
        m_low.resize(m_l.features);
        m_high.resize(m_l.features);
        for (int f = 0; f < m_l.features; ++f) {
            m_low[f] = total[f] / m_K;
            m_high[f] = (total[f] + m_K - 1) / m_K;
        }
        m_q = n / m_K;
        m_r = n % m_K;
        for (int unit = 0; unit < u.members.size(); ++unit) {
            if (u.fixedTo[unit] >= 0)
                continue;
            if (u.members[unit].size() == 1)
                m_singles.append(u.members[unit][0]);
            else
                m_groups.append(unit);
        }
    }

    // A first assignment: fixed pupils, then groups largest first into the roomiest class, then the
    // single pupils dealt in a snake by sex, old class, band and mean. False when the groups cannot
    // be fitted into classes of the sizes allowed.
    bool start() {
        const int n = int(m_p.pupils.size());
        m_class.fill(-1, n);
        m_size.fill(0, m_K);
        m_count.fill(0, m_K * m_l.features);
        m_sum.fill(0, m_K);
        m_with.fill(0, m_K);
        m_bound = 0;
        for (int k = 0; k < m_K; ++k)
            for (int f = 0; f < m_l.features; ++f)
                m_bound += excess(0, f);
        m_apart = 0;
        int large = 0; // classes already at q + 1
        auto room = [&](int k) {
            const int limit = (m_r > 0 && (large < m_r || m_size[k] > m_q)) ? m_q + 1 : m_q;
            return limit - m_size[k];
        };
        auto put = [&](const QList<int>& members, int k) {
            const bool wasLarge = m_size[k] > m_q;
            for (int i : members)
                add(i, k);
            if (!wasLarge && m_size[k] > m_q)
                ++large;
        };
        for (int unit = 0; unit < m_u.members.size(); ++unit)
            if (m_u.fixedTo[unit] >= 0) {
                if (room(m_u.fixedTo[unit]) < m_u.members[unit].size())
                    return false;
                put(m_u.members[unit], m_u.fixedTo[unit]);
            }
        QList<int> groups = m_groups;
        std::stable_sort(groups.begin(), groups.end(),
                         [&](int a, int b) { return m_u.members[a].size() > m_u.members[b].size(); });
        for (int unit : groups) {
            int best = -1;
            for (int k = 0; k < m_K; ++k)
                if (room(k) >= m_u.members[unit].size() && (best < 0 || room(k) > room(best)))
                    best = k;
            if (best < 0)
                return false;
            put(m_u.members[unit], best);
        }
        QList<int> singles = m_singles;
        std::stable_sort(singles.begin(), singles.end(), [&](int a, int b) {
            const Pupil &x = m_p.pupils[a], &y = m_p.pupils[b];
            if (x.boy != y.boy)
                return x.boy;
            if (x.oldClass != y.oldClass)
                return x.oldClass < y.oldClass;
            if (x.band != y.band)
                return x.band < y.band;
            return m_milli[a] > m_milli[b];
        });
        int turn = 0;
        for (int i : singles) {
            // The next class of the snake that has room and holds nobody to keep apart from.
            int chosen = -1, fallback = -1;
            for (int t = 0; t < 2 * m_K && chosen < 0; ++t) {
                const int step = turn + t;
                const int round = step / m_K, at = step % m_K;
                const int k = round % 2 == 0 ? at : m_K - 1 - at;
                if (room(k) <= 0)
                    continue;
                if (fallback < 0)
                    fallback = k;
                if (apartIn(i, k) == 0)
                    chosen = k;
            }
            if (chosen < 0)
                chosen = fallback;
            if (chosen < 0)
                return false;
            put({i}, chosen);
            ++turn;
        }
        return true;
    }

    void run(long steps) {
        double now = cost();
        QList<double> history(kHistory, now);
        m_best = m_class;
        m_bestCost = now;
        long sinceBest = 0;
        for (long s = 0; s < steps; ++s, ++sinceBest) {
            if (m_apart == 0 && m_bound == 0 && spreadMilli() <= kGoodEnough)
                break;
            // Long without a better state: what is left (a flag no class can share evenly) stays.
            if (sinceBest > kPatience)
                break;
            const int kind = m_rand.below(100);
            bool made = false;
            if (kind < 70)
                made = trySwap();
            else if (kind < 88)
                made = tryMove();
            else
                made = tryGroup();
            if (!made)
                continue;
            const double next = cost();
            const int slot = int(s % kHistory);
            if (next <= now || next <= history[slot]) {
                now = next;
                m_undo.clear();
                if (now < m_bestCost) {
                    sinceBest = 0;
                    m_bestCost = now;
                    m_best = m_class;
                }
            } else {
                undo();
            }
            history[slot] = now;
        }
    }

    const QList<int>& best() const { return m_best; }

private:
    static constexpr int kHistory = 400;
    static constexpr long kPatience = 150000;
    // A spread of the means no teacher can tell from none: 0.02 points.
    static constexpr double kGoodEnough = 20;

    int& count(int k, int f) { return m_count[k * m_l.features + f]; }
    int excess(int c, int f) const {
        return c > m_high[f] ? c - m_high[f] : (c < m_low[f] ? m_low[f] - c : 0);
    }
    int apartIn(int i, int k) const {
        int n = 0;
        for (int j : m_apartOf[i])
            n += m_class[j] == k;
        return n;
    }
    void add(int i, int k) {
        m_apart += apartIn(i, k);
        m_class[i] = k;
        ++m_size[k];
        for (int f : m_features[i]) {
            int& c = count(k, f);
            m_bound += excess(c + 1, f) - excess(c, f);
            ++c;
        }
        if (m_hasMean[i]) {
            m_sum[k] += m_milli[i];
            ++m_with[k];
        }
    }
    void remove(int i) {
        const int k = m_class[i];
        m_class[i] = -1;
        m_apart -= apartIn(i, k);
        --m_size[k];
        for (int f : m_features[i]) {
            int& c = count(k, f);
            m_bound += excess(c - 1, f) - excess(c, f);
            --c;
        }
        if (m_hasMean[i]) {
            m_sum[k] -= m_milli[i];
            --m_with[k];
        }
    }
    // Moves a pupil and remembers where it came from, so that a rejected step can be undone.
    void shift(int i, int k) {
        m_undo.append({i, m_class[i]});
        remove(i);
        add(i, k);
    }
    void undo() {
        for (qsizetype j = m_undo.size() - 1; j >= 0; --j) {
            remove(m_undo[j].first);
            add(m_undo[j].first, m_undo[j].second);
        }
        m_undo.clear();
    }
    // The mean of every class that has pupils with one, in thousandths of a point.
    QList<double> classMeans() const {
        QList<double> means;
        for (int k = 0; k < m_K; ++k)
            if (m_with[k] != 0)
                means.append(double(m_sum[k]) / double(m_with[k]));
        return means;
    }
    static std::pair<double, double> extremes(const QList<double>& means) {
        if (means.isEmpty())
            return {0, 0};
        const auto [low, high] = std::minmax_element(means.begin(), means.end());
        return {*low, *high};
    }
    double spreadMilli() const {
        const auto [low, high] = extremes(classMeans());
        return high - low;
    }
    // The rules broken first, then the counts off their bounds, then the spread of the means, with
    // the sum of every class mean's distance from the middle of the two extremes to lead towards it.
    double cost() const {
        const QList<double> means = classMeans();
        const auto [low, high] = extremes(means);
        const double middle = (low + high) / 2;
        double sum = 0;
        for (double m : means)
            sum += std::fabs(m - middle);
        return double(m_apart) * 1e12 + double(m_bound) * 1e8 + (high - low) + sum / 64.0;
    }
    bool trySwap() {
        if (m_singles.size() < 2)
            return false;
        const int a = m_singles[m_rand.below(int(m_singles.size()))];
        const int b = m_singles[m_rand.below(int(m_singles.size()))];
        const int ka = m_class[a], kb = m_class[b];
        if (ka == kb)
            return false;
        shift(a, kb);
        shift(b, ka);
        return true;
    }
    bool tryMove() {
        if (m_r == 0 || m_singles.isEmpty())
            return false;
        const int a = m_singles[m_rand.below(int(m_singles.size()))];
        const int from = m_class[a];
        const int to = m_rand.below(m_K);
        if (m_size[from] != m_q + 1 || m_size[to] != m_q)
            return false;
        shift(a, to);
        return true;
    }
    bool tryGroup() {
        if (m_groups.isEmpty())
            return false;
        const int unit = m_groups[m_rand.below(int(m_groups.size()))];
        const QList<int>& members = m_u.members[unit];
        const int from = m_class[members[0]];
        const int to = m_rand.below(m_K);
        if (to == from)
            return false;
        QList<int> there;
        for (int i : m_singles)
            if (m_class[i] == to)
                there.append(i);
        if (there.size() < members.size())
            return false;
        for (qsizetype j = 0; j < members.size(); ++j) {
            const int pick = int(j) + m_rand.below(int(there.size() - j));
            std::swap(there[j], there[pick]);
        }
        for (int i : members)
            shift(i, to);
        for (qsizetype j = 0; j < members.size(); ++j)
            shift(there[j], from);
        return true;
    }

    const Problem& m_p;
    const Units& m_u;
    Layout m_l;
    Random m_rand;
    int m_K;
    int m_q = 0, m_r = 0;
    QList<QList<int>> m_features, m_apartOf;
    QList<qint64> m_milli;
    QList<bool> m_hasMean;
    QList<int> m_low, m_high;
    QList<int> m_singles, m_groups;
    QList<int> m_class, m_size, m_count, m_with;
    QList<qint64> m_sum;
    int m_bound = 0, m_apart = 0;
    QList<std::pair<int, int>> m_undo;
    QList<int> m_best;
    double m_bestCost = 0;
};

} // namespace

Figures figures(const Problem& p, const QList<int>& assignment) {
    Figures out;
    const int K = p.classes;
    const int n = int(p.pupils.size());
    const Layout l = layoutOf(p);
    QList<int> total(l.features, 0);
    QList<QList<int>> counts(K, QList<int>(l.features, 0));
    QList<double> sums(K, 0);
    QList<int> with(K, 0);
    out.classes.resize(K);
    for (int i = 0; i < n; ++i) {
        const int k = assignment.value(i, -1);
        const QList<int> f = featuresOf(l, p.pupils[i]);
        for (int x : f)
            ++total[x];
        if (k < 0 || k >= K)
            continue;
        for (int x : f)
            ++counts[k][x];
        ClassFigures& c = out.classes[k];
        ++c.pupils;
        (p.pupils[i].boy ? c.boys : c.girls) += 1;
        if (p.pupils[i].mean) {
            sums[k] += double(milli(*p.pupils[i].mean));
            ++with[k];
        }
    }
    std::optional<double> low, high;
    for (int k = 0; k < K; ++k) {
        ClassFigures& c = out.classes[k];
        c.sizeLow = n / K;
        c.sizeHigh = std::min((n + K - 1) / K, p.cap);
        if (c.pupils < c.sizeLow || c.pupils > c.sizeHigh)
            ++out.sizeBroken;
        if (with[k] > 0) {
            c.mean = sums[k] / double(with[k]) / 1000.0;
            low = low ? std::min(*low, *c.mean) : *c.mean;
            high = high ? std::max(*high, *c.mean) : *c.mean;
        }
        for (int f = 0; f < l.features; ++f) {
            if (total[f] == 0)
                continue;
            Count x{featureName(p, l, f), counts[k][f], total[f] / K, (total[f] + K - 1) / K};
            if (!x.met())
                ++out.offBound;
            c.counts.append(x);
        }
    }
    out.spread = low ? *high - *low : 0;
    for (const auto& [a, b] : p.rules.apart)
        if (assignment.value(a, -1) == assignment.value(b, -2))
            ++out.apartBroken;
    for (const QList<int>& g : p.rules.together)
        for (int i : g)
            if (assignment.value(i, -1) != assignment.value(g[0], -1)) {
                ++out.togetherBroken;
                break;
            }
    for (const auto& [i, k] : p.rules.fixed)
        if (assignment.value(i, -1) != k)
            ++out.fixedBroken;
    return out;
}

QList<OffBound> offBound(const Problem& p, const QList<int>& a, const QStringList& names) {
    QList<OffBound> out;
    const int K = p.classes, n = int(p.pupils.size());
    if (a.size() != n || K < 1)
        return out;
    const Layout l = layoutOf(p);
    const Units u = unitsOf(p);
    QList<int> unitFixed(u.members.size(), -1);
    for (const auto& [i, k] : p.rules.fixed)
        unitFixed[u.of[i]] = k;
    QList<QList<int>> of(l.features); // feature → pupils
    for (int i = 0; i < n; ++i)
        for (int f : featuresOf(l, p.pupils[i]))
            of[f].append(i);
    auto names4 = [&](const QList<int>& pupils) {
        return joined(names, pupils.mid(0, 4)) + (pupils.size() > 4 ? u" ほか"_s : QString());
    };
    for (int f = 0; f < l.features; ++f) {
        const int total = int(of[f].size());
        if (total == 0)
            continue;
        const int low = total / K, high = (total + K - 1) / K;
        for (int k = 0; k < K; ++k) {
            const int count =
                int(std::count_if(of[f].begin(), of[f].end(), [&](int i) { return a[i] == k; }));
            if (count >= low && count <= high)
                continue;
            OffBound x{k, featureName(p, l, f), {}};
            QList<int> here, elsewhere;
            for (int i : of[f]) {
                if (unitFixed[u.of[i]] == k)
                    here.append(i);
                else if (unitFixed[u.of[i]] >= 0)
                    elsewhere.append(i);
            }
            if (count > high && here.size() > high) {
                x.why =
                    names4(here) + u" の "_s + QString::number(here.size()) + u"人がこの組に決めてあるため"_s;
            } else if (count < low && total - elsewhere.size() < low) {
                x.why = names4(elsewhere) + u" の "_s + QString::number(elsewhere.size()) +
                        u"人がほかの組に決めてあるため"_s;
            } else if (count > high) {
                for (int unit = 0; unit < u.members.size() && x.why.isEmpty(); ++unit) {
                    QList<int> in;
                    for (int i : u.members[unit])
                        if (a[i] == k && of[f].contains(i))
                            in.append(i);
                    if (in.size() > high)
                        x.why = u"同じ組にする "_s + names4(in) + u" の "_s + QString::number(in.size()) +
                                u"人が入るため"_s;
                }
            }
            out.append(x);
        }
    }
    return out;
}

Proposal propose(const Problem& p, const QStringList& names, quint64 seed) {
    Proposal out;
    const int n = int(p.pupils.size());
    if (p.classes < 1 || n == 0) {
        out.conflicts.append({u"分ける学級の数と児童がありません。"_s, {}});
        return out;
    }
    if (largestSize(p) > p.cap) {
        out.conflicts.append({QString::number(n) + u"人を"_s + QString::number(p.classes) +
                                  u"学級に分けると1学級が"_s + QString::number(largestSize(p)) +
                                  u"人になり、"_s + QString::number(p.cap) +
                                  u"人を超えます。学級の数を増やしてください。"_s,
                              {}});
        return out;
    }
    out.conflicts = conflicts(p, names);
    if (!out.conflicts.isEmpty())
        return out;
    const Units u = unitsOf(p);
    // The fixed class of each unit, as the conflicts above found them consistent.
    Units fixedUnits = u;
    for (const auto& [pupil, k] : p.rules.fixed)
        fixedUnits.fixedTo[u.of[pupil]] = k;
    Search search(p, fixedUnits, seed);
    if (!search.start()) {
        QList<int> who;
        for (int unit = 0; unit < fixedUnits.members.size(); ++unit)
            if (fixedUnits.members[unit].size() > 1 || fixedUnits.fixedTo[unit] >= 0)
                who += fixedUnits.members[unit];
        out.conflicts.append({u"同じ組にするグループと学級を決めた人を、"_s + QString::number(p.classes) +
                                  u"学級の人数（"_s + QString::number(n / p.classes) + u"～"_s +
                                  QString::number(largestSize(p)) + u"人）に収められません（"_s +
                                  joined(names, who) + u"）。"_s,
                              who});
        return out;
    }
    search.run(200000L + 6000L * n);
    out.assignment = search.best();
    out.figures = figures(p, out.assignment);
    if (out.figures.apartBroken > 0) {
        // No assignment the search reached keeps these apart: name them rather than propose one.
        for (const auto& [a, b] : p.rules.apart)
            if (out.assignment[a] == out.assignment[b])
                out.conflicts.append(
                    {names.value(a) + u"と"_s + names.value(b) +
                         u"を離す案が見つかりませんでした。ほかの離す組や同じ組、決めた学級と両立しないようです。"_s,
                     {a, b}});
        out.assignment.clear();
    }
    return out;
}

} // namespace Organiser
