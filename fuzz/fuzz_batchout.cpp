// SPDX-License-Identifier: MIT
// Batch output of a random outline in memory with random settings: every node that belongs to the run
// has its heading in the table of contents, in order, ending in its text; headings stay within their
// indentation bound whatever INDMAX says; the output holds the headings in the same order.
#include <algorithm>
#include <vector>

#include "core/batchout/batch_output.h"
#include "core/storage/files.h"
#include "fuzz_support.h"

using namespace rn;
using namespace rn::fuzz;

namespace {

const char* const kTexts[] = {"b.TXT", "c.TXT", "d.TXT", "\x8F\xCD", "x", "\x83\x53\x83\x7E\x94\xA0", "missing.TXT"};

void MakeBodies() {
    PutFile(ScratchDirectory() + "b.TXT", "line 1\r\nline 2\r\n");
    PutFile(ScratchDirectory() + "c.TXT", "");
    PutFile(ScratchDirectory() + "d.TXT", std::string("lf\nlone\rcr\r\n\x1A after end", 24));
}

// Texts without line ends, so that every heading is one line.
std::string OneLine(std::string text) {
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }),
               text.end());
    return text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find("\r\n", at);
        FUZZ_CHECK(end != std::string::npos);
        lines.push_back(text.substr(at, end + 2 - at));
        at = end + 2;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Quiet();
    static const bool made = (MakeBodies(), true);
    (void)made;
    FuzzInput in(data, size);

    BatchOutputRequest r;
    BatchOutputSettings& s = r.settings;
    s.OUTLIN = static_cast<int>(in.Int(-1, 6));
    for (int& u : s.OUTLINE)
        u = static_cast<int>(in.Int(-1, 14));
    s.OUTEDIT6 = static_cast<int>(in.Int(0, 1));
    s.KUGISW = in.Flag();
    s.KUGIRI = OneLine(in.Bytes(8));
    s.INDSW = in.Flag();
    s.INDENT = OneLine(in.Bytes(8));
    s.INDMAX = static_cast<int>(in.Int(INT32_MIN, INT32_MAX));
    s.INDADDSW = in.Flag();
    s.PAGE = in.Flag();
    s.PAGEL = static_cast<int>(in.Int(INT32_MIN, INT32_MAX));
    s.MOKUJI = true;
    for (int n = static_cast<int>(in.Int(0, 3)); n > 0; --n)
        s.SEPA.push_back(in.Bytes(8));

    int previous = 0;
    for (int n = static_cast<int>(in.Int(0, 64)); n > 0; --n) {
        const uint8_t b = in.Byte();
        const int level = std::max(1, b < 100 ? previous + 1 : 1 + (b % std::max(previous, 1)));
        const uint8_t pick = in.Byte();
        r.nodes.push_back({level, OneLine(pick < 200 ? kTexts[pick % std::size(kTexts)] : in.Bytes(12))});
        previous = level;
    }
    if (in.Flag() && !r.nodes.empty()) {
        const OutputNode& start = r.nodes[in.Byte() % r.nodes.size()];
        r.start = StartNode{start.text, start.level};
    }
    r.treeDir = ScratchDirectory();
    r.treeFile = ScratchDirectory() + "doc.Rnote";
    r.outputPath = ScratchDirectory() + "out.TXT";
    r.tocPath = ScratchDirectory() + "toc.TXT";
    PutFile(r.outputPath, "");
    PutFile(r.tocPath, "");

    FUZZ_CHECK(WriteBatchOutput(r) == BatchOutputResult::kDone);

    // Which nodes the run writes, worked out here on its own.
    std::vector<const OutputNode*> written;
    bool writing = !r.start;
    for (const OutputNode& node : r.nodes) {
        if (r.start && writing && node.level <= r.start->level) writing = false;
        if (r.start && node.text == r.start->text) writing = true;
        if (writing) written.push_back(&node);
    }
    std::string toc, out;
    FUZZ_CHECK(ReadFileBytes(r.tocPath, toc) && ReadFileBytes(r.outputPath, out));
    const std::vector<std::string> headings = Lines(toc);
    FUZZ_CHECK(headings.size() == written.size());
    const std::size_t unit = IndentUnit(s.INDENT).size();
    std::size_t at = 0;
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const std::string& h = headings[i];
        const std::string& text = written[i]->text;
        FUZZ_CHECK(h.size() >= text.size() + 2 && h.compare(h.size() - text.size() - 2, text.size(), text) == 0);
        const auto indent = static_cast<std::size_t>(HeadingIndentCount(written[i]->level, s.INDSW, s.INDMAX));
        FUZZ_CHECK(h.size() <= indent * unit + 64 + s.KUGIRI.size() + text.size() + 2);
        at = out.find(h, at);
        FUZZ_CHECK(at != std::string::npos);
        at += h.size();
    }
    if (written.empty()) FUZZ_CHECK(out.empty());
    return 0;
}
