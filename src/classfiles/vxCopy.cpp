#include "classfiles/vxCopy.h"

#include "classfiles/ClassCopy.h"
#include "classfiles/FolderPicker.h"
#include "controls/FileList.h"
#include "controls/FolderList.h"
#include "controls/Forms.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "platform/DosPath.h"
#include "platform/FileOps.h"
#include "platform/MsgBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
QString withBackslash(const QString& folder) {
    return folder.endsWith(u'\\') ? folder : folder + u"\\"_s;
}
} // namespace

vxCopy::vxCopy(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxCopy"_s), c(c_) {
    setWindowTitle(u"データ・名簿複写"_s);
    auto side = [this](const QString& title, const QString& suffix, FolderPicker*& picker, FileList*& files,
                       QLabel*& label, const QString& pattern) {
        auto* frame = new QGroupBox(title, this);
        picker = new FolderPicker(u"ドライブ"_s, u"フォルダ"_s, suffix, frame);
        files = new FileList(frame);
        files->setObjectName(u"File"_s + suffix);
        files->setPattern(pattern);
        label = new QLabel(frame);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(twipsToPixels(3000));
        auto* lists = new QHBoxLayout;
        lists->addWidget(picker, 1);
        lists->addWidget(files, 1);
        auto* col = new QVBoxLayout(frame);
        col->addLayout(lists, 1);
        col->addWidget(label);
        connect(picker, &FolderPicker::driveNotReady, this,
                [] { MsgBox::show(u"ドライブの準備ができていません。"_s, MsgBox::OkOnly, MsgBox::Warning); });
        return frame;
    };
    QGroupBox* from = side(u"コピー元"_s, u"1"_s, m_source, File1, Label1, u"*.DAT"_s);
    QGroupBox* to = side(u"コピー先"_s, u"2"_s, m_destination, File2, Label3, u"*.dat"_s);
    Label1->setObjectName(u"Label1"_s);
    Label3->setObjectName(u"Label3"_s);
    connect(m_source->folder(), &FolderList::Dir_Change, File1, &FileList::setFolder);
    connect(m_destination->folder(), &FolderList::Dir_Change, this, &vxCopy::Dir2_Change);
    connect(File1, &FileList::File_Click, this, &vxCopy::File1_Click);
    connect(File2, &FileList::File_Click, this, &vxCopy::File2_Click);

    QPushButton* run = button(u"Command3D1"_s, u"実　行"_s, &vxCopy::cmdRun_Click);
    QPushButton* end = button(u"Command3D2"_s, u"終　了"_s, &vxCopy::cmdEnd_Click);
    setCloseButton(end);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(run);
    buttons->addWidget(end);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(from, 1);
    layout->addWidget(to, 1);
    layout->addLayout(buttons);
    resize(twipsToPixels(7600), twipsToPixels(7600));
}

void vxCopy::Form_Load() {
    forms.unload(u"vxMain"_s);
    MsgBox::show(u"フロッピーなどコピー先の準備をしてからOKをクリックしてください"_s);
    const QString copyFolder = TextHelpers::TrimPadding(c.CopyFolder);
    if (!copyFolder.isEmpty() && DosPath::driveReady(copyFolder[0]))
        m_destination->setPath(copyFolder);
    else
        m_destination->setPath(c.DataFolder);
    m_source->setPath(c.DataFolder);
}

void vxCopy::recomputeDestination() {
    m_destFolder = withBackslash(m_destination->folder()->path());
    m_destBase = m_sourceName.isEmpty() ? QString() : m_destFolder + m_sourceName;
}

void vxCopy::Dir2_Change(const QString& folder) {
    File2->setFolder(folder);
    Label3->setText(withBackslash(folder));
    recomputeDestination();
}

void vxCopy::File1_Click(const QString& fileName) {
    m_sourceName = fileName.left(3);
    m_sourceBase = withBackslash(File1->folder()) + m_sourceName;
    File2->setFolder(m_destination->folder()->path());
    recomputeDestination();
    Label1->setText(m_sourceBase);
}

void vxCopy::File2_Click(const QString& fileName) {
    Q_UNUSED(fileName);
    m_destFolder = withBackslash(File2->folder());
    m_destBase = m_sourceName.isEmpty() ? QString() : m_destFolder + m_sourceName;
}

void vxCopy::cmdRun_Click() {
    if (m_sourceBase.isEmpty() || m_destBase.isEmpty()) {
        MsgBox::show(u"コピー元のファイルを選択してください"_s);
        return;
    }
    if (ClassCopy::sameFiles(m_sourceBase, m_destBase)) {
        MsgBox::show(u"コピー元とコピー先が同じファイルです。"_s + c.CrLf + u"別のフォルダを選んでください"_s,
                     MsgBox::OkOnly, MsgBox::Warning);
        return;
    }
    const QDateTime sourceTime = FileOps::modified(DosPath::toNative(m_sourceBase + u".dat"_s));
    const QDateTime destTime = FileOps::modified(DosPath::toNative(m_destBase + u".dat"_s));
    if (destTime.isValid()) {
        const MsgBox::Answer a =
            MsgBox::show(ClassCopy::overwriteQuestion(sourceTime, destTime, m_destBase), MsgBox::YesNoCancel,
                         MsgBox::Warning, MsgBox::defaultTitle(), MsgBox::No);
        if (a == MsgBox::No)
            return;
        if (a == MsgBox::Cancel) {
            MsgBox::show(u"コピーを中止します"_s);
            return;
        }
    }
    QString notice;
    const QString problem = ClassCopy::copyAll(m_sourceBase, m_destBase, &notice);
    File2->refresh();
    if (!problem.isEmpty()) {
        MsgBox::show(problem, MsgBox::OkOnly, MsgBox::Warning);
        return;
    }
    if (!notice.isEmpty())
        MsgBox::show(notice, MsgBox::OkOnly, MsgBox::Information);
    MsgBox::show(u"コピーができました"_s);
    // A copy over the files of the class in memory (a backup brought back): the class is read
    // afresh, so that the next save cannot write the old class over the copied files.
    if (c.classIsLoaded() && ClassCopy::sameFiles(c.ClassPath, m_destBase))
        reloadCopiedClass();
}

void vxCopy::reloadCopiedClass() {
    if (c.LoadClass()) {
        c.MakeCurrent(VOXA1::Became::Loaded);
        MsgBox::show(u"いま使っている学級のファイルにコピーしたので、"_s + c.ClassName +
                     u"をコピーした内容で"_s + u"読み込み直しました。"_s);
        return;
    }
    // The copied files cannot be read: the old class is no longer kept in memory either, so that
    // nothing saves it over them; the teacher chooses the class again.
    c.Forget();
    MsgBox::show(u"コピーした学級のファイルを読み込めませんでした。"_s + c.CrLf +
                     u"学級を選択し直してください。"_s,
                 MsgBox::OkOnly, MsgBox::Warning);
}

void vxCopy::cmdEnd_Click() {
    c.ReturnForm = u"vxCopy"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}
