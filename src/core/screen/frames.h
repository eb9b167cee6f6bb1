#pragma once
// One struct per section frame of the decoding screen, holding its controls under
// their established names. Array members are indexed as on the screen.

#include <array>

#include "core/screen/controls.h"

namespace edid {

/// Hints(0): the header explanation.
struct HeaderFrame {
  Label Label3{"Header Information is 8 Bytes Long ( 00-07)."};
};

/// Hints(1): manufacturer, product code, serial number, week and year.
struct VendorFrame {
  std::array<Label, 7> lbVendor{{{"Manufacturer"},
                                 {"Product Code"},
                                 {"Serial Number"},
                                 {"Week Manufactured"},
                                 {"Year Manufactured "},
                                 {"Complete Serial Number"},
                                 {""}}};
  TextBox VendorInfo;
};

/// Hints(2) holds lbEDID(0..3) and VerRev; Hints(13) holds lbEDID(6..7).
struct VersionChecksumLabels {
  std::array<Label, 8> lbEDID{{{"Version Number"},
                               {"Revision Number"},
                               {"Complete Version Number"},
                               {""},
                               {""},
                               {""},
                               {"Extended Flag"},
                               {"CheckSum"}}};
  TextBox VerRev;
};

/// Hints(5), Hints(6), Hints(7): one check box per bit (box i is bit 7 - i).
/// ET3 uses index 7 only (bit 7 of byte 37).
struct EstablishedFrames {
  std::array<CheckBox, 8> ET1;
  std::array<CheckBox, 8> ET2;
  std::array<CheckBox, 8> ET3;
  Label reservedNote{"The Balance are Reserved"};
};

/// Hints(3): basic display parameters (bytes 20-24).
struct BasicFrame {
  Frame VideoInput{"Video Input Defination"};
  std::array<OptionButton, 2> VideoMode{{{"Analog"}, {"Digital"}}};
  /// Disabled for a digital input; holds Sync(0..4) and Signal(0..3).
  Frame Analog{"", true, true};
  std::array<CheckBox, 5> Sync{{{"Serration VSync."},
                                {"Sync. On Green"},
                                {"Composite Sync."},
                                {"Separate Syncs."},
                                {"Blank-to-Black Setup"}}};
  std::array<OptionButton, 4> Signal{
      {{"0.700, 0.300"}, {"0.714, 0.286"}, {"1.000, 0.400"}, {"0.700, 0.000"}}};
  Frame DPMS{"DPMS"};
  Frame Frame3{"Display Type[4:3]", true, true};
  std::array<OptionButton, 4> DisplayType{
      {{"Mono/Gray Scale"}, {"R/G/B Color"}, {"Non R/G/B Multi Clr"}, {"Undefined"}}};
  std::array<CheckBox, 6> FSupport{{{"Stand-By"},
                                    {"Suspend"},
                                    {"Active-Off"},
                                    {"Std Default Color Space"},
                                    {"Preferred Timing Mode"},
                                    {"GTF Supported"}}};
  std::array<Label, 2> lbBasic{{{"Video Input Definition"}, {"Feature Support"}}};
  /// Captions are replaced by the size and gamma decoders.
  std::array<OptionButton, 3> Basic{
      {{"Max. Horiz. Image Size "}, {"Max. Vert. Image Size "}, {"Gamma"}}};
  TextBox BasicInput;
};

/// Hints(4): chromaticity (bytes 25-34).
struct ChromaFrame {
  std::array<Label, 2> lbChromaChange{
      {{"To Change a value listed above, click on the item and place the new value in the text "
        "below.",
        false, false},
       {"Warning this field is used in a math calculation. Click on an option button for "
        "additional information.",
        false, true}}};
  std::array<OptionButton, 8> chkChroma{{{"Red X"},
                                         {"Red Y"},
                                         {"Green X"},
                                         {"Green Y"},
                                         {"Blue X"},
                                         {"Blue Y"},
                                         {"White X"},
                                         {"White Y"}}};
  TextBox ChromaValue{"", false, 0, false};
};

/// Hints(8): the eight standard timings (bytes 38-53).
struct StandardFrame {
  std::array<OptionButton, 8> STOpt;
  /// How an STAInput entry is read: horizontal pixels or refresh rate.
  std::array<OptionButton, 2> STAOpta{{{"Adjust Horizontal ", true}, {"Adjust Frequency"}}};
  std::array<OptionButton, 4> STAOptb{
      {{"1:1 Aspect Ratio"}, {"4:3 Aspect Ratio"}, {"5:4 Aspect Ratio"}, {"16:9 Aspect Ratio"}}};
  TextBox STAInput;
};

/// Hints(9) and Hints(10): one detailed timing block.
struct DetailedFrame {
  std::array<OptionButton, 13> DT{{{"Pixel Clock"},
                                   {"Active Time"},
                                   {"Blanking Time"},
                                   {"Active Time"},
                                   {"Blanking Time"},
                                   {"Sync Offset"},
                                   {"Pulse Width"},
                                   {"Sync Offset"},
                                   {"Pulse Width"},
                                   {"Border"},
                                   {"Border"},
                                   {"Image Size"},
                                   {"Image Size"}}};
  std::array<OptionButton, 7> DTStereo{{{"Seq Stereo, Rt Sync =1"},
                                        {"Seq Stereo, Lt Sync =1"},
                                        {"2-Way Rt Image"},
                                        {"2-Way Lt Image"},
                                        {"4-Way Interleave"},
                                        {"Side-By-Side"},
                                        {"No Stereo"}}};
  std::array<OptionButton, 4> DTSync{{{"Analog Composite"},
                                      {"Bipolar Analog Comp."},
                                      {"Digitial Composite"},
                                      {"Digitial Separate"}}};
  CheckBox DT1{"Interlaced"};
  TextBox DTInput;
  /// Freq(0), Freq(1): the horizontal and vertical frequency of the block.
  std::array<Label, 2> Freq{{{"Horizontal"}, {"Vertical"}}};
  Frame frmStereo{"Stereo", true, true};
  Frame Frame2{"Sync", true, true};
  CheckBox SyncSerrate{"Serrate"};
  /// Captions show flag bit 1 (SyncLine) and, for digital separate sync, bit 2.
  Button SyncLine;
  Button VSyncLine;
};

/// Hints(11): one monitor descriptor block.
struct DescriptorFrame {
  /// The block's type, by its tag: FF, FE, FD, FC, FB, FA, others, 00-0F.
  /// From EDID 1.4 also F7, F8, F9 (8..10, hidden before 1.4).
  std::array<OptionButton, 11> DTa{{{"Monitor Serial Number"},
                                    {"ASCII String"},
                                    {"Monitor Range Limits"},
                                    {"Monitor Name"},
                                    {"Color Point Data"},
                                    {"Standard Timing Data"},
                                    {"Currently Undefined"},
                                    {"Defined by Manufacturer"},
                                    {"Established Timings III", false, false},
                                    {"CVT 3 Byte Codes", false, false},
                                    {"Color Management Data", false, false}}};
  /// Range limits only: checked while byte 10 is not 00.
  CheckBox DTAGTF{"GTF", false, false, false};
  /// 0 holds the range limit options, 1 the colour point options.
  std::array<Frame, 2> DTAFrame{};
  std::array<OptionButton, 5> DtaOpt{{{"Min Vertical"},
                                      {"Max Vertical"},
                                      {"Min Horzontal"},
                                      {"Max Horzontal"},
                                      {"Max Pixel Clock"}}};
  std::array<OptionButton, 6> DtaOptWhite{
      {{"White X"}, {"White Y"}, {"White Gamma"}, {"White X"}, {"White Y"}, {"White Gamma"}}};
  std::array<Label, 2> lbWhitePoint{{{"White Point #1"}, {"White Point #2"}}};
  /// Shown in place of an absent white point's options.
  std::array<Label, 2> NotUsed{{{"Not Used", false, false}, {"Not Used", false, false}}};
  std::array<CheckBox, 2> Windex{{{"W Index 0", false, false}, {"W Index 1", false, false}}};
  TextBox DTaInput;
};

/// Hints(12): the standard timings inside a descriptor block of tag FA.
struct ExtStandardFrame {
  /// 0..5: the six timings of the block; 6 turns the block back into a serial number.
  std::array<OptionButton, 7> ExtSTOpt{{{}, {}, {}, {}, {}, {}, {"Disable this option."}}};
  /// Disabled on the block's tag bytes and end mark, where there is no timing to edit.
  Frame ExtStaFrame{"", true, true};
  /// How an ExtStaInput entry is read: horizontal pixels or refresh rate.
  std::array<OptionButton, 2> ExtSTAOpta{{{"Adjust Horizontal ", true}, {"Adjust Frequency"}}};
  std::array<OptionButton, 4> ExtSTAOptb{
      {{"1:1 Aspect Ratio"}, {"4:3 Aspect Ratio"}, {"5:4 Aspect Ratio"}, {"16:9 Aspect Ratio"}}};
  TextBox ExtStaInput;
};

}  // namespace edid
