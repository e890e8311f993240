// SPDX-License-Identifier: MIT
// A search key prepared for searching CP932 bodies byte by byte, without decoding them.
//
// Characters are compared, not byte spellings: CP932 holds some characters under two or three codes
// (≒ as 0x81E0 and 0x8790, 髙 as 0xEEE0 and 0xFBFC, ∵ as 0x81E6, 0x879A and 0xFA5B), and a key
// typed with one of them finds the others. Otherwise the comparison is exact: case-sensitive, full-
// and half-width forms distinct. An occurrence starts only at a character boundary, so "A" is never
// found in the second byte of ア (0x83 0x41).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rn {

// Every double-byte code (lead << 8 | trail) that stands for the same character as `code`, `code`
// among them; empty when the character has a single code.
const std::vector<std::uint16_t>& TwinCodes(std::uint16_t code);

class SearchKey {
public:
    // `key`: CP932 bytes, not empty.
    explicit SearchKey(std::string_view key);

    const std::string& Bytes() const { return key_; }
    std::size_t Size() const { return key_.size(); }
    // Whether the key holds a CR or LF byte (it can then only be found in a body with CR LF line ends).
    bool HasLineEnd() const { return key_.find_first_of("\r\n") != std::string::npos; }

    // Position of the first occurrence in `text` (which starts on a character boundary), or npos.
    std::size_t FindIn(std::string_view text) const;

private:
    friend class KeyScanner;

    // A stretch of the key compared with memcmp, or one character with twin codes.
    struct Piece {
        std::size_t offset = 0;
        std::size_t length = 0;
        const std::vector<std::uint16_t>* twins = nullptr;
    };

    bool MatchesAt(const char* at) const;

    std::string key_;
    std::vector<Piece> pieces_;
    // The part of the key looked for with the byte search: the longest stretch with at most four
    // spellings, and those spellings.
    std::size_t anchorOffset_ = 0;
    std::vector<std::string> anchorSpellings_;
};

// The occurrences of a key in one text, in order and without overlapping: after an occurrence at p
// the next one starts at p + key size or later.
class KeyScanner {
public:
    static constexpr std::size_t kNone = std::string_view::npos;

    // `text` must outlive the scanner and start on a character boundary.
    KeyScanner(const SearchKey& key, std::string_view text);
    // Position of the next occurrence, or kNone.
    std::size_t Next();

private:
    std::size_t FindSpelling(std::size_t i, std::size_t from) const;

    const SearchKey& key_;
    std::string_view text_;
    std::size_t from_ = 0;           // where the next occurrence may start
    std::size_t boundary_ = 0;       // a character boundary at or before every later candidate
    std::vector<std::size_t> next_;  // per anchor spelling: its next position, kNone when there is none
    std::vector<bool> stale_;        // per anchor spelling: not looked for yet
};

}  // namespace rn
