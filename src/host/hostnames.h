#pragma once

#include <string>
#include <vector>

#include "platform/messagewindow.h"

// The fixed names by which programs and the host server find each other.
inline constexpr const char* kLexivoRegistryKey = "\\Software\\Tarnell\\ostrel\\demon";
inline constexpr const char* kViewerHandleValue = "ViewerHandle";
inline constexpr const char* kNoServerHandle = "00000000";
inline constexpr const char* kServerHandleSwitch = "/serverhandle=";
inline constexpr const char* kServerWindowClass = "ThisIsTheLexivoServerComponentWindowClass";
inline constexpr const char* kServerWindowTitle = "ThisIsTheLexivoServerComponentWindow";
inline constexpr const char* kClientWindowClass = "ThisIsTheLexivoClientComponentWindowClass";
inline constexpr const char* kWorkAreaVariable = "OstrelWorkArea";
inline constexpr const char* kHomeDirVariable = "OstrelHomeDir";

std::string LowerAscii(std::string text);

// The text that names the running server: the registry's "ViewerHandle", or, when that is
// missing or "00000000", the last "/serverhandle=" argument (letter case ignored, result in
// small letters). arguments[0] is the program itself and is not looked at.
std::string GetServerHandleString(const std::vector<std::string>& arguments);
// The server's window under that handle text; 0 when there is none.
platform::HWND FindServerWindow(const std::vector<std::string>& arguments);
// The arguments without those that begin with exactly "/serverhandle=" (letter case counts).
std::vector<std::string> ReadParams(const std::vector<std::string>& arguments);
// The directory of a program's path with one trailing "/"; empty for a bare name.
std::string ProgramDirectory(const std::string& exePath);
// The language file that belongs to a program file (extension replaced by ".itl", or appended).
std::string LanguageFileName(const std::string& programFile);
