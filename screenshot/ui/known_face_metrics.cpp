// The known-face table: the extent of each face's name drawn in that face (height -18, width 9),
// so that the font list need not create and measure those faces when it fills itself.
//
// The first rows were measured on Windows desktops with the common faces installed; the rest were
// measured on the test desktop (Wine with the distribution's fonts and a CJK face standing in for
// 宋体). A row is only used for a face enumerated with the same character set, so a face of the
// same name measured with other glyphs is measured afresh. To regenerate the test desktop's rows
// run the Wine test FontComboCatalogue.DISABLED_PrintMeasuredRows (with
// --gtest_also_run_disabled_tests) on the test desktop and paste what it prints.
#include "screenshot/ui/font_faces.h"

const KnownFaceMetrics kKnownFaces[] = {
    // Windows.
    {L"Arial", 0, 42, 21},
    {L"Arial Unicode MS", 134, 159, 24},
    {L"Cambria Math", 0, 88, 100},
    {L"Symbol", 2, 52, 22},
    {L"System", 134, 49, 16},
    {L"Tw Cen MT Condensed Extra Bold", 0, 293, 21},
    {L"WST_Engl", 2, 80, 12},
    {L"宋体", 134, 36, 18},
    {L"微软雅黑", 134, 72, 24},
    // The test desktop.
    {L"C059", 0, 34, 25},
    {L"D050000L", 0, 94, 19},
    {L"DejaVu Math TeX Gyre", 0, 146, 76},
    {L"DejaVu Sans", 0, 112, 21},
    {L"DejaVu Sans Condensed", 0, 232, 21},
    {L"DejaVu Sans Light", 0, 162, 21},
    {L"DejaVu Sans Mono", 0, 144, 21},
    {L"DejaVu Serif", 0, 118, 21},
    {L"DejaVu Serif Condensed", 0, 237, 21},
    {L"Droid Sans Fallback", 0, 159, 24},
    {L"Liberation Mono", 0, 135, 20},
    {L"Liberation Sans", 0, 113, 20},
    {L"Liberation Sans Narrow", 0, 209, 21},
    {L"Liberation Serif", 0, 113, 20},
    {L"Nimbus Mono PS", 0, 126, 23},
    {L"Nimbus Roman", 0, 100, 24},
    {L"Nimbus Sans", 0, 84, 24},
    {L"Nimbus Sans Narrow", 0, 133, 24},
    {L"Noto Mono", 0, 81, 21},
    {L"Noto Sans Mono", 0, 126, 24},
    {L"P052", 0, 30, 25},
    {L"Standard Symbols PS", 0, 187, 19},
    {L"URW Bookman", 0, 99, 26},
    {L"URW Gothic", 0, 82, 23},
    {L"Z003", 0, 30, 22},
    {L"宋体", 0, 18, 24},
};

const int kKnownFaceCount = static_cast<int>(sizeof(kKnownFaces) / sizeof(kKnownFaces[0]));
