#include "core/vxEnd.h"

#include "controls/Forms.h"
#include "core/Pictures.h"
#include "core/VOXA1.h"
#include "platform/MsgBox.h"
#include "platform/Program.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

vxEnd::vxEnd(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxEnd"_s), c(c_) {
    setWindowTitle(u"Voxaの終了"_s);
    auto* picture = new QLabel(this);
    picture->setObjectName(u"Image1"_s);
    picture->setPixmap(Pictures::closedBook(QSize(twipsToPixels(1800), twipsToPixels(1800))));

    auto* label1 = new QLabel(u"Voxaの終了をします"_s, this);
    label1->setObjectName(u"Label1"_s);
    auto* label2 = new QLabel(u"ご苦労様でした"_s, this);
    label2->setObjectName(u"Label2"_s);
    QFont big = label1->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    label1->setFont(big);
    label2->setFont(big);

    QPushButton* end = button(u"cmdEnd"_s, u"終　了"_s, &vxEnd::cmdEnd_Click);
    QPushButton* back = button(u"cmdBack"_s, u"戻　る"_s, &vxEnd::cmdBack_Click);
    setDefaultButton(end);
    setCloseButton(back);

    auto* texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(label1);
    texts->addSpacing(12);
    texts->addWidget(label2);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(16);
    top->addLayout(texts);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(end);
    buttons->addSpacing(24);
    buttons->addWidget(back);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
}

void vxEnd::Form_Load() {
    // Unloading the main window commits its unsaved settings (its closing rule).
    forms.unload(u"vxMain"_s);
}

void vxEnd::cmdEnd_Click() {
    if (c.SettingsDirty == 100) {
        MsgBox::show(u"初期データが保存されていません。"_s + c.CrLf + u"登録してください"_s);
        c.ReturnForm = u"vxEnd"_s;
        forms.hide(tag());
        forms.show(u"vxMain"_s);
        return;
    }
    // Each answer says what it does: a teacher reading "Cancel" as "don't quit" lost a morning's
    // marks. Esc and the title bar's close button are 戻る, the one answer that changes nothing.
    switch (
        MsgBox::ask(u"ﾃﾞｰﾀを保存して終了しますか"_s, {u"保存して終了"_s, u"保存しないで終了"_s, u"戻る"_s})) {
    case MsgBox::Yes:
        break;
    case MsgBox::No:
        Program::end();
        return;
    default:
        cmdBack_Click();
        return;
    }
    if (c.ClassLoaded == 1) {
        // A failed save has already told the teacher which file; the program stays open so that
        // nothing of the class is lost.
        if (!c.SaveClass())
            return;
        MsgBox::show(u"ﾃﾞｰﾀの保存をしました"_s);
    } else {
        MsgBox::show(u"ﾃﾞｰﾀを読み込んでいないので､"_s + c.CrLf + u"ﾃﾞｰﾀの保存をしませんでした"_s);
    }
    Program::end();
}

void vxEnd::cmdBack_Click() {
    c.ReturnForm = u"vxEnd"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}
