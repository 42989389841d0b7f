// voxaclass: shows a class's files as JSON and writes them back, for support staff and tests.
//   voxaclass dump PATH    prints the class in PATH.sdt, PATH.eix and PATH.dat as JSON
//   voxaclass write PATH   reads such JSON from standard input and writes the three files
//   voxaclass export PATH [--term 1|2|3|4] [--encoding cp932|utf-8]
//                          prints the results of a term (4: the year) as CSV
//   voxaclass organise FOLDER --grade G --classes K [--rules FILE] [--subjects 2|4]
//                          [--terms 123|12|23] [--cap N] [--seed S] [--write DIR]
//                          next year's classes of a grade, as JSON (see OrganiseCommand)

#include "core/ClassFiles.h"
#include "core/VOXA1.h"
#include "voxaclass/ClassJson.h"
#include "voxaclass/OrganiseCommand.h"
#include "voxaclass/ResultsCsv.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {
int fail(const QString& why) {
    QTextStream err(stderr);
    err << u"voxaclass: "_s << why << Qt::endl;
    return 1;
}
void note(const QString& what) {
    QTextStream err(stderr);
    err << u"voxaclass: "_s << what << Qt::endl;
}
bool writeOut(const QByteArray& bytes) {
    QFile out;
    return out.open(stdout, QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.flush();
}

// voxaclass export PATH [--term N] [--encoding E]: the results as CSV on standard output.
int exportResults(const QString& path, const QString& termText, const QString& encodingText,
                  const QString& usage) {
    VOXA1 c;
    c.ClassPath = path;
    int term = 0;
    if (!termText.isEmpty()) {
        if (!QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s}.contains(termText))
            return fail(usage);
        term = termText.toInt();
    }
    if (encodingText != u"cp932"_s && encodingText != u"utf-8"_s)
        return fail(usage);
    const ResultsCsv::Encoding encoding =
        encodingText == u"utf-8"_s ? ResultsCsv::Encoding::Utf8 : ResultsCsv::Encoding::Cp932;
    QString notice;
    const QString error = ClassFiles::loadClass(c, &notice);
    if (!error.isEmpty())
        return fail(error);
    if (!notice.isEmpty())
        note(notice);
    // The grade, which decides the subjects, comes from the file's name ("5-1") as in the grade book.
    c.ClassName = QFileInfo(c.ClassPath).fileName();
    c.SplitClassName();
    if (c.Grade < 1 || c.Grade > 6)
        return fail(u"学級ファイルの名前（例 5-1）から学年が分かりません: "_s + c.ClassPath);
    // Without --term, the class's current term.
    if (term == 0) {
        if (c.CurTerm < 1 || c.CurTerm > 3)
            return fail(u"現在の学期の設定が正しくありません。--term で学期を指定してください。"_s);
        term = c.CurTerm;
    }
    const ResultsCsv::Output out = ResultsCsv::write(c, term, encoding);
    for (const QString& w : out.warnings)
        note(w);
    if (!writeOut(out.bytes))
        return fail(u"標準出力に書けません"_s);
    return 0;
}

int dump(const QString& path) {
    VOXA1 c;
    c.ClassPath = path;
    QString notice;
    const QString error = ClassFiles::loadClass(c, &notice, ClassFiles::Values::AsInFile);
    if (!error.isEmpty())
        return fail(error);
    if (!notice.isEmpty())
        note(notice);
    if (!writeOut(QJsonDocument(ClassJson::toJson(c)).toJson(QJsonDocument::Indented)))
        return fail(u"標準出力に書けません"_s);
    return 0;
}

int write(const QString& path) {
    VOXA1 c;
    c.ClassPath = path;
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return fail(u"標準入力を読めません"_s);
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(in.readAll(), &parseError);
    if (doc.isNull() || !doc.isObject())
        return fail(u"JSON として読めません: "_s + parseError.errorString());
    const QString error = ClassJson::fromJson(doc.object(), c);
    if (!error.isEmpty())
        return fail(error);
    QString notice;
    const QString saveError = ClassFiles::saveClass(c, &notice);
    if (!saveError.isEmpty())
        return fail(saveError);
    if (!notice.isEmpty())
        note(notice);
    return 0;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString usage =
        u"使い方: voxaclass dump PATH | voxaclass write PATH | voxaclass export PATH [--term 1|2|3|4] "
        "[--encoding cp932|utf-8] | voxaclass organise FOLDER --grade G --classes K [--rules FILE] "
        "[--subjects 2|4] [--terms 123|12|23] [--cap N] [--seed S] [--write DIR]  "
        "(PATH は拡張子なしの学級ファイル名)"_s;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addPositionalArgument(u"command"_s, u"dump | write | export | organise"_s);
    parser.addPositionalArgument(u"path"_s, u"学級ファイル（拡張子なし）またはデータフォルダ"_s);
    const QCommandLineOption term(u"term"_s, u"学期（4 は学年末）"_s, u"N"_s);
    const QCommandLineOption encoding(u"encoding"_s, u"cp932 または utf-8"_s, u"E"_s, u"cp932"_s);
    OrganiseCommand::Options organise;
    parser.addOptions({term, encoding});
    OrganiseCommand::addOptions(parser, &organise);
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText() + u"\n"_s + usage);
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        return fail(usage);
    const QString command = args[0];
    auto onlyOptions = [&](const QStringList& allowed) {
        for (const QString& name : parser.optionNames())
            if (!allowed.contains(name))
                return false;
        return true;
    };
    if (command == u"export"_s && onlyOptions({u"term"_s, u"encoding"_s}))
        return exportResults(args[1], parser.value(term), parser.value(encoding), usage);
    if (command == u"organise"_s && onlyOptions(OrganiseCommand::optionNames()))
        return OrganiseCommand::run(args[1], parser, organise);
    if (command == u"dump"_s && parser.optionNames().isEmpty())
        return dump(args[1]);
    if (command == u"write"_s && parser.optionNames().isEmpty())
        return write(args[1]);
    return fail(usage);
}
