#include "organise/GradeData.h"

#include "core/ClassFiles.h"
#include "core/ClassMaterial.h"
#include "core/VOXA1.h"
#include "platform/DosPath.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace GradeData {

int bandOf(int rank, int n) {
    return n <= 0 ? 3 : 5 * (rank - 1) / n + 1;
}

Grade read(const QString& folder, int grade, int subjSet, int termSet) {
    Grade g;
    g.grade = grade;
    g.subjSet = subjSet;
    g.termSet = termSet;
    for (int k = 1; k <= 9; ++k) {
        const QString file = QString::number(grade) + u"-"_s + QString::number(k);
        const QString classPath = DosPath::join(folder, file);
        const QString native = DosPath::toNative(classPath + u".sdt"_s);
        if (native.isEmpty() || !QFileInfo(native).exists())
            continue;
        OldClass oc;
        oc.file = file;
        VOXA1 c;
        c.ClassPath = classPath;
        oc.problem = ClassFiles::readLastSave(c, &oc.notice);
        if (oc.problem.isEmpty() && (c.ClassSize < 0 || c.ClassSize > 42))
            oc.problem = classPath + u" の人数の設定が正しくありません。"_s;
        if (!oc.problem.isEmpty()) {
            g.classes.append(oc);
            continue;
        }
        c.ClassFile = file;
        c.ClassName = QString::number(grade) + u"年"_s + QString::number(k) + u"組"_s;
        c.SplitClassName();
        oc.teacher = c.TeacherName.str().trimmed();
        oc.school = c.SchoolName.str().trimmed();
        oc.city = c.CityName.str().trimmed();
        oc.saved = QFileInfo(DosPath::toNative(classPath + u".dat"_s)).lastModified();
        oc.calculated = ClassMaterial::calculated(c, subjSet, termSet);
        const int index = int(g.classes.size());
        QList<Pupil> pupils;
        for (int i = 1; i <= c.ClassSize; ++i) {
            Pupil p;
            p.id = file + u":"_s + QString::number(i);
            p.name = c.Pupil(i).PName.str().trimmed();
            p.sex = c.Pupil(i).Sex.trimmed();
            p.oldClass = index;
            p.number = i;
            // A figure the class file could not hold (read back as no number) gives no mean rather
            // than one that would spoil the class means.
            if (const double m = oc.calculated ? ClassMaterial::mean(c, i, subjSet, termSet) : qQNaN();
                std::isfinite(m))
                p.mean = m;
            ClassMaterial::isBoy(p.sex) ? ++oc.boys : ClassMaterial::isGirl(p.sex) ? ++oc.girls : ++oc.unset;
            pupils.append(p);
        }
        // Bands by rank in the old class: the mean, descending, ties by attendance number; a pupil
        // without one after every pupil with one.
        if (oc.calculated) {
            QList<int> order;
            for (int i = 0; i < pupils.size(); ++i)
                order.append(i);
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
                return pupils[a].mean.value_or(-1) > pupils[b].mean.value_or(-1);
            });
            for (int r = 0; r < order.size(); ++r)
                pupils[order[r]].band = bandOf(r + 1, int(order.size()));
        }
        g.pupils += pupils;
        g.classes.append(oc);
    }
    return g;
}

Organiser::Problem problem(const Grade& g, const OrganiseRules& rules, int classes, int cap,
                           QStringList* unknown) {
    Organiser::Problem p;
    p.classes = classes;
    p.cap = cap;
    p.flagNames = rules.flagNames;
    for (int k = 0; k < classes; ++k)
        p.classNames << newClassName(g.grade, k);
    for (const OldClass& oc : g.classes)
        p.oldClasses << oc.file;
    QHash<QString, int> index;
    for (int i = 0; i < g.pupils.size(); ++i) {
        const Pupil& x = g.pupils[i];
        index.insert(x.id, i);
        Organiser::Pupil y;
        y.boy = ClassMaterial::isBoy(x.sex);
        y.oldClass = x.oldClass;
        y.band = x.band;
        y.mean = x.mean;
        for (const QString& f : rules.flags.value(x.id)) {
            const qsizetype at = rules.flagNames.indexOf(f);
            if (at >= 0 && at < Organiser::kFlags)
                y.flags |= 1u << at;
        }
        p.pupils.append(y);
    }
    QStringList missing;
    auto known = [&](const QStringList& ids) {
        bool all = true;
        for (const QString& id : ids)
            if (!index.contains(id)) {
                if (!missing.contains(id))
                    missing.append(id);
                all = false;
            }
        return all;
    };
    for (const QStringList& pair : rules.apart)
        if (known(pair))
            p.rules.apart.append({index.value(pair[0]), index.value(pair[1])});
    for (const QStringList& group : rules.together) {
        // A group keeps the pupils that are there.
        QList<int> members;
        known(group);
        for (const QString& id : group)
            if (index.contains(id))
                members.append(index.value(id));
        if (members.size() >= 2)
            p.rules.together.append(members);
    }
    for (auto it = rules.fixed.begin(); it != rules.fixed.end(); ++it)
        if (known({it.key()}))
            p.rules.fixed.append({index.value(it.key()), it.value() - 1});
    known(rules.flags.keys());
    known(rules.readings.keys());
    if (unknown)
        *unknown = missing;
    return p;
}

QString newClassName(int grade, int k) {
    return (grade >= 1 && grade < 6 ? QString::number(grade + 1) + u"年"_s : u"新"_s) +
           QString::number(k + 1) + u"組"_s;
}

QStringList labels(const Grade& g) {
    QStringList out;
    for (const Pupil& p : g.pupils)
        out << p.id + u" "_s + p.name;
    return out;
}

} // namespace GradeData
