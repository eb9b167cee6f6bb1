// A monitor descriptor block's frames: an 18-byte block that is a descriptor,
// decoded by its tag and edited through its controls: texts, range limits (FD),
// colour points (FB) and the standard timings of FA.
#include "core/screen/monitor_descriptor_screen.h"
#include "core/common/layout.h"
#include "core/screen/detailed_timing_screen.h"
#include "core/screen/focus_map.h"
#include "core/screen/option_groups.h"
#include "core/screen/step_labels.h"
#include "core/sections/monitor_descriptor.h"
#include "core/sections/range_limits.h"
#include "core/sections/version.h"

namespace edid {

namespace md = monitor_descriptor;

namespace {

// Byte 10 of the DTATiming options.
constexpr std::array<int, 4> kTimingSupport = {range_limits::kDefaultGtf,
                                               range_limits::kRangeLimitsOnly,
                                               range_limits::kSecondaryGtf, range_limits::kCvt};

// First selected of the six FA timings; the seventh option is not a timing.
int selectedExtraTiming(const ExtStandardFrame& frame) {
  const int t = selectedOption(frame.ExtSTOpt);
  return t >= 0 && t < 6 ? t : -1;
}

}  // namespace

void MonitorDescriptorScreen::ConvertDetailedTiming() {
  ctx.section<DetailedTimingScreen>().ConvertDetailedTiming();
}

void MonitorDescriptorScreen::focusDescriptorField(int start, int offset) {
  if (DescriptorTag == "FD") {
    unselect(descriptor.DtaOpt);
    // Bytes +10..+17 are GTF parameters, typed into the cells only while GTF is on;
    // from 1.4 byte 10 has its options and only a secondary curve or CVT has them.
    const int support = image.byte(start + 10);
    const bool gtfUnused = version::isEdid14(image) ? support != range_limits::kSecondaryGtf &&
                                                          support != range_limits::kCvt
                                                    : image.cell(start + 10) == "00";
    for (int i = start + 10; i <= start + 17; ++i) {
      if (gtfUnused)
        cellLocked[static_cast<std::size_t>(i)] = true;
      else if (m_common.ModifyMode)
        cellLocked[static_cast<std::size_t>(i)] = false;
    }
    const int option = focus::rangeLimitOption(offset);
    if (option >= 0) selectOption(descriptor.DtaOpt, option);
  } else if (DescriptorTag == "FB") {
    for (auto& box : descriptor.Windex) box.visible = true;
    unselect(descriptor.DtaOptWhite);
    const int option = focus::colourPointOption(offset);
    if (option >= 0) selectOption(descriptor.DtaOptWhite, option);
  } else if (DescriptorTag == "F8" && version::isEdid14(image)) {
    // A code's three bytes select it for the aspect, rate and lines controls.
    if (offset >= 6) selectOption(v14.CvtOpt, (offset - 6) / 3);
  } else if (DescriptorTag == "FA") {
    hint.visible = false;
    timingsHint.visible = true;
    unselect(extStandard.ExtSTOpt, 6);
    extStandard.ExtStaFrame.enabled = focus::extStandardFrameEnabled(offset);
    const int option = focus::extStandardOption(offset);
    if (option >= 0) selectOption(extStandard.ExtSTOpt, option);
  }
}

void MonitorDescriptorScreen::ConvertDetailedTiminga() {
  if (!layout::isBlockStart(SelectedByte) || SelectedBlock < 0 ||
      SelectedBlock >= layout::kBlockCount)
    return recompute();
  const int s = SelectedByte;
  const bool outer = DecodeInProgress;
  DecodeInProgress = true;
  const md::Descriptor d = md::decode(image, s);
  DescriptorTag = d.tag;

  // The block on show gets the frame of its type (FA has its own); a full decode
  // with no descriptor frame on show brings none up.
  Frame& textFrame = hint;
  Frame& timingFrame = timingsHint;
  if (textFrame.visible || timingFrame.visible) {
    timingFrame.visible = d.type == md::Type::StandardTimings;
    textFrame.visible = !timingFrame.visible;
  }

  DescriptorFrame& f = descriptor;
  selectOption(f.DTa, static_cast<int>(d.type));
  const bool edid14 = version::isEdid14(image);
  for (std::size_t k = md::kTypesBefore14; k < f.DTa.size(); ++k) f.DTa[k].visible = edid14;
  f.DTaInput.text.clear();
  f.DTAGTF.enabled = d.type == md::Type::RangeLimits;
  f.DTAGTF.visible = false;
  show14(d);
  // F7, F8 and F9 are edited through their frames' controls alone.
  f.DTaInput.visible = !v14.ET3Frame.visible && !v14.CvtFrame.visible && !v14.CmFrame.visible;
  for (auto& frame : f.DTAFrame) frame.visible = false;
  for (auto& box : f.Windex) box.visible = false;

  switch (d.type) {
    case md::Type::RangeLimits:
      f.DTAFrame[0].visible = true;
      for (std::size_t k = 0; k < f.DtaOpt.size(); ++k) f.DtaOpt[k].caption = d.range.captions[k];
      // Before 1.4 the box stands for a secondary GTF curve (02); 1.4 has options.
      f.DTAGTF.visible = !edid14;
      f.DTAGTF.value = d.range.timingSupport == range_limits::kSecondaryGtf;
      break;
    case md::Type::EstablishedIII:
    case md::Type::CvtCodes:
    case md::Type::ColorManagement:
      break;
    case md::Type::ColorPoint: {
      f.DTAFrame[1].visible = true;
      // The boxes switch a point; their check state is the user's, not the byte's.
      for (auto& box : f.Windex) box.visible = true;
      for (std::size_t n = 0; n < 2; ++n) {
        const md::WhitePoint& point = d.whitePoints[n];
        f.NotUsed[n].visible = !point.used;
        for (std::size_t k = 0; k < 3; ++k) {
          OptionButton& option = f.DtaOptWhite[3 * n + k];
          option.visible = point.used;
          if (point.used) option.caption = point.captions[k];
        }
      }
      // An absent point's hidden options may hold another block's captions.
      const int j = selectedOption(f.DtaOptWhite);
      if (j >= 0 && d.whitePoints[static_cast<std::size_t>(j / 3)].used)
        f.DTaInput.text = md::valueOfCaption(f.DtaOptWhite[static_cast<std::size_t>(j)].caption);
      break;
    }
    case md::Type::StandardTimings: {
      ExtStandardFrame& e = extStandard;
      for (std::size_t t = 0; t < 6; ++t) e.ExtSTOpt[t].caption = d.extraTimings.timings[t].text;
      e.ExtSTAOptb[0].caption =
          standard_timing::aspectCaption(0, standard_timing::zeroAspectIs16By10(image));
      const int t = selectedExtraTiming(e);
      if (t >= 0)
        selectOption(e.ExtSTAOptb, d.extraTimings.timings[static_cast<std::size_t>(t)].aspect);
      e.ExtSTOpt[6].value = false;
      break;
    }
    default:
      f.DTaInput.text = d.inputText;
      break;
  }

  DecodeInProgress = outer;
  recompute();
  if (!autoCellSeek()) return;
  // An FA block is edited in its own frame's box, and only on a timing's bytes.
  if (d.type == md::Type::StandardTimings) {
    if (extStandard.ExtStaInput.visible && extStandard.ExtStaFrame.enabled)
      requestFocus(FocusControl::ExtStaInput);
  } else if (f.DTaInput.visible) {
    requestFocus(FocusControl::DTaInput);
  }
}

void MonitorDescriptorScreen::show14(const md::Descriptor& d) {
  Descriptor14Controls& v = v14;
  const bool range14 = d.type == md::Type::RangeLimits && version::isEdid14(image);
  for (std::size_t k = 0; k < v.DTATiming.size(); ++k) {
    v.DTATiming[k].visible = range14;
    v.DTATiming[k].value = range14 && d.range.timingSupport == kTimingSupport[k];
  }
  v.ET3Frame.visible = d.type == md::Type::EstablishedIII;
  v.CvtFrame.visible = d.type == md::Type::CvtCodes;
  v.CmFrame.visible = d.type == md::Type::ColorManagement;
  if (v.ET3Frame.visible) {
    for (std::size_t i = 0; i < v.ET3x.size(); ++i) {
      v.ET3x[i].caption = established_iii::caption(static_cast<int>(i));
      v.ET3x[i].value = d.establishedIII.set[i];
    }
  }
  if (v.CvtFrame.visible) {
    for (std::size_t t = 0; t < v.CvtOpt.size(); ++t)
      v.CvtOpt[t].caption = d.cvtCodes.codes[t].text;
    const int t = selectedCvtCode();
    for (auto& o : v.CvtAspect) o.enabled = t >= 0;
    for (auto& o : v.CvtPreferred) o.enabled = t >= 0;
    for (auto& b : v.CvtRate) b.enabled = t >= 0;
    v.CvtInput.locked = t < 0;
    if (t < 0) {
      // Another block's code would show through otherwise.
      unselect(v.CvtAspect);
      unselect(v.CvtPreferred);
      for (auto& b : v.CvtRate) b.value = false;
      v.CvtInput.text.clear();
    } else {
      const cvt_codes::Code& code = d.cvtCodes.codes[static_cast<std::size_t>(t)];
      selectOption(v.CvtAspect, code.aspect);
      selectOption(v.CvtPreferred, code.preferred);
      for (std::size_t r = 0; r < v.CvtRate.size(); ++r) v.CvtRate[r].value = code.rates[r];
      v.CvtInput.text = code.used ? std::to_string(code.lines) : "0";
    }
  }
  if (v.CmFrame.visible) {
    v.CmValue[0].caption = "Version - " + std::to_string(d.colorManagement.version);
    for (std::size_t k = 0; k < 6; ++k) v.CmValue[k + 1].caption = d.colorManagement.captions[k];
  }
}

int MonitorDescriptorScreen::selectedCvtCode() const {
  return selectedOption(v14.CvtOpt);
}

bool MonitorDescriptorScreen::descriptorEditable() const {
  return layout::isBlockStart(SelectedByte) && SelectedBlockIsDescriptor &&
         (hint.enabled || timingsHint.enabled);
}

void MonitorDescriptorScreen::DTa_Click(int index) {
  if (DecodeInProgress || !descriptorEditable() || index < 0 || index >= md::kTypes) return;
  document.write(md::chooseType(image, SelectedByte, index),
                 descriptor.DTa[static_cast<std::size_t>(index)].caption);
  ConvertDetailedTiming();
}

void MonitorDescriptorScreen::DTAGTF_Click() {
  if (!m_common.ModifyMode || !descriptorEditable()) return;
  const int s = SelectedByte;
  const bool supported = descriptor.DTAGTF.value;
  // Before 1.4 a ticked box means a secondary curve, 02 with its parameters.
  const auto writes = range_limits::setTimingSupport(
      image, s, supported ? range_limits::kSecondaryGtf : range_limits::kDefaultGtf);
  if (!writes) return m_host.message(writes.error());
  document.write(*writes, descriptor.DTAGTF.caption);
  // The captions and the report text follow at once, like every other editor.
  ConvertDetailedTiming();
  // With GTF on, its parameters are typed straight into cells +10..+17.
  if (supported) {
    for (int i = s + 10; i <= s + 17; ++i) cellLocked[static_cast<std::size_t>(i)] = false;
  }
}

void MonitorDescriptorScreen::DTATiming_Click(int index) {
  if (DecodeInProgress || !m_common.ModifyMode || !descriptorEditable() || index < 0 || index > 3)
    return;
  const int s = SelectedByte;
  const auto writes =
      range_limits::setTimingSupport(image, s, kTimingSupport[static_cast<std::size_t>(index)]);
  if (!writes) return m_host.message(writes.error());
  document.write(*writes, v14.DTATiming[static_cast<std::size_t>(index)].caption);
  ConvertDetailedTiming();
  const bool parameters = index >= 2;
  for (int i = s + 11; i <= s + 17; ++i) cellLocked[static_cast<std::size_t>(i)] = !parameters;
}

void MonitorDescriptorScreen::ET3x_Click(int index) {
  if (DecodeInProgress || !descriptorEditable() || index < 0 || index >= established_iii::kTimings)
    return;
  const CheckBox& box = v14.ET3x[static_cast<std::size_t>(index)];
  document.write(established_iii::setTiming(image, SelectedByte, index, box.value), box.caption);
  ConvertDetailedTiming();
}

void MonitorDescriptorScreen::CvtOpt_Click(int index) {
  if (DecodeInProgress || !descriptorEditable() || index < 0 || index >= cvt_codes::kCodes) return;
  selectOption(v14.CvtOpt, index);
  ConvertDetailedTiming();
}

void MonitorDescriptorScreen::CvtAspect_Click(int index) {
  const int t = selectedCvtCode();
  if (DecodeInProgress || !descriptorEditable() || t < 0 || index < 0 || index > 3) return;
  document.write(cvt_codes::setAspect(image, SelectedByte, t, index),
                 v14.CvtAspect[static_cast<std::size_t>(index)].caption);
  ConvertDetailedTiming();
}

void MonitorDescriptorScreen::CvtPreferred_Click(int index) {
  const int t = selectedCvtCode();
  if (DecodeInProgress || !descriptorEditable() || t < 0 || index < 0 || index > 3) return;
  document.write(cvt_codes::setPreferred(image, SelectedByte, t, index),
                 "Preferred " + v14.CvtPreferred[static_cast<std::size_t>(index)].caption);
  ConvertDetailedTiming();
}

void MonitorDescriptorScreen::CvtRate_Click(int index) {
  const int t = selectedCvtCode();
  if (DecodeInProgress || !descriptorEditable() || t < 0 || index < 0 || index > 4) return;
  const CheckBox& box = v14.CvtRate[static_cast<std::size_t>(index)];
  document.write(cvt_codes::setRate(image, SelectedByte, t, index, box.value), box.caption);
  ConvertDetailedTiming();
}

void MonitorDescriptorScreen::CvtInput_KeyUp(int keyCode) {
  const int t = selectedCvtCode();
  if (keyCode != 13 || !descriptorEditable() || t < 0) return;
  const auto writes = cvt_codes::encodeLines(image, SelectedByte, t, v14.CvtInput.text);
  if (!writes) return m_host.message(writes.error());
  document.write(*writes, "CVT Code " + std::to_string(t + 1));
  ConvertDetailedTiming();
}

void MonitorDescriptorScreen::DtaOpt_Click(int index) {
  if (DecodeInProgress || !descriptorEditable() || index < 0 || index > 4) return;
  setFocusToCell(SelectedByte + 5 + index);
  requestFocus(FocusControl::DTaInput);
}

void MonitorDescriptorScreen::DtaOptWhite_Click(int index) {
  if (DecodeInProgress || !descriptorEditable() || index < 0 || index > 5) return;
  setFocusToCell(SelectedByte + (index < 3 ? 7 : 9) + index);
}

void MonitorDescriptorScreen::Windex_Click(int index) {
  if (!descriptorEditable() || index < 0 || index > 1) return;
  const bool on = descriptor.Windex[static_cast<std::size_t>(index)].value;
  document.write(md::setWhitePoint(image, SelectedByte, index, on),
                 descriptor.lbWhitePoint[static_cast<std::size_t>(index)].caption);
  if (on) selectOption(descriptor.DtaOptWhite, 3 * index);
  ConvertDetailedTiming();
}

void MonitorDescriptorScreen::DTaInput_KeyUp(int keyCode) {
  if (keyCode != 13 || !descriptorEditable()) return;
  const int s = SelectedByte;
  const std::string& text = descriptor.DTaInput.text;
  Result<CellWrites> writes = CellWrites{};
  std::string label;
  const int type = selectedOption(descriptor.DTa);
  switch (static_cast<md::Type>(type)) {
    case md::Type::SerialNumber:
    case md::Type::AsciiString:
    case md::Type::MonitorName:
      writes = md::encodeText(s, text);
      label = descriptor.DTa[static_cast<std::size_t>(type)].caption;
      break;
    case md::Type::RangeLimits: {
      const int k = selectedOption(descriptor.DtaOpt);
      // The rates know the 1.4 offsets; the clock is the same in every version.
      if (k >= 0)
        writes = k < 4 ? range_limits::encodeRate(image, s, k, text)
                       : md::encodeRangeLimit(image, s, k, text);
      if (k >= 0) label = descriptor.DtaOpt[static_cast<std::size_t>(k)].caption;
      break;
    }
    case md::Type::ColorPoint: {
      const int j = selectedOption(descriptor.DtaOptWhite);
      if (j < 0) break;
      writes = md::encodeColorPoint(image, s, j, text);
      label = descriptor.lbWhitePoint[static_cast<std::size_t>(j / 3)].caption + " " +
              descriptor.DtaOptWhite[static_cast<std::size_t>(j)].caption.substr(6);
      // An absent point takes no value: nothing written, nothing decoded.
      if (writes && writes->empty()) return;
      break;
    }
    default:
      break;
  }
  if (!writes) {
    m_host.message(writes.error());
    return;
  }
  document.write(*writes, label);
  ConvertDetailedTiming();
}

void MonitorDescriptorScreen::ExtSTOpt_Click(int index) {
  if (DecodeInProgress || !descriptorEditable() || index < 0 || index > 6) return;
  if (index < 6) return setFocusToCell(md::extraSlotByte(SelectedByte, index));
  hint.visible = true;
  timingsHint.visible = false;
  document.write(md::leaveExtraTimings(SelectedByte), descriptor.DTa[0].caption);
  setFocusToCell(SelectedByte + 3);
}

void MonitorDescriptorScreen::ExtSTAOptb_Click(int index) {
  if (DecodeInProgress || !descriptorEditable() || index < 0 || index > 3) return;
  const int t = selectedExtraTiming(extStandard);
  if (t < 0) return;
  document.write(md::setExtraAspect(image, SelectedByte, t, index),
                 extStandard.ExtSTAOptb[static_cast<std::size_t>(index)].caption);
  ConvertDetailedTiming();
}

void MonitorDescriptorScreen::ExtStaInput_KeyUp(int keyCode) {
  if (keyCode != 13 || !descriptorEditable()) return;
  const int t = selectedExtraTiming(extStandard);
  if (t < 0) return;
  const std::string& text = extStandard.ExtStaInput.text;
  const auto writes = extStandard.ExtSTAOpta[0].value
                          ? md::encodeExtraHorizontal(image, SelectedByte, t, text)
                          : md::encodeExtraRefresh(image, SelectedByte, t, text);
  if (!writes) {
    m_host.message(writes.error());
    return;
  }
  document.write(*writes, "Ext. " + step_label::standardTiming(t));
  ConvertDetailedTiming();
  extStandard.ExtStaInput.text.clear();
}

}  // namespace edid
