#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The automatic backups of a class: before a save replaces a class's files, the files as they were
// are kept as a dated set in "voxabak\3-1\20261208-101500\" inside the data folder. A set is made
// at most every ten minutes per class, and the newest twenty sets are kept, so the teacher can go
// back to this morning or last week. The sets are ordinary class files, which the copy window
// restores.
namespace ClassBackup {

constexpr int kSetsKept = 20;
constexpr int kMinutesApart = 10;

// Host path of the backups of the class "base" whose files are in the host folder.
QString folderOf(const QString& classFolder, const QString& base);

// The sets of the class, oldest first (folder names "yyyyMMdd-HHmmss").
QStringList sets(const QString& classFolder, const QString& base);

// The host path of the set to make now, or an empty text when the newest set is less than ten
// minutes away from now.
QString dueSet(const QString& classFolder, const QString& base, const QDateTime& now);

// Removes the oldest sets beyond the twenty kept.
void prune(const QString& classFolder, const QString& base);

} // namespace ClassBackup
