#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// File copies for the backup window, with the conditions the teacher is told about.
namespace FileOps {

enum class CopyResult {
    Ok,
    NotFound, // a source file does not exist
    InUse,    // a destination is open and locked by another program
    Failed    // anything else (no such folder, no right to write, disk full)
};

struct CopyOutcome {
    CopyResult result = CopyResult::Ok;
    int failedIndex = -1; // which pair failed, -1 when all went well
};

struct CopyPair {
    QString nativeSource;
    QString nativeDestination;
};

// Copies a set of files as one: either every destination holds its source (with the source's
// modification time) or every destination is as it was before. Nothing is written unless every
// source exists. Host paths.
CopyOutcome copyFiles(const QList<CopyPair>& pairs);

// The file's last-modified time; invalid when the file does not exist.
QDateTime modified(const QString& nativePath);

} // namespace FileOps
