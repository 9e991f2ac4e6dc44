#include "zeph/translation/itltext_p.h"

#include <algorithm>

namespace zeph {

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string AsciiLowerCase(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
  return result;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::string ReplaceText(std::string_view text, std::string_view oldText, std::string_view newText,
                        bool ignoreCase) {
  if (oldText.empty()) return std::string(text);
  // ASCII lower-casing keeps every byte in place, so positions found in the lowered copy hold
  // for the original.
  const std::string loweredText = ignoreCase ? AsciiLowerCase(text) : std::string();
  const std::string loweredOld = ignoreCase ? AsciiLowerCase(oldText) : std::string();
  const std::string_view haystack = ignoreCase ? std::string_view(loweredText) : text;
  const std::string_view needle = ignoreCase ? std::string_view(loweredOld) : oldText;

  std::string result;
  std::size_t position = 0;
  for (std::size_t hit = haystack.find(needle); hit != std::string_view::npos;
       hit = haystack.find(needle, position)) {
    result.append(text.substr(position, hit - position));
    result.append(newText);
    position = hit + oldText.size();
  }
  result.append(text.substr(position));
  return result;
}

std::string NormalizeKey(std::string_view key) {
  std::string result;
  result.reserve(key.size());
  for (char c : key) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    if (c == ' ' && (result.empty() || result.back() == ' ')) continue;
    result.push_back(c);
  }
  return result;
}

std::string ExpandValue(std::string_view value, std::string_view appName) {
  std::string result(value);
  std::replace(result.begin(), result.end(), '\r', ' ');
  std::replace(result.begin(), result.end(), '\n', ' ');
  result = ReplaceText(result, "\\n", "\n", false);
  return ReplaceText(result, "<%APPNAME%>", appName, true);
}

std::string ArgumentToken(std::size_t n) { return "<%" + std::to_string(n) + "%>"; }

}  // namespace zeph
