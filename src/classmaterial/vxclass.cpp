#include "classmaterial/vxclass.h"

#include "controls/Forms.h"
#include "core/FigureWindows.h"
#include "core/NumberFormat.h"
#include "core/PrintSurface.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "platform/BusyPointer.h"
#include "platform/Dialogs.h"
#include "platform/DosPath.h"
#include "platform/MsgBox.h"
#include "platform/SafeSave.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

vxclass::vxclass(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxclass"_s), c(c_) {
    setWindowTitle(u"学級編成資料作成"_s);
    auto group = [this](const QString& title, QPushButton** buttons, const QStringList& captions,
                        const QString& name, void (vxclass::*handler)(int)) {
        auto* frame = new QGroupBox(title, this);
        auto* layout = new QHBoxLayout(frame);
        for (int i = 0; i < captions.size(); ++i) {
            buttons[i] = new QPushButton(captions[i], frame);
            buttons[i]->setObjectName(u"%1(%2)"_s.arg(name).arg(i));
            connect(buttons[i], &QPushButton::clicked, this, [this, handler, i] { (this->*handler)(i); });
            layout->addWidget(buttons[i]);
        }
        return frame;
    };
    QGroupBox* terms =
        group(u"学期設定"_s, SSCommand5, {u"１・２・３学期"_s, u"１・２学期"_s, u"２・３学期"_s},
              u"SSCommand5"_s, &vxclass::SSCommand5_Click);
    QGroupBox* subjects = group(u"教科設定"_s, SSCommand1, {u"２教科"_s, u"４教科"_s}, u"SSCommand1"_s,
                                &vxclass::SSCommand1_Click);
    auto* info = new QGroupBox(u"現学級情報"_s, this);
    Label1 = new QLabel(info);
    Label1->setObjectName(u"Label1"_s);
    Label2 = new QLabel(info);
    Label2->setObjectName(u"Label2"_s);
    auto* infoLayout = new QHBoxLayout(info);
    infoLayout->addWidget(Label1);
    infoLayout->addWidget(Label2);
    infoLayout->addStretch();

    auto* grids = new QHBoxLayout;
    const QString titles[2] = {u"男　　子"_s, u"女　　子"_s};
    for (int g = 0; g < 2; ++g) {
        auto* frame = new QGroupBox(titles[g], this);
        frame->setObjectName(u"SSFrame3(%1)"_s.arg(g));
        Grid1[g] = new QTableWidget(42, 3, frame);
        Grid1[g]->setObjectName(u"Grid1(%1)"_s.arg(g));
        Grid1[g]->setEditTriggers(QAbstractItemView::NoEditTriggers);
        Grid1[g]->verticalHeader()->hide();
        Grid1[g]->setHorizontalHeaderLabels({QString(), u"　名　　　前　"_s, u" 得点 "_s});
        Grid1[g]->setFont(fixedPitchFont(font()));
        Grid1[g]->setColumnWidth(0, twipsToPixels(400));
        // Room for a name of ten full-width characters; the rows as high as a line of text.
        Grid1[g]->setColumnWidth(1, QFontMetrics(Grid1[g]->font()).horizontalAdvance(QString(10, u'あ')) + 8);
        Grid1[g]->setColumnWidth(2, twipsToPixels(800));
        Grid1[g]->verticalHeader()->setDefaultSectionSize(QFontMetrics(Grid1[g]->font()).height() + 6);
        (new QVBoxLayout(frame))->addWidget(Grid1[g]);
        grids->addWidget(frame);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(u"SSCommand2"_s, u"ﾃﾞｰﾀﾌｧｲﾙ作成"_s, &vxclass::SSCommand2_Click));
    buttons->addWidget(button(u"SSCommand4"_s, u"印　　刷"_s, &vxclass::SSCommand4_Click));
    buttons->addStretch();
    QPushButton* end = button(u"SSCommand3"_s, u"終　　了"_s, &vxclass::SSCommand3_Click);
    buttons->addWidget(end);
    setCloseButton(end);

    auto* top = new QHBoxLayout;
    top->addWidget(terms);
    top->addWidget(subjects);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(info);
    layout->addLayout(grids, 1);
    layout->addLayout(buttons);
    resize(twipsToPixels(9600), twipsToPixels(8400));
}

void vxclass::Form_Load() {
    if (FigureWindows::refuseWithoutFigures(c, forms, tag()))
        return;
    paintChosen({SSCommand1[0], SSCommand1[1]}, -1);
    paintChosen({SSCommand5[0], SSCommand5[1], SSCommand5[2]}, -1);
    opening();
}

void vxclass::Form_Activate() {
    // Back after another class was chosen or the roster changed: never the previous class's lists.
    opening();
    if (m_subjSet != 0)
        showRange();
}

void vxclass::opening() {
    c.SplitClassName();
    Label1->setText(c.SchoolName.str());
    Label2->setText(c.ClassName);
    Grid_Init();
}

void vxclass::Grid_Init() {
    int boys = 0;
    for (int p = 1; p <= qBound(0, static_cast<int>(c.ClassSize), 42); ++p)
        boys += ClassMaterial::isBoy(c.Pupil(p).Sex);
    const int counts[2] = {boys, qBound(0, static_cast<int>(c.ClassSize), 42) - boys};
    for (int g = 0; g < 2; ++g) {
        Grid1[g]->clearContents();
        Grid1[g]->setRowCount(counts[g]);
        for (int r = 0; r < counts[g]; ++r)
            Grid1[g]->setItem(r, 0,
                              new QTableWidgetItem(TextHelpers::RightJustify(QString::number(r + 1), 2)));
    }
}

void vxclass::Grid_Form() {
    int row[2] = {0, 0};
    for (const ClassMaterial::Entry& e : std::as_const(m_rank)) {
        const int g = ClassMaterial::isBoy(e.sex) ? 0 : 1;
        if (row[g] >= Grid1[g]->rowCount())
            continue;
        Grid1[g]->setItem(row[g], 1, new QTableWidgetItem(e.name));
        Grid1[g]->setItem(row[g], 2, new QTableWidgetItem(NumberFormat::format(e.mean, u"##0.0"_s)));
        ++row[g];
    }
}

void vxclass::showRange() {
    m_rank = ClassMaterial::ranking(c, m_subjSet, m_termSet == 0 ? 1 : m_termSet);
    Grid_Form();
}

void vxclass::SSCommand1_Click(int i) {
    paintChosen({SSCommand1[0], SSCommand1[1]}, i);
    paintChosen({SSCommand5[0], SSCommand5[1], SSCommand5[2]}, -1);
    m_subjSet = i + 1;
    m_termSet = 1;
    showRange();
}

void vxclass::SSCommand5_Click(int i) {
    if (m_subjSet == 0) {
        MsgBox::show(u"先に教科設定を入力して下さい"_s);
        return;
    }
    paintChosen({SSCommand5[0], SSCommand5[1], SSCommand5[2]}, i);
    m_termSet = i + 1;
    showRange();
}

bool vxclass::yearEndRanking() {
    if (m_subjSet == 0) {
        MsgBox::show(u"教科設定を入力して下さい"_s);
        return false;
    }
    // Without the year-end calculation every mean would be 0.0 and roster order would go out as
    // a ranking.
    if (c.CalcMark(4, 1) != u"O"_s && MsgBox::show(u"年度末の計算処理がされていません。続けますか"_s,
                                                   MsgBox::OkCancel, MsgBox::Question) != MsgBox::Ok)
        return false;
    m_termSet = 1;
    m_rank = ClassMaterial::ranking(c, m_subjSet, 1);
    // The screen shows what goes to the files or the paper.
    paintChosen({SSCommand5[0], SSCommand5[1], SSCommand5[2]}, 0);
    Grid_Form();
    return true;
}

void vxclass::SSCommand2_Click() {
    if (!yearEndRanking())
        return;
    file_save();
}

void vxclass::file_save() {
    const QString chosen =
        Dialogs::saveFile(u"データファイル保存場所の指定"_s, DosPath::toNative(c.ClassPath), QString());
    if (chosen.isEmpty())
        return; // cancelled: nothing is written
    const QString files[2] = {chosen + u"m.txt"_s, chosen + u"w.txt"_s};
    if ((QFileInfo::exists(files[0]) || QFileInfo::exists(files[1])) &&
        MsgBox::show(u"データファイルはすでにあります。上書きしますか"_s, MsgBox::OkCancel,
                     MsgBox::Question) != MsgBox::Ok)
        return;
    // Both files are written before either takes its name.
    SafeSave::Pending pending[2];
    for (int i = 0; i < 2; ++i)
        if (!pending[i].write(files[i], ClassMaterial::fileBytes(m_rank, i == 0))) {
            MsgBox::show(u"データファイルを書き込めませんでした。"_s + c.CrLf + DosPath::forMessage(files[i]),
                         MsgBox::OkOnly, MsgBox::Warning);
            return;
        }
    for (int i = 0; i < 2; ++i)
        if (!pending[i].commit()) {
            MsgBox::show(u"データファイルを書き込めませんでした。"_s + c.CrLf + DosPath::forMessage(files[i]),
                         MsgBox::OkOnly, MsgBox::Warning);
            return;
        }
    MsgBox::show(DosPath::forMessage(chosen) + u"にﾃﾞｰﾀの保存をしました"_s);
}

void vxclass::SSCommand4_Click() {
    if (!yearEndRanking())
        return;
    const QStringList left = ClassMaterial::unprinted(m_rank);
    if (!left.isEmpty())
        MsgBox::show(u"性別が入力されていないので、次の児童は印刷されません。"_s + c.CrLf +
                         left.join(u"、"_s),
                     MsgBox::OkOnly, MsgBox::Warning);
    MsgBox::show(PrintSurface::startMessage());
    PrintSurface ps;
    ps.setDocName(u"学級編成資料 "_s + c.ClassName);
    {
        const BusyPointer busy;
        ClassMaterial::printPages(ps, c, m_rank);
    }
    ps.EndDocAndTell();
}

void vxclass::SSCommand3_Click() {
    c.ReturnForm = u"vxclass"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}
