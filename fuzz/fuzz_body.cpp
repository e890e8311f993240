// SPDX-License-Identifier: MIT
// Body files: every line end becomes CR LF and nothing else changes; the result is already in that
// form; the first undefined byte is found where the converter finds it.
#include "core/outline/treefile.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

using namespace rn;

namespace {

// The bytes up to the first NUL with every line end (CR LF, CR, LF) removed, and how many there were.
std::string WithoutLineEnds(std::string_view s, std::size_t& ends) {
    s = s.substr(0, s.find('\0'));
    std::string out;
    ends = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            ++ends;
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    rn::fuzz::Quiet();
    const std::string raw(reinterpret_cast<const char*>(data), size);
    BodyText body = NormalizeBody(raw);
    FUZZ_CHECK(IsNormalBody(body.bytes));
    FUZZ_CHECK(NormalizeBody(body.bytes).bytes == body.bytes);
    BodyText taken = TakeNormalizedBody(std::string(raw));
    FUZZ_CHECK(taken.bytes == body.bytes && taken.dataAfterNul == body.dataAfterNul);
    FUZZ_CHECK(taken.undefinedAt == body.undefinedAt);
    FUZZ_CHECK(body.undefinedAt == FirstUndefinedCp932(raw));

    const std::size_t nul = raw.find('\0');
    FUZZ_CHECK(body.dataAfterNul ==
               (nul != std::string::npos && raw.find_first_not_of('\0', nul) != std::string::npos));
    std::size_t rawEnds = 0, bodyEnds = 0;
    FUZZ_CHECK(WithoutLineEnds(raw, rawEnds) == WithoutLineEnds(body.bytes, bodyEnds));
    FUZZ_CHECK(rawEnds == bodyEnds);
    return 0;
}
