// SPDX-License-Identifier: MIT
#include "core/search/search_key.h"

#include <cstring>
#include <map>
#include <unordered_map>

#include "core/text/cp932.h"

namespace rn {
namespace {

// Double-byte codes grouped by the character they decode to, for characters with several codes.
struct TwinTable {
    std::unordered_map<std::uint16_t, std::size_t> groupOf;
    std::vector<std::vector<std::uint16_t>> groups;
};

bool IsDoubleByte(unsigned lead, unsigned trail) {
    return IsSjisLeadByte(static_cast<unsigned char>(lead)) && IsSjisTrailByte(static_cast<unsigned char>(trail));
}

// Taken from the converter itself, so that the search agrees with what the editor shows.
TwinTable BuildTwinTable() {
    std::map<char16_t, std::vector<std::uint16_t>> byChar;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsDoubleByte(lead, trail)) continue;
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string wide = Cp932ToUtf16(std::string_view(bytes, 2));
            // Undefined codes decode to a substitute; they are no character and twin nothing.
            if (wide.size() != 1 || wide[0] < 0x20 || wide[0] == 0x7F || wide[0] == 0xFFFD) continue;
            byChar[wide[0]].push_back(static_cast<std::uint16_t>(lead << 8 | trail));
        }
    }
    TwinTable table;
    for (auto& [ch, codes] : byChar) {
        if (codes.size() < 2) continue;
        for (std::uint16_t code : codes)
            table.groupOf.emplace(code, table.groups.size());
        table.groups.push_back(std::move(codes));
    }
    return table;
}

const TwinTable& Twins() {
    static const TwinTable table = BuildTwinTable();
    return table;
}

std::uint16_t CodeAt(const char* p) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]) << 8 | static_cast<unsigned char>(p[1]));
}

}  // namespace

const std::vector<std::uint16_t>& TwinCodes(std::uint16_t code) {
    static const std::vector<std::uint16_t> none;
    const TwinTable& table = Twins();
    auto it = table.groupOf.find(code);
    return it == table.groupOf.end() ? none : table.groups[it->second];
}

SearchKey::SearchKey(std::string_view key) : key_(key) {
    // The key's characters, with their twin codes.
    struct Char {
        std::size_t offset;
        std::size_t length;
        const std::vector<std::uint16_t>* twins;
    };
    std::vector<Char> chars;
    for (std::size_t i = 0; i < key_.size();) {
        const bool wide = i + 1 < key_.size() &&
                          IsDoubleByte(static_cast<unsigned char>(key_[i]), static_cast<unsigned char>(key_[i + 1]));
        const std::vector<std::uint16_t>* twins = nullptr;
        if (wide && !TwinCodes(CodeAt(key_.data() + i)).empty()) twins = &TwinCodes(CodeAt(key_.data() + i));
        chars.push_back({i, wide ? 2u : 1u, twins});
        i += wide ? 2 : 1;
    }
    for (const Char& c : chars) {
        if (!c.twins && !pieces_.empty() && !pieces_.back().twins)
            pieces_.back().length += c.length;
        else
            pieces_.push_back({c.offset, c.length, c.twins});
    }

    // The anchor: the longest run of characters whose spellings multiply to at most four.
    auto spellings = [&](std::size_t i) { return chars[i].twins ? chars[i].twins->size() : std::size_t(1); };
    std::size_t limit = 4;
    for (std::size_t i = 0; i < chars.size(); ++i)
        limit = std::max(limit, spellings(i));
    auto offsetOf = [&](std::size_t i) { return i < chars.size() ? chars[i].offset : key_.size(); };
    std::size_t bestFrom = 0, bestTo = 0, j = 0, product = 1;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (j < i) {
            j = i;
            product = 1;
        }
        while (j < chars.size() && product * spellings(j) <= limit)
            product *= spellings(j++);
        if (offsetOf(j) - offsetOf(i) > offsetOf(bestTo) - offsetOf(bestFrom)) {
            bestFrom = i;
            bestTo = j;
        }
        if (j > i) product /= spellings(i);
    }
    anchorOffset_ = offsetOf(bestFrom);
    anchorSpellings_ = {std::string()};
    for (std::size_t i = bestFrom; i < bestTo; ++i) {
        std::vector<std::string> longer;
        for (const std::string& s : anchorSpellings_) {
            if (!chars[i].twins) {
                longer.push_back(s + key_.substr(chars[i].offset, chars[i].length));
                continue;
            }
            for (std::uint16_t code : *chars[i].twins)
                longer.push_back(s + static_cast<char>(code >> 8) + static_cast<char>(code & 0xFF));
        }
        anchorSpellings_ = std::move(longer);
    }
}

bool SearchKey::MatchesAt(const char* at) const {
    for (const Piece& p : pieces_) {
        if (!p.twins) {
            if (std::memcmp(at + p.offset, key_.data() + p.offset, p.length) != 0) return false;
            continue;
        }
        const std::uint16_t code = CodeAt(at + p.offset);
        bool any = false;
        for (std::uint16_t twin : *p.twins)
            any = any || twin == code;
        if (!any) return false;
    }
    return true;
}

std::size_t SearchKey::FindIn(std::string_view text) const {
    return KeyScanner(*this, text).Next();
}

KeyScanner::KeyScanner(const SearchKey& key, std::string_view text)
    : key_(key), text_(text), next_(key.anchorSpellings_.size(), kNone), stale_(key.anchorSpellings_.size(), true) {}

std::size_t KeyScanner::FindSpelling(std::size_t i, std::size_t from) const {
    const std::string& s = key_.anchorSpellings_[i];
    if (from > text_.size()) return kNone;
    const void* at = ::memmem(text_.data() + from, text_.size() - from, s.data(), s.size());
    return at ? static_cast<std::size_t>(static_cast<const char*>(at) - text_.data()) : kNone;
}

std::size_t KeyScanner::Next() {
    const std::size_t size = key_.Size(), anchor = key_.anchorOffset_;
    const std::size_t spellings = key_.anchorSpellings_.size();
    const auto* bytes = reinterpret_cast<const unsigned char*>(text_.data());
    if (size == 0) return kNone;  // an empty key occurs nowhere (and would never move on)
    while (from_ <= text_.size() && text_.size() - from_ >= size) {
        std::size_t best = kNone, which = 0;
        for (std::size_t i = 0; i < spellings; ++i) {
            if (stale_[i] || (next_[i] != kNone && next_[i] < from_ + anchor)) {
                next_[i] = FindSpelling(i, from_ + anchor);
                stale_[i] = false;
            }
            if (next_[i] < best) {
                best = next_[i];
                which = i;
            }
        }
        if (best == kNone) return kNone;
        const std::size_t at = best - anchor;
        if (at + size <= text_.size() && key_.MatchesAt(text_.data() + at)) {
            // A character starts at `at` unless an odd run of lead bytes ends just before it and its
            // last byte pairs with the byte at `at`. The run is walked back only to the last known
            // boundary, so every byte is looked at a bounded number of times.
            std::size_t run = at;
            while (run > boundary_ && IsSjisLeadByte(bytes[run - 1]))
                --run;
            const bool starts = (at - run) % 2 == 0 || !IsSjisTrailByte(bytes[at]);
            boundary_ = starts ? at : at - 1;
            if (starts) {
                from_ = at + size;
                return at;
            }
        }
        next_[which] = FindSpelling(which, best + 1);
    }
    return kNone;
}

}  // namespace rn
