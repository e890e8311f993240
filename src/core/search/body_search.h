// SPDX-License-Identifier: MIT
// The occurrences of a search key in one body, found in the body file's bytes as the editor reads
// them: the text ends at the first NUL byte, and CR LF, a lone CR and a lone LF each end a line and
// count as the two bytes CR LF. The bytes are searched where they are; a body is copied only when
// the key itself holds a line end and the body has line ends other than CR LF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/search/search_key.h"

namespace rn {

struct BodyHit {
    std::size_t position = 0;   // bytes before the occurrence in the body with CR LF line ends
    std::size_t line = 0;       // 1-based number of the line that holds its first byte
    std::string_view lineText;  // that whole line without its line end (valid while the search lives)
};

class BodySearch {
public:
    // `fileBytes` must outlive the search.
    BodySearch(const SearchKey& key, std::string_view fileBytes);
    BodySearch(const BodySearch&) = delete;
    BodySearch& operator=(const BodySearch&) = delete;

    // The next occurrence; false when there is none.
    bool Next(BodyHit& hit);
    // The number of occurrences not yet taken with Next (cheaper: no lines are looked for).
    std::size_t CountRest();

private:
    // The first position at or after `from` holding `byte`, or the text's size; remembered, since
    // `from` only grows.
    struct ByteCursor {
        char byte;
        bool searched = false;
        std::size_t at = 0;
        std::size_t From(std::string_view text, std::size_t from);
    };

    std::size_t LineEnd();
    void MoveTo(std::size_t position);

    std::string normalized_;
    std::string_view text_;
    KeyScanner scanner_;
    std::size_t line_ = 0;                          // 0-based line that starts at lineStart_
    std::size_t lineStart_ = 0;                     // in text_
    std::size_t lineEnd_ = std::string_view::npos;  // npos until looked for
    std::size_t added_ = 0;                         // bytes the CR LF form has more than text_ before lineStart_
    ByteCursor cr_{'\r'}, lf_{'\n'};
};

}  // namespace rn
