#include "controls/Forms.h"
#include "platform/MsgBox.h"

#include <QMessageBox>
#include <QScreen>

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
// A window that writes down what happened to it.
class Probe : public Form {
public:
    Probe(Forms& f, const QString& tag, QStringList& log) : Form(f, tag), m_log(log) {}
    void Form_Load() override { m_log << tag() + u":load"_s; }
    void Form_Activate() override { m_log << tag() + u":activate"_s; }
    bool Form_QueryUnload(UnloadMode mode) override {
        m_log << tag() + (mode == FromControlMenu ? u":query-titlebar"_s : u":query-code"_s);
        return !refuse;
    }
    void Form_Unload() override { m_log << tag() + u":unload"_s; }
    bool refuse = false;

private:
    QStringList& m_log;
};
} // namespace

class tst_Forms : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void show_raisesActivationOncePerChange();
    void windowSystemActivation_sameWindowTwice_raisesOnce();
    void titleBarClose_isToldFromUnloadByCode();
    void queryUnload_refusal_keepsWindowLoaded();
    void lastUnload_announcesThatNothingIsLeft();
    void titleBarClose_ofLastShownWindow_endsEvenWithHiddenOnesLoaded();
    void lastShownWindowHidden_endsOnceEventsAreDone();
    void hideThenShowAnother_inOneStep_endsNothing();
    void activationDuringAnotherWindowsLoad_isNotRaised();
    void destroyingTheCollection_deletesItsWindows();
    void placement_centredOverTheMainWindow_andFullyOnScreen_data();
    void placement_centredOverTheMainWindow_andFullyOnScreen();
    void placement_mainWindowKeepsItsPlace_acrossHideAndReload();
    void messageBox_onlyACloseButton_andNeverNarrowerThanItsTitle();

private:
    void registerProbe(const QString& tag);
    QStringList log;
    std::unique_ptr<Forms> forms;
};

void tst_Forms::init() {
    log.clear();
    forms = std::make_unique<Forms>();
    registerProbe(u"a"_s);
    registerProbe(u"b"_s);
}

void tst_Forms::placement_centredOverTheMainWindow_andFullyOnScreen_data() {
    QTest::addColumn<QPoint>("mainAt"); // top left of the main window; (-1, -1): not shown
    QTest::addColumn<QSize>("size");    // of the window that opens
    QTest::newRow("over the main window") << QPoint(40, 60) << QSize(300, 200);
    QTest::newRow("main near the right edge") << QPoint(2000, 60) << QSize(300, 200);
    QTest::newRow("main near the bottom") << QPoint(40, 5000) << QSize(300, 200);
    QTest::newRow("no main window: the screen") << QPoint(-1, -1) << QSize(300, 200);
    QTest::newRow("larger than the screen") << QPoint(40, 60) << QSize(5000, 4000);
}

void tst_Forms::placement_centredOverTheMainWindow_andFullyOnScreen() {
    QFETCH(QPoint, mainAt);
    QFETCH(QSize, size);
    registerProbe(u"vxMain"_s);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    if (mainAt.x() >= 0) {
        Form* main = forms->load(u"vxMain"_s);
        main->resize(400, 300);
        main->move(mainAt);
        main->show();
    }
    Form* a = forms->load(u"a"_s);
    a->resize(size);
    forms->show(u"a"_s);
    const QRect placed(a->pos(), a->size());
    QVERIFY2(screen.contains(placed),
             qPrintable(
                 u"%1,%2 %3x%4"_s.arg(placed.x()).arg(placed.y()).arg(placed.width()).arg(placed.height())));
    if (mainAt.x() < 0)
        QVERIFY(qAbs(placed.center().x() - screen.center().x()) <= 1);
    else if (size.width() < 1000 && screen.contains(QRect(mainAt, QSize(400, 300))))
        QVERIFY(qAbs(placed.center().x() - forms->find(u"vxMain"_s)->frameGeometry().center().x()) <= 1);
}

void tst_Forms::placement_mainWindowKeepsItsPlace_acrossHideAndReload() {
    registerProbe(u"vxMain"_s);
    Form* main = forms->show(u"vxMain"_s);
    main->resize(300, 200);
    main->move(37, 41);
    const QPoint at = main->pos();
    forms->show(u"a"_s);
    forms->hide(u"vxMain"_s);
    forms->show(u"vxMain"_s);
    QCOMPARE(forms->find(u"vxMain"_s)->pos(), at);
    // Unloaded and loaded again: a new window, in the same place.
    forms->unload(u"vxMain"_s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    forms->show(u"vxMain"_s);
    QCOMPARE(forms->find(u"vxMain"_s)->pos(), at);
}

void tst_Forms::messageBox_onlyACloseButton_andNeverNarrowerThanItsTitle() {
    QMessageBox box;
    const QString title = u"Voxa2003 For WinXp　とても長い題名の確認用の窓"_s;
    MsgBox::frame(box, title);
    box.setText(u"OK"_s);
    box.addButton(u"OK"_s, QMessageBox::AcceptRole);
    const Qt::WindowFlags f = box.windowFlags();
    QVERIFY(!f.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(f.testFlag(Qt::WindowCloseButtonHint));
    QCOMPARE(box.windowTitle(), title);
    box.show();
    QVERIFY(box.width() >= QFontMetrics(QApplication::font()).horizontalAdvance(title));
    box.hide();
}

void tst_Forms::registerProbe(const QString& tag) {
    forms->registerForm(tag, [this, tag](Forms& f) { return new Probe(f, tag, log); });
}

void tst_Forms::show_raisesActivationOncePerChange() {
    forms->show(u"a"_s);
    forms->show(u"a"_s);
    forms->show(u"b"_s);
    forms->hide(u"b"_s);
    forms->show(u"b"_s);
    QCOMPARE(log, (QStringList{u"a:load"_s, u"a:activate"_s, u"b:load"_s, u"b:activate"_s, u"b:activate"_s}));
    QCOMPARE(forms->activeTag(), u"b"_s);
}

void tst_Forms::windowSystemActivation_sameWindowTwice_raisesOnce() {
    Form* a = forms->show(u"a"_s);
    Form* b = forms->show(u"b"_s);
    log.clear();
    forms->windowActivated(a);
    forms->windowActivated(a);
    forms->windowActivated(b);
    QCOMPARE(log, (QStringList{u"a:activate"_s, u"b:activate"_s}));
}

void tst_Forms::titleBarClose_isToldFromUnloadByCode() {
    Form* a = forms->show(u"a"_s);
    forms->show(u"b"_s);
    a->close();
    QVERIFY(!forms->isLoaded(u"a"_s));
    forms->unload(u"b"_s);
    QVERIFY(log.contains(u"a:query-titlebar"_s));
    QVERIFY(log.contains(u"b:query-code"_s));
    QCOMPARE(log.last(), u"b:unload"_s);
}

void tst_Forms::queryUnload_refusal_keepsWindowLoaded() {
    auto* a = static_cast<Probe*>(forms->show(u"a"_s));
    a->refuse = true;
    QVERIFY(!forms->unload(u"a"_s));
    QVERIFY(forms->isLoaded(u"a"_s));
    QVERIFY(!log.contains(u"a:unload"_s));
    a->refuse = false;
    QVERIFY(forms->unload(u"a"_s));
    QVERIFY(!forms->isLoaded(u"a"_s));
    // Loading again runs the load step again.
    forms->load(u"a"_s);
    QCOMPARE(log.count(u"a:load"_s), 2);
}

void tst_Forms::lastUnload_announcesThatNothingIsLeft() {
    QSignalSpy spy(forms.get(), &Forms::allUnloaded);
    forms->show(u"a"_s);
    forms->show(u"b"_s);
    forms->unload(u"a"_s);
    QCOMPARE(spy.count(), 0);
    forms->unload(u"b"_s);
    QCOMPARE(spy.count(), 1);
}

void tst_Forms::titleBarClose_ofLastShownWindow_endsEvenWithHiddenOnesLoaded() {
    QSignalSpy spy(forms.get(), &Forms::allUnloaded);
    forms->show(u"a"_s);
    forms->hide(u"a"_s);
    Form* b = forms->show(u"b"_s);
    // Unloaded by code while another window is about to appear: nothing ends.
    forms->unload(u"a"_s);
    QCOMPARE(spy.count(), 0);
    forms->show(u"a"_s);
    forms->hide(u"a"_s);
    b->close();
    QCOMPARE(spy.count(), 1);
    QVERIFY(forms->isLoaded(u"a"_s));
}

void tst_Forms::lastShownWindowHidden_endsOnceEventsAreDone() {
    // A window beside the main window stays after the main window was closed; when that one goes
    // too (hidden by its cancel button), nothing is left on screen.
    QSignalSpy spy(forms.get(), &Forms::allUnloaded);
    forms->show(u"a"_s);
    forms->show(u"b"_s);
    forms->unload(u"a"_s, Form::FromControlMenu);
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 0);
    forms->hide(u"b"_s);
    QCOMPARE(spy.count(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 1);
}

void tst_Forms::hideThenShowAnother_inOneStep_endsNothing() {
    QSignalSpy spy(forms.get(), &Forms::allUnloaded);
    forms->show(u"a"_s);
    forms->hide(u"a"_s);
    forms->show(u"b"_s);
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 0);
}

void tst_Forms::activationDuringAnotherWindowsLoad_isNotRaised() {
    // Window d's load step shows a message box; when the box closes, the window system activates
    // the window that was in front (a). Only d, coming up, is activated.
    struct LoadsWithBox : Probe {
        LoadsWithBox(Forms& f, QStringList& l, Form* other) : Probe(f, u"d"_s, l), m_other(other) {}
        void Form_Load() override {
            Probe::Form_Load();
            forms.windowActivated(m_other);
        }
        Form* m_other;
    };
    Form* a = forms->show(u"a"_s);
    forms->show(u"b"_s);
    log.clear();
    forms->registerForm(u"d"_s, [this, a](Forms& f) { return new LoadsWithBox(f, log, a); });
    forms->show(u"d"_s);
    QCOMPARE(log, (QStringList{u"d:load"_s, u"d:activate"_s}));
    QCOMPARE(forms->activeTag(), u"d"_s);
}

void tst_Forms::destroyingTheCollection_deletesItsWindows() {
    QPointer<Form> a = forms->show(u"a"_s);
    QPointer<Form> b = forms->load(u"b"_s);
    forms.reset();
    QVERIFY(a.isNull());
    QVERIFY(b.isNull());
    forms = std::make_unique<Forms>();
}

QTEST_MAIN(tst_Forms)
#include "tst_Forms.moc"
