#include "setuptool/CatnForm.h"

#include "controls/Forms.h"
#include "platform/Program.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CatnForm::CatnForm(Forms& forms_) : Form(forms_, u"CatnForm"_s) {
    setWindowTitle(u"VoxaTool"_s);
    auto* title = new QLabel(u"警告！"_s, this);
    title->setObjectName(u"Label1"_s);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);
    title->setStyleSheet(u"color: #c00000;"_s);
    auto* text = new QLabel(
        u"お使いのパソコンにVoxaがすでにインストールされている場合は、この通るを使用しないでください。"
        u"データが消去されたり、誤動作の原因になるおそれがあります。"_s,
        this);
    text->setObjectName(u"Label2"_s);
    text->setWordWrap(true);
    text->setMinimumWidth(twipsToPixels(5400));

    QPushButton* next = button(u"Command1"_s, u"次へ"_s, &CatnForm::cmdNext_Click);
    QPushButton* quit = button(u"Command2"_s, u"やめる"_s, &CatnForm::cmdQuit_Click);
    setDefaultButton(next);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addSpacing(16);
    buttons->addWidget(quit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(title);
    layout->addSpacing(8);
    layout->addWidget(text);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    next->setFocus();
}

bool CatnForm::Form_QueryUnload(UnloadMode mode) {
    // Closing the warning from its title bar ends the tool, like やめる.
    if (mode == FromControlMenu)
        Program::end();
    return true;
}

void CatnForm::cmdNext_Click() {
    forms.show(u"vxtlform"_s);
    forms.hide(tag());
}

void CatnForm::cmdQuit_Click() {
    Program::end();
}
