#include "platform/Desktop.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace Desktop {

namespace {
// Texts of the standard dialogs that Qt's own Japanese translation lacks.
class MissingTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        if (qstrcmp(source, "Folder") == 0)
            return u"フォルダー"_s;
        if (qstrcmp(source, "Drive") == 0)
            return u"ドライブ"_s;
        if (qstrcmp(source, "File") == 0)
            return u"ファイル"_s;
        if (qstrcmp(source, "%1 File") == 0)
            return u"%1 ファイル"_s;
        return {};
    }
};
} // namespace

void preferJapanese() {
    // Dates in the standard dialogs follow the system's time locale; unless the teacher chose one
    // for the whole session, it is Japanese.
    if (qEnvironmentVariableIsEmpty("LC_ALL") && qEnvironmentVariableIsEmpty("LC_TIME"))
        qputenv("LC_TIME", "ja_JP.UTF-8");
}

void setUp(QApplication& app) {
    QIcon icon;
    icon.addFile(u":/icons/voxa2003.png"_s);
    icon.addFile(u":/icons/voxa2003-48.png"_s);
    QApplication::setWindowIcon(icon);

    // Every text the teacher sees is Japanese, whatever the system's language: the buttons and
    // labels of Qt's own dialogs too, where Qt's translations are installed.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    QCoreApplication::installTranslator(new MissingTexts(&app));
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
