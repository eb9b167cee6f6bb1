#pragma once
// Names of the history's steps where the control's caption shows a value rather
// than the field's name ("Undo Pixel Clock", "Undo Max. Horiz. Image Size").

#include <array>
#include <string>

namespace edid::step_label {

inline constexpr std::array<const char*, 5> kVendorFields{
    "Manufacturer", "Product Code", "Serial Number", "Week Manufactured", "Year Manufactured"};
inline constexpr std::array<const char*, 3> kBasicEntries{"Max. Horiz. Image Size",
                                                          "Max. Vert. Image Size", "Gamma"};
inline constexpr std::array<const char*, 8> kChromaCoordinates{
    "Red X", "Red Y", "Green X", "Green Y", "Blue X", "Blue Y", "White X", "White Y"};
inline constexpr std::array<const char*, 13> kDetailedFields{
    "Pixel Clock",           "Horizontal Active",    "Horizontal Blanking",
    "Vertical Active",       "Vertical Blanking",    "Horizontal Sync Offset",
    "Horizontal Sync Width", "Vertical Sync Offset", "Vertical Sync Width",
    "Horizontal Border",     "Vertical Border",      "Horizontal Image Size",
    "Vertical Image Size"};
inline constexpr const char* kSignalLevel = "Signal Level";
inline constexpr const char* kHorizontalPolarity = "Horizontal Polarity";
inline constexpr const char* kVerticalPolarity = "Vertical Polarity";
inline constexpr const char* kBlockReset = "Block Reset";
inline constexpr const char* kGenerateTiming = "Generate Timing";

/// "Standard Timing 3" for timing index 2.
inline std::string standardTiming(int index) {
  return "Standard Timing " + std::to_string(index + 1);
}

}  // namespace edid::step_label
