// The size of every bitmap resource of the engine, by id: what the picture generator must draw
// and what the engine's layouts rely on. Shared by the generator (tools/resgen) and the tests.
#pragma once

struct BitmapSize {
  int id;
  int width;
  int height;
};

inline constexpr BitmapSize kBitmapSizes[] = {
    {120, 190, 67},
    {121, 20, 20},
    {1080, 44, 136},
    {1081, 52, 28},
    {1082, 51, 2},
    {1083, 2, 30},
    {122, 34, 32},
    {123, 48, 26},
    {124, 48, 26},
    {125, 48, 26},
    {126, 48, 26},
    {105, 48, 26},
    {127, 48, 26},
    {129, 48, 26},
    {131, 48, 26},
    {132, 104, 26},
    {135, 48, 26},
    {133, 48, 26},
    {134, 48, 26},
    {1043, 105, 22},
    {1046, 16, 16},
    {1045, 84, 20},
    {1039, 48, 12},
    {1041, 48, 12},
    {1040, 48, 9},
    {1042, 48, 5},
    {174, 48, 26},
    {1068, 104, 26},
    {128, 50, 20},
    {130, 50, 20},
    {1030, 34, 32},
    {1031, 44, 22},
    {1032, 21, 22},
    {1033, 21, 22},
    {1034, 21, 22},
    {1035, 38, 72},
    {1047, 35, 26},
    {1061, 11, 11},
    {1062, 9, 9},
    {1063, 11, 28},
    {1064, 13, 3},
    {1065, 3, 13},
    {1066, 26, 13},
    // text bar: background, toggle frames, font, bold and italic glyphs
    {1048, 34, 32},
    {1049, 44, 22},
    {1050, 24, 16},
    {1051, 16, 16},
    {1052, 16, 16},
};
