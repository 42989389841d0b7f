#include "classfiles/vxRestore.h"

#include "controls/Forms.h"
#include "core/ClassBackup.h"
#include "core/ClassFiles.h"
#include "core/VOXA1.h"
#include "platform/DosPath.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QDateTime madeAt(const QString& setPath) {
    return QDateTime::fromString(QFileInfo(setPath).fileName(), u"yyyyMMdd-HHmmss"_s);
}

// What a set holds, as a row and the question name it: pupils, teacher, which terms were calculated;
// empty when the set cannot be read as a class.
QString describe(const QString& setPath, const QString& base) {
    QList<ClassFiles::FileCopy> files;
    if (!ClassFiles::readBackupSet(setPath, base, &files).isEmpty())
        return {};
    VOXA1 k;
    k.ClassPath = DosPath::fromNative(QDir(setPath).filePath(base));
    const ClassFiles::ClassBytes bytes{files[1].bytes, files[2].bytes, files[0].bytes};
    if (!ClassFiles::readClassBytes(bytes, k).isEmpty())
        return {};
    QStringList terms;
    for (int t = 1; t <= 4; ++t)
        for (int s = 1; s <= 4; ++s)
            if (!k.CalcMark(t, s).trimmed().isEmpty()) {
                terms.append(t == 4 ? u"年度末"_s : u"%1学期"_s.arg(t));
                break;
            }
    const QString teacher = k.TeacherName.str().trimmed();
    return u"%1人　担任：%2　計算済み：%3"_s.arg(k.ClassSize)
        .arg(teacher.isEmpty() ? u"（なし）"_s : teacher, terms.isEmpty() ? u"なし"_s : terms.join(u"・"_s));
}

// What made the set, as the row names it.
QString madeByText(const QString& kind) {
    if (kind == ClassBackup::kByRestore)
        return u"戻す前の状態"_s;
    if (kind == ClassBackup::kByCopy)
        return u"コピーで置き換える前の状態"_s;
    if (kind == ClassBackup::kAsFound)
        return u"記録が壊れていたときのファイル"_s;
    if (kind == ClassBackup::kRollback)
        return u"記録が壊れていたときの保存前のファイル"_s;
    return u"保存の前の状態"_s;
}

} // namespace

vxRestore::vxRestore(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxRestore"_s), c(c_) {
    setWindowTitle(u"バックアップから戻す"_s);
    auto* label = new QLabel(u"戻したい時点を選んで「戻す」を押してください。"_s, this);
    List1 = new QListWidget(this);
    List1->setObjectName(u"List1"_s);
    // A whole row shows: when, what made the set, pupils, teacher and the terms calculated.
    List1->setMinimumWidth(
        List1->fontMetrics().horizontalAdvance(
            u"2026/12/08 10:05:01　コピーで置き換える前の状態　42人　担任：山田　花子　計算済み：1学期・2学期"_s) +
        40);
    QPushButton* run = button(u"Command1"_s, u"戻　す"_s, &vxRestore::Command1_Click);
    QPushButton* close = button(u"Command2"_s, u"閉じる"_s, &vxRestore::Command2_Click);
    setCloseButton(close);
    // Enter or a double click on a set is 戻す (which asks first).
    connect(List1, &QListWidget::itemActivated, this, [this] { Command1_Click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(run);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(List1, 1);
    layout->addLayout(buttons);
    resize(List1->minimumWidth() + 24, twipsToPixels(5000));
}

void vxRestore::Form_Load() {
    fill();
}

void vxRestore::fill() {
    List1->clear();
    m_sets.clear();
    const QString native = DosPath::toNative(c.ClassPath);
    const QString folder = QFileInfo(native).absolutePath();
    const QString base = QFileInfo(native).fileName();
    QStringList sets = ClassBackup::sets(folder, base);
    std::reverse(sets.begin(), sets.end());
    for (const QString& name : sets) {
        const QString path = QDir(ClassBackup::folderOf(folder, base)).filePath(name);
        const QString what = describe(path, base);
        const QString when = madeAt(path).toString(u"yyyy/MM/dd HH:mm:ss"_s);
        const QString by = madeByText(ClassBackup::madeBy(folder, base, name));
        auto* item = new QListWidgetItem(
            when + u"　"_s + (what.isEmpty() ? u"（壊れていて読めません）"_s : by + u"　"_s + what), List1);
        // A set that cannot be read cannot be chosen.
        if (what.isEmpty())
            item->setFlags(Qt::NoItemFlags);
        // The question names the set exactly as its row does.
        item->setData(Qt::UserRole, madeAt(path).toString(u"yyyy年M月d日 H:mm:ss"_s) + u" の"_s + by +
                                        u"（"_s + what + u"）"_s);
        m_sets.append(path);
    }
    if (m_sets.isEmpty())
        (new QListWidgetItem(u"この学級のバックアップはまだありません。"_s, List1))
            ->setFlags(Qt::NoItemFlags);
    // The newest set that can be read is chosen, so the keyboard goes on from there.
    for (int row = 0; row < List1->count(); ++row)
        if (List1->item(row)->flags() & Qt::ItemIsSelectable) {
            List1->setCurrentRow(row);
            break;
        }
    List1->setFocus();
}

void vxRestore::Command1_Click() {
    const int row = List1->currentRow();
    QListWidgetItem* item = List1->currentItem();
    if (row < 0 || row >= m_sets.size() || !item || !(item->flags() & Qt::ItemIsEnabled) ||
        !item->isSelected()) {
        MsgBox::show(u"戻したい時点を選んでください。"_s);
        return;
    }
    const QString set = m_sets[row];
    const QString named = item->data(Qt::UserRole).toString();
    if (MsgBox::show(
            named + u"に戻します。"_s + c.CrLf + u"今の状態もバックアップに残ります。よろしいですか"_s,
            MsgBox::OkCancel, MsgBox::Question, MsgBox::defaultTitle(), MsgBox::Cancel) != MsgBox::Ok)
        return;
    // The chosen set is read before anything is saved, and kept from pruning until it is back: the
    // saves below make sets of their own, and the oldest set is the first a prune removes.
    const ClassBackup::KeepSet keep(set);
    const QString native = DosPath::toNative(c.ClassPath);
    QList<ClassFiles::FileCopy> files;
    QString error = ClassFiles::readBackupSet(set, QFileInfo(native).fileName(), &files);
    // The class as it is in memory goes to its files first, so that the state kept is the one the
    // teacher sees.
    if (error.isEmpty() && !c.SaveClass())
        return;
    QString notice;
    if (error.isEmpty())
        error = ClassFiles::replaceUnit(c.ClassPath, files, &notice, ClassBackup::kByRestore);
    if (!error.isEmpty()) {
        MsgBox::show(error, MsgBox::OkOnly, MsgBox::Warning);
        fill();
        return;
    }
    if (!notice.isEmpty())
        MsgBox::show(notice, MsgBox::OkOnly, MsgBox::Warning);
    if (c.LoadClass()) {
        c.MakeCurrent(VOXA1::Became::Loaded);
        MsgBox::show(c.ClassName + u"を"_s + named + u"に戻しました。"_s);
    } else {
        // The restored files cannot be read: nothing of the class before stays in memory to be
        // saved over them; the teacher chooses a class again.
        c.Forget();
        MsgBox::show(u"戻した学級のファイルを読み込めませんでした。"_s + c.CrLf +
                         u"学級を選択し直してください。"_s,
                     MsgBox::OkOnly, MsgBox::Warning);
        Command2_Click();
        return;
    }
    fill();
}

void vxRestore::Command2_Click() {
    c.ReturnForm = u"vxRestore"_s;
    forms.hide(tag());
    forms.show(u"vxMain"_s);
}
