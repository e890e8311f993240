// SPDX-License-Identifier: MIT
// INI values: the one-pass reader agrees with the single-value reader, and a value written is read
// back as written while every other value stays as it was.
#include "core/storage/ini.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

using namespace rn;
using namespace rn::fuzz;

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Names a file line can hold: not empty, no line end, no blanks around them; a key has no "=" and
// does not start like a section line, a section name has no "]".
bool Storable(std::string_view name, bool section) {
    if (name.empty() || IsBlank(name.front()) || IsBlank(name.back())) return false;
    if (name.find_first_of(section ? "\r\n]" : "\r\n=") != std::string_view::npos) return false;
    return section || name.front() != '[';
}

// What reading gives for a written value: blanks around removed, then one pair of quotes.
std::string AsRead(std::string_view v) {
    while (!v.empty() && IsBlank(v.front()))
        v.remove_prefix(1);
    while (!v.empty() && IsBlank(v.back()))
        v.remove_suffix(1);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

void CheckSameAsLookup(std::string_view text, const IniValues& values, std::string_view section, std::string_view key) {
    auto single = IniLookupIn(text, section, key);
    const std::string* once = values.Find(section, key);
    FUZZ_CHECK(single.has_value() == (once != nullptr));
    if (single) FUZZ_CHECK(*single == *once);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Quiet();
    FuzzInput in(data, size);
    const std::string section = in.Bytes(24), key = in.Bytes(24), value = in.Bytes();
    const std::string otherSection = in.Bytes(24), otherKey = in.Bytes(24);
    const std::string text = in.Rest();

    const IniValues before(text);
    CheckSameAsLookup(text, before, section, key);
    CheckSameAsLookup(text, before, otherSection, otherKey);
    if (auto n = before.Number(section, key)) FUZZ_CHECK(ParseIniInteger(std::to_string(*n)) == n);

    if (!Storable(section, true) || !Storable(key, false) || value.find_first_of("\r\n") != std::string::npos ||
        value.size() > kIniValueLimit)
        return 0;
    const std::string written = IniWithValue(text, section, key, value);
    const IniValues after(written);
    const std::string* got = after.Find(section, key);
    FUZZ_CHECK(got && *got == AsRead(value));
    CheckSameAsLookup(written, after, section, key);
    if (!AsciiEqualsNoCase(section, otherSection) || !AsciiEqualsNoCase(key, otherKey)) {
        const std::string* was = before.Find(otherSection, otherKey);
        const std::string* is = after.Find(otherSection, otherKey);
        FUZZ_CHECK((was == nullptr) == (is == nullptr));
        if (was) FUZZ_CHECK(*was == *is);
    }
    // Writing the same value again changes nothing.
    FUZZ_CHECK(IniWithValue(written, section, key, value) == written);
    return 0;
}
