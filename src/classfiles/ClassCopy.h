#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Copying the three files of a class to another folder (a backup on a stick, a second computer).
namespace ClassCopy {

// ".dat", ".sdt", ".eix": the order in which the files are copied.
const QStringList& extensions();

// "yyyy/mm/dd  hh:mm:ss  " as the overwrite question shows file times.
QString timeText(const QDateTime& t);

// The overwrite question for an existing copy.
QString overwriteQuestion(const QDateTime& source, const QDateTime& destination,
                          const QString& destinationBase);

// Whether two base paths (drive-letter form) name the same files.
bool sameFiles(const QString& sourceBase, const QString& destinationBase);

// Copies the three files of a class as one: nothing is copied unless all three sources exist, and
// a failure leaves every destination file as it was. Returns the message for the teacher, naming the
// file, or an empty text when all three are in place. `notice` receives what the teacher should hear
// even after a copy that succeeded (the source's interrupted save was put back first).
QString copyAll(const QString& sourceBase, const QString& destinationBase, QString* notice = nullptr);

} // namespace ClassCopy
