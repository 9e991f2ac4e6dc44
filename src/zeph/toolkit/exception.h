#pragma once

#include <QString>
#include <exception>
#include <string>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

// Base of every exception this system raises: it carries one message text for the user.
class ZEPH_TOOLKIT_EXPORT Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  explicit Exception(const QString& message) : message_(message.toStdString()) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

}  // namespace zeph
