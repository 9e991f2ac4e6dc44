#pragma once

#include "zeph/toolkit/exception.h"
#include "zeph/translation/translation_export.h"

namespace zeph {

// Raised when the language file's stream cannot be read or the itl skeleton cannot be written.
class ZEPH_TRANSLATION_EXPORT EBabelfish : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace zeph
