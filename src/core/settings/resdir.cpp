// SPDX-License-Identifier: MIT
#include "core/settings/resdir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/settings/program.h"
#include "core/settings/settings.h"
#include "core/storage/files.h"

namespace rn {

// Built from resources/Res/Ramblenote.Ini by the build (resources/CMakeLists.txt).
extern const char kDeliveredSettingsBytes[];
extern const std::size_t kDeliveredSettingsSize;

namespace {

bool NonEmpty(const char* s) {
    return s && *s;
}

std::string WithoutTrailingSlash(std::string dir) {
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir;
}

std::string DataDirectoryOf(const std::string& programDirectory) {
    if (programDirectory.empty()) return {};
    // Set by the build from the install directories; "../share/ramblenote" unless they were changed.
    return WithoutTrailingSlash(
        (std::filesystem::path(programDirectory) / RAMBLENOTE_DATA_FROM_PROGRAM).lexically_normal());
}

}  // namespace

std::string ChooseConfigDirectory(const std::string& programDirectory, bool programDirectoryHoldsSettings,
                                  const char* xdgConfigHome, const char* home) {
    if (programDirectoryHoldsSettings) return programDirectory;
    if (NonEmpty(xdgConfigHome) && xdgConfigHome[0] == '/')
        return WithoutTrailingSlash(xdgConfigHome) + "/" + kPerUserDirectoryName;
    if (NonEmpty(home)) return WithoutTrailingSlash(home) + "/.config/" + kPerUserDirectoryName;
    // Nowhere better to go: the writes at exit will report the failure.
    return programDirectory;
}

bool ProgramDirectoryHoldsSettings(const std::string& programDirectory) {
    if (programDirectory.empty() || ::access(programDirectory.c_str(), W_OK) != 0) return false;
    return DirectoryExists(programDirectory + "/Res") || !DirectoryExists(DataDirectoryOf(programDirectory));
}

std::string ConfigDirectory() {
    const std::string& dir = Program().directory;
    return ChooseConfigDirectory(dir, ProgramDirectoryHoldsSettings(dir), std::getenv("XDG_CONFIG_HOME"),
                                 std::getenv("HOME"));
}

std::string InstalledDataDirectory() {
    return DataDirectoryOf(Program().directory);
}

std::string ChooseDataDirectory(const char* xdgDataHome, const char* home) {
    if (NonEmpty(xdgDataHome) && xdgDataHome[0] == '/')
        return WithoutTrailingSlash(xdgDataHome) + "/" + kPerUserDirectoryName;
    if (NonEmpty(home) && home[0] == '/') return WithoutTrailingSlash(home) + "/.local/share/" + kPerUserDirectoryName;
    return {};
}

std::string PerUserDataDirectory() {
    return ChooseDataDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::string RescueDirectory() {
    const std::string data = PerUserDataDirectory();
    return data.empty() ? std::string() : data + "/rescue";
}

std::string ResDir() {
    return ConfigDirectory() + "/Res/";
}

std::string SettingsFilePath() {
    return ResDir() + kSettingsFileName;
}

std::string_view DeliveredSettings() {
    return {kDeliveredSettingsBytes, kDeliveredSettingsSize};
}

bool PrepareResDirAt(const std::string& resDir, const std::string& seedFile) {
    std::error_code ec;
    // Settings and history saves that were killed half-way leave their temporaries here; nobody else
    // would remove them.
    if (DirectoryExists(resDir)) RemoveStaleTemporaryFiles(resDir);
    // A Res/ without its settings file (never used, or the file deleted) is seeded like a missing one:
    // the exit would otherwise write a record of zeros.
    const std::string target = WithoutTrailingSlash(resDir) + "/" + kSettingsFileName;
    if (FileExists(target)) return true;
    std::filesystem::create_directories(resDir, ec);
    if (ec || !DirectoryExists(resDir)) {
        ReportCreateError(resDir, ec ? ReasonText(ec.value()) : std::string());
        return false;
    }
    std::string bytes;
    if (seedFile.empty() || !FileExists(seedFile) || !ReadFileBytes(seedFile, bytes, nullptr, nullptr, kIniFileLimit))
        bytes.assign(DeliveredSettings());
    std::string reason;
    if (!WriteFileReplacing(target, bytes, &reason)) {
        ReportCreateError(target, reason);
        return false;
    }
    return true;
}

std::string PrepareResDir() {
    const std::string config = ConfigDirectory();
    const std::string& programDir = Program().directory;
    // A per-user Res/ starts from the installation's own settings when it has them.
    std::string seed = config != programDir ? programDir + "/Res/" + kSettingsFileName : std::string();
    if (seed.empty() || !FileExists(seed)) seed = InstalledDataDirectory() + "/Res/" + kSettingsFileName;
    std::string res = config + "/Res/";
    PrepareResDirAt(res, seed);
    return res;
}

}  // namespace rn
