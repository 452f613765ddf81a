#pragma once
// The built-in texture font: its description text and its atlas, a PNG of
// 1024 x 1024 8-bit RGB pixels with dark glyphs on white.  Both are generated
// at build time by tools/fontgen from DejaVu Sans, Sans Bold and Sans Oblique.
//
// Codes 32-126 regular, 232-326 bold, 432-526 italic, 632-726 Greek (letters
// under the Latin letters of the classic symbol-font mapping, other
// characters as regular), 800 thin space, 801 middle dot, 802 wedge,
// 803 right floor, 804 left floor, 805 infinity, 806 times; every other of
// the 1000 codes is empty.  Cells are 60 pixels high with the baseline at
// three quarters of the cell.

extern const char fontDesc[];           // the description, NUL-terminated
extern const int fontDescLength;        // bytes before the NUL
extern const unsigned char fontImage[]; // the PNG file's bytes
extern const int fontImageLength;
