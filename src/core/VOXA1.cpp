#include "core/VOXA1.h"

#include "core/ClassFiles.h"
#include "platform/ClassLock.h"

#include "platform/MsgBox.h"
#include <functional>

namespace {
qint16 digitAt(const QString& s, int i) {
    return (i < s.size() && s[i] >= u'0' && s[i] <= u'9') ? static_cast<qint16>(s[i].unicode() - u'0') : 0;
}

bool told(const QString& error) {
    if (error.isEmpty())
        return true;
    MsgBox::notice(error, MsgBox::Warning);
    return false;
}
} // namespace

QString VOXA1::figuresProblem() const {
    if (CurTerm < 1 || CurTerm > 3)
        return QStringLiteral("現在の学期の設定が正しくありません。");
    if (ClassSize < 0 || ClassSize > 42)
        return QStringLiteral("学級の人数の設定が正しくありません。");
    return {};
}

int VOXA1::ViewNameSlot(int k, int grade) {
    if (k < 1 || k > 4)
        return 0;
    if (grade >= 3)
        return k;
    static constexpr int below3[4] = {1, 3, 5, 0};
    return below3[k - 1];
}

void VOXA1::SplitClassName() {
    Grade = digitAt(ClassName, 0);
    ClassNo = digitAt(ClassName, 2);
}

void VOXA1::MakeCurrent(Became how) {
    const bool created = how == Became::Created;
    SplitClassName();
    // Only a new class gets fresh defaults on its first settings save and an editable class size.
    NewClassFlag = created ? 10 : 0;
    // The standard settings command and the quiet start belong to a class just created.
    StartMode = created ? 10 : 0;
    // The settings pane opens by itself only for a class just created.
    JustCreated = created ? 1 : 0;
    SettingsDirty = 0;
    NoClassYet = 0;
    ClassLoaded = 1;
}

void VOXA1::Forget() {
    ClassName = QString();
    ClassLoaded = 0;
    NoClassYet = 100;
    Lock.reset();
}

namespace {
// Shows the error, or the notice that came with a success.
bool toldWithNotice(const QString& error, const QString& notice) {
    if (!error.isEmpty())
        return told(error);
    if (!notice.isEmpty())
        MsgBox::notice(notice, MsgBox::Information);
    return true;
}
} // namespace

namespace {
// A load refused for a damaged save record: the teacher chooses how the class opens, the other state
// kept in a backup set. True when the load should be tried again.
bool settledDamagedRecord(const QString& classPath, const QString& error) {
    const QString question =
        error + QStringLiteral("\r\n\r\n") +
        QStringLiteral("どちらの状態で開きますか。選ばなかった方も、今のファイルも、バックアップに残ります"
                       "（［ﾕｰﾃｨﾘﾃｨｰ］－［バックアップから戻す］で戻せます）。");
    const MsgBox::Answer a =
        MsgBox::ask(question,
                    {QStringLiteral("保存の前の状態に戻して開く"), QStringLiteral("今のファイルのまま開く"),
                     QStringLiteral("キャンセル")},
                    MsgBox::Warning, MsgBox::defaultTitle(), MsgBox::Cancel);
    if (a != MsgBox::Yes && a != MsgBox::No)
        return false;
    const QString settleError = ClassFiles::settleDamaged(
        classPath, a == MsgBox::Yes ? ClassFiles::Settle::PutBack : ClassFiles::Settle::AsTheyStand);
    if (!settleError.isEmpty()) {
        told(settleError);
        return false;
    }
    return true;
}

// A load, with the teacher's way out of a damaged save record, and what it says.
bool loadWithWayOut(const QString& classPath, const std::function<QString(QString*)>& load) {
    QString notice;
    QString error = load(&notice);
    if (!error.isEmpty() && ClassFiles::markerDamaged(classPath)) {
        if (!settledDamagedRecord(classPath, error))
            return false;
        error = load(&notice);
    }
    return toldWithNotice(error, notice);
}
} // namespace

bool VOXA1::LoadSettings() {
    return loadWithWayOut(ClassPath,
                          [this](QString* notice) { return ClassFiles::loadSettings(*this, notice); });
}

bool VOXA1::LoadClass() {
    return loadWithWayOut(ClassPath,
                          [this](QString* notice) { return ClassFiles::loadClass(*this, notice); });
}

bool VOXA1::SaveSettings() {
    QString notice;
    const QString error = ClassFiles::saveSettings(*this, &notice);
    return toldWithNotice(error, notice);
}

bool VOXA1::SaveIndex() {
    QString notice;
    const QString error = ClassFiles::saveIndex(*this, &notice);
    return toldWithNotice(error, notice);
}

bool VOXA1::SavePupils() {
    QString notice;
    const QString error = ClassFiles::savePupils(*this, &notice);
    return toldWithNotice(error, notice);
}

bool VOXA1::SaveClass() {
    QString notice;
    const QString error = ClassFiles::saveClass(*this, &notice);
    return toldWithNotice(error, notice);
}

bool VOXA1::SaveIndexAndSettings() {
    QString notice;
    const QString error =
        ClassFiles::saveFiles(*this, ClassFiles::IndexFile | ClassFiles::SettingsFile, &notice);
    return toldWithNotice(error, notice);
}

std::shared_ptr<ClassLock> VOXA1::LockFor(const QString& classPath) const {
    const bool sameClass = Lock && Lock->file() == ClassFiles::lockPath(classPath);
    if (sameClass && Lock->stillOurs())
        return Lock;
    // A lock this program has lost (cleared at another computer, another disk in the drive) is
    // never used again; the class is taken anew, as if chosen for the first time.
    std::shared_ptr<ClassLock> lock = ClassFiles::lockClass(classPath, sameClass);
    // A folder where no lock can be made cannot be written either: the class opens to be read, and
    // every save says why it cannot be made.
    if (lock->status() == ClassLock::Status::Failed)
        return lock;
    if (lock->status() == ClassLock::Status::Foreign || lock->status() == ClassLock::Status::Lost) {
        told(lock->refusal(classPath));
        return nullptr;
    }
    if (lock->status() != ClassLock::Status::InUse) {
        lock->tidy();
        return lock;
    }
    if (!lock->holder().otherComputer) {
        told(lock->refusal(classPath));
        return nullptr;
    }
    const QString question =
        ClassLock::inUseText(lock->holder()) + CrLf + classPath + CrLf + CrLf +
        QStringLiteral(
            "そのコンピューターが学級を開いたまま止まった場合は、使用中の表示を解除して開けます。") +
        CrLf + QStringLiteral("まだ使われているときに解除すると、どちらかで入力した内容が失われます。");
    if (MsgBox::ask(question, {QStringLiteral("使用中の表示を解除して開く"), QStringLiteral("キャンセル")},
                    MsgBox::Warning, MsgBox::defaultTitle(), MsgBox::Cancel) != MsgBox::Yes)
        return nullptr;
    const ClassLock::Holder shown = lock->holder();
    lock.reset();
    if (!ClassFiles::releaseLock(classPath, shown)) {
        told(QStringLiteral("使用中の表示を解除できませんでした。") + CrLf + classPath + CrLf +
             QStringLiteral(
                 "その間に印が変わったか、フォルダに書き込めません。もう一度学級を選んでください。"));
        return nullptr;
    }
    lock = ClassFiles::lockClass(classPath, sameClass);
    if (lock->status() != ClassLock::Status::Taken && lock->status() != ClassLock::Status::HeldHere) {
        told(lock->refusal(classPath));
        return nullptr;
    }
    return lock;
}
