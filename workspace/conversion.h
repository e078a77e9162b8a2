// What every page conversion returns.
//
// Encoders return their text directly. Decoders and parsers return a
// Conversion: the value on success, or an error that says what was wrong and
// where, in a GBK message the page shows as it stands. The value is only
// meaningful when there is no error.
#pragma once

#include <cstddef>
#include <optional>
#include <utility>

#include "services/text_types.h"

namespace yz {

struct ConversionError {
  std::size_t position = 0;  // 1-based position in the input where it went wrong; 0 when none applies
  AnsiText message;          // GBK text for the user, naming the position and the offending input
};

template <class T>
struct Conversion {
  T value{};
  std::optional<ConversionError> error;

  bool ok() const { return !error.has_value(); }
  static Conversion Success(T v) { return {std::move(v), std::nullopt}; }
  static Conversion Failure(std::size_t position, AnsiText message) {
    return {T{}, ConversionError{position, std::move(message)}};
  }
};

}  // namespace yz
