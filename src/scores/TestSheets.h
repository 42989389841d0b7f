#pragma once

#include "core/Grid.h"

#include <QList>
#include <QString>

#include <optional>

struct VOXA1;

// The test sheets of the current term without any window: allocations, scores, absences, the class
// average, clearing and deleting a sheet. Data subject d 1..4, viewpoint v 1..4, sheet n 1..20,
// pupil p 1..42; the position of viewpoint v of sheet n in the 80- and 100-character strings is
// n + (v - 1) * 20.
namespace TestSheets {

struct Subject {
    QString caption; // "国　語"
    int data;        // data subject 1..4
    int slot;        // ViewName slot 1..5
};
// 国語 算数 生活 for grades 1 and 2, 国語 社会 算数 理科 for grades 3 to 6.
QList<Subject> subjects(int grade);

// The allocations of the term: points per viewpoint and sheet, and each sheet's total.
struct Allocations {
    Grid<int, 4, 4, 20> points{}; // (subject, viewpoint, sheet)
    Grid<int, 4, 20> total{};     // (subject, sheet)
};
// The entry scores of one sheet: (viewpoint, pupil).
using EntryScores = Grid<int, 4, 42>;

// Reads the allocations of every subject of the class for the term.
void loadAllocations(const VOXA1& c, Allocations& a, int term);
// Writes the four allocations of one sheet into SheetSetup; every other character stays.
void storeAllocation(VOXA1& c, const Allocations& a, int d, int n, int term);

// "未" for 0 points, "済" for 100, 150, 200 or 300, "誤" for anything else.
QString statusMark(int total);
// A sheet list entry: " 1  済".
QString sheetEntry(int n, int total);
bool totalAccepted(int total);
// A viewpoint is used unless its name is blank or "－－".
bool viewpointUsed(const QString& name);

// Whether every subject of the class was calculated in every term before the current one.
bool earlierTermsCalculated(const VOXA1& c);

// Reads one sheet's scores; the sheet's absence marks are first cleared for every pupil and then set
// from the stored marks, so the absence table always equals what is stored.
void loadScores(VOXA1& c, EntryScores& e, int d, int n, int term);
// Writes one sheet's scores and absence marks into every pupil's SheetMarks.
void storeScores(VOXA1& c, const EntryScores& e, int d, int n, int term);

bool isAbsent(const VOXA1& c, int p, int d, int n, int term);
void setAbsent(VOXA1& c, int p, int d, int n, int term, bool absent);

// The class average of a sheet over the pupils present; nothing when no pupil is present.
std::optional<double> average(const VOXA1& c, const EntryScores& e, int d, int n, int term);

// Empties a sheet: allocation and scores blank, absence marks kept. Saves the class.
bool clearSheet(VOXA1& c, Allocations& a, int d, int n, int term);
// Removes a sheet: the later sheets move down one place with their allocations, scores and
// absences, and the last sheet is left empty. Saves the class.
bool deleteSheet(VOXA1& c, Allocations& a, int d, int n, int term);

// The value the old program's Val() reads from an entry box: leading blanks skipped, an optional
// sign, digits and one decimal point; 0 when there is no number.
double numericValue(const QString& text);

// The seven columns of a pupil's row in the entry lists.
QStringList rowCells(const VOXA1& c, const EntryScores& e, int p, int d, int n, int term);

} // namespace TestSheets
