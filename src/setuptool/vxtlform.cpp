#include "setuptool/vxtlform.h"

#include "controls/Forms.h"
#include "platform/DosPath.h"
#include "platform/MsgBox.h"
#include "platform/Program.h"
#include "setuptool/SetupFiles.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString kTitle = u"VoxaTool"_s;
}

vxtlform::vxtlform(Forms& forms_) : Form(forms_, u"vxtlform"_s) {
    setWindowTitle(kTitle);
    auto* label1 = new QLabel(u"新規にインストールした場合に実行することが必要です。"_s, this);
    label1->setObjectName(u"Label1"_s);
    auto* label2 = new QLabel(u"どちらか選んでください"_s, this);
    label2->setObjectName(u"Label2"_s);

    auto* group = new QButtonGroup(this);
    const QString captions[2] = {u"DOS/V,NEC 98/NX"_s, u"NEC 98ｼﾘｰｽﾞ"_s};
    auto* options = new QVBoxLayout;
    for (int i = 0; i < 2; ++i) {
        m_options[i] = new QRadioButton(captions[i], this);
        m_options[i]->setObjectName(u"Option1(%1)"_s.arg(i));
        group->addButton(m_options[i], i);
        options->addWidget(m_options[i]);
        connect(m_options[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    }
    m_options[0]->setChecked(true);
    colourOptions();

    QPushButton* run = button(u"Command1"_s, u"実　行"_s, &vxtlform::cmdRun_Click);
    QPushButton* cancel = button(u"Command2"_s, u"キャンセル"_s, &vxtlform::cmdCancel_Click);
    setDefaultButton(run);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(run);
    buttons->addSpacing(16);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(label1);
    layout->addSpacing(12);
    layout->addWidget(label2);
    layout->addLayout(options);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    run->setFocus();
}

bool vxtlform::Form_QueryUnload(UnloadMode mode) {
    if (mode == FromControlMenu)
        Program::end();
    return true;
}

void vxtlform::colourOptions() {
    // The chosen option in red, the other in blue.
    for (int i = 0; i < 2; ++i)
        m_options[i]->setStyleSheet(i == m_index ? u"color: #ff0000;"_s : u"color: #0000ff;"_s);
}

void vxtlform::Option1_Click(int index) {
    m_index = index;
    colourOptions();
}

void vxtlform::cmdRun_Click() {
    if (m_index == 0)
        dosv();
    else
        nec();
    Program::end();
}

void vxtlform::cmdCancel_Click() {
    Program::end();
}

void vxtlform::nec() {
    setUp(true);
}

void vxtlform::dosv() {
    setUp(false);
}

void vxtlform::setUp(bool nec98) {
    const auto machine = nec98 ? SetupFiles::Machine::Nec98 : SetupFiles::Machine::DosV;
    if (!SetupFiles::writeIni(machine)) {
        MsgBox::show(u"設定ファイルを書き込めませんでした。"_s + u"\r\n"_s + Program::settingsFile(),
                     MsgBox::OkOnly, MsgBox::Critical, kTitle);
        return;
    }
    // The settings file is in place even when the folder cannot be made.
    if (!SetupFiles::makeDataFolder(machine)) {
        const QString folder = SetupFiles::dataFolder(machine);
        MsgBox::show(u"設定ファイルは書き込みましたが、データフォルダを作れませんでした。"_s + u"\r\n"_s +
                         folder + u"\r\n"_s +
                         (DosPath::driveReady(folder[0]) ? u"フォルダを作れるか確かめてください。"_s
                                                         : u"ドライブの準備ができていません。"_s),
                     MsgBox::OkOnly, MsgBox::Warning, kTitle);
        return;
    }
    MsgBox::show(u"実行しました"_s, MsgBox::OkOnly, MsgBox::Information, kTitle);
}
