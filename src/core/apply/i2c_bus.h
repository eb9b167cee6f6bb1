#pragma once
// An I2C bus as the EEPROM write needs it: a read and a write at an 8-bit offset of
// one device. The real bus is Linux's i2c-dev; the tests put a simulated EEPROM
// behind the same interface, so nothing in them reaches a real bus.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/common/result.h"

namespace edid::apply {

class I2cBus {
 public:
  virtual ~I2cBus() = default;
  /// Sets the device's offset, then reads count bytes from it.
  virtual Status read(int address, int offset, std::size_t count, std::string& bytes) = 0;
  /// Writes bytes from offset in one transfer.
  virtual Status write(int address, int offset, std::string_view bytes) = 0;
  /// Waits for the device (its write cycle).
  virtual void pause(std::chrono::milliseconds time) = 0;
};

/// Opens the bus device at path (/dev/i2c-5).
using I2cOpener = std::function<Result<std::shared_ptr<I2cBus>>(const std::string& device)>;

/// The Linux i2c-dev bus at device, through the I2C_RDWR ioctl.
Result<std::shared_ptr<I2cBus>> openLinuxI2c(const std::string& device);

/// The opener the EEPROM write uses: openLinuxI2c unless a test set another.
I2cOpener i2cOpener();
/// Makes i2cOpener() return opener (empty: openLinuxI2c again); returns the one before.
I2cOpener setI2cOpener(I2cOpener opener);

}  // namespace edid::apply
