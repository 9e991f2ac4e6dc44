#pragma once

#include "zeph/toolkit/exception.h"
#include "zeph/scales/scales_export.h"

namespace zeph {

/// Base of the chart and scale libraries' exceptions.
///
/// Catch it to handle every error the scale and chart controls raise. The scale control itself
/// raises none: it clamps or ignores values out of range.
class ZEPH_SCALES_EXPORT EZephError : public Exception {
 public:
  /// Constructs the exception with its message text, as Exception does.
  using Exception::Exception;
};

/// The chart control's exception: the chart raises EZephChartError when layer joining is misused.
///
/// A layer or destination number outside 1 to 16, a destination that itself follows another layer,
/// or a layer that other layers follow is refused with messages such as "Destination layer 17 is
/// out of range"; the joining is then left as it was.
class ZEPH_SCALES_EXPORT EZephChartError : public EZephError {
 public:
  /// Constructs the exception with its message text, as Exception does.
  using EZephError::EZephError;
};

}  // namespace zeph
