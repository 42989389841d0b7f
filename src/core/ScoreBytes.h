#pragma once

#include "core/FixedBytes.h"
#include "core/ScoreCode.h"

// A score or allocation string (SheetMarks, SheetSetup): N single bytes, each a score code, a space
// (nothing entered) or the absence mark. These are bytes, never text: they must not pass through
// the text codec, which would turn codes 128..131 into something else.
template <int N> class ScoreBytes : public FixedBytes<N> {
public:
    // The points stored at position i (a space reads as 0).
    int value(int i) const { return ScoreCode::decode(this->at(i)); }
    bool isBlank(int i) const { return this->at(i) == ' '; }
    bool isAbsent(int i) const { return this->at(i) == ScoreCode::kAbsent; }
    bool operator==(const ScoreBytes&) const = default;
};
