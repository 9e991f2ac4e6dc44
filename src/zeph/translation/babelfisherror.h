#pragma once

#include "zeph/toolkit/exception.h"
#include "zeph/translation/translation_export.h"

namespace zeph {

/// Raised when the language file's stream cannot be read or the itl skeleton cannot be written.
///
/// Messages begin with "Stream read error: ", "Stream seek error: ", "Cannot create file " or
/// "Cannot write file ". Lookups and form translation never raise it.
class ZEPH_TRANSLATION_EXPORT EBabelfish : public Exception {
 public:
  /// Constructs the exception with its message text, as Exception does.
  using Exception::Exception;
};

}  // namespace zeph
