#pragma once
// The error every part of the program raises: a number, a source and a
// description.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace lekhora {

/// Error numbers that are not the codec's own.
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kSubscriptOutOfRange = 9;
inline constexpr std::int32_t kDiskFull = 61;
inline constexpr std::int32_t kPermissionDenied = 70;
inline constexpr std::int32_t kPathFileAccessError = 75;
inline constexpr std::int32_t kPathNotFound = 76;

/// Source of the errors that no module names itself.
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

/// Runs one statement of a handler whose failing statements are skipped: any
/// standard exception it raises (an Error, but also a failed allocation or a
/// library's range check) is dropped and the handler goes on with the next
/// statement. Nothing escapes into the window system's event loop.
template <typename Statement>
void SkipOnError(Statement&& statement) noexcept {
  try {
    statement();
  } catch (const std::exception&) {
  }
}

/// Error 6.
inline Error OverflowError(std::string source = kRuntimeSource) {
  return Error(kOverflow, std::move(source), "Overflow");
}

/// Error 9.
inline Error SubscriptError(std::string source = kRuntimeSource) {
  return Error(kSubscriptOutOfRange, std::move(source), "Subscript out of range");
}

/// Error 75, for a file that can be neither read nor written.
inline Error FileAccessError(std::string source = kRuntimeSource) {
  return Error(kPathFileAccessError, std::move(source), "Path/File access error");
}

}  // namespace lekhora
