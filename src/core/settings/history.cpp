// SPDX-License-Identifier: MIT
#include "core/settings/history.h"

#include <algorithm>

#include "core/notices.h"
#include "core/settings/resdir.h"
#include "core/settings/settings.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"

namespace rn {

std::string HistoryFilePath() {
    return ResDir() + kHistoryFileName;
}

bool TreeHistory::LoadTreeHistory(const std::string& historyPath, int32_t cap, const std::string& treeFileName) {
    Reset();
    if (!FileExists(historyPath)) {
        // The line is only remembered; whether it names a file is checked at the next start.
        std::string line = Utf8ToCp932(treeFileName).bytes + "\r\n";
        std::string reason;
        if (!WriteFileReplacing(historyPath, line, &reason)) {
            ReportCreateError(historyPath, reason);
            return false;
        }
        return true;
    }
    std::string bytes;
    std::string reason;
    if (!ReadFileBytes(historyPath, bytes, &reason, nullptr, kIniFileLimit)) {
        ReportOpenError(historyPath, reason);
        return false;
    }
    std::string_view text(bytes);
    text = text.substr(0, text.find('\x1A'));  // end-of-file mark
    int32_t accepted = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t lf = text.find('\n', pos);
        std::string_view line = text.substr(pos, lf == std::string_view::npos ? std::string_view::npos : lf - pos);
        pos = lf == std::string_view::npos ? text.size() : lf + 1;
        if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string path = Cp932ToUtf8(line);
        if (path.empty() || !FileExists(path)) continue;
        if (accepted == 0) {
            items_[0] = path;
        } else if (accepted + 1 <= cap) {
            items_.push_back(path);
        }
        ++accepted;
    }
    return true;
}

void TreeHistory::AddTreeHistory(std::string path, int32_t cap) {
    auto last = std::find(items_.rbegin(), items_.rend(), path);
    std::size_t p;
    if (last == items_.rend()) {
        if (static_cast<int64_t>(items_.size()) < cap) items_.emplace_back();
        p = items_.size() - 1;  // the last caption falls off unless an item was added for it
    } else {
        p = static_cast<std::size_t>(items_.rend() - last) - 1;
        if (p == 0) return;
    }
    for (std::size_t k = p; k > 0; --k)
        items_[k] = std::move(items_[k - 1]);
    items_[0] = std::move(path);
}

bool TreeHistory::SaveTreeHistory(const std::string& historyPath) const {
    std::string bytes;
    for (const std::string& item : items_) {
        EncodeResult encoded = Utf8ToCp932(item);
        if (!encoded.ok) {
            notices().MessageBox(UnencodableTextMessage(kHistoryFileName, item));
            continue;
        }
        bytes += encoded.bytes;
        bytes += "\r\n";
    }
    std::string reason;
    if (!WriteFileReplacing(historyPath, bytes, &reason)) {
        ReportCreateError(historyPath, reason);
        return false;
    }
    return true;
}

}  // namespace rn
