// SPDX-License-Identifier: MIT
// Tree file reading: what is read is written back and read again to the same outline; reading a file
// as the export does (also an old-format file, converted in memory) changes nothing on disk.
#include <fstream>

#include "core/batchout/export_source.h"
#include "core/outline/outline.h"
#include "core/outline/treefile.h"
#include "core/storage/files.h"
#include "fuzz_support.h"

using namespace rn;
using namespace rn::fuzz;

namespace {

void CheckLevels(const std::vector<OutputNode>& nodes) {
    for (std::size_t i = 0; i < nodes.size(); ++i)
        FUZZ_CHECK(nodes[i].level >= 1 && nodes[i].level <= (i == 0 ? 1 : nodes[i - 1].level + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Quiet();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TreeLines tree = SplitTreeLines(bytes);
    for (std::string_view line : tree.lines)
        FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos);

    Outline outline;
    TreeParseResult parsed = ParseTreeLines(tree.lines, outline);
    FUZZ_CHECK(parsed.ok ? static_cast<std::size_t>(outline.Count()) == tree.lines.size() : !parsed.error.empty());
    const std::string written = SerializeOutline(outline);
    Outline again;
    FUZZ_CHECK(ParseTreeLines(SplitTreeLines(written).lines, again).ok);
    FUZZ_CHECK(again.Count() == outline.Count());
    for (int i = 0; i < outline.Count(); ++i) {
        FUZZ_CHECK(again.At(i)->text == outline.At(i)->text);
        FUZZ_CHECK(Outline::LevelOf(again.At(i)) == Outline::LevelOf(outline.At(i)));
    }
    FUZZ_CHECK(SerializeOutline(again) == written);

    // Through a file, as the export reads it. "a" names the body file "a.TXT" of the scratch directory,
    // which an old-format file gives its ".TXT".
    static const bool bodyMade = (PutFile(ScratchDirectory() + "a.TXT", "body"), true);
    (void)bodyMade;
    const bool oldFormat = size > 0 && (data[0] & 1);
    const std::string path = ScratchDirectory() + (oldFormat ? "doc.Tree" : "doc.Rnote");
    PutFile(path, bytes);
    std::string error;
    auto src = LoadExportSource(path, error);
    std::string after;
    FUZZ_CHECK(ReadFileBytes(path, after) && after == bytes);
    // The export opens exactly what the program opens, and that is never more than the lines allow.
    Outline opened;
    const bool opens = ParseTreeFile(path, bytes, opened).ok;
    FUZZ_CHECK(!opens || (parsed.ok && !tree.dataAfterNul));
    FUZZ_CHECK(src.has_value() == opens);
    if (!src) return 0;
    CheckLevels(src->nodes);
    FUZZ_CHECK(FindOutputNode(src->nodes, kTrashText) >= 0);
    FUZZ_CHECK(src->nodes.size() >= static_cast<std::size_t>(outline.Count()));
    for (int i = 0; i < outline.Count(); ++i) {
        const std::string& text = outline.At(i)->text;
        const auto& node = src->nodes[static_cast<std::size_t>(i)];
        FUZZ_CHECK(node.text == (oldFormat && text == "a" ? "a.TXT" : text));
        FUZZ_CHECK(node.level == Outline::LevelOf(outline.At(i)) + 1);
    }
    return 0;
}
