#include "platform/Desktop.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace Desktop {

void setUp(QApplication& app) {
    QIcon icon;
    icon.addFile(u":/icons/voxa2003.png"_s);
    icon.addFile(u":/icons/voxa2003-48.png"_s);
    QApplication::setWindowIcon(icon);

    // Every text the teacher sees is Japanese, whatever the system's language: the buttons and
    // labels of Qt's own dialogs too, where Qt's translations are installed.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const QString& name : {u"qtbase_ja"_s, u"qt_ja"_s}) {
        auto* t = new QTranslator(&app);
        if (t->load(name, folder))
            QCoreApplication::installTranslator(t);
        else
            delete t;
    }
    QFont::insertSubstitution(u"ＭＳ ゴシック"_s, u"IPAGothic"_s);
}

} // namespace Desktop
