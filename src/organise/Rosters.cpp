#include "organise/Rosters.h"

#include "core/ClassFiles.h"
#include "core/ClassMaterial.h"
#include "core/ClassSettings.h"
#include "core/VOXA1.h"
#include "platform/Cp932.h"
#include "platform/DosPath.h"
#include "platform/FileSet.h"

#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Rosters {

namespace {

// Readings compare as hiragana, whether typed in hiragana or katakana, and without blanks.
QString readingKey(const QString& reading) {
    QString out;
    for (QChar ch : reading) {
        if (ch.isSpace())
            continue;
        const char16_t u = ch.unicode();
        out += (u >= 0x30A1 && u <= 0x30F6) ? QChar(char16_t(u - 0x60)) : ch;
    }
    return out;
}

const QStringList kExtensions{u".sdt"_s, u".eix"_s, u".dat"_s, u".csv"_s};

} // namespace

QList<Roster> plan(const GradeData::Grade& g, const OrganiseRules& rules, const QList<int>& assignment,
                   int classes, Order order) {
    QList<Roster> out;
    for (int k = 0; k < classes; ++k) {
        Roster r;
        r.file = QString::number(g.grade + 1) + u"-"_s + QString::number(k + 1);
        for (int i = 0; i < assignment.size() && i < g.pupils.size(); ++i)
            if (assignment[i] == k)
                r.pupils.append(i);
        r.byReading = !r.pupils.isEmpty() && std::all_of(r.pupils.begin(), r.pupils.end(), [&](int i) {
            return !rules.readings.value(g.pupils[i].id).isEmpty();
        });
        auto boyFirst = [&](int a, int b) {
            if (order != Order::BoysFirst)
                return 0;
            const bool x = ClassMaterial::isBoy(g.pupils[a].sex), y = ClassMaterial::isBoy(g.pupils[b].sex);
            return x == y ? 0 : (x ? -1 : 1);
        };
        std::stable_sort(r.pupils.begin(), r.pupils.end(), [&](int a, int b) {
            if (const int s = boyFirst(a, b); s != 0)
                return s < 0;
            if (r.byReading) {
                const QString x = readingKey(rules.readings.value(g.pupils[a].id));
                const QString y = readingKey(rules.readings.value(g.pupils[b].id));
                if (x != y)
                    return x < y;
            }
            if (g.pupils[a].oldClass != g.pupils[b].oldClass)
                return g.pupils[a].oldClass < g.pupils[b].oldClass;
            return g.pupils[a].number < g.pupils[b].number;
        });
        out.append(r);
    }
    return out;
}

QStringList existing(const QString& folder, const QList<Roster>& rosters) {
    QStringList out;
    for (const Roster& r : rosters)
        for (const QString& ext : kExtensions) {
            const QString path = DosPath::join(folder, r.file + ext);
            const QString native = DosPath::toNative(path);
            // A link counts as there even when it leads nowhere; a name that differs only in case
            // resolves to the file there too.
            if (const QFileInfo at(native); !native.isEmpty() && (at.isSymLink() || at.exists()))
                out << path;
        }
    return out;
}

QByteArray csvBytes(const GradeData::Grade& g, const Roster& r) {
    QByteArray out;
    for (int i : r.pupils) {
        const GradeData::Pupil& p = g.pupils[i];
        QString name = p.name;
        if (name.contains(u',') || name.contains(u'"'))
            name = u"\""_s + name.replace(u"\""_s, u"\"\""_s) + u"\""_s;
        const QString sex = ClassMaterial::isBoy(p.sex)    ? u"1"_s
                            : ClassMaterial::isGirl(p.sex) ? u"2"_s
                                                           : QString();
        out += Cp932::encode(name + u","_s + sex) + "\r\n";
    }
    return out;
}

QString write(const QString& folder, const GradeData::Grade& g, const QList<Roster>& rosters,
              QStringList* written) {
    if (g.grade >= 6)
        return u"6年生の次の学年の学級は、このプログラムでは作れません。新しい学級の名簿は、印刷した一覧をお使いください。"_s;
    const QString nativeFolder = DosPath::toNative(folder);
    if (nativeFolder.isEmpty() || !FileSet::isPlainFolder(nativeFolder))
        return u"名簿を書き込むフォルダがありません。"_s + u"\r\n"_s + folder;
    // Nobody else may make these classes meanwhile: every lock first, then the check, then the files.
    QList<std::shared_ptr<ClassLock>> locks;
    for (const Roster& r : rosters) {
        std::shared_ptr<ClassLock> lock = ClassFiles::lockClass(DosPath::join(folder, r.file));
        if (!lock || !lock->ok())
            return (lock ? lock->refusal(DosPath::join(folder, r.file)) : QString()) + u"\r\n"_s +
                   u"名簿は書き込んでいません。"_s;
        locks.append(std::move(lock));
    }
    const QStringList there = existing(folder, rosters);
    if (!there.isEmpty())
        return u"次のファイルがすでにあります。上書きはしません。来年度用の空のフォルダを選んでください。"_s +
               u"\r\n"_s + there.join(u"\r\n"_s) + u"\r\n"_s + u"名簿は書き込んでいません。"_s;
    QString school, city;
    for (const GradeData::OldClass& oc : g.classes)
        if (oc.problem.isEmpty() && school.isEmpty()) {
            school = oc.school;
            city = oc.city;
        }
    QStringList made;
    auto undo = [&] {
        // Only the files this run made, each checked to be a plain file.
        for (const QString& path : made) {
            const QString native = DosPath::toNative(path);
            if (FileSet::isPlainFile(native))
                ::unlink(QFile::encodeName(native).constData());
        }
    };
    for (int k = 0; k < rosters.size(); ++k) {
        const Roster& r = rosters[k];
        VOXA1 c;
        c.ClassFile = r.file;
        c.ClassName = QString::number(g.grade + 1) + u"年"_s + QString::number(k + 1) + u"組"_s;
        c.SplitClassName();
        c.ClassPath = DosPath::join(folder, r.file);
        c.Lock = locks[k];
        c.SchoolName = school;
        c.CityName = city;
        c.PassWord = u"0000000000"_s;
        c.CurTerm = 1;
        for (const auto& e : ClassSettings::currentViewNames(c.Grade))
            c.ViewName(e.slot, e.view) = e.name;
        for (int i = 1; i <= 42; ++i)
            c.RecNo(i) = QString::number(i);
        if (r.pupils.size() > 42) {
            undo();
            return r.file + u" は42人を超えるため、名簿を作れません。"_s;
        }
        c.ClassSize = qint16(r.pupils.size());
        for (int n = 0; n < r.pupils.size(); ++n) {
            const GradeData::Pupil& p = g.pupils[r.pupils[n]];
            c.Pupil(n + 1).PName = p.name;
            c.Pupil(n + 1).Sex = ClassMaterial::isBoy(p.sex)    ? u"1"_s
                                 : ClassMaterial::isGirl(p.sex) ? u"2"_s
                                                                : u"0"_s;
        }
        c.NewClassFlag = 10;
        // The records of the pupils beyond the class size are empty, as a new class has them.
        const qint16 size = c.ClassSize;
        c.ClassSize = 42;
        QString error = ClassFiles::savePupils(c);
        c.ClassSize = size;
        if (error.isEmpty())
            error = ClassFiles::saveSettings(c);
        for (const QString& ext : {u".dat"_s, u".eix"_s, u".sdt"_s})
            if (QFileInfo::exists(DosPath::toNative(c.ClassPath + ext)) && !made.contains(c.ClassPath + ext))
                made << c.ClassPath + ext;
        if (error.isEmpty()) {
            const QString csv = c.ClassPath + u".csv"_s;
            const FileSet::Members m{QFileInfo(DosPath::toNative(csv)).absolutePath(),
                                     r.file + u".csv"_s,
                                     {QFileInfo(DosPath::toNative(csv)).fileName()}};
            if (FileSet::replace(m, {{m.names[0], csvBytes(g, r)}}).outcome == FileSet::Outcome::Saved)
                made << csv;
            else
                error = u"名簿のCSVを書けませんでした。"_s + u"\r\n"_s + csv;
        }
        if (!error.isEmpty()) {
            undo();
            return error + u"\r\n"_s + u"書き込んだ名簿は取り消しました。"_s;
        }
    }
    if (written)
        *written = made;
    return {};
}

} // namespace Rosters
