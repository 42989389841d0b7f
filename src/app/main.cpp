#include "app/Registry.h"
#include "controls/Forms.h"
#include "core/StartUp.h"
#include "core/VOXA1.h"
#include "platform/Desktop.h"
#include "platform/Program.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    Desktop::preferJapanese();
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"VOXA2003"_s);
    // The windows close and open each other; the program ends when the exit window ends it or
    // when no window is left.
    QApplication::setQuitOnLastWindowClosed(false);
    Desktop::setUp(app);

    VOXA1 c;
    Forms forms;
    registerWindows(c, forms);
    QObject::connect(&forms, &Forms::allUnloaded, &app, [] { QCoreApplication::quit(); });

    Main(c, forms);
    if (Program::hasEnded())
        return 0;
    return QApplication::exec();
}
