#pragma once
// A monitor's EDID EEPROM on a simulated I2C bus: 256 bytes at one address, written
// in 8-byte pages (a transfer wraps inside its page, as the chips do), busy for a
// write cycle after each page, and able to ignore writes or die after some.

#include <memory>
#include <string>

#include "core/apply/i2c_bus.h"

namespace edid::test {

struct SimulatedEeprom {
  std::string memory = std::string(256, '\xFF');
  int address = 0x50;
  int cycleMs = 5;  ///< busy this long after a page write
  bool writeProtected = false;
  int pagesBeforeFailure = -1;  ///< later page writes fail; -1: none does
  int pagesWritten = 0;
  int now = 0, busyUntil = 0;

  Status answer(int to) const {
    if (to != address || now < busyUntil) return failure("Remote I/O error");
    return success();
  }
};

class SimulatedBus : public apply::I2cBus {
 public:
  explicit SimulatedBus(SimulatedEeprom& chip) : m_chip(chip) {}
  Status read(int address, int offset, std::size_t count, std::string& bytes) override {
    if (const Status ok = m_chip.answer(address); !ok) return ok;
    bytes.clear();
    for (std::size_t i = 0; i < count; ++i) bytes += m_chip.memory[(offset + i) % 256];
    return success();
  }
  Status write(int address, int offset, std::string_view bytes) override {
    if (const Status ok = m_chip.answer(address); !ok) return ok;
    if (m_chip.pagesBeforeFailure >= 0 && m_chip.pagesWritten >= m_chip.pagesBeforeFailure)
      return failure("Remote I/O error");
    for (std::size_t i = 0; i < bytes.size() && !m_chip.writeProtected; ++i)
      m_chip.memory[(offset & ~7) | ((offset + i) & 7)] = bytes[i];
    ++m_chip.pagesWritten;
    m_chip.busyUntil = m_chip.now + m_chip.cycleMs;
    return success();
  }
  void pause(std::chrono::milliseconds time) override { m_chip.now += int(time.count()); }

 private:
  SimulatedEeprom& m_chip;
};

}  // namespace edid::test
