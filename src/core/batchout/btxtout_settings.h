// SPDX-License-Identifier: MIT
// The batch output settings ("BTxtOut.Ini", section OUTLINE): one field per key.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace rn {

inline constexpr const char* kBatchOutputSettingsFileName = "BTxtOut.Ini";
inline constexpr const char* kBatchOutputSection = "OUTLINE";
// Longest separator block read back (SEPA0 beyond this is taken as this).
inline constexpr int kMaxSeparatorLines = 100000;
// INDMAX and PAGEL are read back within 0..this.
inline constexpr int kMaxIndentOrPageLines = 1000;

struct BatchOutputSettings {
    int OUTLIN = 2;                                // numbering style 1..5
    std::array<int, 5> OUTLINE = {1, 2, 3, 4, 5};  // OUTLINE1..OUTLINE5: user formats 1..13 of levels 1..5
    int OUTEDIT6 = 0;                              // levels 6 and deeper: 0 empty, 1 like level 5
    bool KUGISW = false;                           // separator switch
    std::string KUGIRI = "\x81\x44";               // separator text, CP932 ("．")
    bool INDSW = false;                            // indentation switch
    std::string INDENT = "TAB";                    // indentation text, CP932 ("TAB" stands for a tab)
    int INDMAX = 5;                                // maximum indentation count
    bool INDADDSW = false;                         // one more unit on body lines
    bool PAGE = false;                             // page breaks
    int PAGEL = 0;                                 // page length in body lines (0: only after each body)
    bool MOKUJI = false;                           // table of contents
    std::vector<std::string> SEPA;                 // SEPA1..SEPAn, CP932; SEPA0 is their number

    bool operator==(const BatchOutputSettings&) const = default;
};

// Path of the settings file in `directory` (the program's directory, or the per-user one).
std::string BatchOutputSettingsPath(const std::string& directory);

// Reads the settings; a missing file gives the defaults. A key that is missing or holds text that is
// not a number reads as its default. Stored values outside the offered choices are brought back into
// them: OUTLIN outside 1..5 reads as 2, OUTLINEk outside 1..13 as k, OUTEDIT6 other than 1 as 0;
// INDMAX and PAGEL are brought into 0..kMaxIndentOrPageLines. A file that cannot be read (not a
// regular file, larger than kIniFileLimit) is reported in a box and read as missing.
// With `writeBackDefaults` (the dialog's opening), OUTLIN and OUTLINE1..5 that are missing, 0 or not
// a number, and KUGIRI and INDENT that are missing or empty, are written into the file at once.
BatchOutputSettings ReadBatchOutputSettings(const std::string& iniPath, bool writeBackDefaults);

// Writes every key (the dialog's closing): OUTLIN; OUTLINE1..5 (0 each unless the style is 5);
// OUTEDIT6, KUGISW, KUGIRI, INDSW, INDENT, INDMAX, INDADDSW, PAGE, PAGEL, MOKUJI; SEPA1..n; SEPA0.
// Other lines of the file stay as they are. False after the error box IniWriteErrorText.
bool WriteBatchOutputSettings(const std::string& iniPath, const BatchOutputSettings& settings);

}  // namespace rn
