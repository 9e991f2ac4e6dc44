#pragma once

#include <QString>
#include <exception>
#include <string>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// Base of every exception the zeph libraries raise: it carries one message text for the user.
///
/// The text is in English. TApplication shows the message of an exception that escapes an event
/// handler in a message box, and the program goes on.
class ZEPH_TOOLKIT_EXPORT Exception : public std::exception {
 public:
  /// Constructs the exception with \a message, taken as UTF-8.
  explicit Exception(std::string message) : message_(std::move(message)) {}
  /// Constructs the exception with \a message, stored as UTF-8.
  explicit Exception(const QString& message) : message_(message.toStdString()) {}
  /// Returns the message text as UTF-8.
  const char* what() const noexcept override { return message_.c_str(); }
  /// Returns the message text as UTF-8.
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

}  // namespace zeph
