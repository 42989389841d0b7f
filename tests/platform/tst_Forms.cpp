#include "controls/Forms.h"

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
