#include "mainwindow/vxVer.h"

#include "controls/Forms.h"
#include "core/Pictures.h"
#include "core/VOXA1.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

vxVer::vxVer(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxVer"_s), c(c_) {
    setWindowTitle(u"バージョン情報"_s);
    // The picture is also the button that opens "Voxaとは".
    auto* picture = new QToolButton(this);
    picture->setObjectName(u"Picture1"_s);
    picture->setAutoRaise(true);
    picture->setToolTip(u"Voxaとは"_s);
    const QSize size(twipsToPixels(2400), twipsToPixels(2400));
    picture->setIcon(QIcon(Pictures::splash(size)));
    picture->setIconSize(size);
    connect(picture, &QToolButton::clicked, this, [this] { forms.show(u"vxIcon"_s); });

    auto* text =
        new QLabel(u"Voxa2003 For WindowsXp\nバージョン 2003.1\n\n小学校学級担任用 成績処理"_s, this);
    text->setObjectName(u"Label1"_s);
    text->setAlignment(Qt::AlignCenter);
    QPushButton* ok = button(u"Command1"_s, u"OK"_s, &vxVer::cmdOK_Click);
    setDefaultButton(ok);
    setCloseButton(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void vxVer::Form_Load() {
    setSizeTwips(4245, 4635);
    forms.unload(u"vxMain"_s);
}

void vxVer::cmdOK_Click() {
    c.ReturnForm = u"vxVer"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}
