#pragma once

#include "toolkit/exception.h"

// Raised when the language file's stream cannot be read or the itl skeleton cannot be written.
class EBabelfish : public Exception {
 public:
  using Exception::Exception;
};
