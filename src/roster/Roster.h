#pragma once

#include <QString>

struct VOXA1;

// The roster's rules that need no window: how sexes are shown and typed, how the cursor moves
// through the grid, and the two roster changes of a school year.
namespace Roster {

// "男" for "1", "女" for "2", empty otherwise.
QString sexCell(const QString& sex);
// What the edit box shows for a sex cell: "1", "2" or empty.
QString sexBox(const QString& cell);
// The cell after Enter in the sex column: "1" gives 男, "2" 女, empty clears it; anything else
// leaves the cell as it was.
QString sexFromBox(const QString& box, const QString& cell);
// Sex "1" or "2" from a cell; "0" when not set.
QString sexFromCell(const QString& cell);

struct Cell {
    int row; // 1..ClassSize
    int col; // 1 name, 2 sex
    bool operator==(const Cell&) const = default;
};
// Enter: name -> sex of the same row; sex -> name of the next row (last row -> row 1).
Cell afterEnter(Cell at, int classSize);
enum class Arrow { Left, Right, Up, Down };
Cell afterArrow(Cell at, Arrow key, int classSize);

// Transfer out of roster position n: the class reaches the files first, the records of the
// positions behind n move up one place, the class is saved and loaded again. Returns false (having
// told the teacher) when a file could not be written or read.
bool transferOut(VOXA1& c, int n);

// Why a pupil cannot be added at the end of the roster, or an empty text when one can.
QString transferInRefusal(const VOXA1& c);
// Adds an empty pupil at the end with the next record number, and saves. False when refused or
// when a file could not be written (the roster is then as it was).
bool transferIn(VOXA1& c);

} // namespace Roster
