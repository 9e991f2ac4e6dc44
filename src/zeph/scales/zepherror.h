#pragma once

#include "zeph/toolkit/exception.h"
#include "zeph/scales/scales_export.h"

namespace zeph {

// The chart library's exceptions; the chart raises EZephChartError when layer joining is misused.
class ZEPH_SCALES_EXPORT EZephError : public Exception {
 public:
  using Exception::Exception;
};

class ZEPH_SCALES_EXPORT EZephChartError : public EZephError {
 public:
  using EZephError::EZephError;
};

}  // namespace zeph
