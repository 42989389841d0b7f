#pragma once

// One byte per point value in the score and allocation strings: 0..96 points are the codes 32..128,
// 97..100 the codes 28..31 below the space. A space therefore reads as 0 points.
namespace ScoreCode {

// The half-width katakana "ｹ" of code page 932: the pupil was absent from the sheet.
constexpr unsigned char kAbsent = 0xB9;

constexpr unsigned char encode(int points) {
    return static_cast<unsigned char>(points >= 97 ? points - 69 : points + 32);
}

constexpr int decode(unsigned char code) {
    return code < 32 ? code + 69 : code - 32;
}

// Points of a score character as the calculations read them: a byte 0 (never written) and the
// absence mark count 0, and no character counts more than 100.
constexpr int points(unsigned char code) {
    if (code == 0 || code == kAbsent)
        return 0;
    const int p = decode(code);
    return p > 100 ? 100 : p;
}

// An allocation a is stored as the code a + 32, except 100, which is code 31 (so 97..99 are the
// codes 129..131).
constexpr unsigned char encodeAllocation(int points) {
    return static_cast<unsigned char>(points == 100 ? 31 : points + 32);
}

// The allocation a character holds: 100 for code 31, code - 32 otherwise (a space is 0); codes
// below the space other than 31 hold nothing.
constexpr int decodeAllocation(unsigned char code) {
    if (code == 31)
        return 100;
    if (code < 32)
        return 0;
    const int a = code - 32;
    return a > 100 ? 100 : a;
}

} // namespace ScoreCode
