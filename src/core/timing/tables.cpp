// The fixed timing tables: VESA DMT 1.0 r13 by DMT ID, and the CTA-861 video
// formats by VIC. Vertical counts of interlaced formats are per field (the active
// count is the frame's); blanking excludes borders.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <span>
#include <utility>

#include "core/common/format.h"
#include "core/timing/timing.h"

namespace edid::timing {

namespace {

struct Row {
  int id;
  int hActive, vActive;
  int pixelClockKHz;
  int hFrontPorch, hSync, hBackPorch;
  int vFrontPorch, vSync, vBackPorch;
  bool hSyncPositive, vSyncPositive, interlaced;
  bool reduced = false;
};

// clang-format off
constexpr Row kDmt[] = {
    {0x01, 640, 350, 31500, 32, 64, 96, 32, 3, 60, true, false, false, false},
    {0x02, 640, 400, 31500, 32, 64, 96, 1, 3, 41, false, true, false, false},
    {0x03, 720, 400, 35500, 36, 72, 108, 1, 3, 42, false, true, false, false},
    {0x04, 640, 480, 25175, 8, 96, 40, 2, 2, 25, false, false, false, false},
    {0x05, 640, 480, 31500, 16, 40, 120, 1, 3, 20, false, false, false, false},
    {0x06, 640, 480, 31500, 16, 64, 120, 1, 3, 16, false, false, false, false},
    {0x07, 640, 480, 36000, 56, 56, 80, 1, 3, 25, false, false, false, false},
    {0x08, 800, 600, 36000, 24, 72, 128, 1, 2, 22, true, true, false, false},
    {0x09, 800, 600, 40000, 40, 128, 88, 1, 4, 23, true, true, false, false},
    {0x0A, 800, 600, 50000, 56, 120, 64, 37, 6, 23, true, true, false, false},
    {0x0B, 800, 600, 49500, 16, 80, 160, 1, 3, 21, true, true, false, false},
    {0x0C, 800, 600, 56250, 32, 64, 152, 1, 3, 27, true, true, false, false},
    {0x0D, 800, 600, 73250, 48, 32, 80, 3, 4, 29, true, false, false, true},
    {0x0E, 848, 480, 33750, 16, 112, 112, 6, 8, 23, true, true, false, false},
    {0x0F, 1024, 768, 44900, 8, 176, 56, 0, 4, 20, true, true, true, false},
    {0x10, 1024, 768, 65000, 24, 136, 160, 3, 6, 29, false, false, false, false},
    {0x11, 1024, 768, 75000, 24, 136, 144, 3, 6, 29, false, false, false, false},
    {0x12, 1024, 768, 78750, 16, 96, 176, 1, 3, 28, true, true, false, false},
    {0x13, 1024, 768, 94500, 48, 96, 208, 1, 3, 36, true, true, false, false},
    {0x14, 1024, 768, 115500, 48, 32, 80, 3, 4, 38, true, false, false, true},
    {0x15, 1152, 864, 108000, 64, 128, 256, 1, 3, 32, true, true, false, false},
    {0x55, 1280, 720, 74250, 110, 40, 220, 5, 5, 20, true, true, false, false},
    {0x16, 1280, 768, 68250, 48, 32, 80, 3, 7, 12, true, false, false, true},
    {0x17, 1280, 768, 79500, 64, 128, 192, 3, 7, 20, false, true, false, false},
    {0x18, 1280, 768, 102250, 80, 128, 208, 3, 7, 27, false, true, false, false},
    {0x19, 1280, 768, 117500, 80, 136, 216, 3, 7, 31, false, true, false, false},
    {0x1A, 1280, 768, 140250, 48, 32, 80, 3, 7, 35, true, false, false, false},
    {0x1B, 1280, 800, 71000, 48, 32, 80, 3, 6, 14, true, false, false, true},
    {0x1C, 1280, 800, 83500, 72, 128, 200, 3, 6, 22, false, true, false, false},
    {0x1D, 1280, 800, 106500, 80, 128, 208, 3, 6, 29, false, true, false, false},
    {0x1E, 1280, 800, 122500, 80, 136, 216, 3, 6, 34, false, true, false, false},
    {0x1F, 1280, 800, 146250, 48, 32, 80, 3, 6, 38, true, false, false, true},
    {0x20, 1280, 960, 108000, 96, 112, 312, 1, 3, 36, true, true, false, false},
    {0x21, 1280, 960, 148500, 64, 160, 224, 1, 3, 47, true, true, false, false},
    {0x22, 1280, 960, 175500, 48, 32, 80, 3, 4, 50, true, false, false, true},
    {0x23, 1280, 1024, 108000, 48, 112, 248, 1, 3, 38, true, true, false, false},
    {0x24, 1280, 1024, 135000, 16, 144, 248, 1, 3, 38, true, true, false, false},
    {0x25, 1280, 1024, 157500, 64, 160, 224, 1, 3, 44, true, true, false, false},
    {0x26, 1280, 1024, 187250, 48, 32, 80, 3, 7, 50, true, false, false, true},
    {0x27, 1360, 768, 85500, 64, 112, 256, 3, 6, 18, true, true, false, false},
    {0x28, 1360, 768, 148250, 48, 32, 80, 3, 5, 37, true, false, false, true},
    {0x51, 1366, 768, 85500, 70, 143, 213, 3, 3, 24, true, true, false, false},
    {0x56, 1366, 768, 72000, 14, 56, 64, 1, 3, 28, true, true, false, true},
    {0x29, 1400, 1050, 101000, 48, 32, 80, 3, 4, 23, true, false, false, true},
    {0x2A, 1400, 1050, 121750, 88, 144, 232, 3, 4, 32, false, true, false, false},
    {0x2B, 1400, 1050, 156000, 104, 144, 248, 3, 4, 42, false, true, false, false},
    {0x2C, 1400, 1050, 179500, 104, 152, 256, 3, 4, 48, false, true, false, false},
    {0x2D, 1400, 1050, 208000, 48, 32, 80, 3, 4, 55, true, false, false, true},
    {0x2E, 1440, 900, 88750, 48, 32, 80, 3, 6, 17, true, false, false, true},
    {0x2F, 1440, 900, 106500, 80, 152, 232, 3, 6, 25, false, true, false, false},
    {0x30, 1440, 900, 136750, 96, 152, 248, 3, 6, 33, false, true, false, false},
    {0x31, 1440, 900, 157000, 104, 152, 256, 3, 6, 39, false, true, false, false},
    {0x32, 1440, 900, 182750, 48, 32, 80, 3, 6, 44, true, false, false, true},
    {0x53, 1600, 900, 108000, 24, 80, 96, 1, 3, 96, true, true, false, true},
    {0x33, 1600, 1200, 162000, 64, 192, 304, 1, 3, 46, true, true, false, false},
    {0x34, 1600, 1200, 175500, 64, 192, 304, 1, 3, 46, true, true, false, false},
    {0x35, 1600, 1200, 189000, 64, 192, 304, 1, 3, 46, true, true, false, false},
    {0x36, 1600, 1200, 202500, 64, 192, 304, 1, 3, 46, true, true, false, false},
    {0x37, 1600, 1200, 229500, 64, 192, 304, 1, 3, 46, true, true, false, false},
    {0x38, 1600, 1200, 268250, 48, 32, 80, 3, 4, 64, true, false, false, true},
    {0x39, 1680, 1050, 119000, 48, 32, 80, 3, 6, 21, true, false, false, true},
    {0x3A, 1680, 1050, 146250, 104, 176, 280, 3, 6, 30, false, true, false, false},
    {0x3B, 1680, 1050, 187000, 120, 176, 296, 3, 6, 40, false, true, false, false},
    {0x3C, 1680, 1050, 214750, 128, 176, 304, 3, 6, 46, false, true, false, false},
    {0x3D, 1680, 1050, 245500, 48, 32, 80, 3, 6, 53, true, false, false, true},
    {0x3E, 1792, 1344, 204750, 128, 200, 328, 1, 3, 46, false, true, false, false},
    {0x3F, 1792, 1344, 261000, 96, 216, 352, 1, 3, 69, false, true, false, false},
    {0x40, 1792, 1344, 333250, 48, 32, 80, 3, 4, 72, true, false, false, true},
    {0x41, 1856, 1392, 218250, 96, 224, 352, 1, 3, 43, false, true, false, false},
    {0x42, 1856, 1392, 288000, 128, 224, 352, 1, 3, 104, false, true, false, false},
    {0x43, 1856, 1392, 356500, 48, 32, 80, 3, 4, 74, true, false, false, true},
    {0x52, 1920, 1080, 148500, 88, 44, 148, 4, 5, 36, true, true, false, false},
    {0x44, 1920, 1200, 154000, 48, 32, 80, 3, 6, 26, true, false, false, true},
    {0x45, 1920, 1200, 193250, 136, 200, 336, 3, 6, 36, false, true, false, false},
    {0x46, 1920, 1200, 245250, 136, 208, 344, 3, 6, 46, false, true, false, false},
    {0x47, 1920, 1200, 281250, 144, 208, 352, 3, 6, 53, false, true, false, false},
    {0x48, 1920, 1200, 317000, 48, 32, 80, 3, 6, 62, true, false, false, true},
    {0x49, 1920, 1440, 234000, 128, 208, 344, 1, 3, 56, false, true, false, false},
    {0x4A, 1920, 1440, 297000, 144, 224, 352, 1, 3, 56, false, true, false, false},
    {0x4B, 1920, 1440, 380500, 48, 32, 80, 2, 3, 78, true, false, false, true},
    {0x54, 2048, 1152, 162000, 26, 80, 96, 1, 3, 44, true, true, false, true},
    {0x4C, 2560, 1600, 268500, 48, 32, 80, 3, 6, 37, true, false, false, true},
    {0x4D, 2560, 1600, 348500, 192, 280, 472, 3, 6, 49, false, true, false, false},
    {0x4E, 2560, 1600, 443250, 208, 280, 488, 3, 6, 63, false, true, false, false},
    {0x4F, 2560, 1600, 505250, 208, 280, 488, 3, 6, 73, false, true, false, false},
    {0x50, 2560, 1600, 552750, 48, 32, 80, 3, 6, 85, true, false, false, true},
    {0x57, 4096, 2160, 556744, 8, 32, 40, 48, 8, 6, true, false, false, true},
    {0x58, 4096, 2160, 556188, 8, 32, 40, 48, 8, 6, true, false, false, true},
};

constexpr Row kVic[] = {
    {1, 640, 480, 25175, 16, 96, 48, 10, 2, 33, false, false, false},
    {2, 720, 480, 27000, 16, 62, 60, 9, 6, 30, false, false, false},
    {3, 720, 480, 27000, 16, 62, 60, 9, 6, 30, false, false, false},
    {4, 1280, 720, 74250, 110, 40, 220, 5, 5, 20, true, true, false},
    {5, 1920, 1080, 74250, 88, 44, 148, 2, 5, 15, true, true, true},
    {6, 1440, 480, 27000, 38, 124, 114, 4, 3, 15, false, false, true},
    {7, 1440, 480, 27000, 38, 124, 114, 4, 3, 15, false, false, true},
    {8, 1440, 240, 27000, 38, 124, 114, 4, 3, 15, false, false, false},
    {9, 1440, 240, 27000, 38, 124, 114, 4, 3, 15, false, false, false},
    {10, 2880, 480, 54000, 76, 248, 228, 4, 3, 15, false, false, true},
    {11, 2880, 480, 54000, 76, 248, 228, 4, 3, 15, false, false, true},
    {12, 2880, 240, 54000, 76, 248, 228, 4, 3, 15, false, false, false},
    {13, 2880, 240, 54000, 76, 248, 228, 4, 3, 15, false, false, false},
    {14, 1440, 480, 54000, 32, 124, 120, 9, 6, 30, false, false, false},
    {15, 1440, 480, 54000, 32, 124, 120, 9, 6, 30, false, false, false},
    {16, 1920, 1080, 148500, 88, 44, 148, 4, 5, 36, true, true, false},
    {17, 720, 576, 27000, 12, 64, 68, 5, 5, 39, false, false, false},
    {18, 720, 576, 27000, 12, 64, 68, 5, 5, 39, false, false, false},
    {19, 1280, 720, 74250, 440, 40, 220, 5, 5, 20, true, true, false},
    {20, 1920, 1080, 74250, 528, 44, 148, 2, 5, 15, true, true, true},
    {21, 1440, 576, 27000, 24, 126, 138, 2, 3, 19, false, false, true},
    {22, 1440, 576, 27000, 24, 126, 138, 2, 3, 19, false, false, true},
    {23, 1440, 288, 27000, 24, 126, 138, 2, 3, 19, false, false, false},
    {24, 1440, 288, 27000, 24, 126, 138, 2, 3, 19, false, false, false},
    {25, 2880, 576, 54000, 48, 252, 276, 2, 3, 19, false, false, true},
    {26, 2880, 576, 54000, 48, 252, 276, 2, 3, 19, false, false, true},
    {27, 2880, 288, 54000, 48, 252, 276, 2, 3, 19, false, false, false},
    {28, 2880, 288, 54000, 48, 252, 276, 2, 3, 19, false, false, false},
    {29, 1440, 576, 54000, 24, 128, 136, 5, 5, 39, false, false, false},
    {30, 1440, 576, 54000, 24, 128, 136, 5, 5, 39, false, false, false},
    {31, 1920, 1080, 148500, 528, 44, 148, 4, 5, 36, true, true, false},
    {32, 1920, 1080, 74250, 638, 44, 148, 4, 5, 36, true, true, false},
    {33, 1920, 1080, 74250, 528, 44, 148, 4, 5, 36, true, true, false},
    {34, 1920, 1080, 74250, 88, 44, 148, 4, 5, 36, true, true, false},
    {35, 2880, 480, 108000, 64, 248, 240, 9, 6, 30, false, false, false},
    {36, 2880, 480, 108000, 64, 248, 240, 9, 6, 30, false, false, false},
    {37, 2880, 576, 108000, 48, 256, 272, 5, 5, 39, false, false, false},
    {38, 2880, 576, 108000, 48, 256, 272, 5, 5, 39, false, false, false},
    {39, 1920, 1080, 72000, 32, 168, 184, 23, 5, 57, true, false, true},
    {40, 1920, 1080, 148500, 528, 44, 148, 2, 5, 15, true, true, true},
    {41, 1280, 720, 148500, 440, 40, 220, 5, 5, 20, true, true, false},
    {42, 720, 576, 54000, 12, 64, 68, 5, 5, 39, false, false, false},
    {43, 720, 576, 54000, 12, 64, 68, 5, 5, 39, false, false, false},
    {44, 1440, 576, 54000, 24, 126, 138, 2, 3, 19, false, false, true},
    {45, 1440, 576, 54000, 24, 126, 138, 2, 3, 19, false, false, true},
    {46, 1920, 1080, 148500, 88, 44, 148, 2, 5, 15, true, true, true},
    {47, 1280, 720, 148500, 110, 40, 220, 5, 5, 20, true, true, false},
    {48, 720, 480, 54000, 16, 62, 60, 9, 6, 30, false, false, false},
    {49, 720, 480, 54000, 16, 62, 60, 9, 6, 30, false, false, false},
    {50, 1440, 480, 54000, 38, 124, 114, 4, 3, 15, false, false, true},
    {51, 1440, 480, 54000, 38, 124, 114, 4, 3, 15, false, false, true},
    {52, 720, 576, 108000, 12, 64, 68, 5, 5, 39, false, false, false},
    {53, 720, 576, 108000, 12, 64, 68, 5, 5, 39, false, false, false},
    {54, 1440, 576, 108000, 24, 126, 138, 2, 3, 19, false, false, true},
    {55, 1440, 576, 108000, 24, 126, 138, 2, 3, 19, false, false, true},
    {56, 720, 480, 108000, 16, 62, 60, 9, 6, 30, false, false, false},
    {57, 720, 480, 108000, 16, 62, 60, 9, 6, 30, false, false, false},
    {58, 1440, 480, 108000, 38, 124, 114, 4, 3, 15, false, false, true},
    {59, 1440, 480, 108000, 38, 124, 114, 4, 3, 15, false, false, true},
    {60, 1280, 720, 59400, 1760, 40, 220, 5, 5, 20, true, true, false},
    {61, 1280, 720, 74250, 2420, 40, 220, 5, 5, 20, true, true, false},
    {62, 1280, 720, 74250, 1760, 40, 220, 5, 5, 20, true, true, false},
    {63, 1920, 1080, 297000, 88, 44, 148, 4, 5, 36, true, true, false},
    {64, 1920, 1080, 297000, 528, 44, 148, 4, 5, 36, true, true, false},
    {65, 1280, 720, 59400, 1760, 40, 220, 5, 5, 20, true, true, false},
    {66, 1280, 720, 74250, 2420, 40, 220, 5, 5, 20, true, true, false},
    {67, 1280, 720, 74250, 1760, 40, 220, 5, 5, 20, true, true, false},
    {68, 1280, 720, 74250, 440, 40, 220, 5, 5, 20, true, true, false},
    {69, 1280, 720, 74250, 110, 40, 220, 5, 5, 20, true, true, false},
    {70, 1280, 720, 148500, 440, 40, 220, 5, 5, 20, true, true, false},
    {71, 1280, 720, 148500, 110, 40, 220, 5, 5, 20, true, true, false},
    {72, 1920, 1080, 74250, 638, 44, 148, 4, 5, 36, true, true, false},
    {73, 1920, 1080, 74250, 528, 44, 148, 4, 5, 36, true, true, false},
    {74, 1920, 1080, 74250, 88, 44, 148, 4, 5, 36, true, true, false},
    {75, 1920, 1080, 148500, 528, 44, 148, 4, 5, 36, true, true, false},
    {76, 1920, 1080, 148500, 88, 44, 148, 4, 5, 36, true, true, false},
    {77, 1920, 1080, 297000, 528, 44, 148, 4, 5, 36, true, true, false},
    {78, 1920, 1080, 297000, 88, 44, 148, 4, 5, 36, true, true, false},
    {79, 1680, 720, 59400, 1360, 40, 220, 5, 5, 20, true, true, false},
    {80, 1680, 720, 59400, 1228, 40, 220, 5, 5, 20, true, true, false},
    {81, 1680, 720, 59400, 700, 40, 220, 5, 5, 20, true, true, false},
    {82, 1680, 720, 82500, 260, 40, 220, 5, 5, 20, true, true, false},
    {83, 1680, 720, 99000, 260, 40, 220, 5, 5, 20, true, true, false},
    {84, 1680, 720, 165000, 60, 40, 220, 5, 5, 95, true, true, false},
    {85, 1680, 720, 198000, 60, 40, 220, 5, 5, 95, true, true, false},
    {86, 2560, 1080, 99000, 998, 44, 148, 4, 5, 11, true, true, false},
    {87, 2560, 1080, 90000, 448, 44, 148, 4, 5, 36, true, true, false},
    {88, 2560, 1080, 118800, 768, 44, 148, 4, 5, 36, true, true, false},
    {89, 2560, 1080, 185625, 548, 44, 148, 4, 5, 36, true, true, false},
    {90, 2560, 1080, 198000, 248, 44, 148, 4, 5, 11, true, true, false},
    {91, 2560, 1080, 371250, 218, 44, 148, 4, 5, 161, true, true, false},
    {92, 2560, 1080, 495000, 548, 44, 148, 4, 5, 161, true, true, false},
    {93, 3840, 2160, 297000, 1276, 88, 296, 8, 10, 72, true, true, false},
    {94, 3840, 2160, 297000, 1056, 88, 296, 8, 10, 72, true, true, false},
    {95, 3840, 2160, 297000, 176, 88, 296, 8, 10, 72, true, true, false},
    {96, 3840, 2160, 594000, 1056, 88, 296, 8, 10, 72, true, true, false},
    {97, 3840, 2160, 594000, 176, 88, 296, 8, 10, 72, true, true, false},
    {98, 4096, 2160, 297000, 1020, 88, 296, 8, 10, 72, true, true, false},
    {99, 4096, 2160, 297000, 968, 88, 128, 8, 10, 72, true, true, false},
    {100, 4096, 2160, 297000, 88, 88, 128, 8, 10, 72, true, true, false},
    {101, 4096, 2160, 594000, 968, 88, 128, 8, 10, 72, true, true, false},
    {102, 4096, 2160, 594000, 88, 88, 128, 8, 10, 72, true, true, false},
    {103, 3840, 2160, 297000, 1276, 88, 296, 8, 10, 72, true, true, false},
    {104, 3840, 2160, 297000, 1056, 88, 296, 8, 10, 72, true, true, false},
    {105, 3840, 2160, 297000, 176, 88, 296, 8, 10, 72, true, true, false},
    {106, 3840, 2160, 594000, 1056, 88, 296, 8, 10, 72, true, true, false},
    {107, 3840, 2160, 594000, 176, 88, 296, 8, 10, 72, true, true, false},
    {108, 1280, 720, 90000, 960, 40, 220, 5, 5, 20, true, true, false},
    {109, 1280, 720, 90000, 960, 40, 220, 5, 5, 20, true, true, false},
    {110, 1680, 720, 99000, 810, 40, 220, 5, 5, 20, true, true, false},
    {111, 1920, 1080, 148500, 638, 44, 148, 4, 5, 36, true, true, false},
    {112, 1920, 1080, 148500, 638, 44, 148, 4, 5, 36, true, true, false},
    {113, 2560, 1080, 198000, 998, 44, 148, 4, 5, 11, true, true, false},
    {114, 3840, 2160, 594000, 1276, 88, 296, 8, 10, 72, true, true, false},
    {115, 4096, 2160, 594000, 1020, 88, 296, 8, 10, 72, true, true, false},
    {116, 3840, 2160, 594000, 1276, 88, 296, 8, 10, 72, true, true, false},
    {117, 3840, 2160, 1188000, 1056, 88, 296, 8, 10, 72, true, true, false},
    {118, 3840, 2160, 1188000, 176, 88, 296, 8, 10, 72, true, true, false},
    {119, 3840, 2160, 1188000, 1056, 88, 296, 8, 10, 72, true, true, false},
    {120, 3840, 2160, 1188000, 176, 88, 296, 8, 10, 72, true, true, false},
    {121, 5120, 2160, 396000, 1996, 88, 296, 8, 10, 22, true, true, false},
    {122, 5120, 2160, 396000, 1696, 88, 296, 8, 10, 22, true, true, false},
    {123, 5120, 2160, 396000, 664, 88, 128, 8, 10, 22, true, true, false},
    {124, 5120, 2160, 742500, 746, 88, 296, 8, 10, 297, true, true, false},
    {125, 5120, 2160, 742500, 1096, 88, 296, 8, 10, 72, true, true, false},
    {126, 5120, 2160, 742500, 164, 88, 128, 8, 10, 72, true, true, false},
    {127, 5120, 2160, 1485000, 1096, 88, 296, 8, 10, 72, true, true, false},
    {193, 5120, 2160, 1485000, 164, 88, 128, 8, 10, 72, true, true, false},
    {194, 7680, 4320, 1188000, 2552, 176, 592, 16, 20, 144, true, true, false},
    {195, 7680, 4320, 1188000, 2352, 176, 592, 16, 20, 44, true, true, false},
    {196, 7680, 4320, 1188000, 552, 176, 592, 16, 20, 44, true, true, false},
    {197, 7680, 4320, 2376000, 2552, 176, 592, 16, 20, 144, true, true, false},
    {198, 7680, 4320, 2376000, 2352, 176, 592, 16, 20, 44, true, true, false},
    {199, 7680, 4320, 2376000, 552, 176, 592, 16, 20, 44, true, true, false},
    {200, 7680, 4320, 4752000, 2112, 176, 592, 16, 20, 144, true, true, false},
    {201, 7680, 4320, 4752000, 352, 176, 592, 16, 20, 144, true, true, false},
    {202, 7680, 4320, 1188000, 2552, 176, 592, 16, 20, 144, true, true, false},
    {203, 7680, 4320, 1188000, 2352, 176, 592, 16, 20, 44, true, true, false},
    {204, 7680, 4320, 1188000, 552, 176, 592, 16, 20, 44, true, true, false},
    {205, 7680, 4320, 2376000, 2552, 176, 592, 16, 20, 144, true, true, false},
    {206, 7680, 4320, 2376000, 2352, 176, 592, 16, 20, 44, true, true, false},
    {207, 7680, 4320, 2376000, 552, 176, 592, 16, 20, 44, true, true, false},
    {208, 7680, 4320, 4752000, 2112, 176, 592, 16, 20, 144, true, true, false},
    {209, 7680, 4320, 4752000, 352, 176, 592, 16, 20, 144, true, true, false},
    {210, 10240, 4320, 1485000, 1492, 176, 592, 16, 20, 594, true, true, false},
    {211, 10240, 4320, 1485000, 2492, 176, 592, 16, 20, 44, true, true, false},
    {212, 10240, 4320, 1485000, 288, 176, 296, 16, 20, 144, true, true, false},
    {213, 10240, 4320, 2970000, 1492, 176, 592, 16, 20, 594, true, true, false},
    {214, 10240, 4320, 2970000, 2492, 176, 592, 16, 20, 44, true, true, false},
    {215, 10240, 4320, 2970000, 288, 176, 296, 16, 20, 144, true, true, false},
    {216, 10240, 4320, 5940000, 2192, 176, 592, 16, 20, 144, true, true, false},
    {217, 10240, 4320, 5940000, 288, 176, 296, 16, 20, 144, true, true, false},
    {218, 4096, 2160, 1188000, 800, 88, 296, 8, 10, 72, true, true, false},
    {219, 4096, 2160, 1188000, 88, 88, 128, 8, 10, 72, true, true, false},
};
// clang-format on

Timing fromRow(const Row& r) {
  Timing t;
  t.pixelClockKHz = r.pixelClockKHz;
  t.hActive = r.hActive;
  t.hFrontPorch = r.hFrontPorch;
  t.hSync = r.hSync;
  t.hBackPorch = r.hBackPorch;
  t.vActive = r.vActive;
  t.vFrontPorch = r.vFrontPorch;
  t.vSync = r.vSync;
  t.vBackPorch = r.vBackPorch;
  t.hSyncPositive = r.hSyncPositive;
  t.vSyncPositive = r.vSyncPositive;
  t.interlaced = r.interlaced;
  return t;
}

std::string dmtName(int id) {
  std::string name = "DMT 0x";
  format::appendHex2(name, id);
  return name;
}

// A size as one number, ordered by width and then height.
constexpr std::int64_t sizeKey(int width, int height) {
  return std::int64_t{width} << 32 | static_cast<std::uint32_t>(height);
}

struct SizeRow {
  std::int64_t size;
  std::uint8_t row;  // into kDmt
};

// kDmt's rows by size, in table order within a size: the check looks up every
// standard timing.
constexpr auto kDmtBySize = [] {
  std::array<SizeRow, std::size(kDmt)> rows{};
  for (std::size_t i = 0; i < rows.size(); ++i)
    rows[i] = {sizeKey(kDmt[i].hActive, kDmt[i].vActive), static_cast<std::uint8_t>(i)};
  std::sort(rows.begin(), rows.end(), [](const SizeRow& a, const SizeRow& b) {
    return a.size != b.size ? a.size < b.size : a.row < b.row;
  });
  return rows;
}();

// The rows of a size, in table order.
std::span<const SizeRow> dmtRowsOf(int width, int height) {
  const std::int64_t size = sizeKey(width, height);
  const auto first = std::partition_point(kDmtBySize.begin(), kDmtBySize.end(),
                                          [size](const SizeRow& r) { return r.size < size; });
  auto last = first;  // a size has a few rows
  while (last != kDmtBySize.end() && last->size == size) ++last;
  return {first, last};
}

// Each DMT row's field rate, worked out once: every lookup compares them.
const std::array<double, std::size(kDmt)>& dmtRates() {
  static const auto rates = [] {
    std::array<double, std::size(kDmt)> hz{};
    for (std::size_t i = 0; i < hz.size(); ++i) hz[i] = fromRow(kDmt[i]).verticalHz();
    return hz;
  }();
  return rates;
}

// The row dmt(width, height, refreshHz, reduced) picks, or none.
const Row* dmtRow(int width, int height, double refreshHz, bool reduced) {
  const Row* best = nullptr;
  double bestDistance = 0;
  for (const SizeRow& s : dmtRowsOf(width, height)) {
    const Row& r = kDmt[s.row];
    if (r.reduced != reduced) continue;
    const double distance = std::abs(dmtRates()[s.row] - refreshHz);
    if (distance < 1 && (!best || distance < bestDistance)) {
      best = &r;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

Result<Timing> dmt(int id) {
  for (const Row& r : kDmt)
    if (r.id == id) {
      Timing t = fromRow(r);
      t.name = dmtName(id);
      return t;
    }
  return failure("No DMT timing has the ID " + std::to_string(id) +
                 " (DMT IDs run from 0x01 to 0x58)");
}

std::optional<Timing> findDmt(int width, int height, double refreshHz, bool reduced) {
  if (const Row* r = dmtRow(width, height, refreshHz, reduced)) return fromRow(*r);
  return std::nullopt;
}

Result<Timing> dmt(int width, int height, double refreshHz, bool reduced) {
  if (const Row* r = dmtRow(width, height, refreshHz, reduced)) {
    Timing t = fromRow(*r);
    t.name = dmtName(r->id);
    return t;
  }
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  if (dmtRowsOf(width, height).empty()) return failure("DMT has no timing of " + size);
  char rate[32];
  std::snprintf(rate, sizeof rate, "%g", refreshHz);
  return failure("DMT has no " + std::string(reduced ? "reduced-blanking " : "") + "timing of " +
                 size + " at " + rate + " Hz");
}

// Each VIC's row in kVic, -1 for none: decoders look VICs up by the hundred.
constexpr std::array<std::int16_t, 256> kVicRow = [] {
  std::array<std::int16_t, 256> rows{};
  rows.fill(-1);
  for (std::size_t i = 0; i < std::size(kVic); ++i)
    rows[static_cast<std::size_t>(kVic[i].id)] = static_cast<std::int16_t>(i);
  return rows;
}();

std::optional<Timing> findVic(int code) {
  if (code < 0 || code >= 256) return std::nullopt;
  const int row = kVicRow[static_cast<std::size_t>(code)];
  if (row < 0) return std::nullopt;
  return fromRow(kVic[static_cast<std::size_t>(row)]);
}

Result<Timing> vic(int code) {
  if (auto t = findVic(code)) {
    t->name = "VIC ";
    format::appendInt(t->name, code);
    return *std::move(t);
  }
  return failure("No CTA-861 format has the VIC " + std::to_string(code) +
                 " (VICs run from 1 to 127 and 193 to 219)");
}

}  // namespace edid::timing
