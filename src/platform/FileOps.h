#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// What the copy window asks of files before it copies a class.
namespace FileOps {

// Another program has the file open and locked for writing (false when there is no such file).
bool lockedByAnother(const QString& nativePath);

// The file's last-modified time; invalid when the file does not exist.
QDateTime modified(const QString& nativePath);

} // namespace FileOps
