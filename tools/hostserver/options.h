#pragma once

#include <QStringList>
#include <optional>
#include <string>

#include "host/server/demonserver.h"

// The server's command line.
struct THostServerOptions {
  TServerSettings Settings;
  bool Publish = true;
  // Fault injection for tests: end at once, unanswered, on a request of this message type.
  std::optional<std::int32_t> DieOn;
  // A program to run under the server, with its arguments; the server ends when it ends.
  QStringList Run;
  bool Help = false;
};

// Parses the arguments after the program name; an error text for a bad command line.
std::optional<THostServerOptions> ParseOptions(const QStringList& arguments, QString& error);

QString UsageText();
