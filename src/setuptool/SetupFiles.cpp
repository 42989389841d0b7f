#include "setuptool/SetupFiles.h"

#include "platform/Cp932.h"
#include "platform/DosPath.h"
#include "platform/FileSet.h"
#include "platform/Program.h"
#include "platform/SafeSave.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace SetupFiles {

QString dataFolder(Machine m) {
    return m == Machine::Nec98 ? u"A:\\voxadata"_s : u"C:\\voxadata"_s;
}

QByteArray iniBytes(Machine m) {
    return '"' + Cp932::encode(dataFolder(m)) + "\"\r\n\"0\"\r\n";
}

bool writeIni(Machine m) {
    return Program::makeSettingsFolder() && SafeSave::replaceFile(Program::settingsFile(), iniBytes(m));
}

bool makeDataFolder(Machine m) {
    const QString native = DosPath::toNative(dataFolder(m));
    return !native.isEmpty() && FileSet::makePrivateFolder(native);
}

} // namespace SetupFiles
