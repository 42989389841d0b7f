#pragma once

#include "organise/Organiser.h"

// Grades made up for the organiser's tests and benchmark: `classes` old classes of the given sizes,
// sexes and means drawn from the seed, and as many random rules of each kind as asked (pupils of a
// pair or group drawn without repeats, so the rules can mostly be met).
namespace GradeMaker {

struct Ask {
    int oldClasses = 6;
    int minSize = 40, maxSize = 40;
    int newClasses = 6;
    int apart = 20, together = 10, fixed = 5, flagged = 24;
    int cap = 40;
};
Organiser::Problem make(const Ask& ask, quint64 seed);

// Writes classes G-1 … G-classes of `size` pupils into the folder (drive-letter form) as the grade
// book saves them: names drawn from the seed, sexes alternating by chance, year-end results
// calculated, a teacher for each. False when a class could not be saved.
bool writeGrade(const QString& folder, int grade, int classes, int size, quint64 seed);

} // namespace GradeMaker
