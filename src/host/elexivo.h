#pragma once

#include "zeph/toolkit/exception.h"

// The host integration's exception: a message text, nothing more.
class ELexivo : public zeph::Exception {
 public:
  using zeph::Exception::Exception;
};
