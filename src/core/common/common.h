#pragma once
// The state the whole program shares: the modes, the window flags, the change
// tracking, the current file, and the decoded texts the section decoders leave
// for the report.

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

  std::string CurrentFilePath;
  std::string RegistryBaseLocation = kDefaultRegistryBaseLocation;

  std::vector<std::string> EdidTokens;
  std::vector<std::string> DdcTestLines;
  std::vector<std::string> ReportLines;

  // Decoded texts, written by the section decoders and printed by the report.
  std::string ManufacturerText, ProductLetters, ProductCodeText, SerialNumberText, WeekText,
      YearText, CompleteSerialText;
  std::string VersionText, RevisionText, CompleteVersionText;
  std::string ExtensionBlocksText, ChecksumStatusText;
  std::string EstablishedTimingsIText, EstablishedTimingsIIText, ManufacturerTimingsText;
  std::string VideoInputText, MaxHorizSizeText, MaxVertSizeText, GammaText, FeatureSupportText,
      DisplayTypeText;
  std::array<std::string, 8> StandardTimingTexts{};
  std::string ChromaXText, ChromaYText;
  std::array<std::string, 4> DescriptorText{};

  /// Marks the image as the one last opened, created or saved.
  void markSaved(const Image& image) {
    SavedImage = image.byteTexts();
    LastImage = SavedImage;
    UnsavedChanges = false;
  }
};

}  // namespace edid
