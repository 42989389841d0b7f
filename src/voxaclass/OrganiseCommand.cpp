#include "voxaclass/OrganiseCommand.h"

#include "organise/GradeData.h"
#include "organise/OrganiseRules.h"
#include "organise/Organiser.h"
#include "organise/Rosters.h"
#include "platform/DosPath.h"
#include "platform/FileSet.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace OrganiseCommand {

namespace {

int say(int code, const QString& why) {
    QTextStream err(stderr);
    err << u"voxaclass organise: "_s << why << Qt::endl;
    return code;
}

// A whole number from min to max, or nullopt.
std::optional<qint64> number(const QString& text, qint64 min, qint64 max) {
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    return ok && v >= min && v <= max ? std::optional<qint64>(v) : std::nullopt;
}

QJsonValue meanValue(const std::optional<double>& m) {
    return m ? QJsonValue(*m) : QJsonValue(QJsonValue::Null);
}

} // namespace

void addOptions(QCommandLineParser& parser, Options* o) {
    parser.addOptions({o->grade, o->classes, o->rules, o->subjects, o->terms, o->cap, o->seed, o->write});
}

QStringList optionNames() {
    return {u"grade"_s, u"classes"_s, u"rules"_s, u"subjects"_s, u"terms"_s, u"cap"_s, u"seed"_s, u"write"_s};
}

int run(const QString& folder, const QCommandLineParser& parser, const Options& o) {
    const auto grade = number(parser.value(o.grade), 1, 6);
    if (!grade)
        return say(1, u"--grade は 1～6 の学年です。"_s);
    const auto cap = number(parser.value(o.cap), 1, 40);
    if (!cap)
        return say(1, u"--cap は 1～40 の人数です。"_s);
    const QString subjects = parser.value(o.subjects), terms = parser.value(o.terms);
    if (subjects != u"2"_s && subjects != u"4"_s)
        return say(1, u"--subjects は 2 または 4 です。"_s);
    const int termSet = terms == u"123"_s ? 1 : terms == u"12"_s ? 2 : terms == u"23"_s ? 3 : 0;
    if (termSet == 0)
        return say(1, u"--terms は 123、12 または 23 です。"_s);
    const auto seed = number(parser.value(o.seed), 0, std::numeric_limits<qint64>::max());
    if (!seed)
        return say(1, u"--seed は 0 以上の整数です。"_s);
    const QFileInfo where(folder);
    if (!where.isDir())
        return say(1, u"データフォルダがありません: "_s + folder);

    OrganiseRules rules;
    if (parser.isSet(o.rules)) {
        QByteArray data;
        const QString file = parser.value(o.rules);
        if (FileSet::readFile(file, &data, OrganiseRules::kMaxBytes) != FileSet::ReadResult::Ok)
            return say(1, u"条件のファイルを読めません: "_s + file);
        if (const QString e = OrganiseRules::fromJson(data, &rules); !e.isEmpty())
            return say(1, file + u": "_s + e);
    }
    const GradeData::Grade g = GradeData::read(DosPath::fromNative(where.absoluteFilePath()), int(*grade),
                                               subjects == u"2"_s ? 1 : 2, termSet);
    QJsonArray read;
    for (const GradeData::OldClass& oc : g.classes) {
        if (!oc.problem.isEmpty())
            say(0, oc.file + u" は読めないため除きました: "_s + oc.problem.simplified());
        else if (!oc.notice.isEmpty())
            say(0, oc.notice.simplified());
        if (oc.problem.isEmpty() && !oc.calculated)
            say(0, oc.file + u" は成績が計算されていないため、平均なし・帯3として扱います。"_s);
        read.append(QJsonObject{{u"class"_s, oc.file},
                                {u"teacher"_s, oc.teacher},
                                {u"boys"_s, oc.boys},
                                {u"girls"_s, oc.girls},
                                {u"unset"_s, oc.unset},
                                {u"calculated"_s, oc.calculated},
                                {u"read"_s, oc.problem.isEmpty()}});
    }
    if (g.pupils.isEmpty())
        return say(1, QString::number(*grade) + u"年の学級が見つかりません: "_s + folder);
    const int n = int(g.pupils.size());
    const auto classes = parser.isSet(o.classes)
                             ? number(parser.value(o.classes), 1, 9)
                             : std::optional<qint64>(GradeData::suggestedClasses(n, int(*cap)));
    if (!classes)
        return say(1, u"--classes は 1～9 の学級の数です。"_s);
    QStringList unknown;
    const Organiser::Problem p = GradeData::problem(g, rules, int(*classes), int(*cap), &unknown);
    for (const QString& id : unknown)
        say(0, u"条件の "_s + id + u" にあたる児童がいません。その条件は除きました。"_s);
    for (const GradeData::Pupil& x : g.pupils)
        if (x.sex != u"1"_s && x.sex != u"2"_s)
            say(0, x.id + u" "_s + x.name + u" は性別が入っていないため、女子として数えます。"_s);

    const Organiser::Proposal proposal = Organiser::propose(p, GradeData::labels(g), quint64(*seed));
    if (proposal.assignment.isEmpty()) {
        QStringList ids;
        for (const Organiser::Conflict& c : proposal.conflicts) {
            QStringList these;
            for (int i : c.pupils)
                these << g.pupils[i].id;
            say(0, c.what + (these.isEmpty() ? QString() : u" ["_s + these.join(u" "_s) + u"]"_s));
            for (const QString& id : these)
                if (!ids.contains(id))
                    ids << id;
        }
        const bool conflict = !ids.isEmpty();
        return say(conflict ? 3 : 1,
                   conflict ? u"条件が両立しません: "_s + ids.join(u" "_s) : u"案を作れませんでした。"_s);
    }
    QJsonArray pupils;
    for (int i = 0; i < n; ++i) {
        const GradeData::Pupil& x = g.pupils[i];
        pupils.append(QJsonObject{{u"id"_s, x.id},
                                  {u"name"_s, x.name},
                                  {u"sex"_s, x.sex},
                                  {u"mean"_s, meanValue(x.mean)},
                                  {u"band"_s, x.band},
                                  {u"class"_s, proposal.assignment[i] + 1}});
    }
    QJsonArray figures;
    for (int k = 0; k < proposal.figures.classes.size(); ++k) {
        const Organiser::ClassFigures& f = proposal.figures.classes[k];
        QJsonArray counts;
        for (const Organiser::Count& c : f.counts)
            counts.append(QJsonObject{{u"what"_s, c.what},
                                      {u"count"_s, c.count},
                                      {u"low"_s, c.low},
                                      {u"high"_s, c.high},
                                      {u"met"_s, c.met()}});
        figures.append(QJsonObject{{u"class"_s, k + 1},
                                   {u"pupils"_s, f.pupils},
                                   {u"boys"_s, f.boys},
                                   {u"girls"_s, f.girls},
                                   {u"mean"_s, meanValue(f.mean)},
                                   {u"counts"_s, counts}});
    }
    const QJsonObject out{{u"grade"_s, int(*grade)},
                          {u"classes"_s, int(*classes)},
                          {u"pupils"_s, pupils},
                          {u"figures"_s, figures},
                          {u"spread"_s, proposal.figures.spread},
                          {u"offBound"_s, proposal.figures.offBound},
                          {u"read"_s, read}};
    if (parser.isSet(o.write)) {
        const QString native = QFileInfo(parser.value(o.write)).absoluteFilePath();
        if (!QFileInfo(native).isDir() && !FileSet::makePrivateFolder(native))
            return say(1, u"名簿を書き込むフォルダを作れません: "_s + native);
        const QString dir = DosPath::fromNative(native);
        const QList<Rosters::Roster> rosters =
            Rosters::plan(g, rules, proposal.assignment, int(*classes), Rosters::Order::Together);
        QStringList written;
        if (const QString e = Rosters::write(dir, g, rosters, &written); !e.isEmpty())
            return say(1, e.simplified());
        for (const Rosters::Roster& r : rosters)
            say(0, r.file + (r.byReading ? u": 読みの順に番号を付けました。"_s
                                         : u": 旧学級と旧番号の順に番号を付けました。"_s));
    }
    const QByteArray bytes = QJsonDocument(out).toJson(QJsonDocument::Indented);
    QFile stdOut;
    if (!stdOut.open(stdout, QIODevice::WriteOnly) || stdOut.write(bytes) != bytes.size() || !stdOut.flush())
        return say(1, u"標準出力に書けません"_s);
    return 0;
}

} // namespace OrganiseCommand
