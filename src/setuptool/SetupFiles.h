#pragma once

#include <QByteArray>
#include <QString>

// What the setup tool writes: "voxa.ini" next to the programs, and the data folder it names.
namespace SetupFiles {

enum class Machine { DosV, Nec98 };

// "C:\voxadata" for DOS/V and NEC PC98-NX machines, "A:\voxadata" for the NEC PC-98 series.
QString dataFolder(Machine m);

// The two lines of "voxa.ini": the quoted folder and the quoted "0" (password row shown).
QByteArray iniBytes(Machine m);

// Replaces "voxa.ini" in the program folder. False when it cannot be written.
bool writeIni(Machine m);

// Creates the data folder (fine when it exists already). False when it cannot be made.
bool makeDataFolder(Machine m);

} // namespace SetupFiles
