#include "platform/HelpViewer.h"

#include "platform/MsgBox.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
struct State {
    bool testing = false;
    QStringList requests;
    QString manualForTest;
    HelpViewer::Shower shower;
};
State& state() {
    static State s;
    return s;
}
} // namespace

QString HelpViewer::manualFolder(const QString& nativeHelpFile) {
    const QString program = QFileInfo(nativeHelpFile).absolutePath();
    QStringList candidates;
    if (!state().manualForTest.isEmpty())
        candidates << state().manualForTest;
    candidates << QDir(program).filePath(u"help"_s) << QDir(program).filePath(u"../share/voxa2003/help"_s);
    for (const QString& c : std::as_const(candidates))
        if (QFileInfo(QDir(c).filePath(u"index.html"_s)).isFile())
            return QDir::cleanPath(c);
    return {};
}

void HelpViewer::open(const QString& nativeHelpFile, Command command, const QString& keyword) {
    State& s = state();
    if (s.testing) {
        static const char* names[] = {"contents", "keyword", "helponhelp"};
        s.requests.append(u"%1|%2|%3"_s.arg(QLatin1StringView(names[command]), nativeHelpFile, keyword));
        return;
    }
    const QString folder = manualFolder(nativeHelpFile);
    if (folder.isEmpty()) {
        MsgBox::notice(u"ヘルプファイルが見つかりません。\r\n%1"_s.arg(nativeHelpFile), MsgBox::Warning);
        return;
    }
    if (s.shower)
        s.shower(folder, command, keyword);
}

void HelpViewer::setShower(Shower shower) {
    state().shower = std::move(shower);
}

void HelpViewer::setManualFolderForTest(const QString& folder) {
    state().manualForTest = folder;
}

void HelpViewer::setTesting(bool on) {
    state().testing = on;
}
const QStringList& HelpViewer::requests() {
    return state().requests;
}
void HelpViewer::reset() {
    state().requests.clear();
}
