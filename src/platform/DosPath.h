#pragma once

#include <QString>

// Paths as the grade book stores and shows them: with a drive letter and backslashes
// ("C:\voxadata\3-1"). They are mapped to the host's own paths only here, where a file is opened.
//
// On this system "C:" is the user's home folder, "Z:" the root of the file system and "A:" the first
// mounted removable volume ("not ready" when there is none). A name that differs from an existing
// one only in case resolves to it, since files copied from a FAT stick are often upper case.
// A path without a drive letter is taken to be a host path already and passes through.
namespace DosPath {

// The host path for a drive-letter path; an empty text when the drive is not ready.
QString toNative(const QString& dosPath);

// The drive-letter path for a host path ("Z:\..." outside the home folder).
QString fromNative(const QString& nativePath);

// How a message names a file the program wrote (a PDF, a data file): the full host path, which is
// what the teacher's file manager shows. Folder choices and voxa.ini keep the drive-letter form.
QString forMessage(const QString& nativePath);

// Whether a drive letter stands for something that can be read now.
bool driveReady(QChar letter);

// folder & "\" & name, with a single "\" when the folder already ends in one (a drive root).
QString join(const QString& folder, const QString& name);

// Whether the text starts with a drive letter and a colon.
bool hasDrive(const QString& path);

} // namespace DosPath
