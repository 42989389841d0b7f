#include "voxaclass/ResultsCsv.h"

#include "core/NumberFormat.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "platform/Cp932.h"
#include "termcalc/TermCalc.h"

using namespace Qt::StringLiterals;

namespace ResultsCsv {

namespace {
const QString kDone = u"O"_s;

QString figure(double x) {
    return NumberFormat::format(x, u"##0.0"_s);
}

QString sexWord(const QString& sex) {
    return sex == u"1"_s ? u"男"_s : sex == u"2"_s ? u"女"_s : QString();
}

QString termWord(int term) {
    return term == 4 ? u"年間"_s : u"%1学期"_s.arg(term);
}

// The viewpoints of data subject k that have a name.
QList<int> viewpointsOf(const VOXA1& c, int k) {
    QList<int> out;
    for (int v = 1; v <= 4; ++v)
        if (!TextHelpers::TrimPadding(c.ViewName(VOXA1::ViewNameSlot(k, c.Grade), v)).isEmpty())
            out.append(v);
    return out;
}

bool calculated(const VOXA1& c, int term, int k) {
    // The year-end calculation covers every subject at once and marks the first.
    return term == 4 ? (c.CalcMark(4, 1) == kDone || c.CalcMark(4, k) == kDone)
                     : c.CalcMark(term, k) == kDone;
}
} // namespace

QString field(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(u"\""_s, u"\"\""_s);
    return u'"' + quoted + u'"';
}

Output write(const VOXA1& c, int term, Encoding encoding) {
    Output out;
    const int subjects = TermCalc::subjectCount(c.Grade);
    QList<QStringList> rows;

    QStringList header{u"番号"_s, u"名前"_s, u"性別"_s};
    QStringList missing;
    for (int k = 1; k <= subjects; ++k) {
        const QString s = TermCalc::subjectName(k, c.Grade);
        header << s + u" 達成率"_s << s + u" 偏差値"_s << s + u" 評定"_s;
        for (int v : viewpointsOf(c, k)) {
            const QString view = TextHelpers::TrimPadding(c.ViewName(VOXA1::ViewNameSlot(k, c.Grade), v));
            header << s + u' ' + view + u" 達成率"_s << s + u' ' + view + u" 評価"_s;
        }
        if (!calculated(c, term, k))
            missing << s;
    }
    rows << header;

    for (int p = 1; p <= c.ClassSize; ++p) {
        const PupilRec& pupil = c.Pupil(p);
        QStringList row{QString::number(p), TextHelpers::TrimPadding(pupil.PName.str()), sexWord(pupil.Sex)};
        for (int k = 1; k <= subjects; ++k) {
            const bool done = calculated(c, term, k);
            row << (done ? figure(pupil.SubjRate(term, k)) : QString())
                << (done ? figure(pupil.SubjDev(term, k)) : QString())
                << (done ? pupil.SubjMark(term, k).str().trimmed() : QString());
            for (int v : viewpointsOf(c, k))
                row << (done ? figure(pupil.ViewRate(term, k, v)) : QString())
                    << (done ? pupil.ViewMark(term, k, v).str().trimmed() : QString());
        }
        rows << row;
    }

    QString text;
    for (const QStringList& row : std::as_const(rows)) {
        QStringList fields;
        for (const QString& f : row)
            fields << field(f);
        text += fields.join(u',') + u"\r\n"_s;
    }
    out.bytes = encoding == Encoding::Utf8 ? QByteArray("\xEF\xBB\xBF") + text.toUtf8() : Cp932::encode(text);

    if (missing.size() == subjects)
        out.warnings << termWord(term) + u"はまだ計算していません。成績の欄は空です。"_s;
    else if (!missing.isEmpty())
        out.warnings << termWord(term) + u"に計算していない教科があります（"_s + missing.join(u"、"_s) +
                            u"）。その教科の欄は空です。"_s;
    return out;
}

} // namespace ResultsCsv
