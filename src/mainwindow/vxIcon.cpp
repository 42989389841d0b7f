#include "mainwindow/vxIcon.h"

#include "controls/Forms.h"
#include "core/VOXA1.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

vxIcon::vxIcon(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxIcon"_s), c(c_) {
    setWindowTitle(u"Voxaとは"_s);
    auto* text = new QLabel(
        u"Voxa（ボクサ）は、小学校の学級担任のための成績処理ソフトです。\n\n"
        u"名簿とテストの得点を入力すると、学期末と学年末に観点別・教科別の得点、達成率、"
        u"偏差値を計算します。評価（◎○△）と評定（３２１）は、順位付きの一覧を見ながら"
        u"先生が自分で付けます。\n\n"
        u"ツールバーの絵は、左から 終了・新規入力・学級選択・保存・名簿・テストデータ・印刷・"
        u"成績表・個人票・データフォルダ・コピー先・データ複写・標準教科名・学級編成・ヘルプ です。"_s,
        this);
    text->setObjectName(u"Label1"_s);
    text->setWordWrap(true);
    text->setMinimumWidth(twipsToPixels(5200));
    QPushButton* ok = button(u"Command1"_s, u"OK"_s, &vxIcon::cmdOK_Click);
    setDefaultButton(ok);
    setCloseButton(ok);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 12);
    layout->addWidget(text);
    layout->addLayout(row);
}

void vxIcon::cmdOK_Click() {
    c.ReturnForm = u"vxIcon"_s;
    forms.hide(tag());
}
