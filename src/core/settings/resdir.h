// Where the settings live. Res/ (settings and Tree history) and BTxtOut.Ini sit in the program
// directory; when that cannot be written (a system-wide install) the per-user directory
// $XDG_CONFIG_HOME/ramblenote (default ~/.config/ramblenote) takes its place. A missing Res/ is created
// at start-up and seeded with the delivered settings, so the exit can always write them.
#pragma once

#include <string>
#include <string_view>

namespace rn {

inline constexpr const char* kPerUserDirectoryName = "ramblenote";

// The choice itself, with everything it depends on passed in. `xdgConfigHome` and `home` are the
// environment's values (null or empty when unset); a relative XDG_CONFIG_HOME is ignored.
std::string ChooseConfigDirectory(const std::string& programDirectory, bool programDirectoryWritable,
                                  const char* xdgConfigHome, const char* home);

// The directory that holds Res/ and BTxtOut.Ini for this run (no trailing "/").
std::string ConfigDirectory();
// ConfigDirectory() + "/Res/".
std::string ResDir();
// ResDir() + "Ramblenote.Ini".
std::string SettingsFilePath();

// The delivered "Ramblenote.Ini" as built into the program (CP932, CR LF).
std::string_view DeliveredSettings();

// Creates `resDir` (and its missing parents) when it does not exist and puts a settings file into it:
// a copy of `seedFile` when that file exists, else the delivered settings. An existing Res/ is left
// as it is. False after a "cannot create" error box.
bool PrepareResDirAt(const std::string& resDir, const std::string& seedFile);

// Start-up: prepares this run's Res/ (seeding a per-user Res/ from the program directory's Res/ when
// that has a settings file) and returns ResDir().
std::string PrepareResDir();

}  // namespace rn
