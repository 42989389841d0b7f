#include "lists/vxPrint.h"

#include "controls/Forms.h"
#include "core/FigureWindows.h"
#include "core/PrintSurface.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "lists/ListPage.h"
#include "platform/BusyPointer.h"
#include "platform/Dialogs.h"
#include "platform/MsgBox.h"
#include "platform/PrintBackend.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// The text up to and including the marker, or all of it when the marker does not occur.
QString upTo(const QString& text, const QString& marker) {
    const qsizetype at = text.indexOf(marker);
    return at >= 0 ? text.left(at + marker.size()) : TextHelpers::TrimPadding(text);
}
QStringList subjectNames(int grade) {
    return grade >= 3 ? QStringList{u"国語"_s, u"社会"_s, u"算数"_s, u"理科"_s}
                      : QStringList{u"国語"_s, u"算数"_s, u"生活"_s, QString()};
}
} // namespace

vxPrint::vxPrint(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxPrint"_s), c(c_) {
    setWindowTitle(u"印刷"_s);
    auto* info = new QGroupBox(u"現学級情報"_s, this);
    info->setObjectName(u"Frame3D1"_s);
    auto named = [info](const QString& name, const QString& text = QString()) {
        auto* l = new QLabel(text, info);
        l->setObjectName(name);
        return l;
    };
    Label6 = named(u"Label6"_s);
    Label1 = named(u"Label1"_s);
    Label2 = named(u"Label2"_s);
    Label8 = named(u"Label8"_s);
    Label3 = named(u"Label3"_s);
    auto* infoLayout = new QHBoxLayout(info);
    for (QLabel* l : {Label6, Label1, Label2, named(u"Label7"_s, u"担任"_s), Label8, Label3,
                      named(u"Label5"_s, u"学期"_s)})
        infoLayout->addWidget(l);
    infoLayout->addStretch();

    auto* termFrame = new QGroupBox(u"学期設定"_s, this);
    termFrame->setObjectName(u"Frame3D5"_s);
    auto* termLayout = new QHBoxLayout(termFrame);
    const QString terms[2] = {u"現在の学期"_s, u"年度末"_s};
    for (int k = 0; k < 2; ++k) {
        Option3D3[k] = new QRadioButton(terms[k], termFrame);
        Option3D3[k]->setObjectName(u"Option3D3(%1)"_s.arg(k));
        connect(Option3D3[k], &QRadioButton::clicked, this, [this, k] { Option3D3_Click(k); });
        termLayout->addWidget(Option3D3[k]);
    }

    // An order panel: 成績順 and 番号順, exclusive within the panel.
    auto orderPanel = [](QWidget* parent, const QString& name, QRadioButton** options, int first,
                         auto onClick, vxPrint* self, const QString& optionName) {
        auto* panel = new QWidget(parent);
        panel->setObjectName(name);
        auto* layout = new QHBoxLayout(panel);
        layout->setContentsMargins(12, 0, 0, 0);
        const QString captions[2] = {u"成績順"_s, u"番号順"_s};
        for (int j = 0; j < 2; ++j) {
            const int k = first + j;
            options[k] = new QRadioButton(captions[j], panel);
            options[k]->setObjectName(u"%1(%2)"_s.arg(optionName).arg(k));
            QObject::connect(options[k], &QRadioButton::clicked, self,
                             [self, onClick, k] { (self->*onClick)(k); });
            layout->addWidget(options[k]);
        }
        layout->addStretch();
        return panel;
    };

    auto* subjects = new QGroupBox(u"各教科印刷設定"_s, this);
    subjects->setObjectName(u"Frame3D2"_s);
    auto* subjectsLayout = new QHBoxLayout(subjects);
    for (int s = 0; s < 4; ++s) {
        Frame3D4[s] = new QGroupBox(subjects);
        Frame3D4[s]->setObjectName(u"Frame3D4(%1)"_s.arg(s));
        auto* col = new QVBoxLayout(Frame3D4[s]);
        Check3D2[s] = new QCheckBox(u"総合"_s, Frame3D4[s]);
        Check3D2[s]->setObjectName(u"Check3D2(%1)"_s.arg(s));
        connect(Check3D2[s], &QCheckBox::clicked, this, [this, s] { Check3D2_Click(s); });
        col->addWidget(Check3D2[s]);
        Panel3D2[s] = orderPanel(Frame3D4[s], u"Panel3D2(%1)"_s.arg(s), Option3D2, 2 * s,
                                 &vxPrint::Option3D2_Click, this, u"Option3D2"_s);
        col->addWidget(Panel3D2[s]);
        for (int v = 0; v < 4; ++v) {
            const int i = 4 * s + v;
            Check3D1[i] = new QCheckBox(Frame3D4[s]);
            Check3D1[i]->setObjectName(u"Check3D1(%1)"_s.arg(i));
            connect(Check3D1[i], &QCheckBox::clicked, this, [this, i] { Check3D1_Click(i); });
            col->addWidget(Check3D1[i]);
            Panel3D1[i] = orderPanel(Frame3D4[s], u"Panel3D1(%1)"_s.arg(i), Option3D1, 2 * i,
                                     &vxPrint::Option3D1_Click, this, u"Option3D1"_s);
            col->addWidget(Panel3D1[i]);
        }
        col->addStretch();
        subjectsLayout->addWidget(Frame3D4[s]);
    }

    QPushButton* printLists = button(u"Command3D2"_s, u"印　刷　実  行"_s, &vxPrint::Command3D2_Click);
    auto* four = new QGroupBox(u"４教科印刷"_s, this);
    four->setObjectName(u"SSFrame1"_s);
    SSCommand2 = button(u"SSCommand2"_s, u"教科印刷実行"_s, &vxPrint::SSCommand2_Click);
    (new QHBoxLayout(four))->addWidget(SSCommand2);
    QPushButton* setup = button(u"SSCommand1"_s, u"印刷設定"_s, &vxPrint::SSCommand1_Click);
    QPushButton* end = button(u"Command3D1"_s, u"終　了"_s, &vxPrint::Command3D1_Click);
    setCloseButton(end);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printLists);
    buttons->addWidget(four);
    buttons->addStretch();
    buttons->addWidget(setup);
    buttons->addWidget(end);

    auto* top = new QHBoxLayout;
    top->addWidget(info, 1);
    top->addWidget(termFrame);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(subjects, 1);
    layout->addLayout(buttons);
}

void vxPrint::Form_Load() {
    forms.unload(u"vxMain"_s);
    if (FigureWindows::refuseWithoutFigures(c, forms, tag()))
        return;
    c.SplitClassName();
    Label6->setText(upTo(c.CityName, u"市"_s));
    Label1->setText(upTo(c.SchoolName, u"小"_s));
    Label2->setText(c.ClassName);
    Label8->setText(TextHelpers::TrimPadding(c.TeacherName));
    Label3->setText(QString::number(c.CurTerm));
    m_termSel = 0;
    const QStringList names = subjectNames(c.Grade);
    for (int s = 0; s < 4; ++s) {
        Frame3D4[s]->setTitle(names[s]);
        Check3D2[s]->setText(names[s].isEmpty() ? QString() : u"総合"_s);
        for (int v = 1; v <= 4; ++v) {
            const int slot = VOXA1::ViewNameSlot(s + 1, c.Grade);
            Check3D1[4 * s + v - 1]->setText(slot ? c.ViewName(slot, v).str() : QString(8, u' '));
        }
    }
    PrnDatClear();
    const bool fourth = c.Grade >= 3;
    Frame3D4[3]->setVisible(fourth);
    Frame3D4[3]->setEnabled(fourth);
}

namespace {
void retainRoom(QWidget* w, bool on) {
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(on);
    w->setSizePolicy(p);
}
} // namespace

void vxPrint::resetPanels() {
    for (int i = 0; i < 16; ++i) {
        const bool named = !Check3D1[i]->text().trimmed().isEmpty();
        Check3D1[i]->setVisible(named);
        Check3D1[i]->setEnabled(named);
        Check3D1[i]->setChecked(false);
        // The order choices of a used viewpoint keep their room while hidden, so ticking never
        // moves the buttons below them.
        retainRoom(Panel3D1[i], named);
        Panel3D1[i]->setVisible(false);
        Panel3D1[i]->setEnabled(false);
    }
    for (int s = 0; s < 4; ++s) {
        Check3D2[s]->setChecked(false);
        retainRoom(Panel3D2[s], true);
        Panel3D2[s]->setVisible(false);
        Panel3D2[s]->setEnabled(false);
    }
    if (c.Grade < 3) {
        Check3D2[3]->setVisible(false);
        Check3D2[3]->setEnabled(false);
    }
}

void vxPrint::PrnDatClear() {
    for (int& v : m_viewSel)
        v = 0;
    for (int& s : m_subjSel)
        s = 0;
    resetPanels();
}

void vxPrint::Check3D1_Click(int i) {
    const bool on = Check3D1[i]->isChecked();
    Panel3D1[i]->setVisible(on);
    Panel3D1[i]->setEnabled(on);
    if (on)
        Option3D1[2 * i]->setChecked(true);
    m_viewSel[i] = on ? ListPage::kScoreOrder : 0;
}

void vxPrint::Check3D2_Click(int s) {
    const bool on = Check3D2[s]->isChecked();
    Panel3D2[s]->setVisible(on);
    Panel3D2[s]->setEnabled(on);
    if (on)
        Option3D2[2 * s]->setChecked(true);
    m_subjSel[s] = on ? ListPage::kScoreOrder : 0;
}

void vxPrint::Option3D1_Click(int k) {
    m_viewSel[k / 2] = k % 2 == 0 ? ListPage::kScoreOrder : ListPage::kNumberOrder;
}

void vxPrint::Option3D2_Click(int k) {
    m_subjSel[k / 2] = k % 2 == 0 ? ListPage::kScoreOrder : ListPage::kNumberOrder;
}

void vxPrint::Option3D3_Click(int k) {
    m_termSel = k + 1;
}

int vxPrint::figureTerm() const {
    return m_termSel == 2 ? 4 : c.CurTerm;
}

void vxPrint::Command3D2_Click() {
    if (m_termSel == 0) {
        MsgBox::show(u"学期設定を入力してください"_s);
        return;
    }
    bool any = false;
    for (int i = 0; i < 16; ++i)
        any = any || m_viewSel[i] != 0;
    for (int s = 0; s < 4; ++s)
        any = any || m_subjSel[s] != 0;
    if (!any) {
        MsgBox::show(u"印刷する項目を選択してください"_s);
        return;
    }
    MsgBox::show(PrintSurface::startMessage());
    // The figure term is handed to the pages: the class's current term is never changed.
    PrintSurface ps;
    ps.setDocName(u"成績一覧 "_s + c.ClassName);
    const bool yearEnd = m_termSel == 2;
    {
        const BusyPointer busy;
        for (int i = 0; i < 16; ++i)
            if (m_viewSel[i] != 0)
                ListPage::resultsPage(ps, c, {i / 4 + 1, i % 4 + 1, m_viewSel[i]}, figureTerm(), yearEnd);
        for (int s = 0; s < 4; ++s)
            if (m_subjSel[s] != 0)
                ListPage::resultsPage(ps, c, {s + 1, 0, m_subjSel[s]}, figureTerm(), yearEnd);
    }
    // Nothing sent (the preview closed without printing): the ticks stay for another try.
    if (!ps.EndDocAndTell() || !ps.sent())
        return;
    PrnDatClear();
    MsgBox::show(u"印刷を終了しました。"_s + c.CrLf + u"印刷設定をクリアします。"_s);
}

void vxPrint::SSCommand2_Click() {
    if (m_termSel == 0) {
        MsgBox::show(u"学期設定を入力してください"_s);
        return;
    }
    SSCommand2->setStyleSheet(u"color: #ff0000;"_s);
    MsgBox::show(PrintSurface::startMessage());
    PrintSurface ps;
    ps.setDocName(u"４教科一覧 "_s + c.ClassName);
    {
        const BusyPointer busy;
        ListPage::fourSubjectPage(ps, c, figureTerm(), m_termSel == 2);
    }
    ps.EndDocAndTell();
    SSCommand2->setStyleSheet(u"color: #0000ff;"_s);
}

void vxPrint::SSCommand1_Click() {
    Dialogs::printerSetup(PrintBackend::sharedPrinter());
}

void vxPrint::Command3D1_Click() {
    PrnDatClear();
    c.ReturnForm = u"vxPrint"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}
