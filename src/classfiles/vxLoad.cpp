#include "classfiles/vxLoad.h"

#include "classfiles/FolderPicker.h"
#include "classfiles/Password.h"
#include "controls/FileList.h"
#include "controls/FolderList.h"
#include "controls/Forms.h"
#include "core/ClassFiles.h"
#include "core/IniFile.h"
#include "core/VOXA1.h"
#include "platform/ClassLock.h"
#include "platform/DosPath.h"
#include "platform/MsgBox.h"
#include "platform/Program.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
int val(const QString& s) {
    int n = 0;
    for (int i = 0; i < s.size() && s[i] >= u'0' && s[i] <= u'9' && n < 100000; ++i)
        n = n * 10 + (s[i].unicode() - u'0');
    return n;
}

bool isClassFileName(const QString& name) {
    static const QRegularExpression re(u"^[1-6]-[1-9]\\.dat$"_s, QRegularExpression::CaseInsensitiveOption);
    return re.match(name).hasMatch();
}
} // namespace

vxLoad::vxLoad(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxLoad"_s), c(c_) {
    setWindowTitle(u"学級選択"_s);
    Panel3D1 = new QGroupBox(u"＜パスワード＞"_s, this);
    Panel3D1->setObjectName(u"Panel3D1"_s);
    Text1 = new QLineEdit(Panel3D1);
    Text1->setObjectName(u"Text1"_s);
    Text1->setEchoMode(QLineEdit::Password);
    Text1->setStyleSheet(u"lineedit-password-character: 35;"_s); // "#"
    Text1->installEventFilter(this);
    (new QHBoxLayout(Panel3D1))->addWidget(Text1);

    m_folder = new FolderPicker(u"ドライブ(&D)"_s, u"フォルダ(&F)"_s, u"1"_s, this);
    m_folder->nameLabels(u"Label4"_s, u"Label2"_s);
    Label3 = new QLabel(this);
    Label3->setObjectName(u"Label3"_s);
    File1 = new FileList(this);
    File1->setObjectName(u"File1"_s);
    File1->setPattern(u"*.dat"_s);
    connect(m_folder->folder(), &FolderList::Dir_Change, this, [this](const QString& folder) {
        Label3->setText(folder);
        File1->setFolder(folder);
    });
    connect(m_folder, &FolderPicker::driveNotReady, this,
            [] { MsgBox::show(u"ドライブの準備ができていません。"_s, MsgBox::OkOnly, MsgBox::Warning); });
    connect(File1, &FileList::File_Click, this, &vxLoad::File1_Click);

    auto* label1 = new QLabel(u"学級名(&C)"_s, this);
    label1->setObjectName(u"Label1"_s);
    label1->setBuddy(File1);
    Label5 = new QLabel(this);
    Label5->setObjectName(u"Label5"_s);
    Label5->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont big = Label5->font();
    big.setBold(true);
    Label5->setFont(big);

    QPushButton* run = button(u"Command3D2"_s, u"実行"_s, &vxLoad::Command3D2_Click);
    QPushButton* cancel = button(u"Command3D1"_s, u"中止"_s, &vxLoad::Command3D1_Click);
    setCloseButton(cancel);

    auto* files = new QVBoxLayout;
    files->addWidget(Label3);
    files->addWidget(File1, 1);
    files->addWidget(label1);
    files->addWidget(Label5);
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_folder, 1);
    lists->addLayout(files, 1);
    QHBoxLayout* buttons = buttonRow({run, cancel});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    layout->addWidget(Panel3D1);
    resize(twipsToPixels(6600), twipsToPixels(5200));
}

void vxLoad::Form_Load() {
    Text1->clear();
    if (c.PassHidden == 1) {
        Panel3D1->hide();
        resize(width(), twipsToPixels(3950));
    }
    // Browsing creates nothing: the folder is made when a class is written into it.
    m_folder->setPath(c.DataFolder);
}

void vxLoad::File1_Click(const QString& fileName) {
    QString folder = File1->folder();
    if (!folder.endsWith(u'\\'))
        folder += u'\\';
    m_classFile = fileName;
    m_classPath = folder + fileName.left(3);
    const QString g = fileName.left(1);
    const QString k = fileName.mid(2, fileName.size() - 6);
    if (val(g) > 0 && val(g) <= 6 && val(k) > 0 && val(k) <= 20)
        Label5->setText(g + u"年"_s + k + u"組"_s);
    else
        Label5->setText(u"未選択"_s);
}

bool vxLoad::readPassword(QString* password) {
    if (Label5->text().isEmpty()) {
        MsgBox::show(u"データファイルを選択してください。"_s);
        return false;
    }
    // Only a class's own files are read: grade digit, "-", class digit, ".dat". Any other name
    // would read another class's files under this name.
    if (!isClassFileName(m_classFile)) {
        MsgBox::show(
            m_classFile + u" は学級のファイルではありません。"_s + c.CrLf +
                u"「3-1.dat」のように、学年の数字、「-」、組の数字の名前のファイルを選んでください。"_s,
            MsgBox::OkOnly, MsgBox::Warning);
        return false;
    }
    // The class is held from here: nobody else opens it while the password is asked.
    if (!m_lock || m_lock->file() != ClassFiles::lockPath(m_classPath)) {
        m_lock.reset();
        m_lock = c.LockFor(m_classPath);
        if (!m_lock)
            return false;
    }
    VOXA1 probe = c;
    probe.ClassPath = m_classPath;
    probe.Lock = m_lock;
    if (!probe.LoadSettings())
        return false;
    *password = probe.PassWord.str();
    return true;
}

bool vxLoad::loadChosen() {
    VOXA1 next = c;
    next.ClassPath = m_classPath;
    next.ClassFile = m_classFile;
    next.ClassName = Label5->text();
    next.Lock = m_lock;
    if (!next.LoadClass())
        return false;
    next.MakeCurrent(VOXA1::Became::Loaded);
    next.ReturnForm = u"vxLoad"_s;
    c = std::move(next);
    m_lock.reset();
    forms.show(u"vxMain"_s);
    return true;
}

void vxLoad::Command3D2_Click() {
    QString password;
    if (!readPassword(&password))
        return;
    if (password.toUpper() == Password::none()) {
        loadChosen();
        return;
    }
    if (c.PassHidden == 1) {
        MsgBox::show(u"パスワードが入力されています"_s + c.CrLf + u"パスワード使用の設定を変更します"_s);
        c.PassHidden = 0;
        if (!IniFile::write({c.DataFolder, c.PassHidden}))
            MsgBox::show(u"設定ファイルに書き込めませんでした。"_s + c.CrLf + IniFile::nativePath(),
                         MsgBox::OkOnly, MsgBox::Critical);
        c.ReturnForm = u"vxLoad"_s;
        forms.show(u"vxMain"_s);
        return;
    }
    MsgBox::show(u"パスワードを入力してください"_s);
    Text1->setFocus();
}

void vxLoad::Text1_Enter() {
    QString password;
    if (!readPassword(&password))
        return;
    if (Password::matches(Text1->text(), password)) {
        if (loadChosen())
            c.PassWord = c.PassWord.str().toUpper();
        return;
    }
    if (m_wrong < 2) {
        MsgBox::show(u"パスワードが間違っています。"_s + c.CrLf + u"再入力して下さい"_s);
        ++m_wrong;
        Text1->clear();
        Text1->setFocus();
        return;
    }
    MsgBox::show(u"パスワードが間違っています。"_s + c.CrLf + u"強制終了します"_s);
    Program::end();
}

void vxLoad::Command3D1_Click() {
    m_lock.reset();
    c.ReturnForm = u"vxLoad"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}

bool vxLoad::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Text1_Enter();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}
