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

// An allocation a is stored as the code a + 32, except 100, which is code 31.
constexpr unsigned char encodeAllocation(int points) {
    return static_cast<unsigned char>(points == 100 ? 31 : points + 32);
}

} // namespace ScoreCode
