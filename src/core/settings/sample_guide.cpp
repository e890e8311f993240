// SPDX-License-Identifier: MIT
#include "core/settings/sample_guide.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/settings/resdir.h"
#include "core/storage/files.h"

namespace rn {
namespace {

namespace fs = std::filesystem;

bool Present(const fs::path& p) {
    std::error_code ec;
    return fs::symlink_status(p, ec).type() != fs::file_type::not_found;
}

std::string FirstTreeFile(const fs::path& dir) {
    std::string first;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string path = it->path().string();
        if (it->is_regular_file(ec) && UpperExtensionOf(path) == "RNOTE" && (first.empty() || path < first))
            first = path;
    }
    return first;
}

// The copy belongs to the user (who may edit the guide) and is on disk before it gets its real name.
bool MakeWritableAndDurable(const fs::path& dir, std::error_code& ec) {
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
        if (ec) return false;
        if (!it->is_regular_file()) continue;
        int fd = ::open(it->path().c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || ::fsync(fd) != 0) ec.assign(errno, std::generic_category());
        if (fd >= 0) ::close(fd);
        if (ec) return false;
    }
    return !ec;
}

// Renames without ever replacing what appeared at `to` in the meantime.
bool RenameNoReplace(const fs::path& from, const fs::path& to, std::error_code& ec) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    // File systems without the flag: the closest is a fresh check right before the rename.
    if (errno == EINVAL && !Present(to) && ::rename(from.c_str(), to.c_str()) == 0) return true;
    ec.assign(errno, std::generic_category());
    return false;
}

}  // namespace

std::string PlaceSampleGuide(const std::string& source, const std::string& target) {
    if (!DirectoryExists(source)) return {};
    const fs::path to = fs::path(target).lexically_normal();
    if (Present(to)) return DirectoryExists(to) ? FirstTreeFile(to) : std::string();

    std::error_code ec;
    const fs::path parent = to.parent_path();
    fs::create_directories(parent, ec);
    std::string partialName = (parent / ("." + to.filename().string() + ".XXXXXX")).string();
    if (ec || !::mkdtemp(partialName.data())) {
        ReportCreateError(to, ec ? ReasonText(ec.value()) : ReasonText(errno));
        return {};
    }
    const fs::path partial = partialName;
    fs::copy(source, partial, fs::copy_options::recursive, ec);
    if (!ec && MakeWritableAndDurable(partial, ec) && RenameNoReplace(partial, to, ec)) return FirstTreeFile(to);

    std::error_code ignored;
    fs::remove_all(partial, ignored);
    // Another start may have put a complete copy there first; that one is as good.
    if (DirectoryExists(to)) return FirstTreeFile(to);
    ReportCreateError(to, ReasonText(ec.value()));
    return {};
}

std::string PlaceDeliveredSampleGuide() {
    const std::string data = PerUserDataDirectory();
    if (data.empty()) return {};
    return PlaceSampleGuide(InstalledDataDirectory() + "/" + kSampleDirectoryName, data + "/" + kSampleDirectoryName);
}

std::string MissingGuideText() {
    return "ヘルプ文書[" + InstalledDataDirectory() + "/" + kSampleDirectoryName + "]が有りません";
}

}  // namespace rn
