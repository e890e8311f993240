// SPDX-License-Identifier: MIT
#include "core/storage/ini.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "core/notices.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"

namespace rn {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// One line of the file: its text and its line end as found (kept when the file is rewritten).
struct Line {
    std::string_view text;
    std::string_view end;
};

std::vector<Line> SplitLines(std::string_view s) {
    std::vector<Line> lines;
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t j = s.find_first_of("\r\n", i);
        if (j == std::string_view::npos) {
            lines.push_back({s.substr(i), {}});
            break;
        }
        std::size_t endLen = (s[j] == '\r' && j + 1 < s.size() && s[j + 1] == '\n') ? 2 : 1;
        lines.push_back({s.substr(i, j - i), s.substr(j, endLen)});
        i = j + endLen;
    }
    return lines;
}

// Section name of a "[name]" line, or nullopt.
std::optional<std::string_view> SectionName(std::string_view line) {
    std::string_view t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    std::size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// Key of a "key=value" line, or nullopt when the line has no "=".
std::optional<std::string_view> KeyName(std::string_view line) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(0, eq));
}

std::string ValueOf(std::string_view line) {
    std::string_view v = Trim(line.substr(line.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    if (v.size() > kIniValueLimit) {
        // Cut on a character boundary so that no half character is returned.
        std::size_t cut = 0;
        while (cut < v.size()) {
            std::size_t len = SjisCharLength(v, cut);
            if (cut + len > kIniValueLimit) break;
            cut += len;
        }
        v = v.substr(0, cut);
    }
    return std::string(v);
}

// The form of a section or key name under which names that AsciiEqualsNoCase takes as equal meet.
std::string NameKey(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool CheckNames(const char* op, const std::string& iniPath, std::string_view section, std::string_view key) {
    if (section.empty()) {
        notices().AbortBox(std::string(op) + " Section Null Error [" + iniPath + "]");
        return false;
    }
    if (key.empty()) {
        notices().AbortBox(std::string(op) + " Key Null Error [" + iniPath + "]");
        return false;
    }
    return true;
}

bool PutValue(const char* op, const std::string& iniPath, std::string_view section, std::string_view key,
              std::string_view value) {
    if (!CheckNames(op, iniPath, section, key)) return false;
    IniWrite write(iniPath);
    write.Text(section, key, value);
    return write.Commit();
}

}  // namespace

std::optional<std::string> IniLookupIn(std::string_view iniText, std::string_view section, std::string_view key) {
    bool inSection = false;
    for (const Line& line : SplitLines(iniText)) {
        if (auto name = SectionName(line.text)) {
            // Only the first section of a name counts, as with the system's own INI reader.
            if (inSection) return std::nullopt;
            inSection = AsciiEqualsNoCase(*name, section);
            continue;
        }
        if (!inSection) continue;
        auto k = KeyName(line.text);
        if (k && AsciiEqualsNoCase(*k, key)) return ValueOf(line.text);
    }
    return std::nullopt;
}

std::string IniWithValue(std::string_view iniText, std::string_view section, std::string_view key,
                         std::string_view value) {
    const std::string newLine = std::string(key) + "=" + std::string(value);
    std::vector<Line> lines = SplitLines(iniText);
    std::size_t sectionAt = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto name = SectionName(lines[i].text);
        if (name && AsciiEqualsNoCase(*name, section)) {
            sectionAt = i;
            break;
        }
    }
    std::string out;
    out.reserve(iniText.size() + newLine.size() + section.size() + 8);
    auto emit = [&out](std::string_view text, std::string_view end) {
        out += text;
        out += end.empty() ? std::string_view("\r\n") : end;
    };
    if (sectionAt == lines.size()) {
        for (const Line& line : lines)
            emit(line.text, line.end);
        out += "[" + std::string(section) + "]\r\n" + newLine + "\r\n";
        return out;
    }
    // End of the section: the next section line or the end of the file.
    std::size_t sectionEnd = sectionAt + 1;
    while (sectionEnd < lines.size() && !SectionName(lines[sectionEnd].text))
        ++sectionEnd;
    std::size_t replaceAt = lines.size();
    for (std::size_t i = sectionAt + 1; i < sectionEnd; ++i) {
        auto k = KeyName(lines[i].text);
        if (k && AsciiEqualsNoCase(*k, key)) {
            replaceAt = i;
            break;
        }
    }
    // A new key goes after the last non-blank line of the section, so blank lines before the next
    // section stay where they are.
    std::size_t insertAfter = sectionAt;
    for (std::size_t i = sectionAt + 1; i < sectionEnd; ++i)
        if (!Trim(lines[i].text).empty()) insertAfter = i;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == replaceAt) {
            emit(newLine, lines[i].end);
        } else {
            emit(lines[i].text, lines[i].end);
        }
        if (replaceAt == lines.size() && i == insertAfter) emit(newLine, {});
    }
    return out;
}

bool ReadIniFile(const std::string& iniPath, std::string& text, std::string* reason) {
    text.clear();
    struct stat st {};
    if (::stat(iniPath.c_str(), &st) != 0 && errno == ENOENT) return true;  // also a link to nothing
    return ReadFileBytes(iniPath, text, reason, nullptr, kIniFileLimit);
}

IniValues::IniValues(std::string_view iniText) {
    std::unordered_map<std::string, std::string>* current = nullptr;
    for (const Line& line : SplitLines(iniText)) {
        if (auto name = SectionName(line.text)) {
            // Only the first section of a name counts, as with the system's own INI reader.
            auto [it, added] = sections_.try_emplace(NameKey(*name));
            current = added ? &it->second : nullptr;
            continue;
        }
        if (!current) continue;
        if (auto k = KeyName(line.text)) current->try_emplace(NameKey(*k), ValueOf(line.text));
    }
}

const std::unordered_map<std::string, std::string>& IniValues::Section(std::string_view section) const {
    static const std::unordered_map<std::string, std::string> kNone;
    auto it = sections_.find(NameKey(section));
    return it == sections_.end() ? kNone : it->second;
}

const std::string* IniValues::Find(std::string_view section, std::string_view key) const {
    const auto& values = Section(section);
    auto it = values.find(NameKey(key));
    return it == values.end() ? nullptr : &it->second;
}

std::optional<int32_t> IniValues::Number(std::string_view section, std::string_view key) const {
    const std::string* v = Find(section, key);
    return v ? ParseIniInteger(*v) : std::nullopt;
}

int32_t IniValues::Clamped(std::string_view section, std::string_view key, int32_t lo, int32_t hi,
                           int32_t missing) const {
    auto n = Number(section, key);
    return n ? std::clamp(*n, lo, hi) : missing;
}

std::string IniValues::Text(std::string_view section, std::string_view key) const {
    const std::string* v = Find(section, key);
    return v ? *v : std::string();
}

int32_t IniValues::Int(std::string_view section, std::string_view key) const {
    return Number(section, key).value_or(-1);
}

bool IniValues::Flag(std::string_view section, std::string_view key) const {
    auto n = Number(section, key);
    return n && *n != 0;
}

std::string IniWriteErrorText(const std::string& iniPath, const std::string& reason) {
    return iniPath + " に書き込めません。" + reason;
}

IniWrite::IniWrite(std::string iniPath) : path_(std::move(iniPath)) {
    readable_ = ReadIniFile(path_, text_, &readFailure_);
}

void IniWrite::Text(std::string_view section, std::string_view key, std::string_view value) {
    text_ = IniWithValue(text_, section, key, value);
}

void IniWrite::Int(std::string_view section, std::string_view key, int32_t value) {
    Text(section, key, std::to_string(value));
}

void IniWrite::Flag(std::string_view section, std::string_view key, bool value) {
    Text(section, key, value ? "1" : "0");
}

bool IniWrite::Commit() {
    // A file that could not be read is not replaced: its other lines would be lost.
    std::string reason = readFailure_;
    if (readable_ && WriteFileReplacing(path_, text_, &reason)) return true;
    notices().ErrorBox(IniWriteErrorText(path_, reason));
    return false;
}

std::optional<std::string> IniLookup(const std::string& iniPath, std::string_view section, std::string_view key) {
    std::string text;
    if (!ReadFileBytes(iniPath, text, nullptr, nullptr, kIniFileLimit)) return std::nullopt;
    return IniLookupIn(text, section, key);
}

std::optional<int32_t> ParseIniInteger(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (base == 10) {
        if (negative ? value > 0x80000000ull : value > 0x7FFFFFFFull) return std::nullopt;
        int64_t v = negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
        return static_cast<int32_t>(v);
    }
    // Hexadecimal covers the full 32 bits ($FFFFFFFF is -1), as colour values need.
    uint32_t bits = static_cast<uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<int32_t>(bits);
}

std::string IniReadString(const std::string& iniPath, std::string_view section, std::string_view key) {
    if (!CheckNames("Fini_SGet", iniPath, section, key)) return {};
    return IniLookup(iniPath, section, key).value_or(std::string());
}

bool IniWriteString(const std::string& iniPath, std::string_view section, std::string_view key,
                    std::string_view value) {
    return PutValue("Fini_SPut", iniPath, section, key, value);
}

int32_t IniReadInt(const std::string& iniPath, std::string_view section, std::string_view key) {
    if (!CheckNames("Fini_IGet", iniPath, section, key)) return -1;
    auto value = IniLookup(iniPath, section, key);
    if (!value) return -1;
    return ParseIniInteger(*value).value_or(-1);
}

bool IniWriteInt(const std::string& iniPath, std::string_view section, std::string_view key, int32_t value) {
    return PutValue("Fini_IPut", iniPath, section, key, std::to_string(value));
}

bool IniReadBool(const std::string& iniPath, std::string_view section, std::string_view key) {
    if (!CheckNames("Fini_BGet", iniPath, section, key)) return false;
    auto value = IniLookup(iniPath, section, key);
    if (!value) return false;
    auto n = ParseIniInteger(*value);
    return n && *n != 0;
}

bool IniWriteBool(const std::string& iniPath, std::string_view section, std::string_view key, bool value) {
    return PutValue("Fini_BPut", iniPath, section, key, value ? "1" : "0");
}

}  // namespace rn
