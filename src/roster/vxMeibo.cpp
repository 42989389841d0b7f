#include "roster/vxMeibo.h"

#include "controls/Forms.h"
#include "controls/TextBoxes.h"
#include "controls/TextGuard.h"
#include "core/NumberFormat.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "platform/MsgBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// The city as far as its first blank, half- or full-width.
QString cityPart(const QString& city) {
    qsizetype end = city.size();
    for (qsizetype i = 0; i < city.size(); ++i)
        if (city[i] == u' ' || city[i] == u'　') {
            end = i;
            break;
        }
    return city.left(end);
}

QLabel* valueLabel(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setMinimumWidth(Form::twipsToPixels(1800));
    return l;
}
} // namespace

vxMeibo::vxMeibo(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxMeibo"_s), c(c_) {
    setWindowTitle(u"名　　簿"_s);

    auto* info = new QGroupBox(u"現学級情報"_s, this);
    info->setObjectName(u"Frame3D2"_s);
    auto* infoGrid = new QGridLayout(info);
    m_className = valueLabel(info);
    m_className->setObjectName(u"Label1"_s);
    m_classSize = valueLabel(info);
    m_classSize->setObjectName(u"Label2"_s);
    m_school = valueLabel(info);
    m_school->setObjectName(u"Label3"_s);
    m_city = valueLabel(info);
    m_city->setObjectName(u"Label4"_s);
    m_teacher = valueLabel(info);
    m_teacher->setObjectName(u"Label5"_s);
    const QString captions[5] = {u"学級名"_s, u"児童数"_s, u"学校名"_s, u"市町名"_s, u"担任名"_s};
    QLabel* values[5] = {m_className, m_classSize, m_school, m_city, m_teacher};
    for (int i = 0; i < 5; ++i) {
        infoGrid->addWidget(new QLabel(captions[i], info), i, 0);
        infoGrid->addWidget(values[i], i, 1);
    }

    auto* input = new QGroupBox(u"入力："_s, this);
    input->setObjectName(u"Frame3D1"_s);
    Grid1 = new QTableWidget(0, 3, input);
    Grid1->setObjectName(u"Grid1"_s);
    Grid1->setHorizontalHeaderLabels({QString(), u"　名　　　前　"_s, u"性別 "_s});
    Grid1->verticalHeader()->hide();
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setColumnWidth(0, twipsToPixels(500));
    Grid1->setColumnWidth(1, twipsToPixels(1500) * 2);
    Grid1->setColumnWidth(2, twipsToPixels(700));
    Grid1->verticalHeader()->setDefaultSectionSize(twipsToPixels(300));
    connect(Grid1, &QTableWidget::cellClicked, this, &vxMeibo::cellClicked);
    Text1 = new QLineEdit(input);
    Text1->setObjectName(u"Text1"_s);
    // The limit is the name's: a commit that would pass it is refused, never cut.
    TextGuard::watch(Text1, u"名前"_s, PupilRec().PName.width());
    TextBoxes::trackComposition(Text1);
    Text1->installEventFilter(this);
    QPushButton* start = button(u"SSCommand1"_s, u"入力開始"_s, &vxMeibo::SSCommand1_Click);
    QPushButton* cancel = button(u"Command3D2"_s, u"中止"_s, &vxMeibo::Command3D2_Click);
    QPushButton* save = button(u"Command3D1"_s, u"保存終了"_s, &vxMeibo::Command3D1_Click);
    setCloseButton(cancel);
    auto* inputButtons = new QHBoxLayout;
    inputButtons->addWidget(start);
    inputButtons->addStretch();
    inputButtons->addWidget(cancel);
    inputButtons->addWidget(save);
    auto* inputLayout = new QVBoxLayout(input);
    inputLayout->addWidget(Grid1, 1);
    inputLayout->addWidget(Text1);
    inputLayout->addLayout(inputButtons);

    auto* process = new QGroupBox(u"処理選択"_s, this);
    process->setObjectName(u"Frame3D3"_s);
    m_out = new QPushButton(u"転出"_s, process);
    m_out->setObjectName(u"Command3D3"_s);
    m_in = new QPushButton(u"転入"_s, process);
    m_in->setObjectName(u"Command3D4"_s);
    colour(m_out, false);
    colour(m_in, false);
    connect(m_out, &QPushButton::clicked, this, &vxMeibo::Command3D3_Click);
    connect(m_in, &QPushButton::clicked, this, &vxMeibo::Command3D4_Click);
    auto* panel = new QGroupBox(u"転出児童の出席番号"_s, process);
    Text2 = new QLineEdit(panel);
    Text2->setObjectName(u"Text2"_s);
    Text2->setMaxLength(3);
    Text2->setMaximumWidth(twipsToPixels(700));
    connect(Text2, &QLineEdit::textChanged, this, &vxMeibo::Text2_Change);
    auto* label10 = new QLabel(u"児童名"_s, panel);
    label10->setObjectName(u"Label10"_s);
    Label11 = valueLabel(panel);
    Label11->setObjectName(u"Label11"_s);
    auto* panelLayout = new QGridLayout(panel);
    panelLayout->addWidget(Text2, 0, 0);
    panelLayout->addWidget(label10, 0, 1);
    panelLayout->addWidget(Label11, 1, 0, 1, 2);
    auto* processLayout = new QVBoxLayout(process);
    auto* transferButtons = new QHBoxLayout;
    transferButtons->addWidget(m_out);
    transferButtons->addWidget(m_in);
    processLayout->addLayout(transferButtons);
    processLayout->addWidget(panel);

    auto* import = new QGroupBox(u"名簿取り込み"_s, this);
    import->setObjectName(u"SSFrame1"_s);
    auto* importButton = new QPushButton(u"取り込み"_s, import);
    importButton->setObjectName(u"Command1"_s);
    connect(importButton, &QPushButton::clicked, this, &vxMeibo::Command1_Click);
    auto* importLayout = new QVBoxLayout(import);
    importLayout->addWidget(importButton);
    auto* importText = new QLabel(u"別のソフトから名簿を転送します"_s, import);
    importText->setWordWrap(true);
    importLayout->addWidget(importText);

    auto* side = new QVBoxLayout;
    side->addWidget(info);
    side->addWidget(process);
    side->addWidget(import);
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(input, 1);
    layout->addLayout(side);
    resize(twipsToPixels(9000), twipsToPixels(8200));
}

void vxMeibo::colour(QPushButton* button, bool running) {
    button->setStyleSheet(running ? u"color: #ff0000;"_s : u"color: #0000ff;"_s);
}

QString vxMeibo::cellText(int row, int col) const {
    const QTableWidgetItem* item = Grid1->item(row - 1, col);
    return item ? item->text() : QString();
}

void vxMeibo::setCellText(int row, int col, const QString& text) {
    QTableWidgetItem* item = Grid1->item(row - 1, col);
    if (!item) {
        item = new QTableWidgetItem;
        if (col == 0)
            item->setFlags(Qt::ItemIsEnabled);
        Grid1->setItem(row - 1, col, item);
    }
    item->setText(text);
}

void vxMeibo::showClassLabels() {
    m_className->setText(c.ClassName);
    m_classSize->setText(QString::number(c.ClassSize));
    m_school->setText(TextHelpers::CutAfter(c.SchoolName, u"小"_s, u"小"_s));
    m_city->setText(cityPart(c.CityName));
    m_teacher->setText(TextHelpers::TrimPadding(c.TeacherName));
}

void vxMeibo::gridRefresh() {
    Grid1->setRowCount(c.ClassSize);
    for (int i = 1; i <= c.ClassSize; ++i) {
        setCellText(i, 0, NumberFormat::withBlank(i));
        setCellText(i, 1, c.Pupil(i).PName.str());
        setCellText(i, 2, Roster::sexCell(c.Pupil(i).Sex));
    }
}

void vxMeibo::Form_Load() {
    forms.unload(u"vxMain"_s);
    showClassLabels();
    gridRefresh();
}

void vxMeibo::Form_Activate() {
    if (c.NamesImported == 10)
        forms.unload(u"vxNameIn"_s);
    c.NamesImported = 0;
    gridRefresh();
    if (Grid1->currentRow() >= 0 && Grid1->currentColumn() >= 1)
        loadEditBox();
}

Roster::Cell vxMeibo::current() const {
    return {Grid1->currentRow() + 1, qMax(1, Grid1->currentColumn())};
}

void vxMeibo::Movesel(int col, int row) {
    col = col == 0 ? 1 : col;
    row = row == 0 ? 1 : row;
    Grid1->clearSelection();
    Grid1->setCurrentCell(row - 1, col, QItemSelectionModel::ClearAndSelect);
}

void vxMeibo::loadEditBox(By by) {
    const Roster::Cell at = current();
    // Nothing typed for one cell goes into another.
    TextBoxes::dropComposition(Text1);
    // Japanese input for names; digits only in the sex column, unless the teacher clicked there.
    TextBoxes::allowInputMethod(Text1, at.col == 1 || by == By::Mouse);
    Text1->setText(at.col == 2 ? Roster::sexBox(cellText(at.row, 2))
                               : TextHelpers::TrimPadding(cellText(at.row, 1)));
    Text1->selectAll();
    Text1->setFocus();
}

void vxMeibo::goTo(Roster::Cell cell, By by) {
    if (c.ClassSize < 1)
        return;
    Movesel(cell.col, cell.row);
    loadEditBox(by);
}

void vxMeibo::storeEditBox() {
    const Roster::Cell at = current();
    if (Grid1->currentRow() < 0)
        return;
    if (at.col == 2)
        setCellText(at.row, 2, Roster::sexFromBox(TextBoxes::halfWidth(Text1->text()), cellText(at.row, 2)));
    else
        setCellText(at.row, 1, Text1->text());
}

void vxMeibo::SSCommand1_Click() {
    if (c.ClassSize < 1)
        return;
    Grid1->setFocus();
    goTo({1, 1});
}

void vxMeibo::cellClicked(int tableRow, int column) {
    const int row = tableRow + 1;
    if (m_transferMode == 100) {
        Label11->setText(c.Pupil(row).PName.str());
        Text2->setText(NumberFormat::withBlank(row));
        return;
    }
    goTo({row, qMax(1, column)}, By::Mouse);
}

bool vxMeibo::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Text1 || event->type() != QEvent::KeyPress || Grid1->currentRow() < 0)
        return Form::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int size = c.ClassSize;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        storeEditBox();
        goTo(Roster::afterEnter(current(), size));
        return true;
    case Qt::Key_Left:
        goTo(Roster::afterArrow(current(), Roster::Arrow::Left, size));
        return true;
    case Qt::Key_Right:
        goTo(Roster::afterArrow(current(), Roster::Arrow::Right, size));
        return true;
    case Qt::Key_Up:
        goTo(Roster::afterArrow(current(), Roster::Arrow::Up, size));
        return true;
    case Qt::Key_Down:
        goTo(Roster::afterArrow(current(), Roster::Arrow::Down, size));
        return true;
    default:
        return Form::eventFilter(watched, event);
    }
}

void vxMeibo::Command3D1_Click() {
    for (int i = 1; i <= c.ClassSize; ++i) {
        c.Pupil(i).PName = cellText(i, 1);
        c.Pupil(i).Sex = Roster::sexFromCell(cellText(i, 2));
    }
    for (int i = 1; i <= c.ClassSize; ++i) {
        const QString sex = c.Pupil(i).Sex;
        if (sex != u"1"_s && sex != u"2"_s) {
            MsgBox::show(u"性別が入力されていない箇所があります。性別を入力してから終了して下さい。"_s);
            return;
        }
    }
    if (!c.SavePupils())
        return;
    handBack();
}

void vxMeibo::Command3D2_Click() {
    handBack();
}

void vxMeibo::handBack() {
    c.ReturnForm = u"vxMeibo"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}

void vxMeibo::Command3D3_Click() {
    colour(m_out, true);
    m_transferMode = 100;
    MsgBox::show(u"転出する児童を選んでください"_s);
}

void vxMeibo::Text2_Change() {
    if (m_transferMode == 0 || m_asking)
        return;
    bool ok = false;
    const int n = Text2->text().trimmed().toInt(&ok);
    // Only a roster position is acted on.
    if (!ok || n < 1 || n > c.ClassSize)
        return;
    const QString prefix = Text2->text() + u"番の"_s + c.Pupil(n).PName.str().left(10);
    m_asking = true;
    // Asked as soon as a number is typed, so a second digit or Enter must not confirm it.
    const bool yes = MsgBox::show(prefix + u"さんの転出でよろしいですか"_s, MsgBox::OkCancel,
                                  MsgBox::Question, MsgBox::defaultTitle(), MsgBox::Cancel) == MsgBox::Ok;
    if (yes) {
        MsgBox::show(prefix + u"さんの転出処理をします"_s);
        if (Roster::transferOut(c, n)) {
            showClassLabels();
            gridRefresh();
        }
    } else {
        MsgBox::show(prefix + u"さんの転出を中止します"_s);
    }
    m_transferMode = 0;
    Text2->clear();
    Label11->clear();
    colour(m_out, false);
    m_asking = false;
}

void vxMeibo::Command3D4_Click() {
    colour(m_in, true);
    m_transferMode = 200;
    const QString refusal = Roster::transferInRefusal(c);
    if (!refusal.isEmpty()) {
        MsgBox::show(refusal, MsgBox::OkOnly, MsgBox::Warning);
    } else if (MsgBox::show(u"児童の転入をしますか（出席番号は、最後尾）"_s, MsgBox::OkCancel,
                            MsgBox::Question) == MsgBox::Ok) {
        MsgBox::show(u"転入処理をします"_s);
        // Edits in the grid so far are kept: the new row is added below them.
        if (Roster::transferIn(c)) {
            const int row = c.ClassSize;
            Grid1->setRowCount(row);
            setCellText(row, 0, NumberFormat::withBlank(row));
            setCellText(row, 1, c.Pupil(row).PName.str());
            setCellText(row, 2, QString());
            showClassLabels();
            goTo({row, 1});
        }
    } else {
        MsgBox::show(u"転入処理を中止します"_s);
    }
    m_transferMode = 0;
    colour(m_in, false);
}

void vxMeibo::Command1_Click() {
    forms.show(u"vxNameIn"_s);
}
