#pragma once
// The error every part of the program raises: a number, a source and a
// description, as the original run-time reported them.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace lekhora {

/// Number of every error the codec raises itself (0x80040000).
inline constexpr std::int32_t kCodecErrorNumber = -2147221504;
/// Run-time error numbers.
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kSubscriptOutOfRange = 9;

/// Source of run-time errors that no module names itself.
inline constexpr const char* kRuntimeSource = "Lekhora";

class Error : public std::runtime_error {
 public:
  Error(std::int32_t number, std::string source, std::string description)
      : std::runtime_error(description),
        number_(number),
        source_(std::move(source)),
        description_(std::move(description)) {}

  std::int32_t number() const noexcept { return number_; }
  const std::string& source() const noexcept { return source_; }
  const std::string& description() const noexcept { return description_; }

 private:
  std::int32_t number_;
  std::string source_;
  std::string description_;
};

/// Runs one statement of a handler whose failing statements are skipped:
/// an Error it raises is dropped and the handler goes on with the next one.
template <typename Statement>
void SkipOnError(Statement&& statement) {
  try {
    statement();
  } catch (const Error&) {
  }
}

/// Run-time error 6.
inline Error OverflowError(std::string source = kRuntimeSource) {
  return Error(kOverflow, std::move(source), "Overflow");
}

/// Run-time error 9.
inline Error SubscriptError(std::string source = kRuntimeSource) {
  return Error(kSubscriptOutOfRange, std::move(source), "Subscript out of range");
}

}  // namespace lekhora
