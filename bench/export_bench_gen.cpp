// SPDX-License-Identifier: MIT
// Writes the export benchmark's document: 20,000 nodes (1,000 parts of 20 nodes, 10,000 of them text
// nodes) with about 50 MB of CP932 bodies, the same bytes on every run.
//
//   export_bench_gen DIR [TOTAL_MB [UTF8_DIR]]
//
// DIR receives bench.Rnote, the body files, bodies.lst (the body paths in document order, NUL
// separated, for cat) and s.ini (page breaks every 50 lines, indentation, separator, two separator lines).
// UTF8_DIR, when given, receives the same bodies in UTF-8 and their list utf8.lst (for wc -m).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/text/cp932.h"

namespace {

// A fixed linear congruential generator, so that the document is the same everywhere.
struct Lcg {
    uint64_t state = 0x5EED5EEDull;
    uint32_t Next() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state >> 33);
    }
    uint32_t Below(uint32_t n) { return Next() % n; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: export_bench_gen DIR [TOTAL_MB [UTF8_DIR]]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const double totalMb = argc > 2 ? std::stod(argv[2]) : 50.0;
    const std::string utf8Dir = argc > 3 ? argv[3] : "";
    std::filesystem::create_directories(dir);
    if (!utf8Dir.empty()) std::filesystem::create_directories(utf8Dir);

    constexpr int kParts = 1000;
    constexpr int kNodesPerPart = 20;
    constexpr int kTextNodes = kParts * 10;
    const auto average = static_cast<uint32_t>(totalMb * 1024 * 1024 / kTextNodes);

    // Line material: Japanese and ASCII pieces in CP932.
    const std::vector<std::string> words = {
        rn::Cp932Literal("本文"),
        rn::Cp932Literal("の"),
        rn::Cp932Literal("行です。"),
        rn::Cp932Literal("ランブルノート"),
        rn::Cp932Literal("、"),
        rn::Cp932Literal("第一部"),
        rn::Cp932Literal("テスト"),
        "abc ",
        "12345 ",
        rn::Cp932Literal("ｶﾀｶﾅ"),
        rn::Cp932Literal("①"),
        "TAB\t",
    };
    Lcg rng;
    std::string tree;
    std::string list;
    std::string utf8List;
    const std::string trash = rn::Cp932Literal("ゴミ箱");
    for (int p = 1; p <= kParts; ++p) {
        tree += rn::Cp932Literal("第" + std::to_string(p) + "部") + "\r\n";
        for (int i = 1; i < kNodesPerPart; ++i) {
            const bool text = i % 2 == 1;  // 10 of the 19 children
            const int level = (i % 4 == 3) ? 2 : 1;
            std::string name =
                rn::Cp932Literal("節" + std::to_string(p) + "-" + std::to_string(i)) + (text ? ".TXT" : "");
            tree += std::string(static_cast<std::size_t>(level), '\t') + name + "\r\n";
            if (!text) continue;
            const uint32_t size = average / 4 + rng.Below(average * 3 / 2);
            std::string body;
            body.reserve(size + 256);
            while (body.size() < size) {
                const uint32_t words_in_line = 1 + rng.Below(24);
                for (uint32_t w = 0; w < words_in_line; ++w)
                    body += words[rng.Below(static_cast<uint32_t>(words.size()))];
                body += rng.Below(50) == 0 ? "\n" : "\r\n";  // a few bare LF line ends
            }
            const std::string path = dir + "/" + rn::Cp932ToUtf8(name);
            std::ofstream(path, std::ios::binary).write(body.data(), static_cast<std::streamsize>(body.size()));
            list += path;
            list += '\0';
            if (utf8Dir.empty()) continue;
            const std::string copy = utf8Dir + "/" + rn::Cp932ToUtf8(name);
            const std::string utf8 = rn::Cp932ToUtf8(body);
            std::ofstream(copy, std::ios::binary).write(utf8.data(), static_cast<std::streamsize>(utf8.size()));
            utf8List += copy;
            utf8List += '\0';
        }
    }
    tree += trash + "\r\n";
    std::ofstream(dir + "/bench.Rnote", std::ios::binary) << tree;
    std::ofstream(dir + "/bodies.lst", std::ios::binary) << list;
    if (!utf8Dir.empty()) std::ofstream(utf8Dir + "/utf8.lst", std::ios::binary) << utf8List;
    std::ofstream(dir + "/s.ini", std::ios::binary)
        << "[OUTLINE]\r\nOUTLIN=2\r\nKUGISW=1\r\nINDSW=1\r\nINDMAX=5\r\nINDADDSW=1\r\nPAGE=1\r\nPAGEL=50\r\n"
        << "SEPA0=2\r\nSEPA1=----------\r\nSEPA2=\r\n";
    return 0;
}
