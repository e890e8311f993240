// SPDX-License-Identifier: MIT
// Body search: the occurrences found are exactly those of a plain character-by-character comparison
// over the body as the editor reads it (up to a NUL, every line end CR LF): each starts on a character
// boundary, twin codes of one character match each other, occurrences do not overlap, and the line
// and line text are those of the occurrence's first byte.
#include <vector>

#include "core/outline/treefile.h"
#include "core/search/body_search.h"
#include "core/search/search_key.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

using namespace rn;
using namespace rn::fuzz;

namespace {

// Whether the characters of `key` stand at `at` in `text`.
bool MatchesAt(std::string_view text, std::size_t at, std::string_view key) {
    std::size_t k = 0;
    while (k < key.size()) {
        if (at >= text.size()) return false;
        const std::size_t keyLength = SjisCharLength(key, k), textLength = SjisCharLength(text, at);
        if (keyLength != textLength) return false;
        const std::string_view a = key.substr(k, keyLength), b = text.substr(at, textLength);
        // Two double-byte codes of one character are the same character.
        if (a != b && (keyLength != 2 || Cp932ToUtf16(a) != Cp932ToUtf16(b))) return false;
        k += keyLength;
        at += textLength;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string key = in.Bytes(8);
    const std::string body = in.Rest();
    // A typed key: not empty, no NUL, every character defined (the dialog encodes what was typed).
    if (key.empty() || key.find('\0') != std::string::npos || FirstUndefinedCp932(key) != std::string::npos) return 0;

    const std::string text = NormalizeBody(body).bytes;
    std::vector<std::size_t> expected;
    for (std::size_t at = 0; at < text.size();) {
        if (MatchesAt(text, at, key)) {
            expected.push_back(at);
            // The next occurrence starts after this one, on a character boundary.
            const std::size_t end = at + key.size();
            while (at < end)
                at += SjisCharLength(text, at);
        } else {
            at += SjisCharLength(text, at);
        }
    }

    const SearchKey searchKey(key);
    BodySearch search(searchKey, body);
    BodyHit hit;
    std::size_t n = 0;
    while (search.Next(hit)) {
        FUZZ_CHECK(n < expected.size());
        FUZZ_CHECK(hit.position == expected[n]);
        const std::size_t lineStart = text.rfind('\n', hit.position == 0 ? 0 : hit.position - 1);
        const std::size_t start = lineStart == std::string::npos || hit.position == 0 ? 0 : lineStart + 1;
        std::size_t lines = 1;
        for (std::size_t i = 0; i < start; ++i)
            lines += text[i] == '\n';
        FUZZ_CHECK(hit.line == lines);
        const std::size_t end = text.find('\r', start);
        FUZZ_CHECK(hit.lineText == std::string_view(text).substr(start, end == std::string::npos ? end : end - start));
        ++n;
    }
    FUZZ_CHECK(n == expected.size());
    BodySearch counting(searchKey, body);
    FUZZ_CHECK(counting.CountRest() == expected.size());
    return 0;
}
