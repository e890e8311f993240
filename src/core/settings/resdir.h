// SPDX-License-Identifier: MIT
// Where the settings live. Res/ (settings and Tree history) and BTxtOut.Ini sit in the program
// directory; when that cannot be written, or the program is an installed one (its delivered files lie
// in ../share/ramblenote and no Res/ sits beside it), the per-user directory $XDG_CONFIG_HOME/ramblenote
// (default ~/.config/ramblenote) takes its place. A missing Res/ is created at start-up and seeded with
// the delivered settings, so the exit can always write them.
#pragma once

#include <string>
#include <string_view>

namespace rn {

inline constexpr const char* kPerUserDirectoryName = "ramblenote";

// The choice itself, with everything it depends on passed in. `xdgConfigHome` and `home` are the
// environment's values (null or empty when unset); a relative XDG_CONFIG_HOME is ignored.
std::string ChooseConfigDirectory(const std::string& programDirectory, bool programDirectoryHoldsSettings,
                                  const char* xdgConfigHome, const char* home);

// True when the program directory itself keeps Res/ and BTxtOut.Ini: it can be written, and it
// already has a Res/ or is not an installed program's directory. An installed program (even under a
// prefix the user owns, such as ~/.local) never writes beside itself.
bool ProgramDirectoryHoldsSettings(const std::string& programDirectory);

// The directory that holds Res/ and BTxtOut.Ini for this run (no trailing "/").
std::string ConfigDirectory();
// ConfigDirectory() + "/Res/".
std::string ResDir();
// ResDir() + "Ramblenote.Ini".
std::string SettingsFilePath();

// The installed program's read-only files (the delivered Res/ and the sample document):
// <program directory>/../share/ramblenote, so that any install prefix works. Without "/" at the end;
// the directory need not exist.
std::string InstalledDataDirectory();

// The per-user data directory: $XDG_DATA_HOME/ramblenote (default ~/.local/share/ramblenote); empty
// when neither variable gives an absolute path. The `Choose...` form takes the environment's values.
std::string ChooseDataDirectory(const char* xdgDataHome, const char* home);
std::string PerUserDataDirectory();
// Where text that cannot be saved at exit goes: <per-user data directory>/rescue; empty without one.
std::string RescueDirectory();

// The delivered "Ramblenote.Ini" as built into the program (CP932, CR LF).
std::string_view DeliveredSettings();

// Creates `resDir` (and its missing parents) when it does not exist and puts a settings file into it:
// a copy of `seedFile` when that file exists, else the delivered settings. An empty Res/ is seeded
// too; one with its settings file is left as it is. Temporaries of interrupted saves older than a minute
// are removed first. False after a "cannot create" error box.
bool PrepareResDirAt(const std::string& resDir, const std::string& seedFile);

// Start-up: prepares this run's Res/ and returns ResDir(). A new Res/ is seeded from the program
// directory's Res/ (when that is not this run's Res/ and has a settings file), else from the installed
// defaults, else from the settings built into the program.
std::string PrepareResDir();

}  // namespace rn
