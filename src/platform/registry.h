#pragma once

#include <optional>
#include <string>

// Reading (and, for the stand-in host server, writing) one string value of the registry. On this
// platform the registry is a stand-in store: one directory per root and key, one file per value
// holding its bytes. Key and value names are compared without regard to letter case, as the
// registry does. LEXIVO_REGISTRY_DIR overrides the store's location (tests); otherwise it lies
// in $XDG_CONFIG_HOME/lexivo/registry or ~/.config/lexivo/registry, the home directory taken
// from the password database when HOME is unset.
//
// Every directory of the store belongs to this user and is closed to others (a writer closes
// one of its own that is open); links are not followed below the store; values are written to
// a fresh file under an unguessable name and renamed into place. A directory or value of another
// user is refused, with the reason on standard error.
namespace platform {

constexpr const char* kRegistryDirVariable = "LEXIVO_REGISTRY_DIR";
constexpr const char* kHkeyLocalMachine = "HKEY_LOCAL_MACHINE";

// Where the store lies; empty when there is no home directory to put it in.
std::string RegistryStoreDirectory();

// The value, or none (last error ENOENT) when the key or the value is missing, EACCES when it
// is refused.
std::optional<std::string> ReadRegistryString(const std::string& root, const std::string& key,
                                              const std::string& valueName);
// Creates the key when needed and replaces the value at once for every reader.
bool WriteRegistryString(const std::string& root, const std::string& key,
                         const std::string& valueName, const std::string& value);

}  // namespace platform
