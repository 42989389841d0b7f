#include "core/IniFile.h"

#include "core/ListText.h"
#include "platform/Cp932.h"
#include "platform/Program.h"
#include "platform/SafeSave.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace IniFile {

QString defaultDataFolder() {
    return u"C:\\voxadata"_s;
}

QString nativePath() {
    return Program::settingsFile();
}

Settings read() {
    QFile f(nativePath());
    if (!f.open(QIODevice::ReadOnly))
        return Settings{defaultDataFolder(), 0};
    return parse(f.readAll());
}

Settings parse(const QByteArray& data) {
    Settings s{defaultDataFolder(), 0};
    ListReader r(data);
    // Each line stands on its own: a damaged second line keeps a good first line.
    const auto folder = r.next();
    // A folder of bytes that are no text (a lone lead byte) is as good as none.
    const QString decoded = folder ? Cp932::decode(*folder) : QString();
    if (decoded.trimmed().isEmpty())
        return s;
    s.DataFolder = decoded;
    if (const auto hidden = r.nextInt16(); hidden && (*hidden == 0 || *hidden == 1))
        s.PassHidden = *hidden;
    return s;
}

QByteArray bytes(const Settings& s) {
    ListWriter w;
    w.text(Cp932::encode(s.DataFolder));
    w.endLine();
    w.integer(s.PassHidden);
    w.endLine();
    return w.data();
}

bool write(const Settings& s) {
    return Program::makeSettingsFolder() && SafeSave::replaceFile(nativePath(), bytes(s));
}

} // namespace IniFile
