#pragma once

#include <optional>
#include <string>

// Reading (and, for the stand-in host server, writing) one string value of the registry. On this
// platform the registry is a stand-in store: one directory per root and key, one file per value
// holding its bytes. Key and value names are compared without regard to letter case, as the
// registry does. LEXIVO_REGISTRY_DIR overrides the store's location (tests); otherwise it lies
// in $XDG_CONFIG_HOME/lexivo/registry or ~/.config/lexivo/registry.
namespace platform {

constexpr const char* kRegistryDirVariable = "LEXIVO_REGISTRY_DIR";
constexpr const char* kHkeyLocalMachine = "HKEY_LOCAL_MACHINE";

// The value, or none (last error ENOENT) when the key or the value is missing.
std::optional<std::string> ReadRegistryString(const std::string& root, const std::string& key,
                                              const std::string& valueName);
// Creates the key when needed and replaces the value at once for every reader.
bool WriteRegistryString(const std::string& root, const std::string& key,
                         const std::string& valueName, const std::string& value);

}  // namespace platform
