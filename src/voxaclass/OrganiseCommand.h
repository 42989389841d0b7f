#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

// voxaclass organise FOLDER --grade G --classes K [--rules FILE] [--subjects 2|4] [--terms 123|12|23]
//                   [--cap N] [--seed S] [--write DIR]
// The grade's classes in FOLDER dealt into K new classes, printed as UTF-8 JSON:
//   {"grade": G, "classes": K, "pupils": [{"id": "5-1:3", "name": …, "sex": "1", "mean": 72.4 or null,
//    "band": 2, "class": 1}, …], "figures": [{"class": 1, "pupils": …, "boys": …, "girls": …,
//    "mean": …, "counts": [{"what": "5-1 男", "count": 3, "low": 3, "high": 4, "met": true}, …]}, …],
//    "spread": …, "read": [{"class": "5-1", …}]}
// Exit 0 with a proposal, 3 when the rules conflict (the pupils' ids on standard error), 1 otherwise.
namespace OrganiseCommand {

struct Options {
    QCommandLineOption grade{u"grade"_qs, u"学年"_qs, u"G"_qs};
    QCommandLineOption classes{u"classes"_qs, u"新しい学級の数"_qs, u"K"_qs};
    QCommandLineOption rules{u"rules"_qs, u"条件のファイル（JSON）"_qs, u"FILE"_qs};
    QCommandLineOption subjects{u"subjects"_qs, u"2 または 4 教科"_qs, u"N"_qs, u"4"_qs};
    QCommandLineOption terms{u"terms"_qs, u"123、12 または 23"_qs, u"T"_qs, u"123"_qs};
    QCommandLineOption cap{u"cap"_qs, u"1学級の上限"_qs, u"N"_qs, u"35"_qs};
    QCommandLineOption seed{u"seed"_qs, u"案の種"_qs, u"S"_qs, u"1"_qs};
    QCommandLineOption write{u"write"_qs, u"名簿を書き込むフォルダ"_qs, u"DIR"_qs};
};
void addOptions(QCommandLineParser& parser, Options* o);
QStringList optionNames();
int run(const QString& folder, const QCommandLineParser& parser, const Options& o);

} // namespace OrganiseCommand
