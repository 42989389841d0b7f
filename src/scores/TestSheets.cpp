#include "scores/TestSheets.h"

#include "core/AbsentMarks.h"
#include "core/NumberFormat.h"
#include "core/ScoreCode.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"

using namespace Qt::StringLiterals;

namespace TestSheets {

namespace {
int pos(int v, int n) {
    return n + (v - 1) * 20;
}
int subjectCount(const VOXA1& c) {
    return c.Grade > 2 ? 4 : 3;
}
} // namespace

QList<Subject> subjects(int grade) {
    if (grade <= 2)
        return {{u"国　語"_s, 1, 1}, {u"算　数"_s, 2, 3}, {u"生　活"_s, 3, 5}};
    return {{u"国　語"_s, 1, 1}, {u"社　会"_s, 2, 2}, {u"算　数"_s, 3, 3}, {u"理　科"_s, 4, 4}};
}

void loadAllocations(const VOXA1& c, Allocations& a, int term) {
    a = Allocations();
    for (int d = 1; d <= subjectCount(c); ++d)
        for (int n = 1; n <= 20; ++n) {
            int sum = 0;
            for (int v = 1; v <= 4; ++v) {
                const int points = ScoreCode::decode(c.SheetSetup(d, term).at(pos(v, n)));
                a.points(d, v, n) = points;
                sum += points;
            }
            a.total(d, n) = sum;
        }
}

void storeAllocation(VOXA1& c, const Allocations& a, int d, int n, int term) {
    for (int v = 1; v <= 4; ++v)
        c.SheetSetup(d, term).set(pos(v, n), ScoreCode::encodeAllocation(a.points(d, v, n)));
}

QString statusMark(int total) {
    if (total == 0)
        return u"未"_s;
    return totalAccepted(total) ? u"済"_s : u"誤"_s;
}

QString sheetEntry(int n, int total) {
    return NumberFormat::withBlank(n) + u"  "_s + statusMark(total);
}

bool totalAccepted(int total) {
    return total == 100 || total == 150 || total == 200 || total == 300;
}

bool viewpointUsed(const QString& name) {
    const QString t = TextHelpers::TrimPadding(name);
    return !t.isEmpty() && t != u"－－"_s;
}

bool earlierTermsCalculated(const VOXA1& c) {
    for (int t = 1; t < c.CurTerm && t <= 3; ++t)
        for (int d = 1; d <= subjectCount(c); ++d)
            if (c.CalcMark(t, d) != u"O"_s)
                return false;
    return true;
}

bool isAbsent(const VOXA1& c, int p, int d, int n, int term) {
    return c.AbsentTable(p, 1, d, term, n) == 10;
}

void setAbsent(VOXA1& c, int p, int d, int n, int term, bool absent) {
    for (int v = 1; v <= 4; ++v)
        c.AbsentTable(p, v, d, term, n) = absent ? 10 : 0;
}

void loadScores(VOXA1& c, EntryScores& e, int d, int n, int term) {
    AbsentMarks::loadSheet(c, d, term, n);
    for (int p = 1; p <= c.ClassSize; ++p) {
        const ScoreBytes<100>& m = c.Pupil(p).SheetMarks(d, term);
        for (int v = 1; v <= 4; ++v)
            e(v, p) = m.isAbsent(n) ? 0 : m.value(pos(v, n));
    }
}

void storeScores(VOXA1& c, const EntryScores& e, int d, int n, int term) {
    for (int p = 1; p <= c.ClassSize; ++p) {
        ScoreBytes<100>& m = c.Pupil(p).SheetMarks(d, term);
        const bool absent = isAbsent(c, p, d, n, term);
        for (int v = 1; v <= 4; ++v)
            m.set(pos(v, n), absent ? ScoreCode::kAbsent : ScoreCode::encode(e(v, p)));
    }
}

std::optional<double> average(const VOXA1& c, const EntryScores& e, int d, int n, int term) {
    double sum = 0;
    int absent = 0;
    for (int p = 1; p <= c.ClassSize; ++p) {
        sum += e(1, p) + e(2, p) + e(3, p) + e(4, p);
        if (isAbsent(c, p, d, n, term))
            ++absent;
    }
    const int present = c.ClassSize - absent;
    if (present <= 0)
        return std::nullopt;
    return sum / present;
}

bool clearSheet(VOXA1& c, Allocations& a, int d, int n, int term) {
    EntryScores e{};
    for (int v = 1; v <= 4; ++v)
        a.points(d, v, n) = 0;
    storeAllocation(c, a, d, n, term);
    // The absence marks of the sheet survive a clear.
    AbsentMarks::loadSheet(c, d, term, n);
    storeScores(c, e, d, n, term);
    const bool saved = c.SaveClass();
    loadAllocations(c, a, term);
    return saved;
}

bool deleteSheet(VOXA1& c, Allocations& a, int d, int n, int term) {
    for (int k = n; k < 20; ++k)
        for (int v = 1; v <= 4; ++v)
            a.points(d, v, k) = a.points(d, v, k + 1);
    // The last sheet is left empty rather than as a second copy of the one before it, which the
    // term-end calculation would count twice.
    for (int v = 1; v <= 4; ++v)
        a.points(d, v, 20) = 0;
    for (int k = n; k <= 20; ++k)
        storeAllocation(c, a, d, k, term);

    EntryScores e{};
    for (int k = n; k < 20; ++k) {
        loadScores(c, e, d, k + 1, term);
        // Sheet k takes the absence marks of sheet k + 1 with its scores.
        for (int p = 1; p <= 42; ++p)
            setAbsent(c, p, d, k, term, isAbsent(c, p, d, k + 1, term));
        storeScores(c, e, d, k, term);
    }
    e = EntryScores{};
    for (int p = 1; p <= 42; ++p)
        setAbsent(c, p, d, 20, term, false);
    storeScores(c, e, d, 20, term);
    const bool saved = c.SaveClass();
    loadAllocations(c, a, term);
    return saved;
}

double numericValue(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'　'))
        ++i;
    QString number;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        number += text[i++];
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch >= u'0' && ch <= u'9') {
            number += ch;
        } else if (ch >= u'０' && ch <= u'９') {
            number += QChar(u'0' + (ch.unicode() - u'０'));
        } else if (ch == u'.' && !point) {
            point = true;
            number += ch;
        } else {
            break;
        }
    }
    bool ok = false;
    const double v = number.toDouble(&ok);
    return ok ? v : 0.0;
}

QStringList rowCells(const VOXA1& c, const EntryScores& e, int p, int d, int n, int term) {
    using TextHelpers::RightJustify;
    QStringList cells;
    cells << RightJustify(NumberFormat::withBlank(p), 3);
    cells << RightJustify(c.Pupil(p).PName.str().left(7), 8);
    const bool absent = isAbsent(c, p, d, n, term);
    int total = 0;
    for (int v = 1; v <= 4; ++v) {
        cells << (absent ? RightJustify(u"欠"_s, 4) : RightJustify(NumberFormat::withBlank(e(v, p)), 5));
        total += e(v, p);
    }
    cells << (absent ? RightJustify(u"欠"_s, 4) : RightJustify(NumberFormat::withBlank(total), 5));
    return cells;
}

} // namespace TestSheets
