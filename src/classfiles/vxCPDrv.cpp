#include "classfiles/vxCPDrv.h"

#include "classfiles/FolderPicker.h"
#include "controls/FolderList.h"
#include "controls/Forms.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "platform/DosPath.h"
#include "platform/MsgBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString kFloppy = u"A:\\"_s;
// A drive root keeps its single backslash; any other folder gets a final one.
QString withBackslash(const QString& folder) {
    return folder.endsWith(u'\\') ? folder : folder + u"\\"_s;
}
} // namespace

vxCPDrv::vxCPDrv(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxCPDrv"_s), c(c_) {
    setWindowTitle(u"コピー先フォルダの指定"_s);
    const QString captions[2] = {u"A:\\(内蔵フロッピードライブ)"_s, u"上記以外"_s};
    for (int i = 0; i < 2; ++i) {
        m_options[i] = new QRadioButton(captions[i], this);
        m_options[i]->setObjectName(u"Option1(%1)"_s.arg(i));
        connect(m_options[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    }
    m_folder = new FolderPicker(u"ドライブ(&V)"_s, u"フォルダ(&D)"_s, u"1"_s, this);
    connect(m_folder->folder(), &FolderList::Dir_Change, this, &vxCPDrv::Dir1_Change);
    // A drive that cannot be read leaves the copies going to the floppy drive.
    connect(m_folder, &FolderPicker::driveNotReady, this, [this] { Label1->setText(kFloppy); });
    auto* label2 = new QLabel(u"現在のﾃﾞｰﾀｺﾋﾟｰ先のﾌｫﾙﾀﾞ"_s, this);
    label2->setObjectName(u"Label2"_s);
    Label1 = new QLabel(this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* label3 = new QLabel(u"※コピー先の準備をしてから上のボタンをクリックしてください。"_s, this);
    label3->setObjectName(u"Label3"_s);
    label3->setWordWrap(true);
    QPushButton* save = button(u"Command3D1"_s, u"保存"_s, &vxCPDrv::cmdSave_Click);
    QPushButton* cancel = button(u"Command3D2"_s, u"ｷｬﾝｾﾙ"_s, &vxCPDrv::cmdCancel_Click);
    setCloseButton(cancel);
    QHBoxLayout* buttons = buttonRow({save, cancel});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_options[0]);
    layout->addWidget(m_options[1]);
    layout->addWidget(m_folder, 1);
    layout->addWidget(label2);
    layout->addWidget(Label1);
    layout->addWidget(label3);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(twipsToPixels(5200), twipsToPixels(6000));
}

void vxCPDrv::Form_Load() {
    m_before = c.CopyFolder.str();
    const QString current = TextHelpers::TrimPadding(m_before);
    m_folder->setPath(current != kFloppy && DosPath::driveReady(current.isEmpty() ? QChar(u'C') : current[0])
                          ? current
                          : c.DataFolder);
    showLists(false);
    m_options[current == kFloppy || current.isEmpty() ? 0 : 1]->setChecked(true);
    Label1->setText(current);
}

void vxCPDrv::showLists(bool on) {
    m_folder->setVisible(on);
    m_folder->setEnabled(on);
}

QString vxCPDrv::chosenFolder() const {
    return m_folder->folder()->path();
}

void vxCPDrv::Option1_Click(int index) {
    m_options[index]->setChecked(true);
    m_options[1 - index]->setChecked(false);
    showLists(index == 1);
    // The choice stays in this window until 保存: a save made elsewhere meanwhile keeps the
    // class's copy folder as it was.
    Label1->setText(index == 0 ? kFloppy : withBackslash(chosenFolder()));
}

void vxCPDrv::Dir1_Change(const QString& folder) {
    Label1->setText(withBackslash(folder));
}

void vxCPDrv::cmdSave_Click() {
    const QString folder = m_options[0]->isChecked() ? kFloppy : chosenFolder();
    // The class file keeps 20 characters for this folder; a longer one would be cut and lost.
    if (folder.size() > FixedText<20>::width()) {
        MsgBox::show(u"コピー先のフォルダ名が長すぎます（20文字まで）。"_s + c.CrLf + folder, MsgBox::OkOnly,
                     MsgBox::Warning);
        return;
    }
    c.CopyFolder = folder;
    Label1->setText(folder);
    if (!c.SaveSettings()) {
        c.CopyFolder = m_before;
        return;
    }
    forms.unload(tag());
}

void vxCPDrv::cmdCancel_Click() {
    c.CopyFolder = m_before;
    c.ReturnForm = u"vxCPDrv"_s;
    forms.hide(tag());
}
