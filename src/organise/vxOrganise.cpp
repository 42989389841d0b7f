#include "organise/vxOrganise.h"

#include "controls/Forms.h"
#include "core/ClassMaterial.h"
#include "core/NumberFormat.h"
#include "core/PrintSurface.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "organise/OrganisePanes.h"
#include "organise/OrganisePrint.h"
#include "organise/Rosters.h"
#include "platform/BusyPointer.h"
#include "platform/ClassLock.h"
#include "platform/Dialogs.h"
#include "platform/DosPath.h"
#include "platform/FileSet.h"
#include "platform/MsgBox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

using OrganisePrint::meanText;
using OrganisePrint::sexWord;
using OrganiseView::cell;
using OrganiseView::table;

namespace {

using OrganiseView::kOff;
const QColor kOffBack(0xff, 0xe0, 0xe0);
const QColor kMarked(0xff, 0xf3, 0xb0);

} // namespace

vxOrganise::vxOrganise(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxOrganise"_s), c(c_) {
    setWindowTitle(u"次年度の学級編成"_s);
    auto* basis = new QHBoxLayout;
    auto spin = [this](const QString& name, int low, int high) {
        auto* s = new QSpinBox(this);
        s->setObjectName(name);
        s->setRange(low, high);
        return s;
    };
    spnGrade = spin(u"spnGrade"_s, 1, 6);
    spnCap = spin(u"spnCap"_s, 20, 40);
    spnCap->setValue(35);
    spnClasses = spin(u"spnClasses"_s, 1, 9);
    spnGrade->setSuffix(u" 年"_s);
    spnCap->setSuffix(u" 人"_s);
    spnClasses->setSuffix(u" 学級"_s);
    auto choices = [this](QRadioButton** out, const QStringList& captions, const QString& name) {
        auto* box = new QHBoxLayout;
        // Each set of choices on its own: one of each set is chosen.
        auto* group = new QButtonGroup(this);
        for (int i = 0; i < captions.size(); ++i) {
            out[i] = new QRadioButton(captions[i], this);
            out[i]->setObjectName(u"%1(%2)"_s.arg(name).arg(i));
            group->addButton(out[i]);
            box->addWidget(out[i]);
        }
        return box;
    };
    basis->addWidget(new QLabel(u"学年"_s, this));
    basis->addWidget(spnGrade);
    basis->addSpacing(12);
    basis->addLayout(choices(optSubj, {u"２教科"_s, u"４教科"_s}, u"optSubj"_s));
    basis->addSpacing(12);
    basis->addLayout(choices(optTerm, {u"１・２・３学期"_s, u"１・２学期"_s, u"２・３学期"_s}, u"optTerm"_s));
    basis->addSpacing(12);
    basis->addWidget(new QLabel(u"新しい学級"_s, this));
    basis->addWidget(spnClasses);
    basis->addWidget(new QLabel(u"上限"_s, this));
    basis->addWidget(spnCap);
    basis->addWidget(button(u"cmdRead"_s, u"読み直す(&L)"_s, &vxOrganise::openGrade));
    basis->addStretch();
    optSubj[1]->setChecked(true);
    optTerm[0]->setChecked(true);

    auto* where = new QHBoxLayout;
    lblFolder = new QLabel(this);
    lblFolder->setObjectName(u"lblFolder"_s);
    lblFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    where->addWidget(new QLabel(u"データフォルダ："_s, this));
    where->addWidget(lblFolder, 1);
    where->addWidget(button(u"cmdFolder"_s, u"フォルダの変更..."_s, &vxOrganise::cmdFolder_Click));

    lblLock = new QLabel(this);
    lblLock->setObjectName(u"lblLock"_s);
    lblLock->setWordWrap(true);
    lblLock->setStyleSheet(u"color: #c62828"_s);
    lblLock->hide();

    tabMain = new QTabWidget(this);
    tabMain->setObjectName(u"tabMain"_s);
    tabMain->addTab(buildClassesTab(), u"新しい学級"_s);
    paneRead = new OrganiseReadPane(m_session, this);
    paneRules = new OrganiseRulesPane(m_session, this);
    paneRules->onEdit = [this](const OrganiseRulesPane::Edit& e) { changeRules(e); };
    paneRules->onStatus = [this](const QString& text, bool warning) { setStatus(text, warning); };
    tabMain->addTab(paneRead, u"読み込んだ学級"_s);
    tabMain->addTab(paneRules, u"条件と印"_s);

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(u"lblStatus"_s);
    lblStatus->setWordWrap(true);

    auto* bottom = new QHBoxLayout;
    auto* printing = new QGroupBox(u"印刷"_s, this);
    auto* printRow = new QHBoxLayout(printing);
    printRow->addWidget(button(u"cmdPrintStaff"_s, u"職員会議資料"_s, &vxOrganise::cmdPrintStaff_Click));
    printRow->addWidget(button(u"cmdPrintOld"_s, u"旧学級別"_s, &vxOrganise::cmdPrintOld_Click));
    printRow->addWidget(button(u"cmdPrintPost"_s, u"掲示用（名前だけ）"_s, &vxOrganise::cmdPrintPost_Click));
    auto* rosters = new QGroupBox(u"次年度の名簿"_s, this);
    auto* rosterRow = new QHBoxLayout(rosters);
    rosterRow->addLayout(choices(optOrder, {u"男女混合"_s, u"男子が先"_s}, u"optOrder"_s));
    optOrder[0]->setChecked(true);
    rosterRow->addWidget(button(u"cmdRosters"_s, u"名簿を作る..."_s, &vxOrganise::cmdRosters_Click));
    bottom->addWidget(printing);
    bottom->addWidget(rosters);
    bottom->addStretch();
    QPushButton* end = button(u"cmdEnd"_s, u"終　　了"_s, &vxOrganise::cmdEnd_Click);
    bottom->addWidget(end, 0, Qt::AlignBottom);
    setCloseButton(end);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(basis);
    layout->addLayout(where);
    layout->addWidget(lblLock);
    layout->addWidget(tabMain, 1);
    layout->addWidget(lblStatus);
    layout->addLayout(bottom);

    for (QRadioButton* r : {optSubj[0], optSubj[1], optTerm[0], optTerm[1], optTerm[2]})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !m_filling)
                openGrade();
        });
    connect(spnGrade, &QSpinBox::valueChanged, this, [this] {
        if (!m_filling)
            openGrade();
    });
    for (QSpinBox* s : {spnClasses, spnCap})
        connect(s, &QSpinBox::editingFinished, this, [this] {
            if (m_filling ||
                (spnClasses->value() == m_session.classes() && spnCap->value() == m_session.cap()))
                return;
            // Another number of classes deals everyone anew and the classes as they stand go, so the
            // teacher is asked first.
            if (spnClasses->value() != m_session.classes() && m_session.placed() &&
                MsgBox::ask(
                    u"学級の数を変えると、今の学級の分け方は新しい案に置き換わります（元に戻せません）。"
                    u"学級の数を変えますか。"_s,
                    {u"変える"_s, u"やめる"_s}) != MsgBox::Yes) {
                m_filling = true;
                spnClasses->setValue(m_session.classes());
                m_filling = false;
                return;
            }
            reopen(true);
        });
    resize(1340, 700);
}

vxOrganise::~vxOrganise() = default;

QWidget* vxOrganise::buildClassesTab() {
    auto* page = new QWidget(this);
    auto* splitter = new QSplitter(Qt::Vertical, page);
    // The classes side by side; where the screen is too narrow for them all (more classes, a
    // larger scale) they scroll sideways rather than cut the names.
    auto* scroll = new QScrollArea(splitter);
    scroll->setObjectName(u"scrClasses"_s);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    classesHost = new QWidget(scroll);
    new QHBoxLayout(classesHost);
    classesHost->layout()->setContentsMargins(0, 0, 0, 0);
    classesHost->layout()->setSpacing(3);
    scroll->setWidget(classesHost);
    grdFigures = table(splitter, u"grdFigures"_s, {});
    grdFigures->setSelectionMode(QAbstractItemView::NoSelection);
    splitter->addWidget(scroll);
    splitter->addWidget(grdFigures);
    // Neither part is ever pushed out of sight: the lists keep about ten rows, the figures four.
    splitter->setChildrenCollapsible(false);
    const int line = QFontMetrics(font()).height() + 6;
    scroll->setMinimumHeight(12 * line);
    grdFigures->setMinimumHeight(5 * line);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({3000, 1800});

    auto* row = new QHBoxLayout;
    row->addWidget(button(u"cmdPropose"_s, u"案を作る(&P)"_s, &vxOrganise::cmdPropose_Click));
    row->addWidget(button(u"cmdOther"_s, u"別案(&A)"_s, &vxOrganise::cmdOther_Click));
    row->addSpacing(12);
    cboTo = new QComboBox(page);
    cboTo->setObjectName(u"cboTo"_s);
    row->addWidget(button(u"cmdMove"_s, u"移す(&M)"_s, &vxOrganise::cmdMove_Click));
    row->addWidget(cboTo);
    row->addWidget(button(u"cmdSwap"_s, u"入れ替え(&S)"_s, &vxOrganise::cmdSwap_Click));
    row->addWidget(button(u"cmdFix"_s, u"この組に固定(&F)"_s, &vxOrganise::cmdFix_Click));
    row->addSpacing(12);
    QPushButton* undo = button(u"cmdUndo"_s, u"元に戻す(&Z)"_s, &vxOrganise::cmdUndo_Click);
    undo->setShortcut(QKeySequence::Undo);
    QPushButton* redo = button(u"cmdRedo"_s, u"やり直し(&Y)"_s, &vxOrganise::cmdRedo_Click);
    redo->setShortcut(QKeySequence(u"Ctrl+Y"_s));
    row->addWidget(undo);
    row->addWidget(redo);
    row->addStretch();
    auto* hint = new QLabel(u"数字キー：その組へ移す"_s, page);
    row->addWidget(hint);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(splitter, 1);
    layout->addLayout(row);
    return page;
}

void vxOrganise::Form_Load() {
    m_filling = true;
    m_folder = c.classIsLoaded() ? QFileInfo(DosPath::toNative(c.ClassPath)).absolutePath() : QString();
    m_folder = m_folder.isEmpty() ? c.DataFolder : DosPath::fromNative(m_folder);
    spnGrade->setValue(c.classIsLoaded() && c.Grade >= 1 && c.Grade <= 6 ? c.Grade : 1);
    m_filling = false;
    openGrade();
}

void vxOrganise::Form_Unload() {
    m_lock.reset();
}

QString vxOrganise::folderNative() const {
    return DosPath::toNative(m_folder);
}

QString vxOrganise::schoolLine() const {
    for (const GradeData::OldClass& oc : m_session.grade().classes)
        if (oc.problem.isEmpty())
            return TextHelpers::SchoolLine(oc.city, oc.school).trimmed();
    return {};
}

void vxOrganise::openGrade() {
    const int grade = spnGrade->value();
    const int subj = optSubj[0]->isChecked() ? 1 : 2;
    const int term = optTerm[1]->isChecked() ? 2 : optTerm[2]->isChecked() ? 3 : 1;
    lblFolder->setText(m_folder);
    m_lock.reset();
    m_current = m_marked = -1;
    GradeData::Grade g;
    OrganiseRules rules;
    QString rulesProblem;
    {
        const BusyPointer busy;
        g = GradeData::read(m_folder, grade, subj, term);
        m_lock = std::make_unique<ClassLock>(folderNative(), OrganiseRules::baseName(grade));
        if (m_lock->ok())
            rulesProblem = OrganiseRules::load(folderNative(), grade, &rules);
    }
    // Without the grade's lock, or with a rules file that cannot be read, nothing is saved: the file
    // another program is writing, or the one that needs mending, stays as it is.
    m_readOnly = !m_lock->ok() || !rulesProblem.isEmpty();
    if (!m_lock->ok()) {
        const ClassLock::Holder& h = m_lock->holder();
        lblLock->setText(
            m_lock->status() == ClassLock::Status::InUse
                ? u"この学年の編成は "_s + h.host + u"（"_s + h.program + u"）で開かれています（"_s +
                      h.since.toString(u"M月d日 H:mm"_s) + u"から）。見るだけで、変更は保存されません。"_s
                : u"この学年の編成の条件を保存できる状態にできません。見るだけで、変更は保存されません。"_s);
        // The rules are still shown as last saved.
        OrganiseRules::load(folderNative(), grade, &rules);
    } else if (!rulesProblem.isEmpty()) {
        lblLock->setText(rulesProblem + u"　見るだけで、変更は保存されません。"_s);
        MsgBox::show(rulesProblem, MsgBox::OkOnly, MsgBox::Warning);
    }
    lblLock->setVisible(m_readOnly);
    paneRules->setEditable(!m_readOnly);
    m_filling = true;
    const int kept = rules.placed.classes;
    spnClasses->setValue(kept > 0 ? kept
                                  : GradeData::suggestedClasses(int(g.pupils.size()), spnCap->value()));
    m_filling = false;
    m_session.open(g, rules, spnClasses->value(), spnCap->value());
    if (g.pupils.isEmpty())
        setStatus(QString::number(grade) + u"年の学級がこのフォルダにありません。"_s, true);
    else if (!m_session.placed())
        reopen(false);
    refresh();
}

void vxOrganise::reopen(bool byTeacher) {
    if (spnCap->value() * spnClasses->value() < m_session.grade().pupils.size()) {
        MsgBox::show(u"この学級の数では、上限の人数を超えます。学級の数か上限を変えて下さい。"_s,
                     MsgBox::OkOnly, MsgBox::Warning);
        m_filling = true;
        spnClasses->setValue(m_session.classes());
        spnCap->setValue(m_session.cap());
        m_filling = false;
        return;
    }
    m_current = m_marked = -1;
    // The same number of classes keeps the classes as they stand (a new cap only bounds them).
    m_session.open(m_session.grade(), m_session.rulesToSave(), spnClasses->value(), spnCap->value());
    if (!m_session.placed() && !m_session.grade().pupils.isEmpty()) {
        QList<Organiser::Conflict> conflicts;
        {
            const BusyPointer busy;
            m_session.propose(1, &conflicts, false);
        }
        if (!m_session.placed())
            tellConflicts(conflicts);
        // The classes the teacher asked for are kept; the ones only looked at are not written.
        else if (byTeacher)
            saveRules();
    }
    refresh();
}

void vxOrganise::tellConflicts(const QList<Organiser::Conflict>& conflicts) {
    if (conflicts.isEmpty())
        return setStatus(u"案を作れませんでした。"_s, true);
    QStringList lines;
    for (const Organiser::Conflict& x : conflicts)
        lines << u"・"_s + x.what;
    MsgBox::show(u"条件が両立しないため、案を作れません。次の条件を見直して下さい。"_s + u"\r\n\r\n"_s +
                     lines.join(u"\r\n"_s),
                 MsgBox::OkOnly, MsgBox::Warning);
    setStatus(u"条件が両立しません：　"_s + conflicts.first().what, true);
}

bool vxOrganise::saveRules() {
    if (m_readOnly)
        return true;
    if (!m_lock || !m_lock->stillOurs()) {
        MsgBox::show(u"この学年の編成の条件のロックがなくなりました（ほかのコンピューターで解除されたなど）。"
                     u"変更は保存しません。開き直して下さい。"_s,
                     MsgBox::OkOnly, MsgBox::Warning);
        return false;
    }
    const QString e = m_session.rulesToSave().save(folderNative(), m_session.grade().grade);
    if (!e.isEmpty())
        MsgBox::show(e, MsgBox::OkOnly, MsgBox::Warning);
    return e.isEmpty();
}

bool vxOrganise::commit(const std::function<bool()>& step) {
    const OrganiseSession::Snapshot before = m_session.snapshot();
    if (!step())
        return false;
    if (!saveRules()) {
        m_session.restore(before);
        refresh();
        return false;
    }
    refresh();
    return true;
}

void vxOrganise::changeRules(const std::function<void(OrganiseRules&)>& edit) {
    if (m_readOnly) {
        paneRules->fill(true);
        return;
    }
    commit([&] {
        OrganiseSession::State next = m_session.state();
        edit(next.rules);
        return m_session.change(next);
    });
}

bool vxOrganise::place(const QList<int>& assignment, const QString& what) {
    const QStringList broken = m_session.newlyBroken(assignment);
    if (!broken.isEmpty() &&
        MsgBox::ask(what + u"と、次の決まりが守られなくなります。"_s + u"\r\n\r\n"_s + broken.join(u"\r\n"_s),
                    {u"それでも行う"_s, u"やめる"_s}, MsgBox::Warning) != MsgBox::Yes)
        return false;
    return commit([&] {
        OrganiseSession::State next = m_session.state();
        next.assignment = assignment;
        return m_session.change(next);
    });
}

void vxOrganise::cmdPropose_Click() {
    proposeFrom(1);
}

void vxOrganise::cmdOther_Click() {
    proposeFrom(m_session.placed() ? m_session.seed() + 1 : 1);
}

void vxOrganise::proposeFrom(quint64 seed) {
    QList<Organiser::Conflict> conflicts;
    bool made = false;
    {
        const BusyPointer busy;
        made = commit([&] { return m_session.propose(seed, &conflicts); });
    }
    if (!made && !conflicts.isEmpty())
        tellConflicts(conflicts);
}

void vxOrganise::setCurrentPupil(int pupil) {
    m_current = pupil;
    const int k = m_session.assignment().value(pupil, -1);
    if (k >= 0 && k < grdClass.size()) {
        const QList<int> members = m_session.members().value(k);
        const int row = int(members.indexOf(pupil));
        QSignalBlocker block(grdClass[k]);
        grdClass[k]->setCurrentCell(row, 0);
        grdClass[k]->setFocus();
    }
}

void vxOrganise::moveCurrentTo(int k) {
    if (m_current < 0 || k < 0 || k >= m_session.classes() || m_session.assignment().value(m_current) == k)
        return;
    const int pupil = m_current;
    if (place(m_session.moved(pupil, k), m_session.grade().pupils[pupil].name + u" を "_s +
                                             GradeData::newClassName(m_session.grade().grade, k) +
                                             u"へ移す"_s))
        setCurrentPupil(pupil);
}

void vxOrganise::cmdMove_Click() {
    if (m_current < 0)
        return setStatus(u"移す児童を選んで下さい。"_s, true);
    moveCurrentTo(cboTo->currentIndex());
}

void vxOrganise::cmdSwap_Click() {
    if (m_current < 0)
        return setStatus(u"入れ替える児童を選んで下さい。"_s, true);
    if (m_marked < 0 || m_marked == m_current) {
        m_marked = m_marked == m_current ? -1 : m_current;
        refreshClasses();
        if (m_marked >= 0)
            setStatus(m_session.grade().pupils[m_marked].name +
                      u" と入れ替える児童を選んで、もう一度「入れ替え」を押して下さい（Esc でやめます）。"_s);
        return;
    }
    const int a = m_marked, b = m_current;
    if (m_session.assignment()[a] == m_session.assignment()[b])
        return setStatus(u"同じ組の児童どうしは入れ替えられません。別の組の児童を選んで下さい。"_s, true);
    m_marked = -1;
    const GradeData::Grade& g = m_session.grade();
    if (place(m_session.swapped(a, b), g.pupils[a].name + u" と "_s + g.pupils[b].name + u" を入れ替える"_s))
        setCurrentPupil(b);
    else
        refreshClasses();
}

void vxOrganise::cmdFix_Click() {
    if (m_current < 0 || m_readOnly)
        return setStatus(
            m_readOnly ? u"見るだけなので、固定できません。"_s : u"固定する児童を選んで下さい。"_s, true);
    const QString id = m_session.grade().pupils[m_current].id;
    const int k = m_session.assignment()[m_current] + 1;
    const int pupil = m_current;
    changeRules([&](OrganiseRules& r) {
        r.fixed.value(id) == k ? void(r.fixed.remove(id)) : void(r.fixed.insert(id, k));
    });
    setCurrentPupil(pupil);
}

void vxOrganise::cmdUndo_Click() {
    commit([this] { return m_session.undo(); });
}

void vxOrganise::cmdRedo_Click() {
    commit([this] { return m_session.redo(); });
}

void vxOrganise::print(const QString& name,
                       void (*pages)(PrintSurface&, const OrganiseSession&, const QString&)) {
    if (!m_session.placed())
        return setStatus(u"先に案を作って下さい。"_s, true);
    MsgBox::show(PrintSurface::startMessage());
    PrintSurface ps;
    ps.setDocName(name + u" "_s + QString::number(m_session.grade().grade) + u"年"_s);
    {
        const BusyPointer busy;
        pages(ps, m_session, schoolLine());
    }
    ps.EndDocAndTell();
}

void vxOrganise::cmdPrintStaff_Click() {
    print(u"次年度学級編成 職員会議資料"_s, &OrganisePrint::staffPages);
}

void vxOrganise::cmdPrintOld_Click() {
    print(u"次年度学級編成 旧学級別"_s, &OrganisePrint::byOldClassPages);
}

void vxOrganise::cmdPrintPost_Click() {
    print(u"次年度学級編成 掲示用"_s, &OrganisePrint::postingPages);
}

void vxOrganise::cmdRosters_Click() {
    const GradeData::Grade& g = m_session.grade();
    if (g.grade >= 6)
        return void(
            MsgBox::show(u"6年生の次の年度の名簿は、このプログラムでは作れません（中学校の名簿になります）。"
                         u"編成と印刷はできます。"_s,
                         MsgBox::OkOnly, MsgBox::Information));
    if (!m_session.placed())
        return setStatus(u"先に案を作って下さい。"_s, true);
    if (const QStringList broken = m_session.broken(m_session.assignment());
        !broken.isEmpty() &&
        MsgBox::ask(u"今の学級は次の決まりを守っていません。それでも名簿を作りますか。"_s + u"\r\n\r\n"_s +
                        broken.join(u"\r\n"_s),
                    {u"名簿を作る"_s, u"やめる"_s}, MsgBox::Warning) != MsgBox::Yes)
        return;
    const QString chosen = Dialogs::chooseFolder(u"次年度のデータフォルダの指定"_s, folderNative());
    if (chosen.isEmpty())
        return;
    const QString folder = DosPath::fromNative(QFileInfo(chosen).absoluteFilePath());
    const QList<Rosters::Roster> rosters =
        Rosters::plan(g, m_session.rules(), m_session.assignment(), m_session.classes(),
                      optOrder[1]->isChecked() ? Rosters::Order::BoysFirst : Rosters::Order::Together);
    QString problem;
    {
        const BusyPointer busy;
        problem = Rosters::write(folder, g, rosters);
    }
    if (!problem.isEmpty())
        return void(MsgBox::show(problem, MsgBox::OkOnly, MsgBox::Warning));
    QStringList lines;
    for (const Rosters::Roster& r : rosters)
        lines << r.file + (r.byReading
                               ? u"：読みの順に番号を付けました。"_s
                               : u"：読みのない児童がいるので、旧学級と旧番号の順に番号を付けました。"_s);
    MsgBox::show(DosPath::forMessage(chosen) + u" に次年度の名簿を作りました。"_s + u"\r\n\r\n"_s +
                 lines.join(u"\r\n"_s));
}

void vxOrganise::cmdFolder_Click() {
    const QString chosen = Dialogs::chooseFolder(u"学年の学級があるフォルダの指定"_s, folderNative());
    if (chosen.isEmpty())
        return;
    m_folder = DosPath::fromNative(QFileInfo(chosen).absoluteFilePath());
    openGrade();
}

void vxOrganise::cmdEnd_Click() {
    c.ReturnForm = tag();
    forms.show(u"vxMain"_s);
    forms.unload(tag());
}

void vxOrganise::setStatus(const QString& text, bool warning) {
    lblStatus->setText(text);
    lblStatus->setStyleSheet(warning ? u"color: #c62828"_s : QString());
}

bool vxOrganise::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return Form::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const int list = int(grdClass.indexOf(qobject_cast<QTableWidget*>(watched)));
    if (list < 0)
        return Form::eventFilter(watched, event);
    if (key->key() >= Qt::Key_1 && key->key() <= Qt::Key_9 && key->modifiers() == Qt::NoModifier) {
        moveCurrentTo(key->key() - Qt::Key_1);
        return true;
    }
    if (key->key() == Qt::Key_Escape && m_marked >= 0) {
        m_marked = -1;
        refreshClasses();
        setStatus(QString());
        return true;
    }
    if ((key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) &&
        key->modifiers() == Qt::ControlModifier) {
        const int to = list + (key->key() == Qt::Key_Left ? -1 : 1);
        if (to >= 0 && to < grdClass.size()) {
            const int row = qMin(grdClass[list]->currentRow(), grdClass[to]->rowCount() - 1);
            grdClass[to]->setFocus();
            grdClass[to]->setCurrentCell(qMax(row, 0), 0);
        }
        return true;
    }
    return Form::eventFilter(watched, event);
}

void vxOrganise::refresh() {
    refreshClasses();
    refreshFigures();
    tabMain->setTabText(1, paneRead->fill() ? u"読み込んだ学級（お知らせあり）"_s : u"読み込んだ学級"_s);
    paneRules->fill();
    findChild<QPushButton*>(u"cmdUndo"_s)->setEnabled(m_session.canUndo());
    findChild<QPushButton*>(u"cmdRedo"_s)->setEnabled(m_session.canRedo());
    const Organiser::Figures& f = m_session.figures();
    if (!m_session.placed())
        return;
    const QStringList broken = m_session.broken(m_session.assignment());
    if (!broken.isEmpty())
        return setStatus(u"守られていない決まり："_s + broken.join(u"　"_s), true);
    // The first count that a rule keeps off its bound, named with the rule.
    QString forced;
    if (f.offBound > 0)
        for (const Organiser::OffBound& o : m_session.offBound())
            if (!o.why.isEmpty()) {
                forced = u"（"_s + GradeData::newClassName(m_session.grade().grade, o.cls) + u" "_s + o.what +
                         u"："_s + o.why + u"）"_s;
                break;
            }
    setStatus(u"決まりはすべて守られています。目安を外れた数："_s + QString::number(f.offBound) + forced +
              u"　平均の差："_s + OrganisePrint::spreadText(f.spread) + u"点"_s);
}

void vxOrganise::refreshClasses() {
    const int k = m_session.placed() ? m_session.classes() : 0;
    const GradeData::Grade& g = m_session.grade();
    while (fraClass.size() > k) {
        delete fraClass.takeLast();
        grdClass.removeLast();
    }
    while (fraClass.size() < k) {
        const int i = int(fraClass.size());
        auto* frame = new QGroupBox(classesHost);
        frame->setObjectName(u"fraClass(%1)"_s.arg(i));
        auto* t = table(frame, u"grdClass(%1)"_s.arg(i),
                        {u"名前"_s, u"性"_s, u"旧"_s, u"平均"_s, u"帯"_s, u"印"_s});
        t->setSelectionMode(QAbstractItemView::SingleSelection);
        // Sized once after each filling: sizing to the contents on every cell set would measure
        // every row again for each cell.
        t->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        t->horizontalHeader()->setMinimumSectionSize(12);
        t->installEventFilter(this);
        connect(t, &QTableWidget::currentCellChanged, this, [this, t](int row) {
            if (m_filling || row < 0 || !t->item(row, 0))
                return;
            m_current = t->item(row, 0)->data(Qt::UserRole).toInt();
        });
        (new QVBoxLayout(frame))->addWidget(t);
        frame->layout()->setContentsMargins(2, 2, 2, 2);
        classesHost->layout()->addWidget(frame);
        fraClass << frame;
        grdClass << t;
    }
    m_filling = true;
    const QList<QList<int>> members = m_session.members();
    for (int i = 0; i < k; ++i) {
        fraClass[i]->setTitle(GradeData::newClassName(g.grade, i) + u"　"_s +
                              QString::number(members[i].size()) + u"人"_s);
        QTableWidget* t = grdClass[i];
        t->setRowCount(int(members[i].size()));
        for (int r = 0; r < members[i].size(); ++r) {
            const int p = members[i][r];
            const GradeData::Pupil& x = g.pupils[p];
            QString marks = OrganisePrint::flagMarks(m_session.rules(), x.id);
            if (m_session.rules().fixed.contains(x.id))
                marks += u"固"_s;
            const QStringList texts{x.name,           sexWord(x.sex),          x.id.mid(2),
                                    meanText(x.mean), QString::number(x.band), marks};
            for (int col = 0; col < texts.size(); ++col) {
                QTableWidgetItem* item = cell(texts[col], p);
                if (p == m_marked)
                    item->setBackground(kMarked);
                if (col == 0)
                    item->setToolTip(m_session.labels().value(p));
                t->setItem(r, col, item);
            }
        }
        t->resizeColumnsToContents();
        // Room for a name of five full-width characters beside the other columns as filled.
        int width = QFontMetrics(t->font()).horizontalAdvance(u"田中　悠真"_s) + 12;
        for (int col = 1; col < t->columnCount(); ++col)
            width += t->horizontalHeader()->sectionSize(col);
        fraClass[i]->setMinimumWidth(width + t->verticalScrollBar()->sizeHint().width() +
                                     4 * t->frameWidth() + 8);
    }
    cboTo->clear();
    for (int i = 0; i < m_session.classes(); ++i)
        cboTo->addItem(GradeData::newClassName(g.grade, i) + u"へ"_s);
    m_filling = false;
    for (QWidget* w : {static_cast<QWidget*>(cboTo), findChild<QWidget*>(u"cmdMove"_s),
                       findChild<QWidget*>(u"cmdSwap"_s), findChild<QWidget*>(u"cmdFix"_s)})
        w->setEnabled(k > 0);
}

void vxOrganise::refreshFigures() {
    const Organiser::Figures& f = m_session.figures();
    const int k = int(f.classes.size());
    grdFigures->clear();
    grdFigures->setColumnCount(k + 2);
    QStringList heads{u"項目"_s, u"目安"_s};
    for (int i = 0; i < k; ++i)
        heads << GradeData::newClassName(m_session.grade().grade, i);
    grdFigures->setHorizontalHeaderLabels(heads);
    if (k == 0)
        return grdFigures->setRowCount(0);
    const int counts = int(f.classes[0].counts.size());
    grdFigures->setRowCount(counts + 2);
    auto put = [&](int row, int col, const QString& text, std::optional<bool> met) {
        QTableWidgetItem* item = cell(text);
        item->setTextAlignment(col >= 1 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        if (met && !*met) {
            item->setForeground(kOff);
            item->setBackground(kOffBack);
            item->setText(text + u" ×"_s);
        } else if (met) {
            item->setText(text + u" ○"_s);
        }
        grdFigures->setItem(row, col, item);
    };
    const Organiser::ClassFigures& first = f.classes[0];
    put(0, 0, u"人数"_s, std::nullopt);
    put(0, 1, OrganisePrint::boundText(first.sizeLow, qMin(first.sizeHigh, m_session.cap())), std::nullopt);
    put(1, 0, u"平均"_s, std::nullopt);
    put(1, 1, u"差 "_s + OrganisePrint::spreadText(f.spread), std::nullopt);
    for (int r = 0; r < counts; ++r) {
        put(r + 2, 0, first.counts[r].what, std::nullopt);
        put(r + 2, 1, OrganisePrint::boundText(first.counts[r].low, first.counts[r].high), std::nullopt);
    }
    const QList<Organiser::OffBound> off =
        f.offBound > 0 ? m_session.offBound() : QList<Organiser::OffBound>();
    auto why = [&](int cls, const QString& what) {
        for (const Organiser::OffBound& o : off)
            if (o.cls == cls && o.what == what)
                return o.why.isEmpty()
                           ? u"決まりを守ったまま、これ以上そろえる入れ替えは見つかりませんでした。"_s
                           : o.why + u"。"_s;
        return QString();
    };
    for (int i = 0; i < k; ++i) {
        const Organiser::ClassFigures& x = f.classes[i];
        put(0, i + 2, QString::number(x.pupils),
            x.pupils >= x.sizeLow && x.pupils <= x.sizeHigh && x.pupils <= m_session.cap());
        put(1, i + 2, meanText(x.mean), std::nullopt);
        for (int r = 0; r < counts && r < x.counts.size(); ++r) {
            put(r + 2, i + 2, QString::number(x.counts[r].count), x.counts[r].met());
            if (!x.counts[r].met())
                grdFigures->item(r + 2, i + 2)->setToolTip(why(i, x.counts[r].what));
        }
    }
    grdFigures->resizeColumnsToContents();
    for (int i = 0; i < k; ++i)
        grdFigures->horizontalHeader()->setSectionResizeMode(i + 2, QHeaderView::Stretch);
}
