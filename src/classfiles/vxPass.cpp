#include "classfiles/vxPass.h"

#include "classfiles/Password.h"
#include "controls/Forms.h"
#include "controls/TextGuard.h"
#include "core/VOXA1.h"
#include "platform/MsgBox.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

vxPass::vxPass(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxPass"_s), c(c_) {
    setWindowTitle(u"パスワード設定"_s);
    auto* panel = new QGroupBox(u"パスワードを入力してください"_s, this);
    panel->setObjectName(u"Panel3D1"_s);
    Text1 = new QLineEdit(panel);
    Text1->setObjectName(u"Text1"_s);
    Text2 = new QLineEdit(panel);
    Text2->setObjectName(u"Text2"_s);
    for (QLineEdit* e : {Text1, Text2}) {
        e->setEchoMode(QLineEdit::Password);
        e->setStyleSheet(u"lineedit-password-character: 35;"_s); // "#"
        e->setMaxLength(10);
        TextGuard::watch(e, u"パスワード"_s, c.PassWord.width());
        e->installEventFilter(this);
    }
    auto* form = new QFormLayout(panel);
    form->addRow(u"一回目"_s, Text1);
    form->addRow(u"確かめ"_s, Text2);
    form->addRow(new QLabel(u"（ローマ字のみ,半角８文字）"_s, panel));

    QPushButton* save = button(u"Command3D1"_s, u"保　存"_s, &vxPass::cmdSave_Click);
    QPushButton* cancel = button(u"Command3D2"_s, u"中　止"_s, &vxPass::cmdCancel_Click);
    setCloseButton(cancel);
    QHBoxLayout* buttons = buttonRow({save, cancel});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons);
}

void vxPass::Form_Load() {
    forms.unload(u"vxMain"_s);
    Text1->clear();
    Text2->clear();
    m_before = c.PassWord.str();
    Text1->setFocus();
}

void vxPass::Text1_Enter() {
    if (Text1->text().toUpper() == c.PassWord.str())
        return;
    if (MsgBox::show(u"パスワードの入力・変更をしてよろしいですか"_s, MsgBox::OkCancel, MsgBox::Question) !=
        MsgBox::Ok)
        return;
    MsgBox::show(u"確かめのところにもう一度再入力してください"_s);
    m_first = Text1->text();
    m_firstAccepted = true;
    Text2->setFocus();
}

void vxPass::Text2_Enter() {
    if (Text2->text().toUpper() == m_first.toUpper()) {
        MsgBox::show(u"パスワードの設定が完了しました。"_s);
        c.PassWord = Password::padded(m_first);
        m_firstAccepted = false;
        return;
    }
    MsgBox::show(u"一回目と二回目が一致していません。"_s + c.CrLf + u"再入力してください"_s);
    Text1->clear();
    Text2->clear();
    Text1->setFocus();
}

void vxPass::handBack() {
    c.ReturnForm = u"vxPass"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}

void vxPass::cmdSave_Click() {
    if (!c.SaveSettings())
        return;
    handBack();
}

void vxPass::cmdCancel_Click() {
    c.PassWord = m_before;
    handBack();
}

bool vxPass::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return Form::eventFilter(watched, event);
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == Text1 && enter) {
        Text1_Enter();
        return true;
    }
    if (watched == Text2) {
        // A key that would type a character there before the first entry is answered, and not
        // taken; Tab, Shift and the arrows still move about.
        const bool types = enter || (!keyEvent->text().isEmpty() && keyEvent->text().at(0).isPrint());
        if (!m_firstAccepted && types) {
            MsgBox::show(u"まず、一回目を入力して下さい"_s);
            return true;
        }
        if (enter) {
            Text2_Enter();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}
