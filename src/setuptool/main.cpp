// voxatool: run once after installing the grade book. It writes "voxa.ini" (next to the programs, or
// in the user's configuration folder for an installed program) with the data folder of this kind
// of computer, and creates that folder.

#include "controls/Forms.h"
#include "platform/Desktop.h"
#include "platform/Program.h"
#include "setuptool/CatnForm.h"
#include "setuptool/vxtlform.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    Desktop::preferJapanese();
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"voxatool"_s);
    QApplication::setQuitOnLastWindowClosed(false);
    Desktop::setUp(app);
    Forms forms;
    forms.registerForm(u"CatnForm"_s, [](Forms& f) { return new CatnForm(f); });
    forms.registerForm(u"vxtlform"_s, [](Forms& f) { return new vxtlform(f); });
    QObject::connect(&forms, &Forms::allUnloaded, &app, [] { QCoreApplication::quit(); });
    forms.show(u"CatnForm"_s);
    if (Program::hasEnded())
        return 0;
    return QApplication::exec();
}
