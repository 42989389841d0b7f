#include "termend/vxHyo.h"

#include "controls/Forms.h"
#include "core/FigureWindows.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "platform/MsgBox.h"
#include "termcalc/TermCalc.h"
#include "termcalc/TermView.h"
#include "termend/DistChart.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

vxHyo::vxHyo(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxHyo"_s), c(c_), m_state(c_) {
    setWindowTitle(u"期末処理"_s);
    auto group = [this](const QString& title, const QString& name, QPushButton** buttons, int n,
                        const QStringList& captions, auto handler) {
        auto* frame = new QGroupBox(title, this);
        auto* layout = new QVBoxLayout(frame);
        for (int i = 0; i < n; ++i) {
            buttons[i] = new QPushButton(captions.value(i), frame);
            buttons[i]->setObjectName(u"%1(%2)"_s.arg(name).arg(i));
            connect(buttons[i], &QPushButton::clicked, this, [this, handler, i] { (this->*handler)(i); });
            layout->addWidget(buttons[i]);
        }
        return frame;
    };

    auto* classFrame = new QGroupBox(u"現学級学期"_s, this);
    m_school = new QLabel(classFrame);
    m_className = new QLabel(classFrame);
    m_term = new QLabel(classFrame);
    Command3D5 = button(u"Command3D5"_s, u"実　行"_s, &vxHyo::Command3D5_Click);
    auto* classLayout = new QHBoxLayout(classFrame);
    for (QWidget* w :
         {static_cast<QWidget*>(m_school), static_cast<QWidget*>(m_className), static_cast<QWidget*>(m_term)})
        classLayout->addWidget(w);
    classLayout->addWidget(new QLabel(u"学期"_s, classFrame));
    classLayout->addStretch();
    classLayout->addWidget(Command3D5);

    QGroupBox* period = group(u"学期年度末"_s, u"Command3D2"_s, Command3D2, 2, {u"学　期"_s, u"年度末"_s},
                              &vxHyo::Command3D2_Click);
    Command3D4 = button(u"Command3D4"_s, u"中止"_s, &vxHyo::Command3D4_Click);
    Command3D3 = button(u"Command3D3"_s, u"終了"_s, &vxHyo::Command3D3_Click);
    period->layout()->addWidget(Command3D4);
    period->layout()->addWidget(Command3D3);
    setCloseButton(Command3D4);
    QGroupBox* proc = group(u"処理設定"_s, u"Command3D1"_s, Command3D1, 3,
                            {u"計算処理"_s, u"観点別"_s, u"教科別"_s}, &vxHyo::Command3D1_Click);
    QGroupBox* subjects = group(u"教科選択"_s, u"Command3D6"_s, Command3D6, 4, {}, &vxHyo::Command3D6_Click);
    QGroupBox* views = group(u"観点選択"_s, u"Command3D7"_s, Command3D7, 4, {}, &vxHyo::Command3D7_Click);
    auto* left = new QVBoxLayout;
    for (QWidget* w : {period, proc, subjects, views})
        left->addWidget(w);
    m_choiceFrames[0] = period;
    m_choiceFrames[1] = proc;
    m_choiceFrames[2] = subjects;
    m_choiceFrames[3] = views;
    left->addStretch();

    Frame3D3 = new QGroupBox(this);
    Frame3D3->setObjectName(u"Frame3D3"_s);
    auto* listLayout = new QVBoxLayout(Frame3D3);
    // The lists take the height of the window, so that most of a class shows without scrolling.
    QGroupBox* view = buildView(Frame3D3);
    view->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    listLayout->addWidget(view);
    listLayout->addWidget(buildLists(Frame3D3), 1);
    listLayout->addWidget(buildYearList(Frame3D3), 1);
    listLayout->addStretch(0);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(Frame3D3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(classFrame);
    layout->addLayout(body, 1);
    resize(twipsToPixels(12600), twipsToPixels(8400));
}

QGroupBox* vxHyo::buildView(QWidget* parent) {
    m_numberFrame = new QGroupBox(u"番号選択"_s, parent);
    m_numberFrame->setObjectName(u"Frame3D5"_s);
    auto* layout = new QVBoxLayout(m_numberFrame);
    for (int i = 0; i < 13; ++i) {
        m_lines[i] = new QLabel(m_numberFrame);
        m_lines[i]->setObjectName(u"Label%1"_s.arg(5 + i));
        m_lines[i]->setFont(fixedPitchFont(font()));
        m_lines[i]->setTextFormat(Qt::PlainText);
        layout->addWidget(m_lines[i]);
    }
    const QStringList captions = {u"Next"_s, u"To +5"_s, u"Back"_s, u"To -5"_s, u"保存"_s};
    void (vxHyo::*handlers[5])() = {&vxHyo::Command3D8_Click, &vxHyo::Command3D9_Click,
                                    &vxHyo::Command3D10_Click, &vxHyo::Command3D11_Click,
                                    &vxHyo::Command3D12_Click};
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        m_viewButtons[i] = button(u"Command3D%1"_s.arg(8 + i), captions[i], handlers[i]);
        m_viewButtons[i]->setParent(m_numberFrame);
        buttons->addWidget(m_viewButtons[i]);
    }
    buttons->addStretch();
    layout->addLayout(buttons);
    return m_numberFrame;
}

QGroupBox* vxHyo::buildLists(QWidget* parent) {
    auto* frame = new QGroupBox(parent);
    frame->setFlat(true);
    m_listArea = frame;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(0);
    const QStringList headings = {u" 番"_s, u"　　名　　　前"_s, QString(), u"評 価"_s, u" 位"_s};
    const int widths[5] = {4, 13, 7, 5, 4};
    // The rank list stands first, as the teacher reads: rank, number, name, figure, mark.
    const int column[5] = {1, 2, 3, 4, 0};
    for (int j = 0; j < 5; ++j) {
        Label18[j] = new QLabel(headings[j], frame);
        Label18[j]->setObjectName(u"Label18(%1)"_s.arg(j));
        List1[j] = new QListWidget(frame);
        List1[j]->setObjectName(u"List1(%1)"_s.arg(j));
        List1[j]->setFont(fixedPitchFont(font()));
        List1[j]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        List1[j]->setVerticalScrollBarPolicy(j == 3 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        const int cell = QFontMetrics(List1[j]->font()).horizontalAdvance(u"0"_s);
        List1[j]->setFixedWidth(cell * widths[j] * (j == 1 ? 2 : 1) + 12 + (j == 3 ? 16 : 0));
        List1[j]->installEventFilter(this);
        // Every release of the mouse button on a row is a click, also the second of two quick clicks
        // (which the list would take for a double click), so a teacher can click down a list fast.
        List1[j]->viewport()->installEventFilter(this);
        grid->addWidget(Label18[j], 0, column[j]);
        grid->addWidget(List1[j], 1, column[j]);
    }
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            if (i != j)
                connect(List1[i]->verticalScrollBar(), &QScrollBar::valueChanged,
                        List1[j]->verticalScrollBar(), &QScrollBar::setValue);

    Frame3D8 = new QGroupBox(frame);
    Frame3D8->setObjectName(u"Frame3D8"_s);
    auto* marks = new QGridLayout(Frame3D8);
    for (int i = 0; i < 3; ++i) {
        Command3D13[i] = new QPushButton(Frame3D8);
        Command3D13[i]->setObjectName(u"Command3D13(%1)"_s.arg(i));
        connect(Command3D13[i], &QPushButton::clicked, this, [this, i] { Command3D13_Click(i); });
        marks->addWidget(Command3D13[i], 0, i);
    }
    Command3D16 = button(u"Command3D16"_s, QString(), &vxHyo::Command3D16_Click);
    QPushButton* save = button(u"Command3D15"_s, u"保存"_s, &vxHyo::Command3D15_Click);
    QPushButton* cancel = button(u"Command3D14"_s, u"中止"_s, &vxHyo::Command3D14_Click);
    marks->addWidget(Command3D16, 1, 0);
    marks->addWidget(save, 1, 1);
    marks->addWidget(cancel, 1, 2);
    Label23 = new QLabel(Frame3D8);
    Label23->setObjectName(u"Label23"_s);
    marks->addWidget(Label23, 2, 0, 1, 3);
    for (int i = 0; i < 3; ++i) {
        Label19[i] = new QLabel(Frame3D8);
        Label19[i]->setObjectName(u"Label19(%1)"_s.arg(i));
        Label21[i] = new QLabel(Frame3D8);
        Label21[i]->setObjectName(u"Label21(%1)"_s.arg(i));
        Label21[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* person = new QLabel(u"人"_s, Frame3D8);
        person->setObjectName(u"Label22(%1)"_s.arg(i));
        auto* row = new QHBoxLayout;
        row->addWidget(Label19[i]);
        row->addWidget(Label21[i], 1);
        row->addWidget(person);
        marks->addLayout(row, 3 + i, 0, 1, 3);
    }
    auto* layout = new QHBoxLayout(frame);
    layout->addLayout(grid);
    layout->addWidget(Frame3D8, 0, Qt::AlignTop);
    // Where the pupils stand in the class, beside the lists; it follows every mark given.
    m_chart = new DistChart(frame);
    layout->addWidget(m_chart, 0, Qt::AlignTop);
    layout->addStretch();
    return frame;
}

QGroupBox* vxHyo::buildYearList(QWidget* parent) {
    Frame3D9 = new QGroupBox(u"要録計算処理"_s, parent);
    Frame3D9->setObjectName(u"Frame3D9"_s);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(0);
    const int widths[6] = {4, 15, 7, 7, 7, 7};
    for (int j = 0; j < 6; ++j) {
        Label24[j] = new QLabel(Frame3D9);
        Label24[j]->setObjectName(u"Label24(%1)"_s.arg(j));
        List2[j] = new QListWidget(Frame3D9);
        List2[j]->setObjectName(u"List2(%1)"_s.arg(j));
        List2[j]->setFont(fixedPitchFont(font()));
        List2[j]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        List2[j]->setVerticalScrollBarPolicy(j == 5 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        const int cell = QFontMetrics(List2[j]->font()).horizontalAdvance(u"0"_s);
        List2[j]->setFixedWidth(cell * widths[j] + 12 + (j == 5 ? 16 : 0));
        grid->addWidget(Label24[j], 0, j);
        grid->addWidget(List2[j], 1, j);
    }
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j)
            if (i != j)
                connect(List2[i]->verticalScrollBar(), &QScrollBar::valueChanged,
                        List2[j]->verticalScrollBar(), &QScrollBar::setValue);
    QPushButton* save = button(u"Command3D17"_s, u"保存"_s, &vxHyo::Command3D17_Click);
    QPushButton* cancel = button(u"Command3D18"_s, u"中止"_s, &vxHyo::Command3D18_Click);
    auto* layout = new QVBoxLayout(Frame3D9);
    auto* row = new QHBoxLayout;
    row->addLayout(grid);
    row->addStretch();
    layout->addLayout(row);
    layout->addLayout(buttonRow({save, cancel}));
    return Frame3D9;
}

void vxHyo::Form_Load() {
    forms.unload(u"vxMain"_s);
    if (FigureWindows::refuseWithoutFigures(c, forms, tag()))
        return;
    m_school->setText(TextHelpers::CutAtBlank(c.SchoolName.str()));
    m_className->setText(c.ClassName);
    m_term->setText(QString::number(c.CurTerm));
    c.SplitClassName();
    const QStringList names = c.Grade >= 3 ? QStringList{u"国語"_s, u"社会"_s, u"算数"_s, u"理科"_s}
                                           : QStringList{u"国語"_s, u"算数"_s, u"生活"_s, QString()};
    for (int i = 0; i < 4; ++i) {
        Command3D6[i]->setText(names[i]);
        Command3D6[i]->setEnabled(i < TermCalc::subjectCount(c.Grade));
    }
    for (QPushButton* b : Command3D7) {
        b->setText(QString());
        b->setEnabled(false);
    }
    m_numberFrame->hide();
    showLists(false);
    Yoseienable(false);
    closeItem();
    resetSelections();
}

void vxHyo::Command3D2_Click(int i) {
    if (!m_state.choosePeriod(i))
        return;
    paintChosen({Command3D2[0], Command3D2[1]}, i);
    if (i == 1) {
        Frame3D3->setTitle(u"年度末処理"_s);
        if (m_state.procMode() == 1)
            for (QPushButton* b : Command3D6)
                b->setEnabled(false);
    } else {
        Frame3D3->setTitle(u"学期末処理"_s);
        for (int b = 0; b < 4; ++b)
            Command3D6[b]->setEnabled(b < TermCalc::subjectCount(c.Grade));
    }
}

void vxHyo::Command3D1_Click(int i) {
    switch (m_state.chooseProc(i)) {
    case HyoState::Proc::Locked:
        return;
    case HyoState::Proc::Chosen:
        paintChosen({Command3D1[0], Command3D1[1], Command3D1[2]}, i);
        if (i == 1)
            fillViewpointButtons();
        return;
    case HyoState::Proc::ChooseSubjectFirst:
        MsgBox::show(u"教科を選択してください"_s);
        paintChosen({Command3D1[0], Command3D1[1], Command3D1[2]}, -1);
        return;
    }
}

void vxHyo::Command3D6_Click(int i) {
    if (!m_state.chooseSubject(i, c.Grade))
        return;
    paintChosen({Command3D6[0], Command3D6[1], Command3D6[2], Command3D6[3]}, i);
    if (m_state.procMode() == 2)
        fillViewpointButtons();
}

void vxHyo::fillViewpointButtons() {
    if (m_state.selSlot() == 0) {
        if (m_state.periodMode() == 2 && m_state.procMode() == 2)
            MsgBox::show(u"教科を入力してください"_s);
        // Without a subject there are no viewpoint names to show.
        for (QPushButton* b : Command3D7) {
            b->setText(QString());
            b->setEnabled(false);
        }
        return;
    }
    for (int v = 1; v <= 4; ++v) {
        Command3D7[v - 1]->setEnabled(true);
        Command3D7[v - 1]->setText(TextHelpers::CutAtBlank(c.ViewName(m_state.selSubjectNo(), v)));
    }
}

void vxHyo::Command3D7_Click(int i) {
    if (!m_state.chooseView(i))
        return;
    paintChosen({Command3D7[0], Command3D7[1], Command3D7[2], Command3D7[3]}, i);
}

void vxHyo::setExecute(bool on) {
    Command3D5->setEnabled(on);
}

// While an item is shown its choices are locked; the window's own 中止 and 終了, which stand in the
// period frame, are not choices and stay as they are.
void vxHyo::lockChoices(bool locked) {
    for (QPushButton* b : Command3D2)
        b->setEnabled(!locked);
    for (int i = 1; i < 4; ++i)
        m_choiceFrames[i]->setEnabled(!locked);
}

void vxHyo::showItem(HyoState::Shown kind) {
    m_state.show(kind);
    lockChoices(true);
}

void vxHyo::closeItem() {
    m_state.close();
    lockChoices(false);
}

// Whatever is shown goes, as its own 中止 would put it away: the marks given stay in memory.
void vxHyo::putAwayShown() {
    if (!m_state.locked())
        return;
    Yoseienable(false);
    showLists(false);
    m_numberFrame->hide();
    showView(false);
    closeItem();
    setExecute(true);
}

// Every choice back to none (and out of year-end mode, with the real term back).
void vxHyo::resetSelections() {
    paintChosen({Command3D2[0], Command3D2[1]}, -1);
    paintChosen({Command3D1[0], Command3D1[1], Command3D1[2]}, -1);
    paintChosen({Command3D6[0], Command3D6[1], Command3D6[2], Command3D6[3]}, -1);
    paintChosen({Command3D7[0], Command3D7[1], Command3D7[2], Command3D7[3]}, -1);
    if (m_state.procMode() == 2)
        for (QPushButton* b : Command3D7)
            b->setText(QString());
    // The subject buttons a year-end calculation choice disabled come back with the selections.
    for (int b = 0; b < 4; ++b)
        Command3D6[b]->setEnabled(b < TermCalc::subjectCount(c.Grade));
    m_state.resetSelections();
}

void vxHyo::Command3D5_Click() {
    if (m_state.locked())
        return;
    const int period = m_state.periodMode();
    const int proc = m_state.procMode();
    Command3D3->setEnabled(false);
    if (proc == 2 && m_state.selView() == 0) {
        MsgBox::show(u"観点を入力してください"_s);
        return;
    }
    if (period == 2 && proc == 2 && m_state.selSlot() == 0) {
        MsgBox::show(u"教科を入力してください"_s);
        return;
    }
    if (period == 0 || proc == 0)
        return;
    setExecute(false);
    if (proc == 1) {
        if (period == 1)
            termCalculation();
        else
            yearCalculation();
        return;
    }
    Frame3D3->setTitle(period == 1 ? (proc == 2 ? u"学期末観点処理"_s : u"学期末評定処理"_s)
                                   : (proc == 2 ? u"年度末観点処理"_s : u"年度末評定処理"_s));
    evaluation(proc == 2);
}

void vxHyo::Command3D3_Click() {
    // The results live in the pupil file and their done marks in the settings file: both are
    // saved, with the real term. A failed save has named the file; the window stays as it was
    // (year-end mode included) so that 終了 can be pressed again.
    if (!m_state.saveWithRealTerm([this] { return c.SaveClass(); }))
        return;
    putAwayShown();
    m_state.resetSelections();
    c.ReturnForm = u"vxHyo"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}

void vxHyo::Command3D4_Click() {
    putAwayShown();
    m_state.leaveYearEnd();
    c.ReturnForm = u"vxHyo"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}

// Term calculation and the score sheet view.

void vxHyo::termCalculation() {
    m_numberFrame->show();
    m_numberFrame->setEnabled(true);
    if (m_state.selSlot() == 0) {
        MsgBox::show(u"教科を選択してください"_s);
        showView(false);
        return;
    }
    const int k = m_state.selSlot();
    const int t = c.CurTerm;
    if (c.CalcMark(t, k) == HyoState::kDone) {
        if (MsgBox::show(u"この教科の再計算をしますか"_s, MsgBox::OkCancel, MsgBox::Question) != MsgBox::Ok) {
            showView(false);
            return;
        }
        m_recalcOK = 10;
    }
    for (QPushButton* b : Command3D7)
        b->setEnabled(false);
    Frame3D3->setTitle(u"学期末計算処理"_s);
    TermCalc::calculateTerm(c, k, t);
    m_recalcOK = 0;
    m_viewedPupil = 1;
    showItem(HyoState::Shown::SheetView);
    showView(true);
    showPupil(m_viewedPupil);
}

void vxHyo::showView(bool on) {
    for (QPushButton* b : m_viewButtons) {
        b->setVisible(on);
        b->setEnabled(on);
    }
    for (QLabel* l : m_lines) {
        l->setEnabled(on);
        if (!on)
            l->clear();
    }
}

void vxHyo::showPupil(int p) {
    if (p < 1 || p > c.ClassSize) {
        for (QLabel* l : m_lines)
            l->clear();
        return;
    }
    const HyoState::Item& s = m_state.shown();
    const QStringList lines = TermView::sheetLines(c, p, s.slot, s.term, s.subjectNo);
    for (int i = 0; i < 13; ++i)
        m_lines[i]->setText(lines.value(i));
}

// The move buttons go round the class: after the last pupil comes the first.
void vxHyo::Command3D8_Click() {
    if (c.ClassSize < 1)
        return;
    m_viewedPupil = m_viewedPupil % c.ClassSize + 1;
    showPupil(m_viewedPupil);
}

void vxHyo::Command3D10_Click() {
    if (c.ClassSize < 1)
        return;
    m_viewedPupil = (m_viewedPupil - 2 + c.ClassSize) % c.ClassSize + 1;
    showPupil(m_viewedPupil);
}

void vxHyo::Command3D9_Click() {
    if (c.ClassSize < 1)
        return;
    m_viewedPupil = (m_viewedPupil - 1 + 5) % c.ClassSize + 1;
    showPupil(m_viewedPupil);
}

void vxHyo::Command3D11_Click() {
    if (c.ClassSize < 1)
        return;
    m_viewedPupil = ((m_viewedPupil - 1 - 5) % c.ClassSize + c.ClassSize) % c.ClassSize + 1;
    showPupil(m_viewedPupil);
}

void vxHyo::Command3D12_Click() {
    if (m_state.shown().kind != HyoState::Shown::SheetView)
        return;
    m_state.markDone();
    closeItem();
    Command3D3->setEnabled(true);
    m_numberFrame->hide();
    showView(false);
    setExecute(true);
    resetSelections();
}

// Year-end calculation.

void vxHyo::Yoseienable(bool on) {
    Frame3D9->setVisible(on);
    Frame3D9->setEnabled(on);
    if (!on)
        for (QListWidget* l : List2)
            l->clear();
}

void vxHyo::yearCalculation() {
    m_numberFrame->hide();
    showView(false);
    setExecute(false);
    for (QPushButton* b : Command3D7)
        b->setEnabled(false);
    Frame3D3->setTitle(u"年度末計算処理"_s);
    showItem(HyoState::Shown::YearList);
    Yoseienable(true);
    if (c.CalcMark(4, 1) == HyoState::kDone) {
        if (MsgBox::show(u"この教科の再計算をしますか"_s, MsgBox::OkCancel, MsgBox::Question) != MsgBox::Ok) {
            Yoseienable(false);
            closeItem();
            return;
        }
        m_recalcOK = 10;
    }
    // Without every term calculated, the year would be made of zeros.
    if ((c.CalcMark(4, 1) != HyoState::kDone || m_recalcOK == 10) && !TermCalc::allTermsCalculated(c) &&
        MsgBox::show(u"計算処理が済んでいない学期があります。年度末の計算を続けますか"_s, MsgBox::OkCancel,
                     MsgBox::Question) != MsgBox::Ok) {
        m_recalcOK = 0;
        Yoseienable(false);
        closeItem();
        return;
    }
    // Y_cal
    if (c.CalcMark(4, 1) != HyoState::kDone || m_recalcOK == 10) {
        End_Cal();
        m_recalcOK = 0;
    }
    Y_Hyo();
}

void vxHyo::End_Cal() {
    for (int k = 1; k <= TermCalc::subjectCount(c.Grade); ++k) {
        if (MsgBox::show(TermCalc::subjectName(k, c.Grade) + u"の計算処理を行います。よろしいですか。"_s,
                         MsgBox::OkCancel, MsgBox::Question) == MsgBox::Ok)
            TermCalc::calculateYear(c, k);
        else
            TermCalc::declineYear(c, k);
    }
}

void vxHyo::Y_Hyo() {
    const QStringList headings =
        c.Grade >= 3 ? QStringList{u"番"_s, u"名　　前"_s, u"国語"_s, u"社会"_s, u"算数"_s, u"理科"_s}
                     : QStringList{u"番"_s, u"名　　前"_s, u"国語"_s, u"算数"_s, u"生活"_s, QString()};
    for (int j = 0; j < 6; ++j) {
        Label24[j]->setText(headings[j]);
        List2[j]->clear();
    }
    for (int p = 1; p <= c.ClassSize; ++p) {
        const QStringList row = TermView::yearRow(c, p);
        for (int j = 0; j < 6; ++j)
            List2[j]->addItem(row[j]);
    }
    for (QListWidget* l : List2)
        if (l->count() > 0)
            l->setCurrentRow(0);
    c.CalcMark(4, 1) = HyoState::kDone;
}

void vxHyo::Command3D17_Click() {
    if (m_state.shown().kind != HyoState::Shown::YearList)
        return;
    m_state.markDone();
    // The year's results can leave the window with 終了 now, as after the view's 保存.
    Command3D3->setEnabled(true);
    Command3D18_Click();
}

void vxHyo::Command3D18_Click() {
    Yoseienable(false);
    closeItem();
    setExecute(true);
    resetSelections();
}
