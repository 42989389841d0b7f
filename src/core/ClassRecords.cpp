#include "core/ClassFiles.h"

#include "core/ListText.h"
#include "core/VOXA1.h"
#include "platform/Cp932.h"

#include <QHash>
#include <QtEndian>

#include <bit>

using namespace Qt::StringLiterals;

// The byte layout of the class files: the pupil record, the settings file's lines, the index, and
// the record numbers the index holds.
namespace ClassFiles {

namespace {

// Little-endian fields of a record.
void putI16(QByteArray& b, qsizetype at, qint16 v) {
    qToLittleEndian(v, b.data() + at);
}
void putU16(QByteArray& b, qsizetype at, quint16 v) {
    qToLittleEndian(v, b.data() + at);
}
void putF64(QByteArray& b, qsizetype at, double v) {
    qToLittleEndian(std::bit_cast<quint64>(v), b.data() + at);
}
void putBytes(QByteArray& b, qsizetype at, const QByteArray& v) {
    std::copy(v.begin(), v.end(), b.begin() + at);
}
// Little-endian values; callers have checked that the bytes are there.
template <int Bytes> quint64 getLE(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    quint64 v = 0;
    for (int i = 0; i < Bytes; ++i)
        v |= quint64(p[i]) << (8 * i);
    return v;
}
qint16 getI16(const QByteArray& b, qsizetype at) {
    return static_cast<qint16>(getLE<2>(b, at));
}
quint16 getU16(const QByteArray& b, qsizetype at) {
    return static_cast<quint16>(getLE<2>(b, at));
}
double getF64(const QByteArray& b, qsizetype at) {
    return std::bit_cast<double>(getLE<8>(b, at));
}

// Visits the fields of a record after Sex in their file order, with their offsets relative to
// the end of Sex, so that writing and reading cannot disagree.
template <typename Rec, typename Fns> void eachField(Rec& p, Fns&& f) {
    qsizetype at = 0;
    auto text = [&](auto& field, int n) {
        f.text(field, at, n);
        at += n;
    };
    auto raw = [&](auto& field) {
        f.raw(field, at);
        at += field.size();
    };
    text(p.PName, 20);
    raw(p.Extra1);
    raw(p.Extra2);
    raw(p.Extra3);
    raw(p.Extra4);
    raw(p.Extra5);
    raw(p.Extra6);
    for (int j = 1; j <= 5; ++j)
        for (int i = 1; i <= 2; ++i)
            raw(p.Extra7(i, j));
    // Term fastest, then subject.
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 4; ++t, at += 2)
            f.i16(p.SubjScore(t, k), at);
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 4; ++t, at += 8)
            f.f64(p.SubjRate(t, k), at);
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 4; ++t, at += 8)
            f.f64(p.SubjDev(t, k), at);
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 4; ++t)
            text(p.SubjMark(t, k), 2);
    for (int t = 1; t <= 3; ++t)
        for (int k = 1; k <= 4; ++k, at += 100)
            f.raw(p.SheetMarks(k, t), at);
    for (int v = 1; v <= 4; ++v)
        for (int k = 1; k <= 4; ++k)
            for (int t = 1; t <= 4; ++t, at += 2)
                f.i16(p.ViewScore(t, k, v), at);
    for (int v = 1; v <= 4; ++v)
        for (int k = 1; k <= 4; ++k)
            for (int t = 1; t <= 4; ++t, at += 8)
                f.f64(p.ViewRate(t, k, v), at);
    for (int v = 1; v <= 4; ++v)
        for (int k = 1; k <= 4; ++k)
            for (int t = 1; t <= 4; ++t, at += 8)
                f.f64(p.ViewDev(t, k, v), at);
    for (int v = 1; v <= 4; ++v)
        for (int k = 1; k <= 4; ++k)
            for (int t = 1; t <= 4; ++t)
                text(p.ViewMark(t, k, v), 2);
    Q_ASSERT(at == 3100);
}

struct RecordWriter {
    QByteArray& out;
    qsizetype base;
    template <int N> void text(const FixedText<N>& t, qsizetype at, int n) {
        putBytes(out, base + at, t.fileBytes(n));
    }
    void i16(qint16 v, qsizetype at) { putI16(out, base + at, v); }
    void f64(double v, qsizetype at) { putF64(out, base + at, v); }
    template <int N> void raw(const FixedBytes<N>& m, qsizetype at) { putBytes(out, base + at, m.bytes()); }
};

struct RecordReader {
    const QByteArray& in;
    qsizetype base;
    template <int N> void text(FixedText<N>& t, qsizetype at, int n) {
        t.setFromFile(QByteArrayView(in.constData() + base + at, qMin<qsizetype>(n, in.size() - base - at)));
    }
    void i16(qint16& v, qsizetype at) { v = getI16(in, base + at); }
    void f64(double& v, qsizetype at) { v = getF64(in, base + at); }
    template <int N> void raw(FixedBytes<N>& m, qsizetype at) {
        m.setBytes(QByteArrayView(in.constData() + base + at, qMin<qsizetype>(N, in.size() - base - at)));
    }
};

// Field bytes after Sex: 3100; with the 4-byte head, a record without Sex takes 3104 bytes.
constexpr qsizetype kFieldsSize = 3100;

} // namespace

int recordNumber(const QString& recNo) {
    int i = 0;
    while (i < recNo.size() && recNo[i] == u' ')
        ++i;
    int n = 0;
    bool any = false;
    while (i < recNo.size() && recNo[i] >= u'0' && recNo[i] <= u'9' && n < 100000) {
        n = n * 10 + (recNo[i].unicode() - u'0');
        any = true;
        ++i;
    }
    return any ? n : 0;
}

QString recordNumberProblem(const VOXA1& c) {
    QHash<int, int> seen; // record number -> roster position
    for (int i = 1; i <= c.ClassSize; ++i) {
        const QString& text = c.RecNo(i);
        const int rec = recordNumber(text);
        if (text.size() > 2 || rec < 1 || rec > kMaxRecordNumber)
            return u"出席番号 %1 の記録番号「%2」が正しくありません（1～99）。"_s.arg(i).arg(text);
        if (seen.contains(rec))
            return u"出席番号 %1 と %2 の記録番号が同じ（%3）です。"_s.arg(seen.value(rec)).arg(i).arg(rec);
        seen.insert(rec, i);
    }
    return {};
}

QByteArray recordBytes(const PupilRec& p) {
    QByteArray out(kRecordSize, '\0');
    putI16(out, 0, p.RecHead);
    const QByteArray sex = Cp932::encode(p.Sex).left(2);
    putU16(out, 2, static_cast<quint16>(sex.size()));
    putBytes(out, 4, sex);
    const qsizetype base = 4 + sex.size();
    eachField(p, RecordWriter{out, base});
    return out;
}

bool readRecord(const QByteArray& data, qsizetype offset, PupilRec& p) {
    if (offset < 0 || data.size() < offset + 4)
        return false;
    const quint16 len = getU16(data, offset + 2);
    if (len > 2 || data.size() < offset + 4 + len + kFieldsSize)
        return false;
    // Every field is overwritten, so the record is read in place.
    p.RecHead = getI16(data, offset);
    p.Sex = Cp932::decode(data.mid(offset + 4, len));
    const qsizetype base = offset + 4 + len;
    eachField(p, RecordReader{data, base});
    return true;
}

QByteArray settingsBytes(const VOXA1& c) {
    ListWriter w;
    w.integer(c.SdtReserved);
    w.text(c.SchoolName.quotedBytes());
    w.text(c.CityName.quotedBytes());
    w.text(c.TeacherName.quotedBytes());
    w.text(c.CopyFolder.quotedBytes());
    w.integer(c.CurTerm);
    w.integer(c.ClassSize);
    w.endLine();
    for (int s = 1; s <= 5; ++s)
        for (int v = 1; v <= 4; ++v) {
            w.text(c.ViewName(s, v).quotedBytes());
            w.endLine();
        }
    w.text(c.PassWord.quotedBytes());
    w.endLine();
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 3; ++t) {
            w.text(c.SheetSetup(k, t).bytes());
            w.endLine();
        }
    for (int t = 1; t <= 4; ++t)
        for (int k = 1; k <= 4; ++k) {
            w.text(Cp932::encode(c.CalcMark(t, k)));
            w.endLine();
        }
    for (int t = 1; t <= 4; ++t)
        for (int k = 1; k <= 4; ++k)
            for (int v = 1; v <= 4; ++v) {
                w.text(Cp932::encode(c.ViewDoneMark(t, k, v)));
                w.endLine();
            }
    for (int t = 1; t <= 4; ++t)
        for (int k = 1; k <= 4; ++k) {
            w.text(Cp932::encode(c.RateMark(t, k)));
            w.endLine();
        }
    return w.data();
}

bool readSettingsBytes(const QByteArray& data, VOXA1& c) {
    ListReader r(data);
    bool ok = true;
    auto int16 = [&](qint16& out) {
        const auto v = r.nextInt16();
        ok = ok && v.has_value();
        if (v)
            out = *v;
    };
    auto raw = [&]() -> QByteArray {
        const auto v = r.next();
        ok = ok && v.has_value();
        return v.value_or(QByteArray());
    };
    auto text = [&]() { return Cp932::decode(raw()); };
    auto fixed = [&](auto& field) { field.setFromFile(raw()); };

    int16(c.SdtReserved);
    fixed(c.SchoolName);
    fixed(c.CityName);
    fixed(c.TeacherName);
    fixed(c.CopyFolder);
    int16(c.CurTerm);
    int16(c.ClassSize);
    for (int s = 1; s <= 5; ++s)
        for (int v = 1; v <= 4; ++v)
            fixed(c.ViewName(s, v));
    fixed(c.PassWord);
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 3; ++t)
            c.SheetSetup(k, t).setBytes(raw());
    for (int t = 1; t <= 4; ++t)
        for (int k = 1; k <= 4; ++k)
            c.CalcMark(t, k) = text();
    for (int t = 1; t <= 4; ++t)
        for (int k = 1; k <= 4; ++k)
            for (int v = 1; v <= 4; ++v)
                c.ViewDoneMark(t, k, v) = text();
    for (int t = 1; t <= 4; ++t)
        for (int k = 1; k <= 4; ++k)
            c.RateMark(t, k) = text();
    // The roster has room for 42 pupils; any other size would make the pupil files unreadable.
    return ok && c.ClassSize >= 0 && c.ClassSize <= 42;
}

QByteArray indexBytes(const VOXA1& c) {
    QByteArray out(kIndexRecords * 4, '\0');
    for (int i = 1; i <= kIndexRecords; ++i) {
        const QByteArray t = Cp932::encode(c.RecNo(i)).left(2);
        putU16(out, (i - 1) * 4, static_cast<quint16>(t.size()));
        putBytes(out, (i - 1) * 4 + 2, t);
    }
    return out;
}

} // namespace ClassFiles
