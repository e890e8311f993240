// SPDX-License-Identifier: MIT
#include "platform/drive_kind.h"

#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace rn {
namespace {

// Magic numbers from linux/magic.h, spelled out so that no kernel header is needed.
constexpr unsigned long kIso9660 = 0x9660;
constexpr unsigned long kUdf = 0x15013346;
constexpr unsigned long kNfs = 0x6969;
constexpr unsigned long kSmb = 0x517B;
constexpr unsigned long kSmb2 = 0xFE534D42;
constexpr unsigned long kCifs = 0xFF534D42;
constexpr unsigned long kFuse = 0x65735546;
constexpr unsigned long kAfs = 0x5346414F;
constexpr unsigned long kCoda = 0x73757245;
constexpr unsigned long kNcp = 0x564C;
constexpr unsigned long kCeph = 0x00C36400;
constexpr unsigned long kV9fs = 0x01021997;
constexpr unsigned long kTmpfs = 0x01021994;
constexpr unsigned long kRamfs = 0x858458F6;

bool BlockDeviceRemovable(dev_t dev) {
    // /sys/dev/block/MAJ:MIN points at the partition; its disk (or itself) carries "removable".
    std::error_code ec;
    std::filesystem::path dir = "/sys/dev/block/" + std::to_string(major(dev)) + ":" + std::to_string(minor(dev));
    dir = std::filesystem::canonical(dir, ec);
    if (ec) return false;
    for (int up = 0; up < 2 && !dir.empty(); ++up, dir = dir.parent_path()) {
        std::ifstream in(dir / "removable");
        int flag = 0;
        if (in >> flag) return flag != 0;
    }
    return false;
}

// File system type of the mount that holds `p`, from /proc/self/mountinfo (longest matching mount point).
std::string MountType(const std::filesystem::path& p) {
    std::ifstream in("/proc/self/mountinfo");
    std::string line, best, bestType;
    const std::string target = p.string();
    while (std::getline(in, line)) {
        // id parent maj:min root mountpoint options [optional...] - fstype source superoptions
        std::size_t f[5] = {};
        std::size_t pos = 0;
        for (int i = 0; i < 5 && pos != std::string::npos; ++i) {
            f[i] = pos;
            pos = line.find(' ', pos);
            if (pos != std::string::npos) ++pos;
        }
        if (pos == std::string::npos) continue;
        std::string mountPoint = line.substr(f[4], pos - 1 - f[4]);
        std::size_t dash = line.find(" - ");
        if (dash == std::string::npos) continue;
        std::size_t typeEnd = line.find(' ', dash + 3);
        std::string type = line.substr(dash + 3, typeEnd - (dash + 3));
        bool covers = target == mountPoint || mountPoint == "/" ||
                      (target.compare(0, mountPoint.size(), mountPoint) == 0 && target[mountPoint.size()] == '/');
        if (covers && mountPoint.size() >= best.size()) {
            best = mountPoint;
            bestType = type;
        }
    }
    return bestType;
}

// A user-space file system is a network one when its mount type names a network protocol or tool.
bool IsNetworkFuse(const std::string& type) {
    for (const char* name :
         {"sshfs", "rclone", "s3fs", "gvfs", "davfs", "curlftpfs", "smb", "cifs", "nfs", "glusterfs", "webdav"})
        if (type.find(name) != std::string::npos) return true;
    return false;
}

}  // namespace

int DriveKindOfFileSystem(unsigned long magic, const std::string& mountType) {
    switch (magic & 0xFFFFFFFFul) {
        case kIso9660:
        case kUdf:
            return kDriveCdRom;
        case kNfs:
        case kSmb:
        case kSmb2:
        case kCifs:
        case kAfs:
        case kCoda:
        case kNcp:
        case kCeph:
        case kV9fs:
            return kDriveNetwork;
        case kFuse:
            return IsNetworkFuse(mountType) ? kDriveNetwork : -1;
        case kTmpfs:
        case kRamfs:
            return kDriveRamDisk;
        default:
            return -1;
    }
}

int DriveKind(const std::string& path) {
    if (path.empty() || path[0] != '/') return kDriveUnknown;
    std::filesystem::path p(path);
    std::error_code ec;
    while (!std::filesystem::exists(p, ec)) {
        if (!p.has_parent_path() || p.parent_path() == p) return kDriveUnknown;
        p = p.parent_path();
    }
    struct statfs fs {};
    if (statfs(p.c_str(), &fs) != 0) return kDriveUnknown;
    const auto magic = static_cast<unsigned long>(fs.f_type);
    // Only a user-space file system needs its mount type to tell what it is.
    const std::string mountType = (magic & 0xFFFFFFFFul) == kFuse ? MountType(std::filesystem::absolute(p, ec)) : "";
    if (const int kind = DriveKindOfFileSystem(magic, mountType); kind >= 0) return kind;
    struct stat st {};
    if (stat(p.c_str(), &st) == 0 && BlockDeviceRemovable(st.st_dev)) return kDriveRemovable;
    return kDriveFixed;
}

}  // namespace rn
