#pragma once

#include <QString>

struct VOXA1;
class PrintSurface;

// The printed individual report (個人票): one page per pupil with the class heading and, for each
// term shown, the viewpoint scores and marks, the subject scores with deviation values, and the
// ratings. Text stands at Tab columns of the print surface; nothing here knows of windows.
namespace ReportPage {

// How many term blocks a report shows: the current term, and the year-end ("要　録") as a fourth
// once the year-end calculation is done in the third term.
int ShowTerms(const VOXA1& c);

// The school line of the page heading, cut to the columns before the grade at Tab(41) without
// splitting a double-byte character.
QString headingSchoolLine(const VOXA1& c);

// The school line the report window shows: the city up to its first "市", else its first "町"
// (nothing when neither occurs), "立", the school up to its first "小" (else its first character),
// "学校".
QString windowSchoolLine(const VOXA1& c);

// One pupil's page (p in 1..ClassSize); the page is ended after it.
void kojin_page(PrintSurface& ps, const VOXA1& c, int p, int showTerms);
// The pages of pupils first..last in roster order, one each, in the surface's job.
void printPages(PrintSurface& ps, const VOXA1& c, int first, int last);

// The widest column the page uses, for fitting it to the paper.
// 理科's fourth viewpoint name stands at Tab(90) and takes four columns, up to 93.
constexpr int kPageColumns = 94;

} // namespace ReportPage
