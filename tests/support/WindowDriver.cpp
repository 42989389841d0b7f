#include "WindowDriver.h"

#include "app/Registry.h"
#include "core/StartUp.h"
#include "platform/Dialogs.h"
#include "platform/PreviewBackend.h"

#include <QDir>
#include <QInputMethodEvent>

using namespace Qt::StringLiterals;

WindowDriver::WindowDriver() {
    TestSupport::useTestDoubles();
    m_home = std::make_unique<TestSupport::TempHome>();
    m_c = std::make_unique<VOXA1>();
    m_forms = std::make_unique<Forms>();
    registerWindows(*m_c, *m_forms);
}

WindowDriver::~WindowDriver() {
    m_forms.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // A dialog that came up without an answer queued for it is a flow the test did not expect.
    QCOMPARE(Dialogs::unanswered(), 0);
    // So is a print preview that came up without a choice queued for it.
    QCOMPARE(PreviewBackend::unanswered(), 0);
}

void WindowDriver::start() {
    Main(*m_c, *m_forms);
}

void WindowDriver::click(const QString& form, const QString& button) {
    auto* b = find<QAbstractButton>(form, button);
    QVERIFY2(b, qPrintable(form + u'.' + button));
    QVERIFY2(b->isEnabled(), qPrintable(form + u'.' + button + u" is disabled"_s));
    b->click();
}

void WindowDriver::trigger(const QString& form, const QString& action) {
    auto* a = find<QAction>(form, action);
    QVERIFY2(a, qPrintable(form + u'.' + action));
    QVERIFY2(a->isEnabled(), qPrintable(form + u'.' + action + u" is disabled"_s));
    a->trigger();
}

void WindowDriver::type(const QString& form, const QString& box, const QString& text) {
    auto* e = find<QLineEdit>(form, box);
    QVERIFY2(e, qPrintable(form + u'.' + box));
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    bool ascii = true;
    for (QChar ch : text)
        ascii = ascii && ch.unicode() < 128;
    if (ascii) {
        QTest::keyClicks(e, text);
    } else {
        // Japanese arrives through the input method, as a committed string.
        QInputMethodEvent ime;
        ime.setCommitString(text);
        QCoreApplication::sendEvent(e, &ime);
    }
}

void WindowDriver::pressEnter(const QString& form, const QString& box) {
    auto* w = find<QWidget>(form, box);
    QVERIFY2(w, qPrintable(form + u'.' + box));
    QTest::keyClick(w, Qt::Key_Return);
}

void WindowDriver::writeClass(const QString& base, int pupils, const QString& password) {
    QDir(m_home->path()).mkpath(u"voxadata"_s);
    VOXA1 k;
    k.ClassPath = u"C:\\voxadata\\"_s + base;
    k.SchoolName = u"みなと小学校"_s;
    k.CurTerm = 1;
    k.ClassSize = static_cast<qint16>(pupils);
    k.PassWord = password;
    for (int i = 1; i <= pupils; ++i) {
        k.RecNo(i) = QString::number(i);
        k.Pupil(i).PName = u"生徒%1"_s.arg(i);
        k.Pupil(i).Sex = i % 2 ? u"1"_s : u"2"_s;
    }
    QVERIFY(k.SaveClass());
}

void WindowDriver::startWithClass(const QString& base, const QString& name, int pupils,
                                  const QString& password) {
    writeClass(base, pupils, password);
    start();
    VOXA1& c = *m_c;
    c.ClassPath = u"C:\\voxadata\\"_s + base;
    QVERIFY(c.LoadClass());
    c.ClassName = name;
    c.ClassFile = base;
    c.SplitClassName();
    c.ClassLoaded = 1;
    c.NoClassYet = 0;
    m_forms->hide(u"vxMain"_s);
    m_forms->show(u"vxMain"_s);
}
