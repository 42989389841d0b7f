#pragma once

#include "core/FixedBytes.h"
#include "core/FixedText.h"
#include "core/Grid.h"
#include "core/ScoreBytes.h"

#include <QString>

// One pupil: name, sex, the unused fields carried through the files unchanged, the test results
// (SheetMarks) and everything the term-end processing computes. Fields keep the order of the file.
// A new record is empty: blank name, Sex "0", zero results, blank marks, blank score strings.
struct PupilRec {
    qint16 RecHead = 0;
    QString Sex = QStringLiteral("0"); // "1" 男, "2" 女, "0" or empty: not set
    FixedText<20> PName;
    // Fields no window reads or writes: held as the bytes of the file, so that they are written
    // back exactly as they were read.
    FixedBytes<60> Extra1;
    FixedBytes<10> Extra2;
    FixedBytes<10> Extra3;
    FixedBytes<20> Extra4;
    FixedBytes<60> Extra5;
    FixedBytes<20> Extra6;
    Grid<FixedBytes<10>, 2, 5> Extra7;
    Grid<qint16, 4, 4> SubjScore{};         // (term 1..4, subject 1..4)
    Grid<double, 4, 4> SubjRate{};          // (term, subject)
    Grid<double, 4, 4> SubjDev{};           // (term, subject)
    Grid<FixedText<2>, 4, 4> SubjMark;      // (term, subject): "３" "２" "１" or blank
    Grid<ScoreBytes<100>, 4, 3> SheetMarks; // (subject 1..4, term 1..3)
    Grid<qint16, 4, 4, 4> ViewScore{};      // (term, subject, viewpoint)
    Grid<double, 4, 4, 4> ViewRate{};       // (term, subject, viewpoint)
    Grid<double, 4, 4, 4> ViewDev{};        // (term, subject, viewpoint)
    Grid<FixedText<2>, 4, 4, 4> ViewMark;   // (term, subject, viewpoint): "◎" "○" "△" or blank

    bool operator==(const PupilRec&) const = default;
};
