#include "core/apply/i2c_bus.h"

#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

namespace edid::apply {

namespace {

// Some adapters (DisplayPort AUX among them) move at most a few bytes per read.
constexpr std::size_t kReadChunk = 16;

class LinuxI2cBus : public I2cBus {
 public:
  LinuxI2cBus(int fd, std::string device) : m_fd(fd), m_device(std::move(device)) {}
  ~LinuxI2cBus() override { ::close(m_fd); }
  LinuxI2cBus(const LinuxI2cBus&) = delete;
  LinuxI2cBus& operator=(const LinuxI2cBus&) = delete;

  Status read(int address, int offset, std::size_t count, std::string& bytes) override {
    bytes.clear();
    while (bytes.size() < count) {
      std::uint8_t at = static_cast<std::uint8_t>(offset + bytes.size());
      std::vector<std::uint8_t> buffer(std::min(kReadChunk, count - bytes.size()));
      i2c_msg messages[2] = {
          {static_cast<__u16>(address), 0, 1, &at},
          {static_cast<__u16>(address), I2C_M_RD, static_cast<__u16>(buffer.size()), buffer.data()},
      };
      if (const Status done = transfer(messages, 2); !done) return done;
      bytes.append(buffer.begin(), buffer.end());
    }
    return success();
  }

  Status write(int address, int offset, std::string_view bytes) override {
    std::vector<std::uint8_t> buffer;
    buffer.push_back(static_cast<std::uint8_t>(offset));
    buffer.insert(buffer.end(), bytes.begin(), bytes.end());
    i2c_msg message{static_cast<__u16>(address), 0, static_cast<__u16>(buffer.size()),
                    buffer.data()};
    return transfer(&message, 1);
  }

  void pause(std::chrono::milliseconds time) override { std::this_thread::sleep_for(time); }

 private:
  Status transfer(i2c_msg* messages, unsigned count) {
    i2c_rdwr_ioctl_data data{messages, count};
    if (::ioctl(m_fd, I2C_RDWR, &data) < 0) return failure(m_device + ": " + std::strerror(errno));
    return success();
  }

  int m_fd;
  std::string m_device;
};

I2cOpener& currentOpener() {
  static I2cOpener opener;
  return opener;
}

}  // namespace

Result<std::shared_ptr<I2cBus>> openLinuxI2c(const std::string& device) {
  const int fd = ::open(device.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return failure("Cannot open " + device + ": " + std::strerror(errno));
  // Anything but an i2c-dev device (a file in its place) is no bus.
  struct stat info {};
  unsigned long functions = 0;
  if (::fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode) || ::ioctl(fd, I2C_FUNCS, &functions) < 0 ||
      !(functions & I2C_FUNC_I2C)) {
    ::close(fd);
    return failure(device + " is no I2C bus that takes plain transfers");
  }
  return std::shared_ptr<I2cBus>(std::make_shared<LinuxI2cBus>(fd, device));
}

I2cOpener i2cOpener() {
  return currentOpener() ? currentOpener() : I2cOpener(openLinuxI2c);
}

I2cOpener setI2cOpener(I2cOpener opener) {
  return std::exchange(currentOpener(), std::move(opener));
}

}  // namespace edid::apply
