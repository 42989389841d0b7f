#include "classfiles/vxNew.h"

#include "classfiles/FolderPicker.h"
#include "controls/FolderList.h"
#include "controls/Forms.h"
#include "core/VOXA1.h"
#include "platform/ClassLock.h"
#include "platform/DosPath.h"
#include "platform/FileSet.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// The old program's Val(): leading digits, 0 when there are none.
int val(const QString& s) {
    int n = 0;
    int i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    for (; i < s.size() && s[i].isDigit() && s[i].unicode() < 128 && n < 100000; ++i)
        n = n * 10 + (s[i].unicode() - u'0');
    return n;
}
bool isOneDigit(const QString& s) {
    return s.size() == 1 && s[0] >= u'0' && s[0] <= u'9';
}
} // namespace

vxNew::vxNew(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxNew"_s), c(c_) {
    setWindowTitle(u"新規ﾃﾞｰﾀ入力"_s);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(u"Text2"_s);
    Text2->setMaxLength(1);
    Text3 = new QLineEdit(this);
    Text3->setObjectName(u"Text3"_s);
    Text3->setMaxLength(2);
    for (QLineEdit* e : {Text2, Text3})
        e->setMaximumWidth(twipsToPixels(600));
    connect(Text2, &QLineEdit::textChanged, this, &vxNew::Text2_Change);
    connect(Text3, &QLineEdit::textChanged, this, &vxNew::Text3_Change);

    auto* classFrame = new QGroupBox(u"学年・学級設定"_s, this);
    auto* grid = new QGridLayout(classFrame);
    grid->addWidget(new QLabel(u"学年（1～6）"_s, classFrame), 0, 0);
    grid->addWidget(Text2, 0, 1);
    grid->addWidget(new QLabel(u"年"_s, classFrame), 0, 2);
    grid->addWidget(new QLabel(u"学級（1～9）"_s, classFrame), 1, 0);
    grid->addWidget(Text3, 1, 1);
    grid->addWidget(new QLabel(u"組"_s, classFrame), 1, 2);
    grid->setColumnStretch(3, 1);

    auto* folderFrame = new QGroupBox(u"フォルダ設定"_s, this);
    m_folder = new FolderPicker(u"ドライブ(&V)"_s, u"フォルダ(&D)"_s, u"1"_s, folderFrame);
    (new QVBoxLayout(folderFrame))->addWidget(m_folder);
    connect(m_folder->folder(), &FolderList::Dir_Change, this, &vxNew::Dir1_Change);
    connect(m_folder->folder(), &FolderList::Dir_Chosen, this, &vxNew::Dir1_Change);
    connect(m_folder, &FolderPicker::driveNotReady, this,
            [] { MsgBox::show(u"ドライブの準備ができていません。"_s, MsgBox::OkOnly, MsgBox::Warning); });

    auto* label1 = new QLabel(u"学年学級名"_s, this);
    label1->setObjectName(u"Label1"_s);
    Label6 = new QLabel(this);
    Label6->setObjectName(u"Label6"_s);
    auto* label3 = new QLabel(u"ﾃﾞｰﾀ作成のﾌｫﾙﾀﾞ"_s, this);
    label3->setObjectName(u"Label3"_s);
    Label5 = new QLabel(this);
    Label5->setObjectName(u"Label5"_s);
    for (QLabel* l : {Label5, Label6})
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    QPushButton* decide = button(u"Command3D1"_s, u"ｸﾗｽ決定"_s, &vxNew::Command3D1_Click);
    QPushButton* create = button(u"Command3D3"_s, u"ﾃﾞｰﾀ作成"_s, &vxNew::Command3D3_Click);
    QPushButton* cancel = button(u"Command3D2"_s, u"ｷｬﾝｾﾙ"_s, &vxNew::Command3D2_Click);
    setCloseButton(cancel);

    auto* names = new QGridLayout;
    names->addWidget(label1, 0, 0);
    names->addWidget(Label6, 0, 1);
    names->addWidget(label3, 1, 0);
    names->addWidget(Label5, 1, 1);
    names->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(decide);
    buttons->addStretch();
    buttons->addWidget(create);
    buttons->addWidget(cancel);
    auto* left = new QVBoxLayout;
    left->addWidget(classFrame);
    left->addLayout(names);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(folderFrame, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(twipsToPixels(7800), twipsToPixels(4800));
}

void vxNew::Form_Load() {
    // Browsing creates nothing: the folder is made when the class files are written into it.
    m_folder->setPath(c.DataFolder);
}

void vxNew::compose() {
    m_classFile = Text2->text() + u"-"_s + Text3->text();
    Label6->setText(Text2->text() + u"年"_s + Text3->text() + u"組"_s);
    m_className = Label6->text();
}

void vxNew::Text2_Change() {
    const int g = val(Text2->text());
    if (g > 6 || g < 0)
        MsgBox::show(u"学年は１～６までの数字で入力して下さい"_s, MsgBox::OkOnly, MsgBox::Warning);
    compose();
    if (m_order == 2)
        becomeReady();
    else
        m_order = 3;
}

bool vxNew::boxesFilled() const {
    return isOneDigit(Text2->text()) && isOneDigit(Text3->text()) && val(Text2->text()) >= 1 &&
           val(Text2->text()) <= 6 && val(Text3->text()) >= 1;
}

// Ready: the folder the list shows as chosen is the one the class will be made in, shown at once.
void vxNew::becomeReady() {
    m_ready = 10;
    showClassPath(m_folder->folder()->chosen());
}

void vxNew::showClassPath(const QString& folder) {
    const QString classPath = DosPath::join(folder, m_classFile);
    Label5->setText(classPath + u".*"_s);
    c.DataFolder = classPath;
}

void vxNew::Text3_Change() {
    const QString t = Text3->text();
    if (t.size() != 1 || !(t[0] >= u'0' && t[0] <= u'9')) {
        MsgBox::show(u"学級は２文字までの英数字で入力して下さい"_s, MsgBox::OkOnly, MsgBox::Warning);
        return;
    }
    compose();
    if (m_order == 3)
        becomeReady();
    else
        m_order = 2;
}

void vxNew::Dir1_Change(const QString& folder) {
    // After a refused ﾃﾞｰﾀ作成 the boxes are still filled in: choosing a folder then simply goes on.
    if (m_ready != 10 && boxesFilled()) {
        compose();
        m_ready = 10;
    }
    if (m_ready != 10) {
        MsgBox::show(u"学年組を入力してください"_s);
        return;
    }
    showClassPath(folder);
}

void vxNew::Command3D1_Click() {
    const QString f = m_classFile;
    const bool ok = f.size() >= 2 && f[1] == u'-' &&
                    ((f.size() >= 4 && f[3] == u'.') || (f.size() > 2 && f[2].isDigit()));
    if (ok) {
        Label6->setText(m_className);
        becomeReady();
    } else {
        MsgBox::show(u"学年・学級名の指定が間違っています。"_s + c.CrLf + u"直して下さい"_s, MsgBox::OkOnly,
                     MsgBox::Warning);
    }
}

void vxNew::Command3D3_Click() {
    m_ready = 0;
    const int grade = val(Text2->text());
    const int klass = val(Text3->text());
    if (grade > 6 || grade < 1 || !isOneDigit(Text2->text())) {
        MsgBox::show(u"学年を正しく入力してください"_s);
        return;
    }
    if (klass > 9 || klass < 1 || !isOneDigit(Text3->text())) {
        MsgBox::show(u"組を正しく入力してください"_s);
        return;
    }
    // The files are named from the boxes as they stand now, whatever was typed before the folder
    // was chosen.
    // The folder is the one the list shows as chosen, and the question names it in full.
    compose();
    const QString folder = m_folder->folder()->chosen();
    const QString classPath = DosPath::join(folder, m_classFile);
    if (folder.isEmpty()) {
        MsgBox::show(u"ﾃﾞｰﾀを作るフォルダをマウスで選んでください"_s);
        return;
    }
    showClassPath(folder);
    const bool agreed = MsgBox::show(Text2->text() + u"年"_s + Text3->text() + u"組のデータを"_s + c.CrLf +
                                         classPath + u"に作っていいですか"_s,
                                     MsgBox::OkCancel, MsgBox::Question) == MsgBox::Ok;
    if (!agreed) {
        MsgBox::show(u"ドライブやフォルダを指定して、正しい情報をマウスで入力してください"_s);
        return;
    }
    // Creating the class again over an existing one would destroy a year's results: ask first.
    const QStringList existing = [&] {
        QStringList e;
        for (const QString& ext : {u".dat"_s, u".sdt"_s, u".eix"_s})
            if (QFileInfo::exists(DosPath::toNative(classPath + ext)))
                e << ext;
        return e;
    }();
    if (!existing.isEmpty() &&
        MsgBox::show(classPath + u" には、すでに"_s + m_className + u"のデータがあります。"_s + c.CrLf +
                         u"作り直すと、そのデータは消えてしまいます。作り直してよろしいですか"_s,
                     MsgBox::OkCancel, MsgBox::Warning, MsgBox::defaultTitle(),
                     MsgBox::Cancel) != MsgBox::Ok) {
        MsgBox::show(u"ﾃﾞｰﾀ作成を中止しました"_s);
        return;
    }
    MsgBox::show(m_className + u"の領域をディスク上に作成します"_s);
    const QString nativeFolder = DosPath::toNative(folder);
    if (nativeFolder.isEmpty() || !FileSet::makePrivateFolder(nativeFolder)) {
        MsgBox::show(u"フォルダを作れませんでした。"_s + c.CrLf + folder, MsgBox::OkOnly, MsgBox::Warning);
        return;
    }

    // Nobody else may have the class being made over.
    const std::shared_ptr<ClassLock> lock = c.LockFor(classPath);
    if (!lock)
        return;
    // Only now does the new class replace the one in memory.
    const VOXA1 before = c;
    c.Lock = lock;
    c.ClassFile = m_classFile;
    c.ClassName = m_className;
    c.ClassPath = classPath;
    c.DataFolder = classPath;

    // 42 empty records: nothing of a class loaded earlier in this run is carried over.
    for (int i = 1; i <= 42; ++i) {
        c.RecNo(i) = QString::number(i);
        c.Pupil(i) = PupilRec();
    }
    for (int i = 43; i <= 50; ++i)
        c.RecNo(i) = QString();
    // Nor are the earlier class's password, allocations or done marks: the new class has none.
    c.SdtReserved = 0;
    c.PassWord = u"0000000000"_s;
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 4; ++t)
            c.SheetSetup(k, t).clear();
    c.CalcMark.fill(QString());
    c.ViewDoneMark.fill(QString());
    c.RateMark.fill(QString());
    c.MakeCurrent(VOXA1::Became::Created);
    c.ClassSize = 42;
    const bool saved = c.SavePupils();
    c.ClassSize = 0;
    if (!saved) {
        // Nothing was created: the class that was loaded stays as it was.
        c = before;
        return;
    }
    MsgBox::show(c.ClassName + u"の領域をディスク上に作成しました。"_s + c.CrLf +
                 u"すぐに、初期設定（人数等）を行ってください"_s);
    c.ReturnForm = u"vxNew"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}

void vxNew::Command3D2_Click() {
    c.ReturnForm = u"vxNew"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}
