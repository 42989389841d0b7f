#include "core/vxStrt.h"

#include "core/Pictures.h"
#include "core/VOXA1.h"
#include "platform/MsgBox.h"
#include "platform/Program.h"

#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

vxStrt::vxStrt(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxStrt"_s), c(c_) {
    setWindowTitle(caption());
    // A splash has no frame; it appears in the middle of the screen.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    m_picture = new QLabel(this);
    m_picture->setObjectName(u"Image1"_s);
    m_picture->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picture);
}

QString vxStrt::caption() {
    return u"Voxa2003 For WindowsXp"_s;
}

void vxStrt::Form_Load() {
    setSizeTwips(3046, 3645);
    m_picture->setPixmap(Pictures::splash(size()));
    c.CrLf = u"\r\n"_s;
    c.StartMode = 10;
    QString why;
    switch (Program::takeLock(&why)) {
    case Program::Lock::Taken:
        break;
    case Program::Lock::OtherCopy:
        MsgBox::show(u"Voxa2003 For WinXp"_s + u"は複数起動できません。"_s, MsgBox::OkOnly, MsgBox::Warning,
                     caption());
        Program::end();
        return;
    case Program::Lock::Failed:
        MsgBox::show(why + c.CrLf + u"Voxa2003 For WinXpを起動できません。"_s, MsgBox::OkOnly,
                     MsgBox::Critical, caption());
        Program::end();
        return;
    }
    c.SplashWait = 1;
    c.JustCreated = 0;
}
