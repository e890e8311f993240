// SPDX-License-Identifier: MIT
#include "core/search/body_search.h"

#include <algorithm>
#include <cstring>

#include "core/outline/treefile.h"

namespace rn {
namespace {

std::string_view UpToNul(std::string_view bytes) {
    const void* nul = std::memchr(bytes.data(), '\0', bytes.size());
    return nul ? bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data())) : bytes;
}

// A key with a line end is compared with the CR LF form itself; any other key cannot reach across a
// line end, so the file's own bytes give the same occurrences.
std::string_view TextToSearch(const SearchKey& key, std::string_view fileBytes, std::string& normalized) {
    std::string_view text = UpToNul(fileBytes);
    if (!key.HasLineEnd() || IsNormalBody(text)) return text;
    normalized = NormalizeBody(text).bytes;
    return normalized;
}

}  // namespace

std::size_t BodySearch::ByteCursor::From(std::string_view text, std::size_t from) {
    if (!searched || at < from) {
        const void* p = from < text.size() ? std::memchr(text.data() + from, byte, text.size() - from) : nullptr;
        at = p ? static_cast<std::size_t>(static_cast<const char*>(p) - text.data()) : text.size();
        searched = true;
    }
    return at;
}

BodySearch::BodySearch(const SearchKey& key, std::string_view fileBytes)
    : text_(TextToSearch(key, fileBytes, normalized_)), scanner_(key, text_) {}

std::size_t BodySearch::LineEnd() {
    if (lineEnd_ == std::string_view::npos)
        lineEnd_ = std::min(cr_.From(text_, lineStart_), lf_.From(text_, lineStart_));
    return lineEnd_;
}

void BodySearch::MoveTo(std::size_t position) {
    for (;;) {
        const std::size_t end = LineEnd();
        if (end >= position) return;
        std::size_t next = end + 1;
        if (text_[end] == '\r' && next < text_.size() && text_[next] == '\n') {
            // An occurrence that starts with the LF of a CR LF still belongs to the line it ends.
            if (next == position) return;
            ++next;
        } else {
            ++added_;  // a lone CR or LF stands for CR LF
        }
        ++line_;
        lineStart_ = next;
        lineEnd_ = std::string_view::npos;
    }
}

bool BodySearch::Next(BodyHit& hit) {
    const std::size_t at = scanner_.Next();
    if (at == KeyScanner::kNone) return false;
    MoveTo(at);
    hit.position = at + added_;
    hit.line = line_ + 1;
    hit.lineText = text_.substr(lineStart_, LineEnd() - lineStart_);
    return true;
}

std::size_t BodySearch::CountRest() {
    std::size_t n = 0;
    while (scanner_.Next() != KeyScanner::kNone)
        ++n;
    return n;
}

}  // namespace rn
