#pragma once

#include <string>
#include <string_view>

namespace zeph {

// Text helpers of the itl dictionary. Strings are 8-bit; letter case is ASCII only: 'A'..'Z'
// become 'a'..'z' and every other byte is left alone.

std::string AsciiLowerCase(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);
bool StartsWith(std::string_view text, std::string_view prefix);

// Replaces every occurrence of oldText, searching left to right and continuing just behind the
// inserted text, so newText may itself contain oldText. An empty oldText changes nothing.
std::string ReplaceText(std::string_view text, std::string_view oldText, std::string_view newText,
                        bool ignoreCase);

// A dictionary key as stored: CR, LF and TAB become spaces, runs of spaces shrink to one, and
// leading spaces go. Trailing spaces stay.
std::string NormalizeKey(std::string_view key);

// A dictionary text as stored: CR and LF become spaces (not collapsed), a backslash followed by
// 'n' becomes one LF, and "<%APPNAME%>" in any letter case becomes appName.
std::string ExpandValue(std::string_view value, std::string_view appName);

// The token that stands for lookup argument number n (counted from 1): "<%n%>".
std::string ArgumentToken(std::size_t n);

}  // namespace zeph
