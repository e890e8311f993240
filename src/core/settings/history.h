// SPDX-License-Identifier: MIT
// The Tree history: the Tree files opened most recently, most recent first. The "Tree履歴" menu mirrors
// this list; the file "Rnote履歴.Ini" in ResDir keeps it between runs (one CP932 path per line, CR LF).
// Items are native (UTF-8) paths, converted to CP932 only in the file. The first item always exists
// and reads "最新" until a path replaces it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rn {

inline constexpr const char* kHistoryFileName = "Rnote履歴.Ini";
inline constexpr const char* kHistoryLatest = "最新";

class TreeHistory {
public:
    TreeHistory() { Reset(); }

    const std::vector<std::string>& Items() const { return items_; }
    // Back to the single item "最新".
    void Reset() { items_.assign(1, kHistoryLatest); }

    // Fills the list from the history file: lines naming existing files, the first one as the first
    // item and later ones while the list holds no more than `cap` items. A missing file is created
    // with the single line `treeFileName` and the list stays "最新". False after an error box.
    bool LoadTreeHistory(const std::string& historyPath, int32_t cap, const std::string& treeFileName);

    // Puts `path` at the top. A path already listed (compared byte for byte; the last one when it is
    // listed twice) moves up; a new one pushes the others down, adding an item while there are fewer
    // than `cap` and dropping the last caption otherwise. `path` is taken by value: it may be an item.
    void AddTreeHistory(std::string path, int32_t cap);

    // Writes every item, "最新" included, to a new history file. An item CP932 cannot hold is reported
    // and left out. False after an error box.
    bool SaveTreeHistory(const std::string& historyPath) const;

private:
    std::vector<std::string> items_;
};

// ResDir() + "Rnote履歴.Ini".
std::string HistoryFilePath();

}  // namespace rn
