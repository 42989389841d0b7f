#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The automatic backups of a class: before a save replaces a class's files, the files as they were
// are kept as a dated set in "voxabak\3-1\20261208-101500\" inside the data folder. A set is made
// at most every ten minutes per class, and the twenty sets made last are kept, so the teacher can
// go back to this morning or last week. The order of making is recorded beside the sets
// ("made.txt"), since a clock put right makes names a poor guide. Only folders of the program's own
// making count as sets: a set's name, holding nothing but the class's files; anything else in the
// backup folder is neither shown nor removed.
namespace ClassBackup {

constexpr int kSetsKept = 20;
constexpr int kMinutesApart = 10;

// Host path of the backups of the class "base" whose files are in the host folder.
QString folderOf(const QString& classFolder, const QString& base);

// The sets of the class, oldest first by when they were made (sets from before the record, by name,
// before the recorded ones).
QStringList sets(const QString& classFolder, const QString& base);

// The host path of the set to make now, or an empty text when a set less than ten minutes away from
// now exists.
QString dueSet(const QString& classFolder, const QString& base, const QDateTime& now);

// The host path of a set to make now whatever the sets before it (a copy or a restore over the
// class): named by now, or the next free second.
QString freshSet(const QString& classFolder, const QString& base, const QDateTime& now);

// What made a set other than an ordinary save: a restore over the class, a copy over it.
inline const QString kByRestore = QStringLiteral("restore");
inline const QString kByCopy = QStringLiteral("copy");
// The two sets kept when the teacher settles a damaged save record: the files as they stood, and
// the files the interrupted save had kept to go back to.
inline const QString kAsFound = QStringLiteral("as-found");
inline const QString kRollback = QStringLiteral("rollback");

// Records the set just made as the newest, with what made it; false when the record cannot be written.
bool recordMade(const QString& classFolder, const QString& base, const QString& setName,
                const QString& kind = {});
// What made the set, as recorded (empty for an ordinary save or a set from before the record).
QString madeBy(const QString& classFolder, const QString& base, const QString& setName);

// While it lives, the set at this host path is never pruned (it is being restored).
class KeepSet {
public:
    explicit KeepSet(const QString& setPath);
    ~KeepSet();
    KeepSet(const KeepSet&) = delete;
    KeepSet& operator=(const KeepSet&) = delete;

private:
    QString m_path;
};

// Removes the sets made first beyond the twenty kept; never `justMade`.
void prune(const QString& classFolder, const QString& base, const QString& justMade);

// Removes what a save killed while making a set left behind (a hidden staging folder).
void removeUnfinished(const QString& classFolder, const QString& base);

} // namespace ClassBackup
