#include "platform/HelpViewer.h"

#include "platform/MsgBox.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {
struct State {
    bool testing = false;
    QStringList requests;
};
State& state() {
    static State s;
    return s;
}
} // namespace

void HelpViewer::open(const QString& nativeHelpFile, Command command, const QString& keyword) {
    State& s = state();
    if (s.testing) {
        static const char* names[] = {"contents", "keyword", "helponhelp"};
        s.requests.append(u"%1|%2|%3"_s.arg(QLatin1StringView(names[command]), nativeHelpFile, keyword));
        return;
    }
    if (command == HelpOnHelp) {
        MsgBox::notice(u"ヘルプの使い方は、ヘルプ画面の目次からご覧ください。"_s);
        return;
    }
    if (!QFileInfo::exists(nativeHelpFile)) {
        MsgBox::notice(u"ヘルプファイルが見つかりません。\r\n%1"_s.arg(nativeHelpFile), MsgBox::Warning);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(nativeHelpFile)))
        MsgBox::notice(
            u"このパソコンにはヘルプファイルを表示するプログラムがありません。\r\n%1"_s.arg(nativeHelpFile),
            MsgBox::Warning);
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
