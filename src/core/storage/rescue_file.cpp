// SPDX-License-Identifier: MIT
#include "core/storage/rescue_file.h"

#include <ctime>
#include <filesystem>
#include <system_error>

#include "core/storage/files.h"
#include "core/text/cp932.h"

namespace rn {
namespace {

std::string TimeText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

}  // namespace

std::string WriteRescueFile(const std::string& directory, std::string_view nodeText, std::string_view bytes,
                            std::string& reason) {
    if (directory.empty()) {
        reason = "ユーザーのデータフォルダがありません";
        return {};
    }
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    if (ec) {
        reason = CreateErrorText(directory, ReasonText(ec.value()));
        return {};
    }
    // The name says which node the text belongs to; a name that could not be a file name still
    // gets a usable one.
    std::string name = Cp932ToUtf8(nodeText);
    for (char& c : name)
        if (c == '/') c = '_';
    if (name.empty() || name == "." || name == "..") name = "_";
    const std::string stem = directory + "/" + name + " " + TimeText();
    std::string path = stem + ".TXT";
    for (int n = 2; FileExists(path) || DirectoryExists(path); ++n)
        path = stem + "-" + std::to_string(n) + ".TXT";
    std::string why;
    if (WriteFileReplacing(path, bytes, &why)) return path;
    reason = CreateErrorText(path, why);
    return {};
}

}  // namespace rn
