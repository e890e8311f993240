// SPDX-License-Identifier: MIT
#include "core/count/outline_count.h"

#include <memory>

#include "core/outline/document.h"
#include "core/storage/block_reader.h"
#include "core/storage/files.h"

namespace rn {
namespace {

constexpr std::size_t kReadBlock = std::size_t{1} << 18;

// Counts the body file a node text names. No file (or a name that cannot be one) is no body. A pipe
// or a device is never opened, so that counting cannot hang: it is named in `notRegular` and has no
// body. A file that cannot be read is named in `unreadable` and counts as empty.
void CountBodyFile(const std::string& treeDir, std::string_view nodeText, char* buffer, TextCount& count,
                   CountReport& report) {
    count = {};
    const auto path = BodyPathIn(treeDir, nodeText);
    if (!path) return;
    BodyCounter counter;
    std::string reason;
    switch (ReadFileInBlocks(
        *path, buffer, kReadBlock,
        [&](std::string_view block) {
            counter.Feed(block);
            return true;
        },
        reason)) {
        case BlockRead::kNotRegular:
            if (!DirectoryExists(*path))
                report.notRegular.push_back(OpenErrorText(*path, "通常のファイルではありません"));
            return;
        case BlockRead::kFailed:
            report.unreadable.push_back(OpenErrorText(*path, reason));
            return;
        case BlockRead::kMissing:
        case BlockRead::kStopped:
            return;
        case BlockRead::kRead:
            break;
    }
    count = counter.Finish();
}

}  // namespace

CountResult CountNodes(const CountRequest& r, CountReport& report, const CountProgress& progress) {
    report = {};
    const std::size_t total = r.nodes.size();
    const int startLevel = r.start && *r.start < total ? r.nodes[*r.start].level : 0;
    std::unique_ptr<char[]> buffer;
    int trashLevel = 0;  // level of the trash node whose branch the walk is in; 0 outside
    bool inBranch = false;
    for (std::size_t i = 0; i < total; ++i) {
        const OutputNode& node = r.nodes[i];
        bool inTrash = trashLevel > 0 && node.level > trashLevel;
        if (!inTrash) {
            trashLevel = 0;
            if (node.text == kTrashText) {
                inTrash = true;
                trashLevel = node.level;
            }
        }
        if (r.start) {
            if (inBranch && node.level <= startLevel) inBranch = false;
            if (i == *r.start) inBranch = true;
        }
        const bool listed = r.start ? inBranch : !inTrash;
        const bool inDocument = r.wantDocumentTotal && !inTrash;
        if (!listed && !inDocument) continue;

        if (progress && !progress(i, total)) return CountResult::kCancelled;
        TextCount own;
        if (r.edited && node.text == r.edited->nodeText) {
            own = r.edited->count;
        } else {
            if (!buffer) buffer = std::make_unique<char[]>(kReadBlock);
            CountBodyFile(r.treeDir, node.text, buffer.get(), own, report);
        }
        if (listed) {
            report.listed.push_back({i, node.level, own});
            report.listedTotal += own;
        }
        if (inDocument) report.documentTotal += own;
    }
    if (progress) progress(total, total);
    return CountResult::kDone;
}

CountResult CountOutline(const Outline& outline, const std::string& treeDir, const Node* selected,
                         const std::optional<EditedBody>& edited, CountReport& report, const CountProgress& progress) {
    const std::vector<OutputNode> nodes = FlattenOutline(outline);
    CountRequest request;
    request.nodes = nodes;
    request.treeDir = treeDir;
    if (selected) request.start = static_cast<std::size_t>(outline.IndexOf(selected));
    request.edited = edited;
    return CountNodes(request, report, progress);
}

}  // namespace rn
