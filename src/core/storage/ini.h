// SPDX-License-Identifier: MIT
// Single INI values, read and written one at a time. The file is opened for every call and nothing
// is cached. Section and key names match without regard to ASCII case; values are CP932 bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace rn {

// Longest value read, in bytes.
inline constexpr std::size_t kIniValueLimit = 2047;

std::string IniReadString(const std::string& iniPath, std::string_view section, std::string_view key);
bool IniWriteString(const std::string& iniPath, std::string_view section, std::string_view key, std::string_view value);
int32_t IniReadInt(const std::string& iniPath, std::string_view section, std::string_view key);
bool IniWriteInt(const std::string& iniPath, std::string_view section, std::string_view key, int32_t value);
bool IniReadBool(const std::string& iniPath, std::string_view section, std::string_view key);
bool IniWriteBool(const std::string& iniPath, std::string_view section, std::string_view key, bool value);

// The value of `key` in `section`, trimmed and unquoted; nullopt when the file, section or key is
// missing. No name checks, no boxes.
std::optional<std::string> IniLookup(const std::string& iniPath, std::string_view section, std::string_view key);
// Decimal with optional sign, or hexadecimal after "$", "0x" or "0X"; nullopt when not a 32-bit number.
std::optional<int32_t> ParseIniInteger(std::string_view text);

// The same lookups on INI text already in memory (for readers that take many keys at once).
std::optional<std::string> IniLookupIn(std::string_view iniText, std::string_view section, std::string_view key);
// Returns `iniText` with the value set (line replaced, key added to its section, or section added).
std::string IniWithValue(std::string_view iniText, std::string_view section, std::string_view key,
                         std::string_view value);

// Reads an INI file whole for the readers above: a regular file of at most kIniFileLimit bytes. A
// missing file reads as empty. False, with the reason, when the file is there but cannot be read.
bool ReadIniFile(const std::string& iniPath, std::string& text, std::string* reason = nullptr);

// An INI text parsed once, for readers that take many keys: every value of the first section of a
// name, the first line of a key counting, read as IniLookupIn reads it.
class IniValues {
public:
    explicit IniValues(std::string_view iniText);

    const std::string* Find(std::string_view section, std::string_view key) const;
    // nullopt when the key is missing or its value is not a number (ParseIniInteger).
    std::optional<int32_t> Number(std::string_view section, std::string_view key) const;
    // A number brought into lo..hi; `missing` when there is none.
    int32_t Clamped(std::string_view section, std::string_view key, int32_t lo, int32_t hi, int32_t missing) const;
    // The reads of IniReadString, IniReadInt and IniReadBool.
    std::string Text(std::string_view section, std::string_view key) const;
    int32_t Int(std::string_view section, std::string_view key) const;
    bool Flag(std::string_view section, std::string_view key) const;
    // The values of one section by key with ASCII letters upper-cased (empty when there is no such
    // section).
    const std::unordered_map<std::string, std::string>& Section(std::string_view section) const;

private:
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> sections_;
};

// "<path> に書き込めません。<reason>": a settings file that could not be written, and why.
std::string IniWriteErrorText(const std::string& iniPath, const std::string& reason);

// Several values written with one replacement of the file: the same lines as IniWriteString and its
// kin called one after another, but the file is read once and replaced once, so it holds all of them
// or none.
class IniWrite {
public:
    explicit IniWrite(std::string iniPath);

    void Text(std::string_view section, std::string_view key, std::string_view value);
    void Int(std::string_view section, std::string_view key, int32_t value);
    void Flag(std::string_view section, std::string_view key, bool value);
    // False after the box IniWriteErrorText.
    bool Commit();

private:
    std::string path_;
    std::string text_;
    bool readable_ = true;
    std::string readFailure_;
};

}  // namespace rn
