#pragma once
// A small std::expected-like result: a value, or the message to show the user.

#include <string>
#include <utility>
#include <variant>

namespace edid {

/// The reason an operation refused or failed, in the words shown to the user.
struct Error {
  std::string message;
};

/// Either a value of type T or an Error. Nothing in the core throws across its API.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : m_data(std::move(value)) {}
  Result(Error error) : m_data(std::move(error)) {}

  bool ok() const { return std::holds_alternative<T>(m_data); }
  explicit operator bool() const { return ok(); }
  const T& value() const& { return std::get<T>(m_data); }
  T& value() & { return std::get<T>(m_data); }
  T&& value() && { return std::get<T>(std::move(m_data)); }
  const T& operator*() const& { return value(); }
  const T* operator->() const { return &value(); }
  /// The message; empty when the result holds a value.
  const std::string& error() const {
    static const std::string none;
    return ok() ? none : std::get<Error>(m_data).message;
  }

 private:
  std::variant<T, Error> m_data;
};

/// Success without a value.
struct Done {};
using Status = Result<Done>;

inline Status success() {
  return Done{};
}
inline Error failure(std::string message) {
  return Error{std::move(message)};
}

}  // namespace edid
