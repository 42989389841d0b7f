#include "report/vxKojin.h"

#include "controls/Forms.h"
#include "core/FigureWindows.h"
#include "core/NumberFormat.h"
#include "core/PrintSurface.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "platform/BusyPointer.h"
#include "platform/MsgBox.h"
#include "report/ReportPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
QLabel* box(QWidget* parent, const QString& name, int width) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setFixedWidth(width);
    return l;
}
} // namespace

vxKojin::vxKojin(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxKojin"_s), c(c_) {
    setWindowTitle(u"個人票"_s);
    auto* info = new QGroupBox(u"現学級情報"_s, this);
    info->setObjectName(u"Frame3D1"_s);
    auto named = [info](const QString& name, const QString& text = QString()) {
        auto* l = new QLabel(text, info);
        l->setObjectName(name);
        return l;
    };
    Label1 = named(u"Label1"_s);
    Label2 = named(u"Label2"_s);
    Label3 = named(u"Label3"_s);
    Label16 = named(u"Label16"_s);
    Label17 = named(u"Label17"_s);
    auto* infoLayout = new QHBoxLayout(info);
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
                       static_cast<QWidget*>(Label3), static_cast<QWidget*>(named(u"Label4"_s, u"学期"_s))})
        infoLayout->addWidget(w);
    infoLayout->addSpacing(24);
    infoLayout->addWidget(Label16);
    infoLayout->addWidget(named(u"Label18"_s, u"番"_s));
    infoLayout->addWidget(Label17);
    infoLayout->addStretch();

    auto* printFrame = new QGroupBox(u"印刷"_s, this);
    printFrame->setObjectName(u"Frame1"_s);
    auto* printLayout = new QHBoxLayout(printFrame);
    printLayout->addWidget(button(u"Command1"_s, u"今の児童"_s, &vxKojin::Command1_Click));
    printLayout->addWidget(button(u"Command2"_s, u"全員"_s, &vxKojin::Command2_Click));
    auto* viewFrame = new QGroupBox(u"処理設定"_s, this);
    viewFrame->setObjectName(u"Frame3D2"_s);
    Command3D3 = button(u"Command3D3"_s, u"学期毎"_s, &vxKojin::Command3D3_Click);
    Command3D4 = button(u"Command3D4"_s, u"現学期迄"_s, &vxKojin::Command3D4_Click);
    auto* viewLayout = new QHBoxLayout(viewFrame);
    viewLayout->addWidget(Command3D3);
    viewLayout->addWidget(Command3D4);
    auto* moveFrame = new QGroupBox(this);
    moveFrame->setObjectName(u"Frame3D4"_s);
    auto* moveLayout = new QHBoxLayout(moveFrame);
    const QStringList moves = {u"Next"_s, u"+5"_s, u"Back"_s, u"-5"_s};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(moves[i], moveFrame);
        b->setObjectName(u"Command3D5(%1)"_s.arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] { Command3D5_Click(i); });
        moveLayout->addWidget(b);
    }
    QPushButton* end = button(u"Command3D2"_s, u"終了"_s, &vxKojin::Command3D2_Click);
    setCloseButton(end);

    const int cell = QFontMetrics(font()).horizontalAdvance(u"000"_s) + 8;
    auto* panels = new QVBoxLayout;
    for (int k = 0; k < 4; ++k) {
        Frame3D3[k] = new QGroupBox(this);
        Frame3D3[k]->setObjectName(u"Frame3D3(%1)"_s.arg(k));
        auto* grid = new QGridLayout(Frame3D3[k]);
        grid->setHorizontalSpacing(2);
        Label15[k] = new QLabel(Frame3D3[k]);
        Label15[k]->setObjectName(u"Label15(%1)"_s.arg(k));
        grid->addWidget(Label15[k], 2, 0);
        for (int col = 0; col < 4; ++col) {
            const int x = 1 + col * 7;
            if (k == 0) {
                Label7[col] = new QLabel(Frame3D3[k]);
                Label7[col]->setObjectName(u"Label7(%1)"_s.arg(col));
                grid->addWidget(Label7[col], 0, x, 1, 4, Qt::AlignCenter);
            }
            for (int v = 0; v < 4; ++v) {
                const int i = k * 16 + col * 4 + v;
                if (k == 0) {
                    Label5[col * 4 + v] = new QLabel(Frame3D3[k]);
                    Label5[col * 4 + v]->setObjectName(u"Label5(%1)"_s.arg(col * 4 + v));
                    grid->addWidget(Label5[col * 4 + v], 1, x + v, Qt::AlignCenter);
                }
                Label6[i] = box(Frame3D3[k], u"Label6(%1)"_s.arg(i), cell);
                Label13[i] = box(Frame3D3[k], u"Label13(%1)"_s.arg(i), cell);
                grid->addWidget(Label6[i], 2, x + v);
                grid->addWidget(Label13[i], 3, x + v);
            }
            const int j = k * 4 + col;
            auto* sums = new QHBoxLayout;
            Label9[j] = box(Frame3D3[k], u"Label9(%1)"_s.arg(j), cell);
            Label11[j] = box(Frame3D3[k], u"Label11(%1)"_s.arg(j), cell);
            Label14[j] = box(Frame3D3[k], u"Label14(%1)"_s.arg(j), cell);
            sums->addWidget(new QLabel(u"均"_s, Frame3D3[k]));
            sums->addWidget(Label9[j]);
            sums->addWidget(new QLabel(u"偏"_s, Frame3D3[k]));
            sums->addWidget(Label11[j]);
            sums->addWidget(new QLabel(u"評定"_s, Frame3D3[k]));
            sums->addWidget(Label14[j]);
            grid->addLayout(sums, 4, x, 1, 4);
            if (col < 3)
                grid->setColumnMinimumWidth(x + 4, 12);
        }
        // Extra width goes to the right of the boxes, not between the title and the first column.
        grid->setColumnStretch(1 + 4 * 7, 1);
        panels->addWidget(Frame3D3[k]);
    }

    auto* controls = new QHBoxLayout;
    controls->addWidget(printFrame);
    controls->addWidget(viewFrame);
    controls->addWidget(moveFrame);
    controls->addStretch();
    controls->addWidget(end);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addLayout(controls);
    layout->addLayout(panels);
    layout->addStretch();
}

void vxKojin::Form_Load() {
    forms.unload(u"vxMain"_s);
    if (FigureWindows::refuseWithoutFigures(c, forms, tag()))
        return;
    m_curPno = 1;
    // Grade and class number from this class's name, so a page printed at once carries them.
    c.SplitClassName();
    Label1->setText(ReportPage::windowSchoolLine(c));
    Label2->setText(c.ClassName);
    Label3->setText(QString::number(c.CurTerm));
    m_showTerms = ReportPage::ShowTerms(c);
    paintChosen({Command3D3, Command3D4}, -1);
}

void vxKojin::Panel_show(bool on) {
    for (int k = 1; k < 4; ++k) {
        Frame3D3[k]->setVisible(on);
        Frame3D3[k]->setEnabled(on);
    }
}

void vxKojin::Head_set() {
    c.SplitClassName();
    const QStringList subjects = c.Grade >= 3 ? QStringList{u"国語"_s, u"社会"_s, u"算数"_s, u"理科"_s}
                                              : QStringList{u"国語"_s, u"算数"_s, u"生活"_s, QString()};
    const QList<int> slots = c.Grade >= 3 ? QList<int>{1, 2, 3, 4} : QList<int>{1, 3, 5, 0};
    for (int col = 0; col < 4; ++col) {
        Label7[col]->setText(subjects[col]);
        for (int v = 1; v <= 4; ++v)
            Label5[col * 4 + v - 1]->setText(slots[col] ? TextHelpers::TrimPadding(c.ViewName(slots[col], v))
                                                        : QString());
    }
    const QStringList titles = {u"１学期"_s, u"２学期"_s, u"３学期"_s, u"要　録"_s};
    if (m_viewMode == 10) {
        Label15[0]->setText(titles.value(c.CurTerm - 1));
        return;
    }
    for (int m = 1; m <= m_showTerms; ++m)
        Label15[m - 1]->setText(titles.value(m - 1));
}

void vxKojin::fillPanel(int panel, int term, int pupil) {
    if (pupil < 1 || pupil > c.ClassSize)
        return;
    const PupilRec& p = c.Pupil(pupil);
    Label16->setText(QString::number(pupil));
    Label17->setText(p.PName.str());
    // Data subject c stands in column c - 1.
    for (int col = 1; col <= 4; ++col) {
        for (int v = 1; v <= 4; ++v) {
            const int i = panel * 16 + (col - 1) * 4 + (v - 1);
            Label6[i]->setText(NumberFormat::format(p.ViewRate(term, col, v), u"###"_s));
            Label13[i]->setText(p.ViewMark(term, col, v).str().trimmed());
        }
        const int j = panel * 4 + (col - 1);
        Label9[j]->setText(NumberFormat::format(p.SubjRate(term, col), u"###"_s));
        Label11[j]->setText(NumberFormat::format(p.SubjDev(term, col), u"##"_s));
        Label14[j]->setText(p.SubjMark(term, col).str().trimmed());
    }
}

void vxKojin::PDisp1(int term, int pupil) {
    fillPanel(0, term, pupil);
}

void vxKojin::PDisp2(int term, int pupil) {
    fillPanel(term - 1, term, pupil);
}

void vxKojin::Command3D3_Click() {
    Frame3D3[0]->setTitle(QString::number(c.CurTerm) + u"学期"_s);
    m_viewMode = 10;
    paintChosen({Command3D3, Command3D4}, 0);
    Panel_show(false);
    Head_set();
    m_curPno = 1;
    PDisp1(c.CurTerm, 1);
}

void vxKojin::Command3D4_Click() {
    m_viewMode = 100;
    paintChosen({Command3D3, Command3D4}, 1);
    Frame3D3[0]->setTitle(QString());
    Panel_show(true);
    Head_set();
    m_curPno = 1;
    for (int t = 1; t <= m_showTerms; ++t)
        PDisp2(t, 1);
}

void vxKojin::Command3D5_Click(int i) {
    const int n = c.ClassSize;
    if (n < 1)
        return;
    // Round the class: after the last pupil comes the first.
    const int step = QList<int>{1, 5, -1, -5}.value(i);
    m_curPno = ((m_curPno - 1 + step) % n + n) % n + 1;
    if (m_viewMode == 10) {
        PDisp1(c.CurTerm, m_curPno);
        return;
    }
    for (int t = 1; t <= m_showTerms; ++t)
        PDisp2(t, m_curPno);
}

void vxKojin::print(int first, int last) {
    // Never a page of a pupil the class does not have (an empty class keeps records of another).
    if (m_curPno < 1 || m_curPno > c.ClassSize) {
        MsgBox::show(u"児童を選んでください"_s);
        return;
    }
    MsgBox::show(PrintSurface::startMessage());
    PrintSurface ps;
    ps.setDocName(u"個人票 "_s + c.ClassName);
    {
        const BusyPointer busy;
        ReportPage::printPages(ps, c, first, last);
    }
    ps.EndDocAndTell();
}

void vxKojin::Command1_Click() {
    print(m_curPno, m_curPno);
}

void vxKojin::Command2_Click() {
    print(1, c.ClassSize);
}

void vxKojin::Command3D2_Click() {
    c.ReturnForm = u"vxKojin"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}
