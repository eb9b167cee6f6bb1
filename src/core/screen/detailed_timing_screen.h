#pragma once
// The four 18-byte blocks (bytes 54-125): choosing the block and its frame, and
// the detailed timing frames, Hints for the timing's fields and for its flags byte.
// A block that is a monitor descriptor goes on to MonitorDescriptorScreen.

#include "core/screen/frames.h"
#include "core/screen/section_screen.h"
#include "core/timing/generate.h"

namespace edid {

class MonitorDescriptorScreen;

class DetailedTimingScreen : public SectionScreen {
 public:
  using SectionScreen::SectionScreen;
  std::vector<Frame*> frames() override { return {&hint, &flagsHint}; }
  /// Decodes the four blocks in turn; SelectedByte then names the last one.
  void fullDecode() override;
  /// The block was chosen when the cell got the focus.
  void keyUpDecode(int) override { ConvertDetailedTiming(); }
  void focusStep(int index) override;

  Frame hint{"Detailed Timing (54-71)"};
  Frame flagsHint{"Detailed Timing (54-71)"};
  DetailedFrame detailed;

  /// Moves the focus to the first cell of field index (0..12) of the selected block.
  void DT_Click(int index);
  /// Enter (13) writes DTInput into the selected DT field; a refusal shows its
  /// message and writes nothing. The box keeps its text.
  void DTInput_KeyUp(int keyCode);
  /// The flag controls of the flags frame; each writes its bits of the flags byte
  /// and decodes the block again, so the checksum follows at once.
  void DT1_Click();
  void DTStereo_Click(int index);
  void DTSync_Click(int index);
  void SyncSerrate_Click();
  void SyncLine_Click();
  void VSyncLine_Click();
  /// With "Modify EDID" on, a double click on a block frame (Hints index) blanks
  /// the selected block into a serial number descriptor and focuses its tag cell.
  void Hints_DblClick(int index);
  /// "Generate..." in the timing's field frame and in the descriptor frame: the
  /// selected block, whatever it holds, is replaced by a generated timing.
  Button GenerateTiming{"Generate...", false};
  /// What the generator starts from for the selected block.
  timing::GeneratorStart generatorStart() const;
  /// The generator's OK: the selected block holds t, written as one step; a refused
  /// timing shows its message and writes nothing. The block then shows as a timing.
  void GenerateTiming_Accept(const timing::Timing& t, bool keepImageSize);
  /// The 18-byte block named by SelectedByte and SelectedBlock: a timing into its
  /// frames and its DescriptorText entry; a monitor descriptor goes on to
  /// ConvertDetailedTiminga. Keeps the checksum current.
  void ConvertDetailedTiming();

 private:
  MonitorDescriptorScreen& descriptors();
  void ConvertDetailedTiminga();
  bool isBlockFrame(int index);
  bool detailedTimingEditable(const Frame& frame) const;
  void applyDetailedFlags(const CellWrites& writes, const std::string& label);
  void focusDetailedField(int offset);
};

}  // namespace edid
