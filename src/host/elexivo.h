#pragma once

#include "toolkit/exception.h"

// The host integration's exception: a message text, nothing more.
class ELexivo : public Exception {
 public:
  using Exception::Exception;
};
