#include "scores/vxData.h"

#include "controls/Forms.h"
#include "controls/TextBoxes.h"
#include "core/AbsentMarks.h"
#include "core/NumberFormat.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "platform/MsgBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace TestSheets;

vxData::vxData(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxData"_s), c(c_) {
    setWindowTitle(u"テストデータ入力"_s);

    auto* info = new QGroupBox(u"現学級情報"_s, this);
    info->setObjectName(u"Frame3D3"_s);
    m_school = new QLabel(info);
    m_className = new QLabel(info);
    m_term = new QLabel(info);
    auto* infoLayout = new QHBoxLayout(info);
    infoLayout->addWidget(m_school);
    infoLayout->addWidget(m_className);
    infoLayout->addWidget(m_term);
    infoLayout->addWidget(new QLabel(u"学期"_s, info));
    infoLayout->addStretch();

    auto* label4 = new QLabel(u"教科の選択"_s, this);
    label4->setObjectName(u"Label4"_s);
    List1 = new QListWidget(this);
    List1->setObjectName(u"List1"_s);
    List1->setFixedHeight(twipsToPixels(1200));
    List1->installEventFilter(this);
    // Moving through the subjects with the arrow keys chooses the subject as a click does, so the
    // subject highlighted is always the one the window works on.
    connect(List1, &QListWidget::currentRowChanged, this, [this] {
        if (!m_quiet)
            List1_Click();
    });
    // A click on the subject already highlighted (at first, before any subject was taken).
    connect(List1, &QListWidget::itemClicked, this, [this] {
        if (List1->currentRow() != m_subjectRow)
            List1_Click();
    });

    auto* frame1 = new QGroupBox(u"枚数の選択"_s, this);
    frame1->setObjectName(u"Frame1"_s);
    Combo1 = new QComboBox(frame1);
    Combo1->setObjectName(u"Combo1"_s);
    Combo1->installEventFilter(this);
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_quiet)
            Combo1_Click();
    });
    auto* frame1Layout = new QVBoxLayout(frame1);
    frame1Layout->addWidget(Combo1);
    frame1Layout->addWidget(new QLabel(u"(Max 20枚)"_s, frame1));
    frame1Layout->addWidget(new QLabel(u"クリア:BS Key"_s, frame1));
    frame1Layout->addWidget(new QLabel(u"削除:ESC Key"_s, frame1));

    auto* allocFrame = new QGroupBox(u"観点入力"_s, this);
    allocFrame->setObjectName(u"Frame3D1"_s);
    auto* allocLayout = new QHBoxLayout(allocFrame);
    for (int i = 0; i < 4; ++i) {
        Frame3D2[i] = new QGroupBox(allocFrame);
        Frame3D2[i]->setObjectName(u"Frame3D2(%1)"_s.arg(i));
        Text2[i] = new QLineEdit(Frame3D2[i]);
        Text2[i]->setObjectName(u"Text2(%1)"_s.arg(i));
        // Allocations are digits: no input method; full-width digits typed or pasted count.
        Text2[i]->setValidator(new TextBoxes::HalfWidthValidator(u"[0-9]{0,3}"_s, Text2[i]));
        TextBoxes::allowInputMethod(Text2[i], false);
        Text2[i]->setMaximumWidth(twipsToPixels(900));
        connect(Text2[i], &QLineEdit::textChanged, this, [this, i] { Text2_Change(i); });
        (new QVBoxLayout(Frame3D2[i]))->addWidget(Text2[i]);
        Frame3D2[i]->setMinimumWidth(twipsToPixels(1300));
        allocLayout->addWidget(Frame3D2[i]);
    }
    auto* totalFrame = new QGroupBox(u"合　計"_s, allocFrame);
    Label9 = new QLabel(totalFrame);
    Label9->setObjectName(u"Label9"_s);
    Label9->setMinimumWidth(twipsToPixels(700));
    (new QVBoxLayout(totalFrame))->addWidget(Label9);
    allocLayout->addWidget(totalFrame);

    Command3D1 = new QPushButton(u"入力開始"_s, this);
    Command3D1->setObjectName(u"Command3D1"_s);
    Command3D2 = new QPushButton(u"保存終了"_s, this);
    Command3D2->setObjectName(u"Command3D2"_s);
    Command3D4 = new QPushButton(u"保存後続行"_s, this);
    Command3D4->setObjectName(u"Command3D4"_s);
    QPushButton* cancel = button(u"Command3D3"_s, u"中　止"_s, &vxData::Command3D3_Click);
    connect(Command3D1, &QPushButton::clicked, this, &vxData::Command3D1_Click);
    connect(Command3D2, &QPushButton::clicked, this, &vxData::Command3D2_Click);
    connect(Command3D4, &QPushButton::clicked, this, &vxData::Command3D4_Click);
    setCloseButton(cancel);

    auto* keys = new QGroupBox(u"Data入力時のキー"_s, this);
    keys->setObjectName(u"Frame2"_s);
    auto* keysLayout = new QVBoxLayout(keys);
    for (const QString& k :
         {u"欠席：K"_s, u"Enter:入力"_s, u"矢印：項目移動"_s, u"削除：BS,Del"_s, u"数字：点数"_s})
        keysLayout->addWidget(new QLabel(k, keys));

    auto* label1 = new QLabel(u"平均点"_s, this);
    label1->setObjectName(u"Label1"_s);
    Text3 = new QLineEdit(this);
    Text3->setObjectName(u"Text3"_s);
    Text3->setReadOnly(true);
    Text3->setMaximumWidth(twipsToPixels(900));
    auto* label15 = new QLabel(u"点"_s, this);
    label15->setObjectName(u"Label15"_s);

    auto* left = new QVBoxLayout;
    left->addWidget(label4);
    left->addWidget(List1);
    left->addWidget(frame1);
    left->addWidget(keys);
    left->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command3D1);
    buttons->addSpacing(12);
    buttons->addWidget(label1);
    buttons->addWidget(Text3);
    buttons->addWidget(label15);
    buttons->addStretch();
    buttons->addWidget(Command3D4);
    buttons->addWidget(Command3D2);
    buttons->addWidget(cancel);
    m_entryArea = new QWidget(this);
    buildEntryArea(m_entryArea);
    auto* right = new QVBoxLayout;
    right->addWidget(info);
    right->addWidget(allocFrame);
    right->addLayout(buttons);
    right->addWidget(m_entryArea, 100);
    // With the entry area hidden, the allocation part keeps its height.
    right->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    // As tall as the screen allows (a class of 35 needs the rows), no less than before.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().height() - 48 : 0;
    resize(twipsToPixels(11500), std::max(twipsToPixels(8600), std::min(room, twipsToPixels(11000))));
}

void vxData::buildEntryArea(QWidget* parent) {
    auto* label14 = new QLabel(u"Data入力:>"_s, parent);
    label14->setObjectName(u"Label14"_s);
    Label11 = new QLabel(parent);
    Label11->setObjectName(u"Label11"_s);
    Label12 = new QLabel(parent);
    Label12->setObjectName(u"Label12"_s);
    Label13 = new QLabel(parent);
    Label13->setObjectName(u"Label13"_s);
    auto* current = new QHBoxLayout;
    current->addWidget(label14);
    current->addWidget(Label11);
    current->addWidget(Label12);
    for (int i = 0; i < 4; ++i) {
        Text1[i] = new QLineEdit(parent);
        Text1[i]->setObjectName(u"Text1(%1)"_s.arg(i));
        Text1[i]->setMaxLength(5);
        Text1[i]->setMaximumWidth(twipsToPixels(800));
        Text1[i]->setAlignment(Qt::AlignRight);
        // Scores are digits and K, typed on the ten-key pad: the input method stays off, and
        // full-width digits and ｋ typed or pasted anyway count as their half-width forms.
        TextBoxes::allowInputMethod(Text1[i], false);
        Text1[i]->setValidator(new TextBoxes::HalfWidthValidator(QString(), Text1[i]));
        TextBoxes::trackComposition(Text1[i]);
        Text1[i]->installEventFilter(this);
        connect(Text1[i], &QLineEdit::textChanged, this, [this, i] { boxTextChanged(i); });
        current->addWidget(Text1[i]);
    }
    current->addWidget(new QLabel(u"合計"_s, parent));
    current->addWidget(Label13);
    current->addStretch();

    auto* lists = new QGridLayout;
    lists->setHorizontalSpacing(0);
    const int widths[7] = {3, 8, 5, 5, 5, 5, 5};
    for (int i = 0; i < 7; ++i) {
        Label10[i] = new QLabel(parent);
        Label10[i]->setObjectName(u"Label10(%1)"_s.arg(i));
        List2[i] = new QListWidget(parent);
        List2[i]->setObjectName(u"List2(%1)"_s.arg(i));
        List2[i]->setFont(fixedPitchFont(font()));
        List2[i]->setVerticalScrollBarPolicy(i == 6 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        List2[i]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        const int cell = QFontMetrics(List2[i]->font()).horizontalAdvance(u"0"_s);
        List2[i]->setFixedWidth(cell * widths[i] * (i == 1 ? 2 : 1) + 12 + (i == 6 ? 16 : 0));
        List2[i]->installEventFilter(this);
        connect(List2[i], &QListWidget::currentRowChanged, this, [this](int row) {
            if (m_quiet || row < 0 || !m_entry)
                return;
            m_curPupil = row;
            List_print();
            Text1_set();
        });
        lists->addWidget(Label10[i], 0, i);
        lists->addWidget(List2[i], 1, i);
    }
    // The seven lists scroll as one, whichever of them is scrolled (wheel, keys or scroll bar), so a
    // name always stands beside its scores.
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j)
            if (i != j)
                connect(List2[i]->verticalScrollBar(), &QScrollBar::valueChanged,
                        List2[j]->verticalScrollBar(), &QScrollBar::setValue);
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(current);
    auto* listRow = new QHBoxLayout;
    listRow->addLayout(lists);
    listRow->addStretch();
    layout->addLayout(listRow, 1);
}

void vxData::showClassLabels() {
    m_school->setText(TextHelpers::CutAtBlank(c.SchoolName));
    m_className->setText(c.ClassName);
    m_term->setText(QString::number(c.CurTerm));
}

void vxData::leaveToMain() {
    c.ReturnForm = u"vxData"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}

void vxData::Form_Load() {
    forms.unload(u"vxMain"_s);
    c.SplitClassName();
    Command3D2->setEnabled(false);
    Command3D4->setEnabled(false);
    m_entryArea->hide();
    for (int i = 0; i < 4; ++i) {
        Frame3D2[i]->setTitle(QString());
        m_quiet = true;
        Text2[i]->clear();
        m_quiet = false;
    }
    showClassLabels();
    // Score strings hold terms 1 to 3 only.
    if (c.CurTerm < 1 || c.CurTerm > 3) {
        MsgBox::show(u"現在の学期が１～３になっていません。"_s + c.CrLf +
                         u"初期設定で現在の学期を直してください。"_s,
                     MsgBox::OkOnly, MsgBox::Warning);
        leaveToMain();
        return;
    }
    loadAllocations(c, m_alloc, c.CurTerm);
    fillSubjects();
    if (c.CurTerm > 1 && !earlierTermsCalculated(c)) {
        if (MsgBox::show(u"前の学期のテストデータが入力されていません。続けますか"_s, MsgBox::OkCancel,
                         MsgBox::Question) != MsgBox::Ok) {
            MsgBox::show(u"テストデータの入力を中止します"_s);
            leaveToMain();
        }
    }
}

void vxData::fillSubjects() {
    m_quiet = true;
    List1->clear();
    for (const Subject& s : subjects(c.Grade))
        List1->addItem(s.caption);
    List1->setCurrentRow(0);
    m_subjectRow = -1;
    m_quiet = false;
}

void vxData::List1_Click() {
    const int row = List1->currentRow();
    const QList<Subject> list = subjects(c.Grade);
    if (row < 0 || row >= list.size())
        return;
    m_subjectRow = row;
    m_subject = list[row].data;
    m_subjectNo = list[row].slot;
    Text3->clear();
    rebuildSheetList();
}

void vxData::rebuildSheetList() {
    m_quiet = true;
    Combo1->clear();
    for (int n = 1; n <= 20; ++n)
        Combo1->addItem(sheetEntry(n, m_subject ? m_alloc.total(m_subject, n) : 0));
    Combo1->setCurrentIndex(-1);
    m_quiet = false;
    Combo1->setCurrentIndex(0);
}

void vxData::Combo1_Click() {
    if (m_subject == 0 || Combo1->currentIndex() < 0)
        return;
    m_sheet = Combo1->currentIndex() + 1;
    m_scores = EntryScores{};
    for (int v = 1; v <= 4; ++v) {
        const QString name = c.ViewName(m_subjectNo, v);
        const bool used = viewpointUsed(name);
        Text2[v - 1]->setEnabled(used);
        Frame3D2[v - 1]->setTitle(used ? TextHelpers::TrimPadding(name) : QString());
        m_quiet = true;
        Text2[v - 1]->setText(QString::number(m_alloc.points(m_subject, v, m_sheet)));
        m_quiet = false;
    }
    Text3->clear();
}

void vxData::Text2_Change(int i) {
    if (m_quiet || m_subject == 0 || m_sheet == 0)
        return;
    const int value = Text2[i]->text().toInt();
    if (value > 100) {
        MsgBox::show(u"部分点は、100点以下に制限されています。"_s);
        Text2[i]->setText(u"0"_s);
        return;
    }
    m_alloc.points(m_subject, i + 1, m_sheet) = value;
}

void vxData::Command3D1_Click() {
    if (m_subject == 0 || m_sheet == 0) {
        MsgBox::show(u"教科あるいは枚数の選択をしてください"_s);
        return;
    }
    int sum = 0;
    for (QLineEdit* box : Text2)
        sum += box->text().toInt();
    if (sum == 0) {
        MsgBox::show(u"このテストの配点を入力してください"_s);
        return;
    }
    if (c.ClassSize < 1) {
        MsgBox::show(u"名簿に児童がいません。先に名簿を入力してください。"_s);
        return;
    }
    m_alloc.points(m_subject, 1, m_sheet) = Text2[0]->text().toInt();
    Label9->setText(NumberFormat::plain(sum));
    if (totalAccepted(sum) && MsgBox::show(u"合計が"_s + Label9->text() + u"点になりました。"_s + c.CrLf +
                                               u"DATA入力開始はOK、配点入力続行はｷｬﾝｾﾙを選択して下さい"_s,
                                           MsgBox::OkCancel, MsgBox::Question) == MsgBox::Ok) {
        List1->setEnabled(false);
        Combo1->setEnabled(false);
        m_entryArea->show();
        openSheet();
        InpStrtDsbl(false);
        m_curPupil = 0;
        m_entry = true;
        List_print();
        Text1_set();
        Command3D2->setEnabled(true);
        Command3D4->setEnabled(true);
        return;
    }
    MsgBox::show(u"テストの配点の合計を100､150､200､300点のいずれかにしてください。"_s);
    Text2[0]->setFocus();
}

void vxData::openSheet() {
    for (QListWidget* l : List2) {
        l->setEnabled(true);
        l->show();
    }
    loadScores(c, m_scores, m_subject, m_sheet, c.CurTerm);
    Label10[0]->setText(u" 番"_s);
    Label10[1]->setText(u"　   名　　前"_s);
    for (int v = 1; v <= 4; ++v)
        Label10[v + 1]->setText(c.ViewName(m_subjectNo, v).str().left(2));
    Label10[6]->setText(u"合 計"_s);
    m_quiet = true;
    for (QListWidget* l : List2)
        l->clear();
    for (int p = 1; p <= c.ClassSize; ++p) {
        const QStringList cells = rowCells(c, m_scores, p, m_subject, m_sheet, c.CurTerm);
        for (int i = 0; i < 7; ++i)
            List2[i]->addItem(cells[i]);
    }
    m_quiet = false;
    selectRow(0);
    m_enterReady = true;
    ViewCount = 0;
    for (int v = 1; v <= 4; ++v) {
        const bool off = m_alloc.points(m_subject, v, m_sheet) == 0;
        Text1[v - 1]->setEnabled(!off);
        ViewOff[v - 1] = off ? 10 : 0;
        if (off) {
            for (int p = 1; p <= 42; ++p)
                m_scores(v, p) = 0;
        } else {
            ++ViewCount;
        }
    }
}

void vxData::fillRow(int p) {
    const QStringList cells = rowCells(c, m_scores, p, m_subject, m_sheet, c.CurTerm);
    for (int i = 0; i < 7; ++i)
        if (QListWidgetItem* item = List2[i]->item(p - 1))
            item->setText(cells[i]);
}

void vxData::selectRow(int row) {
    m_quiet = true;
    for (QListWidget* l : List2)
        l->setCurrentRow(row);
    m_quiet = false;
}

void vxData::List_print() {
    const int p = m_curPupil + 1;
    Label11->setText(NumberFormat::withBlank(p));
    Label12->setText(c.Pupil(p).PName.str());
    m_enterReady = false;
    // Nothing typed for one pupil goes to another.
    for (QLineEdit* box : Text1)
        TextBoxes::dropComposition(box);
    for (int v = 1; v <= 4; ++v)
        Text1[v - 1]->setText(NumberFormat::plain(m_scores(v, p)));
    m_enterReady = true;
    int sum = 0;
    for (QLineEdit* box : Text1)
        sum += NumberFormat::toInt(numericValue(box->text()));
    Label13->setText(NumberFormat::plain(sum));
    selectRow(m_curPupil);
}

void vxData::ListNowPlus() {
    m_curPupil = m_curPupil + 1 >= c.ClassSize ? 0 : m_curPupil + 1;
}

void vxData::Text1_set() {
    for (int i = 0; i < 4; ++i)
        if (Text1[i]->isEnabled()) {
            focusBox(i);
            return;
        }
}

void vxData::Input_enblclr() {
    for (int& off : ViewOff)
        off = 0;
    ViewCount = 0;
}

void vxData::InpStrtDsbl(bool enabled) {
    Command3D1->setEnabled(enabled);
    for (QLineEdit* box : Text2)
        box->setEnabled(enabled);
}

void vxData::focusBox(int i) {
    Text1[i]->setFocus();
    Text1[i]->selectAll();
}

int vxData::nextEnabled(int i, int step) const {
    for (int k = 1; k <= 4; ++k) {
        const int j = ((i + step * k) % 4 + 4) % 4;
        if (Text1[j]->isEnabled())
            return j;
    }
    return i;
}

void vxData::boxTextChanged(int i) {
    if (m_quiet)
        return;
    const QString t = Text1[i]->text();
    m_quiet = true;
    // A zero shows as an empty box; K anywhere marks the pupil absent.
    if (t == u"0"_s)
        Text1[i]->setText(QString());
    else if (t.contains(u'k', Qt::CaseInsensitive))
        for (QLineEdit* box : Text1)
            box->setText(u"欠"_s);
    m_quiet = false;
}

void vxData::enterInBox(int i) {
    if (!m_enterReady || !m_entry)
        return;
    const int p = m_curPupil + 1;
    const double x = numericValue(Text1[i]->text());
    if (x > m_alloc.points(m_subject, i + 1, m_sheet)) {
        MsgBox::show(u"この観点の配点を越えています"_s, MsgBox::OkOnly, MsgBox::Information);
        return;
    }
    if (x < 0) {
        MsgBox::show(u"マイナスの点数は入力できません"_s, MsgBox::OkOnly, MsgBox::Information);
        return;
    }
    if (isAbsent(c, p, m_subject, m_sheet, c.CurTerm))
        setAbsent(c, p, m_subject, m_sheet, c.CurTerm, false);
    if (Text1[i]->text() == u"欠"_s) {
        for (int v = 1; v <= 4; ++v)
            m_scores(v, p) = 0;
        setAbsent(c, p, m_subject, m_sheet, c.CurTerm, true);
    } else {
        m_scores(i + 1, p) = NumberFormat::toInt(x);
    }
    fillRow(p);
    int lastEnabled = 3;
    while (lastEnabled > 0 && !Text1[lastEnabled]->isEnabled())
        --lastEnabled;
    if (i >= lastEnabled) {
        ListNowPlus();
        List_print();
        Text1_set();
    } else {
        focusBox(nextEnabled(i, 1));
    }
}

bool vxData::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return Form::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    for (int i = 0; i < 4; ++i) {
        if (watched != Text1[i])
            continue;
        switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            enterInBox(i);
            return true;
        case Qt::Key_Left:
            focusBox(nextEnabled(i, -1));
            return true;
        case Qt::Key_Right:
            focusBox(nextEnabled(i, 1));
            return true;
        case Qt::Key_Up:
            m_curPupil = m_curPupil <= 0 ? c.ClassSize - 1 : m_curPupil - 1;
            List_print();
            Text1_set();
            return true;
        case Qt::Key_Down:
            ListNowPlus();
            List_print();
            Text1_set();
            return true;
        default:
            return false;
        }
    }
    if (watched == List1 && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        List1_Click();
        return true;
    }
    if (watched == Combo1 && !m_entry && (key == Qt::Key_Escape || key == Qt::Key_Backspace)) {
        if (m_subject != 0 && Combo1->currentIndex() >= 0) {
            if (key == Qt::Key_Escape)
                Del_Maisu(Combo1->currentIndex());
            else
                Clr_Maisu(Combo1->currentIndex());
            rebuildSheetList();
        }
        return true;
    }
    return Form::eventFilter(watched, event);
}

void vxData::Heikin() {
    const std::optional<double> avg = average(c, m_scores, m_subject, m_sheet, c.CurTerm);
    Text3->setText(avg ? NumberFormat::format(*avg, u"###.#"_s) : QString());
}

bool vxData::storeSheet() {
    Heikin();
    MsgBox::show(u"平均点を計算しました"_s);
    storeAllocation(c, m_alloc, m_subject, m_sheet, c.CurTerm);
    storeScores(c, m_scores, m_subject, m_sheet, c.CurTerm);
    // A failed save has told the teacher which file; the window stays in entry mode with the
    // scores on screen, so the teacher can save again.
    if (!c.SaveClass())
        return false;
    Input_enblclr();
    InpStrtDsbl(true);
    return true;
}

void vxData::Command3D2_Click() {
    if (!m_entry || !storeSheet())
        return;
    m_entry = false;
    leaveToMain();
}

void vxData::endEntryArea() {
    m_quiet = true;
    for (QListWidget* l : List2)
        l->clear();
    for (QLineEdit* box : Text1)
        box->clear();
    for (int i = 0; i < 4; ++i) {
        Text2[i]->clear();
        Frame3D2[i]->setTitle(QString());
    }
    m_quiet = false;
    Label11->clear();
    Label12->clear();
    Label13->clear();
    m_entryArea->hide();
}

void vxData::backToAllocation() {
    m_entry = false;
    endEntryArea();
    List1->setEnabled(true);
    Combo1->setEnabled(true);
    Command3D2->setEnabled(false);
    Command3D4->setEnabled(false);
    loadAllocations(c, m_alloc, c.CurTerm);
    rebuildSheetList();
}

void vxData::Command3D4_Click() {
    if (!m_entry || !storeSheet())
        return;
    backToAllocation();
    Text3->clear();
}

void vxData::Command3D3_Click() {
    // Absences typed on the open sheet (K + Enter) go with its unsaved scores: the table is made
    // to match the stored marks again.
    if (m_entry)
        AbsentMarks::loadSheet(c, m_subject, c.CurTerm, m_sheet);
    m_entry = false;
    leaveToMain();
}

bool vxData::confirmClose() {
    if (!m_entry)
        return true;
    return MsgBox::show(
               u"入力した点数はまだ保存していません。"_s + c.CrLf + u"保存しないで閉じてよろしいですか"_s,
               MsgBox::OkCancel, MsgBox::Question, MsgBox::defaultTitle(), MsgBox::Cancel) == MsgBox::Ok;
}

void vxData::Clr_Maisu(int index) {
    const int n = index + 1;
    const QString sheet = NumberFormat::withBlank(n);
    if (MsgBox::show(u"この教科の"_s + sheet + u"枚目のテストデータを消去しますか"_s, MsgBox::OkCancel,
                     MsgBox::Question, MsgBox::defaultTitle(), MsgBox::Cancel) != MsgBox::Ok) {
        MsgBox::show(sheet + u"枚目のテストデータを消去しませんでした"_s);
        return;
    }
    m_scores = EntryScores{};
    if (!clearSheet(c, m_alloc, m_subject, n, c.CurTerm))
        return;
    MsgBox::show(sheet + u"枚目のテストデータを消去しました"_s);
}

void vxData::Del_Maisu(int index) {
    const int n = index + 1;
    const QString sheet = NumberFormat::withBlank(n);
    if (MsgBox::show(u"この教科の"_s + sheet + u"枚目のテストデータを削除しますか"_s + c.CrLf +
                         u"必ずデータのバックアップをとってから行ってください"_s,
                     MsgBox::OkCancel, MsgBox::Question, MsgBox::defaultTitle(),
                     MsgBox::Cancel) != MsgBox::Ok) {
        MsgBox::show(sheet + u"枚目のテストデータを削除しませんでした"_s);
        return;
    }
    m_scores = EntryScores{};
    if (!deleteSheet(c, m_alloc, m_subject, n, c.CurTerm))
        return;
    MsgBox::show(sheet + u"枚目のテストデータを削除しました"_s);
}
