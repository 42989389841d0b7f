#pragma once

#include "core/FixedText.h"
#include "core/Grid.h"
#include "core/PupilRec.h"
#include "core/ScoreBytes.h"

#include <QString>

#include <memory>

class ClassLock;

// The one class in memory, with every item shared by the windows. There is one instance per
// running program (owned by main()), handed to every window; tests make their own.
//
// Indices are 1-based everywhere: term t 1..3 (4 = year-end), data subject k 1..4, subject slot s
// 1..5 (ViewName only: 国語 社会 算数 理科 生活), viewpoint v 1..4, sheet 1..20.
struct VOXA1 {
    // Class identity. A class counts as loaded wherever ClassName contains "年".
    QString ClassFile;  // "3-1": grade digit, "-", class digit
    QString ClassName;  // "3年1組"
    qint16 Grade = 0;   // derived by SplitClassName
    qint16 ClassNo = 0; // derived by SplitClassName
    QString ClassPath;  // folder & "\" & ClassFile, in drive-letter form

    // Class settings (the ".sdt" file).
    qint16 SdtReserved = 0;
    FixedText<20> SchoolName;
    FixedText<20> CityName;
    FixedText<20> TeacherName;
    FixedText<20> CopyFolder;
    qint16 CurTerm = 0;
    qint16 ClassSize = 0;
    Grid<FixedText<8>, 5, 4> ViewName;     // (slot, viewpoint); blank = viewpoint not used
    FixedText<10> PassWord;                // "0000000000" = no password
    Grid<ScoreBytes<80>, 4, 4> SheetSetup; // (subject, term); terms 1..3 are stored
    Grid<QString, 4, 4> CalcMark;          // (term, subject): "O" once calculated
    Grid<QString, 4, 4, 4> ViewDoneMark;   // (term, subject, viewpoint)
    Grid<QString, 4, 4> RateMark;          // (term, subject)

    // Pupils (the ".dat" and ".eix" files). Roster position i is stored in record Val(RecNo(i)).
    Grid<PupilRec, 42> Pupil;
    Grid<QString, 50> RecNo;

    // Working table, not stored: 10 = absent from that sheet. (pupil, viewpoint, subject, term, sheet)
    Grid<qint8, 42, 4, 4, 4, 20> AbsentTable{};

    // Run-time state, not stored.
    QString DataFolder;
    qint16 PassHidden = 0;    // 1 = the class selection window hides its password row
    QString ReturnForm;       // tag of the window that last handed back to the main window
    qint16 NewClassFlag = 0;  // 10 from creating a class until its first settings save
    qint16 SettingsDirty = 0; // 100 = the main window's settings boxes hold unsaved changes
    qint16 StartMode = 0;     // 10 at start-up and after a class was created
    qint16 NoClassYet = 0;    // 100 until a class was loaded or created
    qint16 JustCreated = 0;   // 1 after a class was created
    qint16 ClassLoaded = 0;   // 1 after a class was loaded or created
    qint16 SplashWait = 0;    // seconds the splash window stays up
    qint16 NamesImported = 0; // 10 when names were just imported into the roster
    QString CrLf;             // carriage return + line feed, set at start-up

    bool classIsLoaded() const { return ClassName.contains(QStringLiteral("年")); }

    // What makes the class unusable for the windows that read figures by term and pupil (a current
    // term outside 1..3, a class size outside 0..42), as the message for the teacher; empty when
    // nothing does.
    QString figuresProblem() const;

    // Sets Grade and ClassNo from the first and third characters of ClassName (0 when not a digit).
    void SplitClassName();
    // The slot of ViewName that names the viewpoints of data subject k (1..4) of the grade: the
    // subject itself from grade 3 (国語 社会 算数 理科), 1, 3 and 5 below it (国語 算数 生活);
    // 0 when the grade has no such subject.
    static int ViewNameSlot(int k, int grade);

    // Makes the class now held in the class items the current class of the run. Every window
    // goes by the flags set here, so a class just created and a class read from its files are
    // told apart in one place, and nothing of the class before carries over.
    enum class Became { Created, Loaded };
    void MakeCurrent(Became how);
    // No class is current any more (its files could not be read again): nothing of it stays to be
    // saved over them, and its lock is given up.
    void Forget();

    // The class files. On a missing, short or malformed file, or a failed write, these tell the
    // teacher which file and return false; the class in memory is then exactly as it was, and no
    // file is ever left half-written.
    bool LoadSettings();
    bool SaveSettings();
    bool LoadClass();
    bool SaveIndex();
    bool SavePupils();
    // The pupil records, the index and the settings, as one unit.
    bool SaveClass();
    // The index and the settings as one unit (a pupil transferred out).
    bool SaveIndexAndSettings();

    // The lock of the current class, held while it is current so that no other program, here or on
    // another computer, writes it meanwhile; copies of the class share it.
    std::shared_ptr<ClassLock> Lock;
    // The lock of the class at classPath for this run: the one held when it is the current class's,
    // otherwise taken now. When another program holds it the teacher is told who and since when
    // (and, for another computer, asked whether to clear its mark); null when the class is not to
    // be opened.
    std::shared_ptr<ClassLock> LockFor(const QString& classPath) const;
};
