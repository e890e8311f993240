// SPDX-License-Identifier: MIT
// The kind of storage a path lies on, in the codes the program has always used.
#pragma once

#include <string>

namespace rn {

enum DriveKindCode : int {
    kDriveFixed = 0,
    kDriveNetwork = 1,
    kDriveRemovable = 2,
    kDriveRamDisk = 3,
    kDriveCdRom = 9,
    kDriveUnknown = 10,
};

// Kind of the mounted file system that holds `path` (its nearest existing ancestor is examined).
// A relative or empty path is unknown.
int DriveKind(const std::string& path);

// The kind that a file system's type alone decides (statfs magic number; `mountType` as the mount
// table names it, consulted for user-space file systems), or -1 when the device must tell whether
// it is removable.
int DriveKindOfFileSystem(unsigned long magic, const std::string& mountType);

}  // namespace rn
