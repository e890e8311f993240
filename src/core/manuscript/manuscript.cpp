// SPDX-License-Identifier: MIT
#include "core/manuscript/manuscript.h"

#include <memory>

#include "core/batchout/batch_output.h"
#include "core/batchout/heading_numberer.h"
#include "core/layout/body_lines.h"
#include "core/outline/document.h"
#include "core/outline/outline.h"
#include "core/storage/block_reader.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"

namespace rn {
namespace {

constexpr std::size_t kReadBlock = std::size_t{1} << 18;

// Which nodes the request writes, walked in document order.
class Selection {
public:
    explicit Selection(const ManuscriptRequest& r)
        : r_(r), startLevel_(r.start < r.nodes.size() ? r.nodes[r.start].level : 1) {}

    // Whether node i is written, asked for every i in order.
    bool Takes(std::size_t i) {
        const OutputNode& node = r_.nodes[i];
        switch (r_.scope) {
            case ManuscriptScope::kNode:
                return i == r_.start;
            case ManuscriptScope::kBranch:
                if (i == r_.start)
                    inBranch_ = true;
                else if (inBranch_ && node.level <= startLevel_)
                    inBranch_ = false;
                return inBranch_;
            case ManuscriptScope::kDocument:
                break;
        }
        if (trashLevel_ > 0 && node.level > trashLevel_) return false;
        trashLevel_ = node.text == kTrashText ? node.level : 0;
        return trashLevel_ == 0;
    }
    // The level a heading has in the output: the branch's own node is level 1.
    int OutputLevel(int level) const { return r_.scope == ManuscriptScope::kBranch ? level - startLevel_ + 1 : level; }

private:
    const ManuscriptRequest& r_;
    int startLevel_;
    bool inBranch_ = false;
    int trashLevel_ = 0;
};

}  // namespace

std::u32string LineCharacters(std::string_view cp932) {
    std::u32string line;
    Cp932LineReader reader([&](std::u32string_view l) { line += l; });
    reader.Feed(cp932);
    reader.Finish();
    return line;
}

std::string HeadingText(std::string_view label, std::string_view nodeText, const BatchOutputSettings& numbering) {
    std::string heading(label);
    if (numbering.KUGISW && SeparatorAdmitted(label)) heading += numbering.KUGIRI;
    if (nodeText.size() > 4 && AsciiEqualsNoCase(nodeText.substr(nodeText.size() - 4), ".TXT"))
        nodeText.remove_suffix(4);
    heading += nodeText;
    return heading;
}

bool ComposeManuscript(const ManuscriptRequest& r, const PageSink& sink, ManuscriptReport& report,
                       const ManuscriptProgress& progress) {
    report = {};
    PageComposer composer(r.grid, sink);
    Cp932LineReader lines([&](std::u32string_view line) { composer.BodyLine(line); });
    std::unique_ptr<char[]> buffer;
    auto layBody = [&](const std::string& path) {
        if (!buffer) buffer = std::make_unique<char[]>(kReadBlock);
        std::string reason;
        const BlockRead read = ReadFileInBlocks(
            path, buffer.get(), kReadBlock,
            [&](std::string_view block) {
                lines.Feed(block);
                return !composer.Stopped();
            },
            reason);
        lines.Finish();
        if (read == BlockRead::kFailed) report.unreadable.push_back(OpenErrorText(path, reason));
        if (read == BlockRead::kNotRegular && (!r.bodyFile.empty() || !DirectoryExists(path)))
            report.notRegular.push_back(OpenErrorText(path, "通常のファイルではありません"));
        if (read == BlockRead::kMissing && !r.bodyFile.empty())
            report.unreadable.push_back(OpenErrorText(path, "ファイルが有りません"));
    };
    if (!r.bodyFile.empty()) {
        layBody(r.bodyFile);
        return composer.Finish();
    }
    HeadingNumberer numberer;
    numberer.Begin(r.numbering.OUTLIN, r.numbering.OUTLINE, r.numbering.OUTEDIT6);
    Selection selection(r);
    const std::size_t total = r.nodes.size();
    for (std::size_t i = 0; i < total && !composer.Stopped(); ++i) {
        const OutputNode& node = r.nodes[i];
        const std::string label = numberer.Label(node.level);  // every node, so that numbers run on
        if (!selection.Takes(i)) continue;
        if (progress && !progress(i, total)) return false;
        if (r.scope != ManuscriptScope::kNode)
            composer.Heading(LineCharacters(HeadingText(label, node.text, r.numbering)),
                             selection.OutputLevel(node.level));
        if (const auto path = BodyPathIn(r.treeDir, node.text)) layBody(*path);
    }
    if (progress && !composer.Stopped()) progress(total, total);
    return composer.Finish();
}

}  // namespace rn
