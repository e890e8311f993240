#include "core/settings/resdir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/settings/settings.h"
#include "core/tree/files.h"
#include "core/tree/program.h"

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

}  // namespace

std::string ChooseConfigDirectory(const std::string& programDirectory, bool programDirectoryWritable,
                                  const char* xdgConfigHome, const char* home) {
    if (programDirectoryWritable) return programDirectory;
    if (NonEmpty(xdgConfigHome) && xdgConfigHome[0] == '/')
        return WithoutTrailingSlash(xdgConfigHome) + "/" + kPerUserDirectoryName;
    if (NonEmpty(home)) return WithoutTrailingSlash(home) + "/.config/" + kPerUserDirectoryName;
    // Nowhere better to go: the writes at exit will report the failure.
    return programDirectory;
}

std::string ConfigDirectory() {
    const std::string& dir = Program().directory;
    bool writable = !dir.empty() && ::access(dir.c_str(), W_OK) == 0;
    return ChooseConfigDirectory(dir, writable, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
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
    if (DirectoryExists(resDir)) return true;
    std::error_code ec;
    std::filesystem::create_directories(resDir, ec);
    if (ec || !DirectoryExists(resDir)) {
        ReportCreateError(resDir, ec ? ec.message() : std::string());
        return false;
    }
    std::string bytes;
    if (seedFile.empty() || !FileExists(seedFile) || !ReadFileBytes(seedFile, bytes)) bytes.assign(DeliveredSettings());
    const std::string target = WithoutTrailingSlash(resDir) + "/" + kSettingsFileName;
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
    const std::string res = config + "/Res/";
    PrepareResDirAt(res, seed);
    return res;
}

}  // namespace rn
