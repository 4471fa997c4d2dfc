// The two games and where the registry says they are installed.
#pragma once

#include <stdexcept>
#include <string>

namespace registry {
class Registry;
}

namespace catalogue {

enum Game { gmNone, gmXvT, gmBoP };

inline constexpr const char* kNotInstalled = "Not Installed!";
inline constexpr const char* kXvTKey = "Software\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\1.0\\";
inline constexpr const char* kBoPKey = "Software\\LucasArts Entertainment Company\\X-Wing vs. TIE Fighter\\2.0\\";
inline constexpr const char* kInstallPathValue = "Install Path";

// A registry value of the wrong type: "Invalid data type for '%s'".
class RegistryError : public std::runtime_error {
 public:
  explicit RegistryError(const std::string& valueName);
};

struct GameInstall {
  std::string path = kNotInstalled;  // as the registry holds it, or "Not Installed!"
  bool present = false;
};

struct GameInstalls {
  GameInstall xvt;
  GameInstall bop;

  const GameInstall& Of(Game game) const { return game == gmBoP ? bop : xvt; }
};

// Reads "Install Path" below both keys of HKEY_LOCAL_MACHINE: XvT first,
// then BoP. A missing key or value, or an empty one, is "Not Installed!";
// a value that is not a string throws RegistryError. Strings are cut at
// their first NUL; REG_EXPAND_SZ is used unexpanded.
GameInstalls ReadInstallPaths(registry::Registry& reg);

// The string held by a value of an open key: "" when the key is not open or
// the value is missing; RegistryError when the value is not a string.
std::string ReadRegistryString(registry::Registry& reg, const std::string& keyPath, const std::string& name);

}  // namespace catalogue
