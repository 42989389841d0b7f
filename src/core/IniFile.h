#pragma once

#include <QString>

// "voxa.ini" in the program's folder: line 1 the data folder (a quoted text), line 2 PassHidden
// (1 = the class selection window without its password row). The setup tool writes it; the data
// folder and class selection windows rewrite it.
namespace IniFile {

struct Settings {
    QString DataFolder;
    qint16 PassHidden = 0;
};

// The folder a missing or short settings file stands for: what the setup tool writes on a
// DOS/V machine.
QString defaultDataFolder();

// Reads the program folder's "voxa.ini". A missing file, or one with fewer than two values, counts
// as the setup tool's DOS/V default ("C:\voxadata", 0) without alarming the teacher.
Settings read();
// The same from the bytes of such a file.
Settings parse(const QByteArray& data);

// The bytes of the file: the quoted folder and the bare integer, each line ended by CR LF.
QByteArray bytes(const Settings& s);

// Replaces the program folder's "voxa.ini" with both lines. Returns false when it cannot be written.
bool write(const Settings& s);

QString nativePath();

} // namespace IniFile
