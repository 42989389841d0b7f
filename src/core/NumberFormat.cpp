#include "core/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

using namespace Qt::StringLiterals;

namespace NumberFormat {

namespace {

// |x| rounded half away from zero to the given decimals, on its 15 significant digits.
struct Rounded {
    QString whole; // without leading zeros; empty for 0
    QString frac;  // exactly `decimals` digits
    bool zero = true;
};

Rounded roundAway(double x, int decimals) {
    Rounded r;
    if (!std::isfinite(x) || x == 0) {
        r.frac = QString(decimals, u'0');
        return r;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(x));
    QString digits = QString::fromLatin1(buf, 1) + QString::fromLatin1(buf + 2, 14);
    const int exp = std::atoi(buf + 17);
    // Digits with the decimal point after `point` digits.
    int point = exp + 1;
    if (point < 0) {
        digits.prepend(QString(-point, u'0'));
        point = 0;
    }
    const int keep = point + decimals;
    if (digits.size() < keep)
        digits.append(QString(keep - digits.size(), u'0'));
    const bool up = digits.size() > keep && digits[keep] >= u'5';
    QString kept = digits.left(keep);
    if (up) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (kept[i] == u'9') {
                kept[i] = u'0';
            } else {
                kept[i] = QChar(kept[i].unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            kept.prepend(u'1');
            ++point;
        }
    }
    r.whole = kept.left(point);
    while (r.whole.startsWith(u'0'))
        r.whole.remove(0, 1);
    r.frac = kept.mid(point);
    r.zero = r.whole.isEmpty() && r.frac.count(u'0') == r.frac.size();
    return r;
}

// Up to 15 significant digits without trailing zeros, as the old conversions print doubles.
QString shortest(double x) {
    QString s = QString::number(x, 'g', 15);
    if (s.contains(u'e'))
        s = s.toUpper();
    return s;
}

} // namespace

QString withBlank(int n) {
    return n >= 0 ? u" "_s + QString::number(n) : QString::number(n);
}

QString withBlank(double x) {
    if (!std::isfinite(x))
        return {};
    QString s = shortest(std::fabs(x));
    if (s.startsWith(u"0."_s))
        s.remove(0, 1);
    return (x < 0 ? u"-"_s : u" "_s) + s;
}

QString plain(int n) {
    return QString::number(n);
}

QString plain(double x) {
    if (!std::isfinite(x))
        return {};
    return shortest(x);
}

QString format(double x, const QString& pattern) {
    // A figure that is no number (a damaged file) shows as nothing rather than as a wrong number.
    if (!std::isfinite(x))
        return {};
    const bool neg = x < 0;
    if (pattern == u"###"_s || pattern == u"##"_s) {
        const Rounded r = roundAway(x, 0);
        if (r.zero)
            return {};
        return (neg ? u"-"_s : QString()) + r.whole;
    }
    if (pattern == u"###.#"_s) {
        const Rounded r = roundAway(x, 1);
        const QString frac = r.frac == u"0"_s ? QString() : r.frac;
        return (neg && !r.zero ? u"-"_s : QString()) + r.whole + u'.' + frac;
    }
    if (pattern == u"##0.0"_s) {
        const Rounded r = roundAway(x, 1);
        return (neg && !r.zero ? u"-"_s : QString()) + (r.whole.isEmpty() ? u"0"_s : r.whole) + u'.' + r.frac;
    }
    Q_ASSERT_X(false, "NumberFormat::format", "unknown pattern");
    return QString::number(x);
}

int toInt(double x) {
    // Never converts what an int cannot hold: no number is 0, too large a number the largest int.
    if (std::isnan(x))
        return 0;
    const double r = std::nearbyint(x);
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

} // namespace NumberFormat
