#include "classfiles/vxDrive.h"

#include "classfiles/FolderPicker.h"
#include "controls/FolderList.h"
#include "controls/Forms.h"
#include "core/IniFile.h"
#include "core/VOXA1.h"
#include "platform/DosPath.h"
#include "platform/MsgBox.h"
#include "platform/Program.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

vxDrive::vxDrive(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxDrive"_s), c(c_) {
    setWindowTitle(u"保存設定"_s);
    m_folder = new FolderPicker(u"ドライブ(&V)"_s, u"フォルダ(&D)"_s, u"1"_s, this);
    connect(m_folder->folder(), &FolderList::Dir_Change, this, &vxDrive::Dir1_Change);
    connect(m_folder, &FolderPicker::driveNotReady, this,
            [] { MsgBox::show(u"ドライブの準備ができていません。"_s, MsgBox::OkOnly, MsgBox::Warning); });
    auto* label2 = new QLabel(u"ﾃﾞｰﾀ保存のﾌｫﾙﾀﾞ"_s, this);
    label2->setObjectName(u"Label2"_s);
    Label1 = new QLabel(this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPushButton* save = button(u"Command3D1"_s, u"保存"_s, &vxDrive::ini_Save);
    QPushButton* cancel = button(u"Command3D2"_s, u"ｷｬﾝｾﾙ"_s, &vxDrive::cmdCancel_Click);
    setCloseButton(cancel);
    QHBoxLayout* buttons = buttonRow({save, cancel});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_folder, 1);
    layout->addWidget(label2);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
    resize(twipsToPixels(4800), twipsToPixels(5200));
}

void vxDrive::Form_Load() {
    // Browsing creates nothing: the folder is made when a class is written into it.
    m_folder->setPath(c.DataFolder);
}

void vxDrive::Dir1_Change(const QString& folder) {
    // A drive root keeps its single "\"; any other folder gets a final one. The choice stays in
    // this window until 保存, so nothing else can take it or replace it meanwhile.
    m_pending = folder.size() == 3 ? folder : folder + u"\\"_s;
    Label1->setText(m_pending);
}

void vxDrive::ini_Save() {
    if (!IniFile::write({m_pending, c.PassHidden})) {
        MsgBox::show(u"設定ファイルに書き込めませんでした。"_s + c.CrLf + IniFile::nativePath(),
                     MsgBox::OkOnly, MsgBox::Critical);
        return;
    }
    c.DataFolder = m_pending;
    MsgBox::show(u"ﾌｫﾙﾀﾞ設定を保存しました"_s);
    forms.unload(tag());
}

void vxDrive::cmdCancel_Click() {
    c.ReturnForm = u"vxDrive"_s;
    forms.hide(tag());
}
