#pragma once

#include <QDateTime>
#include <QString>

// File copies for the backup window, with the conditions the teacher is told about.
namespace FileOps {

enum class CopyResult {
    Ok,
    NotFound, // the source file does not exist
    InUse,    // the destination is open and locked by another program
    Failed    // anything else (no such folder, no right to write, disk full)
};

// Copies a file, replacing the destination atomically. Host paths.
CopyResult copyFile(const QString& nativeSource, const QString& nativeDestination);

// The file's last-modified time; invalid when the file does not exist.
QDateTime modified(const QString& nativePath);

} // namespace FileOps
