// SPDX-License-Identifier: MIT
#include "core/outline/treefile.h"

#include <cstdio>
#include <cstring>

#include "core/outline/document.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"

namespace rn {
namespace {

// Cuts the data at the first NUL and tells whether anything but NULs followed it.
std::string_view UpToNul(std::string_view bytes, bool& dataAfterNul) {
    std::size_t nul = bytes.find('\0');
    dataAfterNul = false;
    if (nul == std::string_view::npos) return bytes;
    dataAfterNul = bytes.find_first_not_of('\0', nul) != std::string_view::npos;
    return bytes.substr(0, nul);
}

// Whether `bytes` is UTF-8 with at least one character beyond ASCII. Japanese CP932 text is
// practically never valid UTF-8 (its lead bytes 0x81-0x9F are UTF-8 continuation bytes), while
// UTF-8 Japanese text can pass for CP932 code by code.
bool IsUtf8BeyondAscii(std::string_view bytes) {
    bool beyond = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        std::size_t len = 1;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
        } else {
            return false;
        }
        if (i + len > bytes.size()) return false;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        beyond = true;
        i += len;
    }
    return beyond;
}

}  // namespace

TreeLines SplitTreeLines(std::string_view bytes) {
    TreeLines result;
    std::string_view text = UpToNul(bytes, result.dataAfterNul);
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t j = text.find_first_of("\r\n", i);
        if (j == std::string_view::npos) {
            result.lines.push_back(text.substr(i));
            break;
        }
        result.lines.push_back(text.substr(i, j - i));
        i = j + ((text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') ? 2 : 1);
    }
    return result;
}

TreeParseResult ParseTreeLines(const std::vector<std::string_view>& lines, Outline& out) {
    TreeParseResult result;
    Node* previous = nullptr;
    int previousLevel = 0;
    for (std::string_view line : lines) {
        std::size_t level = line.find_first_not_of(" \t");
        if (level == std::string_view::npos) level = line.size();
        std::string text(line.substr(level));
        int L = static_cast<int>(level);
        if (!previous) {
            previous = out.AppendChild(nullptr, std::move(text));
            previousLevel = 0;  // the first line is a root node whatever its indentation
            continue;
        }
        Node* parent;
        if (L == previousLevel) {
            parent = previous->parent;
        } else if (L == previousLevel + 1) {
            parent = previous;
        } else if (L < previousLevel) {
            Node* ancestor = previous;
            for (int k = previousLevel; k > L; --k)
                ancestor = ancestor->parent;
            parent = ancestor->parent;
        } else {
            result.ok = false;
            result.error = "アイテム \"" + Cp932ToUtf8(text) + "\" の階層 (" + std::to_string(L) + ") が不正です";
            return result;
        }
        previous = out.AppendChild(parent, std::move(text));
        previousLevel = L;
    }
    return result;
}

TreeFileRead ReadTreeFile(const std::string& path, Outline& out) {
    std::string bytes, reason;
    if (!ReadFileBytes(path, bytes, &reason, nullptr, kTreeFileLimit)) {
        TreeFileRead r;
        r.error = OpenErrorText(path, reason);
        return r;
    }
    return ParseTreeFile(path, bytes, out);
}

TreeFileRead ParseTreeFile(const std::string& path, std::string_view bytes, Outline& out) {
    TreeFileRead r;
    TreeLines tree = SplitTreeLines(bytes);
    if (tree.dataAfterNul) {
        // Taking only what stands before the NUL would lose the rest at the next save.
        r.error = OpenErrorText(path, "途中に NUL バイトがあり、その後ろを読み込めません");
        return r;
    }
    // Read as CP932, another encoding turns into other names, and the next save would write them.
    if (IsUtf8BeyondAscii(bytes)) {
        r.error = OpenErrorText(path, "Shift-JIS (CP932) のテキストファイルではありません");
        return r;
    }
    if (const std::size_t at = FirstUndefinedCp932(bytes); at != std::string_view::npos) {
        char hex[24];
        std::snprintf(hex, sizeof hex, "0x%zX", at);
        r.error = OpenErrorText(
            path, "オフセット " + std::to_string(at) + " (" + hex + ") に Shift-JIS で表せないバイトがあります");
        return r;
    }
    TreeParseResult parsed = ParseTreeLines(tree.lines, out);
    if (!parsed.ok) {
        r.error = std::move(parsed.error);
        return r;
    }
    r.ok = true;
    for (std::string_view line : tree.lines) {
        if (line == kTrashText) {
            r.hasTrashLine = true;
            return r;
        }
    }
    r.rewritten.reserve(bytes.size() + tree.lines.size() + 2);
    for (std::string_view line : tree.lines) {
        r.rewritten += line;
        r.rewritten += "\r\n";
    }
    return r;
}

void AppendTxtWhereBodiesExist(Outline& outline, const std::string& treeDir) {
    for (Node* n : outline.Preorder()) {
        std::string withTxt = n->text + ".TXT";
        auto body = BodyPathIn(treeDir, withTxt);
        if (body && FileExists(*body)) n->text = std::move(withTxt);
    }
}

std::string SerializeOutline(const Outline& outline, const Node* without) {
    const auto& all = outline.Preorder();
    // The branch left out is one run of the pre-order: the node and the deeper nodes after it.
    std::size_t skipFrom = all.size(), skipTo = all.size();
    if (without) {
        skipFrom = static_cast<std::size_t>(outline.IndexOf(without));
        const int level = outline.IndexedLevelOf(without);
        skipTo = skipFrom + 1;
        while (skipTo < all.size() && outline.IndexedLevelOf(all[skipTo]) > level)
            ++skipTo;
    }
    std::size_t total = 0;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (i < skipFrom || i >= skipTo)
            total += static_cast<std::size_t>(outline.IndexedLevelOf(all[i])) + all[i]->text.size() + 2;
    // One allocation and plain copies: this runs after every change of the outline.
    std::string out(total, '\0');
    char* p = out.data();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i == skipFrom) {
            i = skipTo - 1;
            continue;
        }
        const Node* n = all[i];
        const std::size_t level = static_cast<std::size_t>(outline.IndexedLevelOf(n));
        std::memset(p, '\t', level);
        p += level;
        // Lines of bytes, not C strings: nothing is terminated.
        std::memcpy(p, n->text.data(), n->text.size());  // NOLINT(bugprone-not-null-terminated-result)
        p += n->text.size();
        *p++ = '\r';
        *p++ = '\n';
    }
    return out;
}

bool IsNormalBody(std::string_view raw) {
    // Line-end bytes never belong to a double-byte character, so plain byte scans decide it; a body
    // the program wrote itself always passes.
    const char* const begin = raw.data();
    const char* const end = begin + raw.size();
    auto next = [end](const char* from, char c) {
        return static_cast<const char*>(std::memchr(from, c, static_cast<std::size_t>(end - from)));
    };
    if (begin == end) return true;
    if (next(begin, '\0')) return false;
    for (const char* p = begin; (p = next(p, '\n')) != nullptr; ++p)
        if (p == begin || p[-1] != '\r') return false;
    for (const char* p = begin; (p = next(p, '\r')) != nullptr; ++p)
        if (p + 1 == end || p[1] != '\n') return false;
    return true;
}

BodyText TakeNormalizedBody(std::string&& raw) {
    if (!IsNormalBody(raw)) return NormalizeBody(std::string_view(raw));
    BodyText body;
    body.undefinedAt = FirstUndefinedCp932(raw);
    body.bytes = std::move(raw);
    return body;
}

std::string ReadOnlyBodyMessage(const std::string& path, std::size_t undefinedAt) {
    char hex[24];
    std::snprintf(hex, sizeof hex, "0x%zX", undefinedAt);
    return "ファイル \"" + path + "\" はオフセット " + std::to_string(undefinedAt) + " (" + hex +
           ") に Shift-JIS で表せないバイトがあるため、読み取り専用で表示します";
}

BodyText NormalizeBody(std::string_view raw) {
    BodyText body;
    body.undefinedAt = FirstUndefinedCp932(raw);
    if (IsNormalBody(raw)) {
        body.bytes.assign(raw);
        return body;
    }
    std::string_view text = UpToNul(raw, body.dataAfterNul);
    std::string& out = body.bytes;
    out.reserve(text.size() + text.size() / 32);
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsSjisLeadByte(c) && i + 1 < text.size() && IsSjisTrailByte(static_cast<unsigned char>(text[i + 1]))) {
            out.append(text.data() + i, 2);
            i += 2;
        } else if (c == '\r') {
            out += "\r\n";
            i += (i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        } else if (c == '\n') {
            out += "\r\n";
            ++i;
        } else {
            out += static_cast<char>(c);
            ++i;
        }
    }
    return body;
}

}  // namespace rn
