#include "voxaclass/ClassJson.h"

#include "core/VOXA1.h"
#include "platform/Cp932.h"

#include <QJsonArray>

#include <cmath>
#include <functional>
#include <limits>

using namespace Qt::StringLiterals;

namespace ClassJson {

namespace {

// Builds nested lists over 1-based index ranges, first index outermost.
QJsonArray nest(const QList<int>& dims, const std::function<QJsonValue(const QList<int>&)>& leaf,
                QList<int> prefix = {}) {
    QJsonArray out;
    const int depth = static_cast<int>(prefix.size());
    for (int i = 1; i <= dims[depth]; ++i) {
        QList<int> idx = prefix;
        idx.append(i);
        if (idx.size() == dims.size())
            out.append(leaf(idx));
        else
            out.append(nest(dims, leaf, idx));
    }
    return out;
}

template <int N> QJsonArray byteList(const FixedBytes<N>& b) {
    QJsonArray out;
    for (int i = 1; i <= N; ++i)
        out.append(static_cast<int>(b.at(i)));
    return out;
}

// A field the program carries unchanged: its text when the bytes are text that converts back to
// the same bytes, otherwise the list of its bytes, so that a dump and a write keep it exactly.
template <int N> QJsonValue rawJson(const FixedBytes<N>& b) {
    const QString text = Cp932::decode(b.bytes());
    if (Cp932::fixedBytes(text, N) == b.bytes())
        return text;
    return byteList(b);
}

// JSON has no NaN or infinities: they are written as the texts "NaN", "Infinity", "-Infinity".
QJsonValue realJson(double d) {
    if (std::isnan(d))
        return u"NaN"_s;
    if (std::isinf(d))
        return d > 0 ? u"Infinity"_s : u"-Infinity"_s;
    return d;
}

// Reads nested lists of the given shape; every problem names the item.
class Reader {
public:
    QString error;

    bool nested(const QJsonValue& v, const QString& name, const QList<int>& dims,
                const std::function<bool(const QList<int>&, const QJsonValue&)>& leaf,
                QList<int> prefix = {}) {
        const int depth = static_cast<int>(prefix.size());
        if (!v.isArray() || v.toArray().size() != dims[depth])
            return fail(u"%1 は要素が %2 個のリストでなければなりません"_s.arg(name).arg(dims[depth]));
        const QJsonArray a = v.toArray();
        for (int i = 1; i <= dims[depth]; ++i) {
            QList<int> idx = prefix;
            idx.append(i);
            const bool ok =
                idx.size() == dims.size() ? leaf(idx, a[i - 1]) : nested(a[i - 1], name, dims, leaf, idx);
            if (!ok)
                return false;
        }
        return true;
    }
    bool text(const QJsonValue& v, const QString& name, QString& out) {
        if (!v.isString())
            return fail(u"%1 は文字列でなければなりません"_s.arg(name));
        out = v.toString();
        return true;
    }
    bool int16(const QJsonValue& v, const QString& name, qint16& out) {
        const double d = v.toDouble(1e9);
        if (!v.isDouble() || d < -32768 || d > 32767 || d != std::trunc(d))
            return fail(u"%1 は -32768 から 32767 までの整数でなければなりません"_s.arg(name));
        out = static_cast<qint16>(d);
        return true;
    }
    bool real(const QJsonValue& v, const QString& name, double& out) {
        if (v.isString()) {
            const QString t = v.toString();
            if (t == u"NaN"_s)
                out = std::numeric_limits<double>::quiet_NaN();
            else if (t == u"Infinity"_s)
                out = std::numeric_limits<double>::infinity();
            else if (t == u"-Infinity"_s)
                out = -std::numeric_limits<double>::infinity();
            else
                return fail(u"%1 は数値でなければなりません"_s.arg(name));
            return true;
        }
        if (!v.isDouble())
            return fail(u"%1 は数値でなければなりません"_s.arg(name));
        out = v.toDouble();
        return true;
    }
    template <int N> bool raw(const QJsonValue& v, const QString& name, FixedBytes<N>& out) {
        if (v.isArray())
            return bytes(v, name, out);
        QString s;
        if (!text(v, name, s))
            return false;
        out.setBytes(Cp932::fixedBytes(s, N));
        return true;
    }
    template <int N> bool bytes(const QJsonValue& v, const QString& name, FixedBytes<N>& out) {
        QByteArray b;
        const bool ok = nested(v, name, {N}, [&](const QList<int>&, const QJsonValue& x) {
            const double d = x.toDouble(-1);
            if (!x.isDouble() || d < 0 || d > 255 || d != std::trunc(d))
                return fail(u"%1 は 0 から 255 までのバイト値のリストでなければなりません"_s.arg(name));
            b.append(static_cast<char>(static_cast<int>(d)));
            return true;
        });
        if (ok)
            out.setBytes(b);
        return ok;
    }
    template <int N> bool fixed(const QJsonValue& v, const QString& name, FixedText<N>& out) {
        QString s;
        if (!text(v, name, s))
            return false;
        out = s;
        return true;
    }
    bool fail(const QString& why) {
        if (error.isEmpty())
            error = why;
        return false;
    }
};

QJsonObject pupilJson(const PupilRec& p) {
    QJsonObject o;
    o[u"RecHead"_s] = p.RecHead;
    o[u"Sex"_s] = p.Sex;
    o[u"PName"_s] = p.PName.str();
    o[u"Extra1"_s] = rawJson(p.Extra1);
    o[u"Extra2"_s] = rawJson(p.Extra2);
    o[u"Extra3"_s] = rawJson(p.Extra3);
    o[u"Extra4"_s] = rawJson(p.Extra4);
    o[u"Extra5"_s] = rawJson(p.Extra5);
    o[u"Extra6"_s] = rawJson(p.Extra6);
    o[u"Extra7"_s] = nest({2, 5}, [&](const QList<int>& i) { return rawJson(p.Extra7(i[0], i[1])); });
    o[u"SubjScore"_s] =
        nest({4, 4}, [&](const QList<int>& i) { return QJsonValue(p.SubjScore(i[0], i[1])); });
    o[u"SubjRate"_s] = nest({4, 4}, [&](const QList<int>& i) { return realJson(p.SubjRate(i[0], i[1])); });
    o[u"SubjDev"_s] = nest({4, 4}, [&](const QList<int>& i) { return realJson(p.SubjDev(i[0], i[1])); });
    o[u"SubjMark"_s] =
        nest({4, 4}, [&](const QList<int>& i) { return QJsonValue(p.SubjMark(i[0], i[1]).str()); });
    o[u"SheetMarks"_s] =
        nest({4, 3}, [&](const QList<int>& i) { return QJsonValue(byteList(p.SheetMarks(i[0], i[1]))); });
    o[u"ViewScore"_s] =
        nest({4, 4, 4}, [&](const QList<int>& i) { return QJsonValue(p.ViewScore(i[0], i[1], i[2])); });
    o[u"ViewRate"_s] =
        nest({4, 4, 4}, [&](const QList<int>& i) { return realJson(p.ViewRate(i[0], i[1], i[2])); });
    o[u"ViewDev"_s] =
        nest({4, 4, 4}, [&](const QList<int>& i) { return realJson(p.ViewDev(i[0], i[1], i[2])); });
    o[u"ViewMark"_s] =
        nest({4, 4, 4}, [&](const QList<int>& i) { return QJsonValue(p.ViewMark(i[0], i[1], i[2]).str()); });
    return o;
}

bool readPupil(Reader& r, const QJsonValue& v, const QString& where, PupilRec& p) {
    if (!v.isObject())
        return r.fail(u"%1 はオブジェクトでなければなりません"_s.arg(where));
    const QJsonObject o = v.toObject();
    auto n = [&](const QString& key) { return where + u'.' + key; };
    bool ok =
        r.int16(o[u"RecHead"_s], n(u"RecHead"_s), p.RecHead) && r.text(o[u"Sex"_s], n(u"Sex"_s), p.Sex) &&
        r.fixed(o[u"PName"_s], n(u"PName"_s), p.PName) && r.raw(o[u"Extra1"_s], n(u"Extra1"_s), p.Extra1) &&
        r.raw(o[u"Extra2"_s], n(u"Extra2"_s), p.Extra2) && r.raw(o[u"Extra3"_s], n(u"Extra3"_s), p.Extra3) &&
        r.raw(o[u"Extra4"_s], n(u"Extra4"_s), p.Extra4) && r.raw(o[u"Extra5"_s], n(u"Extra5"_s), p.Extra5) &&
        r.raw(o[u"Extra6"_s], n(u"Extra6"_s), p.Extra6);
    ok =
        ok && r.nested(o[u"Extra7"_s], n(u"Extra7"_s), {2, 5}, [&](const QList<int>& i, const QJsonValue& x) {
            return r.raw(x, n(u"Extra7"_s), p.Extra7(i[0], i[1]));
        });
    ok = ok && r.nested(o[u"SubjScore"_s], n(u"SubjScore"_s), {4, 4},
                        [&](const QList<int>& i, const QJsonValue& x) {
                            return r.int16(x, n(u"SubjScore"_s), p.SubjScore(i[0], i[1]));
                        });
    ok = ok &&
         r.nested(o[u"SubjRate"_s], n(u"SubjRate"_s), {4, 4}, [&](const QList<int>& i, const QJsonValue& x) {
             return r.real(x, n(u"SubjRate"_s), p.SubjRate(i[0], i[1]));
         });
    ok = ok &&
         r.nested(o[u"SubjDev"_s], n(u"SubjDev"_s), {4, 4}, [&](const QList<int>& i, const QJsonValue& x) {
             return r.real(x, n(u"SubjDev"_s), p.SubjDev(i[0], i[1]));
         });
    ok = ok &&
         r.nested(o[u"SubjMark"_s], n(u"SubjMark"_s), {4, 4}, [&](const QList<int>& i, const QJsonValue& x) {
             return r.fixed(x, n(u"SubjMark"_s), p.SubjMark(i[0], i[1]));
         });
    ok = ok && r.nested(o[u"SheetMarks"_s], n(u"SheetMarks"_s), {4, 3},
                        [&](const QList<int>& i, const QJsonValue& x) {
                            return r.bytes(x, n(u"SheetMarks"_s), p.SheetMarks(i[0], i[1]));
                        });
    ok = ok && r.nested(o[u"ViewScore"_s], n(u"ViewScore"_s), {4, 4, 4},
                        [&](const QList<int>& i, const QJsonValue& x) {
                            return r.int16(x, n(u"ViewScore"_s), p.ViewScore(i[0], i[1], i[2]));
                        });
    ok = ok && r.nested(o[u"ViewRate"_s], n(u"ViewRate"_s), {4, 4, 4},
                        [&](const QList<int>& i, const QJsonValue& x) {
                            return r.real(x, n(u"ViewRate"_s), p.ViewRate(i[0], i[1], i[2]));
                        });
    ok = ok &&
         r.nested(o[u"ViewDev"_s], n(u"ViewDev"_s), {4, 4, 4}, [&](const QList<int>& i, const QJsonValue& x) {
             return r.real(x, n(u"ViewDev"_s), p.ViewDev(i[0], i[1], i[2]));
         });
    ok = ok && r.nested(o[u"ViewMark"_s], n(u"ViewMark"_s), {4, 4, 4},
                        [&](const QList<int>& i, const QJsonValue& x) {
                            return r.fixed(x, n(u"ViewMark"_s), p.ViewMark(i[0], i[1], i[2]));
                        });
    return ok;
}

} // namespace

QJsonObject toJson(const VOXA1& c) {
    QJsonObject s;
    s[u"SdtReserved"_s] = c.SdtReserved;
    s[u"SchoolName"_s] = c.SchoolName.str();
    s[u"CityName"_s] = c.CityName.str();
    s[u"TeacherName"_s] = c.TeacherName.str();
    s[u"CopyFolder"_s] = c.CopyFolder.str();
    s[u"CurTerm"_s] = c.CurTerm;
    s[u"ClassSize"_s] = c.ClassSize;
    s[u"ViewName"_s] =
        nest({5, 4}, [&](const QList<int>& i) { return QJsonValue(c.ViewName(i[0], i[1]).str()); });
    s[u"PassWord"_s] = c.PassWord.str();
    s[u"SheetSetup"_s] =
        nest({4, 3}, [&](const QList<int>& i) { return QJsonValue(byteList(c.SheetSetup(i[0], i[1]))); });
    s[u"CalcMark"_s] = nest({4, 4}, [&](const QList<int>& i) { return QJsonValue(c.CalcMark(i[0], i[1])); });
    s[u"ViewDoneMark"_s] =
        nest({4, 4, 4}, [&](const QList<int>& i) { return QJsonValue(c.ViewDoneMark(i[0], i[1], i[2])); });
    s[u"RateMark"_s] = nest({4, 4}, [&](const QList<int>& i) { return QJsonValue(c.RateMark(i[0], i[1])); });

    QJsonObject out;
    out[u"settings"_s] = s;
    out[u"RecNo"_s] = nest({50}, [&](const QList<int>& i) { return QJsonValue(c.RecNo(i[0])); });
    QJsonArray pupils;
    for (int i = 1; i <= c.ClassSize; ++i)
        pupils.append(pupilJson(c.Pupil(i)));
    out[u"Pupil"_s] = pupils;
    return out;
}

QString fromJson(const QJsonObject& json, VOXA1& c) {
    VOXA1 n = c;
    Reader r;
    const QJsonValue sv = json[u"settings"_s];
    if (!sv.isObject())
        return u"settings がありません"_s;
    const QJsonObject s = sv.toObject();
    bool ok = r.int16(s[u"SdtReserved"_s], u"SdtReserved"_s, n.SdtReserved) &&
              r.fixed(s[u"SchoolName"_s], u"SchoolName"_s, n.SchoolName) &&
              r.fixed(s[u"CityName"_s], u"CityName"_s, n.CityName) &&
              r.fixed(s[u"TeacherName"_s], u"TeacherName"_s, n.TeacherName) &&
              r.fixed(s[u"CopyFolder"_s], u"CopyFolder"_s, n.CopyFolder) &&
              r.int16(s[u"CurTerm"_s], u"CurTerm"_s, n.CurTerm) &&
              r.int16(s[u"ClassSize"_s], u"ClassSize"_s, n.ClassSize) &&
              r.fixed(s[u"PassWord"_s], u"PassWord"_s, n.PassWord);
    ok = ok &&
         r.nested(s[u"ViewName"_s], u"ViewName"_s, {5, 4}, [&](const QList<int>& i, const QJsonValue& x) {
             return r.fixed(x, u"ViewName"_s, n.ViewName(i[0], i[1]));
         });
    ok = ok &&
         r.nested(s[u"SheetSetup"_s], u"SheetSetup"_s, {4, 3}, [&](const QList<int>& i, const QJsonValue& x) {
             return r.bytes(x, u"SheetSetup"_s, n.SheetSetup(i[0], i[1]));
         });
    ok = ok &&
         r.nested(s[u"CalcMark"_s], u"CalcMark"_s, {4, 4}, [&](const QList<int>& i, const QJsonValue& x) {
             return r.text(x, u"CalcMark"_s, n.CalcMark(i[0], i[1]));
         });
    ok = ok && r.nested(s[u"ViewDoneMark"_s], u"ViewDoneMark"_s, {4, 4, 4},
                        [&](const QList<int>& i, const QJsonValue& x) {
                            return r.text(x, u"ViewDoneMark"_s, n.ViewDoneMark(i[0], i[1], i[2]));
                        });
    ok = ok &&
         r.nested(s[u"RateMark"_s], u"RateMark"_s, {4, 4}, [&](const QList<int>& i, const QJsonValue& x) {
             return r.text(x, u"RateMark"_s, n.RateMark(i[0], i[1]));
         });
    ok = ok && r.nested(json[u"RecNo"_s], u"RecNo"_s, {50}, [&](const QList<int>& i, const QJsonValue& x) {
        return r.text(x, u"RecNo"_s, n.RecNo(i[0]));
    });
    if (!ok)
        return r.error;
    if (n.ClassSize < 0 || n.ClassSize > 42)
        return u"ClassSize は 0 から 42 まででなければなりません"_s;
    const QJsonValue pv = json[u"Pupil"_s];
    if (!pv.isArray() || pv.toArray().size() != n.ClassSize)
        return u"Pupil は ClassSize と同じ %1 人分のリストでなければなりません"_s.arg(n.ClassSize);
    const QJsonArray pupils = pv.toArray();
    for (int i = 1; i <= n.ClassSize; ++i) {
        PupilRec p;
        if (!readPupil(r, pupils[i - 1], u"Pupil[%1]"_s.arg(i - 1), p))
            return r.error;
        n.Pupil(i) = p;
    }
    c = std::move(n);
    return {};
}

} // namespace ClassJson
