#include "setuptool/SetupFiles.h"

#include "platform/Cp932.h"
#include "platform/DosPath.h"
#include "platform/Program.h"

#include <QDir>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace SetupFiles {

QString dataFolder(Machine m) {
    return m == Machine::Nec98 ? u"A:\\voxadata"_s : u"C:\\voxadata"_s;
}

QByteArray iniBytes(Machine m) {
    return '"' + Cp932::encode(dataFolder(m)) + "\"\r\n\"0\"\r\n";
}

bool writeIni(Machine m) {
    QSaveFile f(Program::folder() + u"voxa.ini"_s);
    const QByteArray data = iniBytes(m);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        return false;
    return f.commit();
}

bool makeDataFolder(Machine m) {
    const QString native = DosPath::toNative(dataFolder(m));
    return !native.isEmpty() && QDir().mkpath(native);
}

} // namespace SetupFiles
