#pragma once

#include <QList>
#include <QString>

struct VOXA1;

// The term-end and year-end arithmetic: points, achievement percentages and deviation values
// (偏差値) of every pupil, from the stored scores and allocations. No window here; the term-end
// window only calls these and shows the results.
namespace TermCalc {

// Data subjects of the class: 4 (国語 社会 算数 理科) from grade 3, 3 (国語 算数 生活) below.
int subjectCount(int grade);
// The name of data subject k for the grade.
QString subjectName(int k, int grade);

// Deviation values of a list of percentages within the class: (x - mean) * 10 / SD + 50 with the
// sample standard deviation. A standard deviation below 1e-9 (all percentages equal, as far as
// doubles can tell) and a class of one give 50 for everybody; no pupil gives nothing.
QList<double> deviations(const QList<double>& rates);

// The term calculation of data subject k in term t (1..3), for pupils 1..ClassSize: the absence
// table of term t is rebuilt from the stored marks, then ViewScore, SubjScore, ViewRate, SubjRate,
// ViewDev and SubjDev of (t, k) are written. A sheet a pupil was absent from counts neither points
// nor allocation for that pupil.
void calculateTerm(VOXA1& c, int k, int t);

// The year-end figures (term 4) of data subject k from terms 1..3: totals always add the three
// terms; percentages average the terms by the pupil's rule (A: all three; B: terms 2 and 3 when
// term 1's subject percentage is 0; C: term 3 alone when term 2's is 0).
void calculateYear(VOXA1& c, int k);
// A subject the teacher declined at the year-end: its year subject percentage and deviation value
// are 0 for every pupil; everything else stays.
void declineYear(VOXA1& c, int k);

// True when every data subject of the class has its calculation mark in terms 1..3.
bool allTermsCalculated(const VOXA1& c);

} // namespace TermCalc
