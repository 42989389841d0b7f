#include "core/VOXA1.h"

#include "core/ClassFiles.h"
#include "platform/MsgBox.h"

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

bool VOXA1::LoadSettings() {
    return told(ClassFiles::loadSettings(*this));
}

bool VOXA1::SaveSettings() {
    return told(ClassFiles::saveSettings(*this));
}

bool VOXA1::LoadClass() {
    return told(ClassFiles::loadClass(*this));
}

bool VOXA1::SaveIndex() {
    return told(ClassFiles::saveIndex(*this));
}

bool VOXA1::SavePupils() {
    return told(ClassFiles::savePupils(*this));
}

bool VOXA1::SaveClass() {
    return SavePupils() && SaveSettings();
}
