#pragma once

struct VOXA1;

// The absence table (AbsentTable) kept equal to the stored marks: a pupil is absent from a sheet
// when the sheet's own position of the score string holds "ｹ".
namespace AbsentMarks {

// Reads the marks of one sheet (data subject, term 1..3, sheet 1..20) for every pupil of the
// roster, first clearing what the table held for that sheet.
void loadSheet(VOXA1& c, int subject, int term, int sheet);

// The whole table again from the pupils' score strings, for every subject, term and sheet (after
// pupils changed places, for instance).
void rebuild(VOXA1& c);

} // namespace AbsentMarks
