#pragma once

#include <QJsonObject>
#include <QString>

struct VOXA1;

// A class as JSON for support staff: {"settings": {...}, "RecNo": [50 texts], "Pupil": [ClassSize
// records]}, keyed by the item and field names of the class data. Texts are the values in memory;
// a list nests the indices first index outermost (SubjScore[t-1][k-1]); score and allocation
// strings are lists of byte values.
namespace ClassJson {

QJsonObject toJson(const VOXA1& c);

// Fills the class's stored items from JSON. Returns an empty text, or what is wrong with the input
// (the class is then unchanged).
QString fromJson(const QJsonObject& json, VOXA1& c);

} // namespace ClassJson
