// The next-year's-classes window driven by its control names: opened from the main window with no
// class loaded, moves that break a rule asked first, swaps, undo, the rules tab, the grade's lock
// held by another program, a disk that refuses the save, the printouts and the rosters.

#include "GradeMaker.h"
#include "WindowDriver.h"
#include "organise/OrganiseRules.h"
#include "organise/Rosters.h"
#include "organise/vxOrganise.h"
#include "platform/ClassLock.h"
#include "platform/Dialogs.h"
#include "platform/DosPath.h"
#include "platform/MsgBox.h"
#include "platform/RecordingBackend.h"

#include <QLabel>
#include <QProcess>
#include <QSpinBox>
#include <QTableWidget>

using namespace Qt::StringLiterals;

class tst_vxOrganise : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { d = std::make_unique<WindowDriver>(); }
    void cleanup();
    void open_withoutLoadedClass_everyPupilOnce_rulesMet_otherProposalUndone();
    void move_breakingClassSize_asksFirst_cancelKeeps_yesSavesAndUndoes();
    void swap_acrossLists_keptAfterClosing_lockOnlyWhileOpen();
    void classCount_changedAfterSwap_askedFirst_capAloneKeepsClasses();
    void apartPair_inOneClass_shownBroken_proposalKeepsThemApart();
    void gradeHeldByAnotherProgram_readOnly_nothingWritten();
    void saveRefusedByDisk_changeTakenBack();
    void printouts_postingListHasNamesOnly();
    void rosters_writtenOnce_neverOver_grade6Refused();

private:
    // Grade 5 of six classes of 35 in C:\voxadata, the program started without a class and the
    // window opened on grade 5.
    vxOrganise* open(int grade = 5);
    QTableWidget* list(int k) { return d->find<QTableWidget>(u"vxOrganise"_s, u"grdClass(%1)"_s.arg(k)); }
    // Points at row `row` of new class k; returns that pupil.
    int pick(int k, int row);
    QString rulesFile() const { return OrganiseRules::filePath(d->home().file(u"voxadata"_s), 5); }
    OrganiseRules saved() const;
    std::unique_ptr<WindowDriver> d;
};

void tst_vxOrganise::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    d.reset();
}

vxOrganise* tst_vxOrganise::open(int grade) {
    [&] { QVERIFY(GradeMaker::writeGrade(u"C:\\voxadata"_s, grade, 6, 35, 7)); }();
    d->start();
    d->trigger(u"vxMain"_s, u"mnuUOrganise"_s);
    auto* w = d->forms().get<vxOrganise>(u"vxOrganise"_s);
    if (w && grade != 1)
        d->find<QSpinBox>(u"vxOrganise"_s, u"spnGrade"_s)->setValue(grade);
    return w;
}

int tst_vxOrganise::pick(int k, int row) {
    list(k)->setFocus();
    list(k)->setCurrentCell(row, 0);
    return list(k)->item(row, 0)->data(Qt::UserRole).toInt();
}

OrganiseRules tst_vxOrganise::saved() const {
    OrganiseRules r;
    const QString e = OrganiseRules::load(d->home().file(u"voxadata"_s), 5, &r);
    [&] { QVERIFY2(e.isEmpty(), qPrintable(e)); }();
    return r;
}

void tst_vxOrganise::open_withoutLoadedClass_everyPupilOnce_rulesMet_otherProposalUndone() {
    vxOrganise* w = open();
    QVERIFY(w);
    QVERIFY(!d->c().classIsLoaded());
    QCOMPARE(d->find<QTableWidget>(u"vxOrganise"_s, u"grdOld"_s)->rowCount(), 6);
    QSet<int> seen;
    for (int k = 0; k < 6; ++k) {
        QCOMPARE(list(k)->rowCount(), 35);
        for (int r = 0; r < 35; ++r)
            seen.insert(list(k)->item(r, 0)->data(Qt::UserRole).toInt());
    }
    QCOMPARE(seen.size(), 210);
    QVERIFY(w->session().figures().rulesMet());
    QCOMPARE(w->session().figures().offBound, 0);
    QVERIFY(d->find<QLabel>(u"vxOrganise"_s, u"lblStatus"_s)
                ->text()
                .startsWith(u"決まりはすべて守られています"_s));
    // Nothing was changed by the teacher: nothing is written.
    QVERIFY(!QFileInfo::exists(rulesFile()));

    const QList<int> first = w->session().assignment();
    d->click(u"vxOrganise"_s, u"cmdOther"_s);
    QVERIFY(w->session().assignment() != first);
    QVERIFY(w->session().figures().rulesMet());
    QCOMPARE(saved().placed.pupils.size(), 210);
    d->click(u"vxOrganise"_s, u"cmdUndo"_s);
    QCOMPARE(w->session().assignment(), first);
    QCOMPARE(saved().placed.pupils.value(w->session().grade().pupils[0].id), first[0] + 1);
}

void tst_vxOrganise::move_breakingClassSize_asksFirst_cancelKeeps_yesSavesAndUndoes() {
    vxOrganise* w = open();
    const QList<int> before = w->session().assignment();
    const int pupil = pick(0, 3);
    MsgBox::queueAnswer(MsgBox::Cancel);
    QTest::keyClick(list(0), Qt::Key_2);
    QCOMPARE(MsgBox::shown().size(), 1);
    QVERIFY2(MsgBox::shown()[0].text.contains(u"人数: 6年2組が 36人になります"_s),
             qPrintable(MsgBox::shown()[0].text));
    QCOMPARE(w->session().assignment(), before);
    QVERIFY(!QFileInfo::exists(rulesFile()));

    MsgBox::queueAnswer(MsgBox::Yes);
    QTest::keyClick(list(0), Qt::Key_2);
    QCOMPARE(w->session().assignment()[pupil], 1);
    QCOMPARE(list(1)->rowCount(), 36);
    QCOMPARE(saved().placed.pupils.value(w->session().grade().pupils[pupil].id), 2);
    QVERIFY(d->find<QLabel>(u"vxOrganise"_s, u"lblStatus"_s)->text().contains(u"守られていない決まり"_s));
    d->click(u"vxOrganise"_s, u"cmdUndo"_s);
    QCOMPARE(w->session().assignment(), before);
    QCOMPARE(saved().placed.pupils.value(w->session().grade().pupils[pupil].id), 1);
    d->click(u"vxOrganise"_s, u"cmdRedo"_s);
    QCOMPARE(w->session().assignment()[pupil], 1);
}

void tst_vxOrganise::swap_acrossLists_keptAfterClosing_lockOnlyWhileOpen() {
    vxOrganise* w = open();
    const QString lock = ClassLock::path(d->home().file(u"voxadata"_s), OrganiseRules::baseName(5));
    QVERIFY(QFileInfo::exists(lock));
    const int a = pick(0, 0);
    d->click(u"vxOrganise"_s, u"cmdSwap"_s);
    const int b = pick(2, 5);
    d->click(u"vxOrganise"_s, u"cmdSwap"_s);
    QCOMPARE(MsgBox::shown().size(), 0); // sizes stay: nothing to ask
    QCOMPARE(w->session().assignment()[a], 2);
    QCOMPARE(w->session().assignment()[b], 0);
    const QList<int> swapped = w->session().assignment();

    MsgBox::queueAnswer(MsgBox::Ok); // the main window without a class asks for one
    d->click(u"vxOrganise"_s, u"cmdEnd"_s);
    QVERIFY(!d->forms().isLoaded(u"vxOrganise"_s));
    QVERIFY(!QFileInfo::exists(lock));
    d->trigger(u"vxMain"_s, u"mnuUOrganise"_s);
    d->find<QSpinBox>(u"vxOrganise"_s, u"spnGrade"_s)->setValue(5);
    QCOMPARE(d->forms().get<vxOrganise>(u"vxOrganise"_s)->session().assignment(), swapped);
}

void tst_vxOrganise::classCount_changedAfterSwap_askedFirst_capAloneKeepsClasses() {
    vxOrganise* w = open();
    pick(0, 0);
    d->click(u"vxOrganise"_s, u"cmdSwap"_s);
    pick(1, 0);
    d->click(u"vxOrganise"_s, u"cmdSwap"_s);
    const QList<int> swapped = w->session().assignment();
    auto* classes = d->find<QSpinBox>(u"vxOrganise"_s, u"spnClasses"_s);
    auto* cap = d->find<QSpinBox>(u"vxOrganise"_s, u"spnCap"_s);
    cap->setValue(38);
    Q_EMIT cap->editingFinished();
    QCOMPARE(w->session().assignment(), swapped);
    MsgBox::queueAnswer(MsgBox::Cancel);
    classes->setValue(7);
    Q_EMIT classes->editingFinished();
    QCOMPARE(classes->value(), 6);
    QCOMPARE(w->session().assignment(), swapped);
    MsgBox::queueAnswer(MsgBox::Yes);
    classes->setValue(7);
    Q_EMIT classes->editingFinished();
    QCOMPARE(MsgBox::shown().size(), 2);
    QVERIFY(list(6));
    QCOMPARE(w->session().classes(), 7);
    QCOMPARE(saved().placed.classes, 7);
}

void tst_vxOrganise::apartPair_inOneClass_shownBroken_proposalKeepsThemApart() {
    vxOrganise* w = open();
    const QList<QList<int>> members = w->session().members();
    const int x = members[3][0], y = members[3][1];
    auto* pupils = d->find<QTableWidget>(u"vxOrganise"_s, u"grdPupils"_s);
    pupils->clearSelection();
    for (int row : {x, y})
        pupils->selectionModel()->select(pupils->model()->index(row, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    d->click(u"vxOrganise"_s, u"cmdApartAdd"_s);
    const QStringList pair{w->session().grade().pupils[x].id, w->session().grade().pupils[y].id};
    QCOMPARE(saved().apart, QList<QStringList>{pair});
    QVERIFY(d->find<QLabel>(u"vxOrganise"_s, u"lblStatus"_s)->text().contains(u"離す: "_s));
    d->click(u"vxOrganise"_s, u"cmdPropose"_s);
    QVERIFY(w->session().assignment()[x] != w->session().assignment()[y]);
    QVERIFY(w->session().figures().rulesMet());
    // The rule is one step of undo as well.
    d->click(u"vxOrganise"_s, u"cmdUndo"_s);
    d->click(u"vxOrganise"_s, u"cmdUndo"_s);
    QVERIFY(saved().apart.isEmpty());
}

void tst_vxOrganise::gradeHeldByAnotherProgram_readOnly_nothingWritten() {
    const QString folder = d->home().file(u"voxadata"_s);
    QDir().mkpath(folder);
    QProcess holder;
    holder.start(qEnvironmentVariable("VOXA_BIN_DIR") + u"/voxa_lockhold"_s,
                 {folder, u"hold"_s, OrganiseRules::baseName(5)});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));
    vxOrganise* w = open();
    QVERIFY(w->readOnly());
    QVERIFY(d->find<QLabel>(u"vxOrganise"_s, u"lblLock"_s)->isVisible());
    QVERIFY(!d->find<QWidget>(u"vxOrganise"_s, u"cmdApartAdd"_s)->isEnabled());
    QVERIFY(!d->find<QWidget>(u"vxOrganise"_s, u"grdPupils"_s)->isEnabled());
    pick(0, 0);
    d->click(u"vxOrganise"_s, u"cmdSwap"_s);
    pick(1, 0);
    d->click(u"vxOrganise"_s, u"cmdSwap"_s);
    QVERIFY(w->session().canUndo()); // tried in memory
    QVERIFY(!QFileInfo::exists(rulesFile()));
    holder.kill();
    holder.waitForFinished();
}

void tst_vxOrganise::saveRefusedByDisk_changeTakenBack() {
    vxOrganise* w = open();
    const QList<int> before = w->session().assignment();
    pick(0, 0);
    d->click(u"vxOrganise"_s, u"cmdSwap"_s);
    pick(1, 0);
    MsgBox::queueAnswer(MsgBox::Ok);
    {
        const TestSupport::DiskFull full;
        d->click(u"vxOrganise"_s, u"cmdSwap"_s);
    }
    QCOMPARE(MsgBox::shown().size(), 1);
    QVERIFY(MsgBox::shown()[0].text.startsWith(u"編成の条件を保存できませんでした"_s));
    QCOMPARE(w->session().assignment(), before);
    QVERIFY(!w->session().canUndo());
    QCOMPARE(list(0)->item(0, 0)->data(Qt::UserRole).toInt(), w->session().members()[0][0]);
}

void tst_vxOrganise::printouts_postingListHasNamesOnly() {
    vxOrganise* w = open();
    const int pupil = w->session().members()[0][0];
    auto* pupils = d->find<QTableWidget>(u"vxOrganise"_s, u"grdPupils"_s);
    pupils->item(pupil, 5)->setCheckState(Qt::Checked); // 要配慮
    QCOMPARE(saved().flags.value(w->session().grade().pupils[pupil].id), QStringList{u"要配慮"_s});
    for (const QString& b : {u"cmdPrintStaff"_s, u"cmdPrintOld"_s, u"cmdPrintPost"_s}) {
        MsgBox::queueAnswer(MsgBox::Ok);
        MsgBox::queueAnswer(MsgBox::Ok);
        d->click(u"vxOrganise"_s, b);
    }
    const auto& docs = RecordingBackend::documents();
    QCOMPARE(docs.size(), size_t(3));
    QCOMPARE(docs[0].pages, 6);
    QCOMPARE(docs[1].pages, 6);
    QCOMPARE(docs[2].pages, 6);
    const QString name = w->session().grade().pupils[pupil].name;
    QVERIFY(docs[0].find(1, name));
    QVERIFY(docs[0].find(1, u"要"_s));
    QVERIFY(docs[0].find(1, u"5-1 男"_s));
    // The posting list: numbers and names, and nothing else.
    QVERIFY(docs[2].find(1, name));
    QStringList names;
    for (const GradeData::Pupil& x : w->session().grade().pupils)
        names << x.name;
    for (const RecordingBackend::Item& i : docs[2].items) {
        const bool allowed = i.text == GradeData::newClassName(5, i.page - 1) ||
                             i.text.contains(u"小学校"_s) || i.text.trimmed().toInt() > 0 ||
                             names.contains(i.text);
        QVERIFY2(allowed, qPrintable(i.text));
    }
}

void tst_vxOrganise::rosters_writtenOnce_neverOver_grade6Refused() {
    vxOrganise* w = open();
    const QString next = d->home().file(u"next"_s);
    QDir().mkpath(next);
    Dialogs::queueResult(next);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxOrganise"_s, u"cmdRosters"_s);
    QVERIFY2(MsgBox::shown()[0].text.contains(u"6-1：読みのない児童がいるので、旧学級と旧番号の順"_s),
             qPrintable(MsgBox::shown()[0].text));
    for (int k = 1; k <= 6; ++k)
        QVERIFY(QFileInfo::exists(next + u"/6-%1.sdt"_s.arg(k)));
    const QByteArray bytes = TestSupport::readFile(next + u"/6-3.dat"_s);
    Dialogs::queueResult(next);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxOrganise"_s, u"cmdRosters"_s);
    QVERIFY2(MsgBox::shown()[1].text.contains(u"6-1.sdt"_s), qPrintable(MsgBox::shown()[1].text));
    QCOMPARE(TestSupport::readFile(next + u"/6-3.dat"_s), bytes);

    // Next year's 6-3 chosen in the grade book: its roster window lists the new class in order.
    const Rosters::Roster planned = Rosters::plan(w->session().grade(), w->session().rules(),
                                                  w->session().assignment(), 6, Rosters::Order::Together)[2];
    MsgBox::queueAnswer(MsgBox::Ok); // the main window without a class asks for one
    d->click(u"vxOrganise"_s, u"cmdEnd"_s);
    VOXA1& c = d->c();
    c.ClassPath = DosPath::join(DosPath::fromNative(next), u"6-3"_s);
    QVERIFY(c.LoadClass());
    c.ClassFile = u"6-3"_s;
    c.ClassName = u"6年3組"_s;
    c.MakeCurrent(VOXA1::Became::Loaded);
    d->forms().hide(u"vxMain"_s);
    d->forms().show(u"vxMain"_s);
    d->trigger(u"vxMain"_s, u"mnuMeibo"_s);
    auto* grid = d->find<QTableWidget>(u"vxMeibo"_s, u"Grid1"_s);
    QVERIFY(grid);
    for (int r = 0; r < planned.pupils.size(); ++r)
        QCOMPARE(grid->item(r, 1)->text().trimmed(), w->session().grade().pupils[planned.pupils[r]].name);
    d->click(u"vxMeibo"_s, u"Command3D1"_s);
    d->trigger(u"vxMain"_s, u"mnuUOrganise"_s);

    // Opened again beside the loaded class: next year's grade 6, read from the rosters just made.
    QCOMPARE(d->find<QSpinBox>(u"vxOrganise"_s, u"spnGrade"_s)->value(), 6);
    QCOMPARE(d->forms().get<vxOrganise>(u"vxOrganise"_s)->session().grade().pupils.size(), 210);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxOrganise"_s, u"cmdRosters"_s);
    QVERIFY(MsgBox::shown().last().text.startsWith(u"6年生の次の年度の名簿は"_s));
    QCOMPARE(Dialogs::requests().size(), 2);
}

QTEST_MAIN(tst_vxOrganise)
#include "tst_vxOrganise.moc"
