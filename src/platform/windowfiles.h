#pragma once

#include <optional>
#include <string>

#include "platform/messagewindow.h"

// Where a window lives in the runtime directory: its socket and the record of its class and
// title ("class", NUL, "title").
namespace platform {

std::string WindowSocketPath(const std::string& directory, HWND window);
std::string WindowInfoPath(const std::string& directory, HWND window);
// The handle a runtime-directory entry name stands for, if it names a window's record.
std::optional<HWND> WindowOfInfoName(const std::string& entryName);

}  // namespace platform
