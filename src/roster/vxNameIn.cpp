#include "roster/vxNameIn.h"

#include "controls/Forms.h"
#include "core/VOXA1.h"
#include "platform/Dialogs.h"
#include "platform/DosPath.h"
#include "platform/MsgBox.h"
#include "roster/NameImport.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

vxNameIn::vxNameIn(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxNameIn"_s), c(c_) {
    setWindowTitle(u"名前取り込み"_s);
    auto label = [this](const QString& name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setWordWrap(true);
        return l;
    };
    QLabel* label3 = label(u"Label3"_s, u"注意　取り込むファイルの形式を以下のようにしてください"_s);
    QFont bold = label3->font();
    bold.setBold(true);
    label3->setFont(bold);
    QLabel* label4 = label(u"Label4"_s, u"１．取り込むファイル名の拡張子は、csvとする。"_s);
    QLabel* label5 = label(u"Label5"_s, u"２．姓名と性別の区切りには必ずコンマを入れてください。\n"
                                        u"　　例）青木　一郎,1,井上　さくら,2\n"
                                        u"　　例）青木　一郎,男,井上　さくら,女"_s);
    QLabel* label6 = label(u"Label6"_s, u"３．詳しくは、Helpファイルを参照　？をクリック"_s);
    QLabel* label2 = label(u"Label2"_s, u"取り込みファイル名"_s);
    Label1 = label(u"Label1"_s, QString());
    Label1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label1->setMinimumWidth(twipsToPixels(5000));

    QPushButton* choose = button(u"Command1"_s, u"読み込むファイルを指定"_s, &vxNameIn::Command1_Click);
    QPushButton* run = button(u"Command2"_s, u"読み込み実行"_s, &vxNameIn::Command2_Click);
    QPushButton* cancel = button(u"Command3"_s, u"キャンセル"_s, &vxNameIn::Command3_Click);
    setCloseButton(cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(choose);
    buttons->addStretch();
    buttons->addWidget(run);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    for (QLabel* l : {label3, label4, label5, label6})
        layout->addWidget(l);
    layout->addSpacing(12);
    layout->addWidget(label2);
    layout->addWidget(Label1);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

void vxNameIn::Form_Load() {
    forms.hide(u"vxMeibo"_s);
    c.NamesImported = 10;
}

void vxNameIn::Command1_Click() {
    m_path = Dialogs::openFile(u"読み込むファイルを指定"_s, DosPath::toNative(c.DataFolder),
                               u"CSVファイル (*.csv *.CSV);;すべてのファイル (*)"_s);
    // The path as the teacher knows it, with its drive letter.
    Label1->setText(m_path.isEmpty() ? QString() : DosPath::fromNative(m_path));
}

void vxNameIn::Command2_Click() {
    if (m_path.isEmpty()) {
        MsgBox::show(u"ファイルの場所を指定してください"_s);
        return;
    }
    QString error;
    const QString text = NameImport::readFile(m_path, &error);
    if (!error.isEmpty()) {
        MsgBox::show(error, MsgBox::OkOnly, MsgBox::Warning);
        return;
    }
    const QStringList fields = NameImport::fields(text);
    // A name the class files cannot hold would be stored as "?": nothing is taken then.
    const QString unstorable = NameImport::unstorableName(fields, c.ClassSize);
    if (!unstorable.isEmpty()) {
        MsgBox::show(unstorable, MsgBox::OkOnly, MsgBox::Warning);
        return;
    }
    QStringList cut;
    NameImport::apply(c, fields, &cut);
    if (!cut.isEmpty())
        MsgBox::show(u"次の名前は全角10文字・半角20文字より長いので、そこまでで切って取り込みました。"_s +
                         c.CrLf + cut.join(c.CrLf) + c.CrLf + u"名簿で確かめてください。"_s,
                     MsgBox::OkOnly, MsgBox::Warning);
    close();
}

void vxNameIn::Command3_Click() {
    close();
}

void vxNameIn::close() {
    forms.show(u"vxMeibo"_s);
    forms.hide(tag());
}
