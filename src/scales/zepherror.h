#pragma once

#include "toolkit/exception.h"

// The chart library's exceptions; the chart raises EZephChartError when layer joining is misused.
class EZephError : public Exception {
 public:
  using Exception::Exception;
};

class EZephChartError : public EZephError {
 public:
  using EZephError::EZephError;
};
