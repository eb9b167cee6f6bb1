#pragma once
// The state the whole program shares: the modes, the window flags, the change
// tracking, the current file, and the few decoded texts read after their decode.

#include <array>
#include <string>
#include <vector>

#include "core/common/image.h"

namespace edid {

inline constexpr const char* kDefaultRegistryBaseLocation =
    "SYSTEM\\CurrentControlSet\\Enum\\Display";

struct Common {
  // Modes of the main window.
  bool ModifyMode = false;
  bool AutoCellSeekMode = false;

  // Which windows are loaded.
  bool EdidScreenOpen = false;
  bool DocumentOpen = false;
  bool CalculatorOpen = false;

  // Change tracking. The image is compared as a whole with the image last opened,
  // created or saved (SavedImage), and with the image last seen by a checksum
  // recomputation (LastImage), so an edit that happens to keep the checksum byte
  // still counts.
  bool UnsavedChanges = false;
  bool ReportRefreshPending = false;
  std::array<std::string, kEdidSize> SavedImage{};
  std::array<std::string, kEdidSize> LastImage{};
  std::vector<std::uint8_t> SavedExtension{};

  std::string CurrentFilePath;
  std::string RegistryBaseLocation = kDefaultRegistryBaseLocation;

  std::vector<std::string> DdcTestLines;
  std::vector<std::string> ReportLines;

  // Decoded texts other readers take from the screen's last decode: the
  // manufacturer names the monitor, and the complete serial and version and the
  // Basic entry box are built from what the screen last showed.
  std::string ManufacturerText, ProductLetters, SerialNumberText, WeekText, YearText;
  std::string VersionText, RevisionText;
  std::string MaxHorizSizeText, MaxVertSizeText, GammaText;

  /// Marks the image as the one last opened, created or saved.
  void markSaved(const Image& image) {
    SavedImage = image.byteTexts();
    SavedExtension = image.extension();
    LastImage = SavedImage;
    UnsavedChanges = false;
  }
};

}  // namespace edid
