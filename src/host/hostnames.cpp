#include "host/hostnames.h"

#include <cstring>

#include "platform/registry.h"
#include "zeph/toolkit/ansi.h"
#include "zeph/translation/itlfilename.h"

using namespace zeph;

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return text;
}

std::string GetServerHandleString(const std::vector<std::string>& arguments) {
  std::string handle = platform::ReadRegistryString(platform::kHkeyLocalMachine, kLexivoRegistryKey,
                                                    kViewerHandleValue)
                           .value_or(std::string());
  if (handle == kNoServerHandle || handle.empty()) {
    const std::size_t switch_length = std::strlen(kServerHandleSwitch);
    for (std::size_t i = 1; i < arguments.size(); ++i) {
      const std::string argument = LowerAscii(arguments[i]);
      if (argument.compare(0, switch_length, kServerHandleSwitch) == 0) handle = argument.substr(switch_length);
    }
  }
  return handle;
}

platform::HWND FindServerWindow(const std::vector<std::string>& arguments) {
  return platform::FindWindow(kServerWindowClass + GetServerHandleString(arguments),
                              kServerWindowTitle + GetServerHandleString(arguments));
}

std::vector<std::string> ReadParams(const std::vector<std::string>& arguments) {
  std::vector<std::string> params;
  for (const std::string& argument : arguments) {
    if (argument.compare(0, std::strlen(kServerHandleSwitch), kServerHandleSwitch) != 0) params.push_back(argument);
  }
  return params;
}

std::string ProgramDirectory(const std::string& exePath) {
  // Up to and including the last separator, so a directory always ends with exactly one.
  return exePath.substr(0, exePath.find_last_of('/') + 1);
}

std::string LanguageFileName(const std::string& programFile) {
  return QStringToAnsi(ItlPathFor(AnsiToQString(programFile)));
}
