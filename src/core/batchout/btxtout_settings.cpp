// SPDX-License-Identifier: MIT
#include "core/batchout/btxtout_settings.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "core/batchout/heading_numberer.h"
#include "core/notices.h"
#include "core/storage/files.h"
#include "core/storage/ini.h"
#include "core/text/cp932.h"

namespace rn {
namespace {

const BatchOutputSettings kDefaults{};

// Reading with the defaults of this file rather than the fallbacks of IniReadInt and its kin.
struct Reader {
    IniValues values;

    std::optional<std::string> Raw(std::string_view key) const {
        const std::string* v = values.Find(kBatchOutputSection, key);
        return v ? std::optional<std::string>(*v) : std::nullopt;
    }
    int Int(std::string_view key, int missing) const {
        return values.Number(kBatchOutputSection, key).value_or(missing);
    }
    bool Bool(std::string_view key, bool missing) const {
        auto n = values.Number(kBatchOutputSection, key);
        return n ? *n != 0 : missing;
    }
};

std::string OutlineKey(int level) {
    return "OUTLINE" + std::to_string(level);
}
std::string SepaKey(std::size_t line) {
    return "SEPA" + std::to_string(line);
}

}  // namespace

std::string BatchOutputSettingsPath(const std::string& directory) {
    if (directory.empty()) return kBatchOutputSettingsFileName;
    return directory.back() == '/' ? directory + kBatchOutputSettingsFileName
                                   : directory + "/" + kBatchOutputSettingsFileName;
}

BatchOutputSettings ReadBatchOutputSettings(const std::string& iniPath, bool writeBackDefaults) {
    std::string iniText, reason;
    // A missing file reads as no keys at all; one that cannot be read is reported and read the same.
    if (!ReadIniFile(iniPath, iniText, &reason)) ReportOpenError(iniPath, reason);
    const Reader r{IniValues(iniText)};
    IniWrite writeBack(iniPath);
    bool changed = false;
    // Missing, 0 and non-numbers are all "unset": the default is taken and, when asked, written back.
    auto setting = [&](std::string_view key, int missing) {
        int v = r.Int(key, 0);
        if (v != 0) return v;
        if (writeBackDefaults) {
            writeBack.Int(kBatchOutputSection, key, missing);
            changed = true;
        }
        return missing;
    };
    // Half a character at the end of a text would swallow the first byte of whatever follows it.
    auto text = [&](std::string_view key, const std::string& missing) {
        std::string v = DropUndefinedCp932(r.Raw(key).value_or(std::string()));
        if (!v.empty()) return v;
        if (writeBackDefaults) {
            writeBack.Text(kBatchOutputSection, key, missing);
            changed = true;
        }
        return missing;
    };

    BatchOutputSettings s;
    s.OUTLIN = NormalizedStyle(setting("OUTLIN", kDefaults.OUTLIN));
    for (int k = 1; k <= 5; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        s.OUTLINE[i] = NormalizedUserFormat(k, setting(OutlineKey(k), kDefaults.OUTLINE[i]));
    }
    s.OUTEDIT6 = r.Int("OUTEDIT6", kDefaults.OUTEDIT6) == 1 ? 1 : 0;
    s.KUGISW = r.Bool("KUGISW", kDefaults.KUGISW);
    s.KUGIRI = text("KUGIRI", kDefaults.KUGIRI);
    s.INDSW = r.Bool("INDSW", kDefaults.INDSW);
    s.INDENT = text("INDENT", kDefaults.INDENT);
    // A count of indentation units or lines: any larger value would only make the run endless.
    s.INDMAX = std::clamp(r.Int("INDMAX", kDefaults.INDMAX), 0, kMaxIndentOrPageLines);
    s.INDADDSW = r.Bool("INDADDSW", kDefaults.INDADDSW);
    s.PAGE = r.Bool("PAGE", kDefaults.PAGE);
    s.PAGEL = std::clamp(r.Int("PAGEL", kDefaults.PAGEL), 0, kMaxIndentOrPageLines);
    s.MOKUJI = r.Bool("MOKUJI", kDefaults.MOKUJI);
    int lines = std::clamp(r.Int("SEPA0", 0), 0, kMaxSeparatorLines);
    if (lines > 0) {
        const auto& values = r.values.Section(kBatchOutputSection);
        s.SEPA.reserve(static_cast<std::size_t>(lines));
        for (int k = 1; k <= lines; ++k) {
            auto it = values.find(SepaKey(static_cast<std::size_t>(k)));
            s.SEPA.push_back(it == values.end() ? std::string() : DropUndefinedCp932(it->second));
        }
    }
    if (changed) writeBack.Commit();
    return s;
}

bool WriteBatchOutputSettings(const std::string& iniPath, const BatchOutputSettings& s) {
    // The keys go in the order the dialog has always written them; one replacement of the file.
    IniWrite w(iniPath);
    w.Int(kBatchOutputSection, "OUTLIN", s.OUTLIN);
    for (int k = 1; k <= 5; ++k)
        w.Int(kBatchOutputSection, OutlineKey(k),
              s.OUTLIN == kStyleUser ? s.OUTLINE[static_cast<std::size_t>(k - 1)] : 0);
    w.Int(kBatchOutputSection, "OUTEDIT6", s.OUTEDIT6);
    w.Flag(kBatchOutputSection, "KUGISW", s.KUGISW);
    w.Text(kBatchOutputSection, "KUGIRI", s.KUGIRI);
    w.Flag(kBatchOutputSection, "INDSW", s.INDSW);
    w.Text(kBatchOutputSection, "INDENT", s.INDENT);
    w.Int(kBatchOutputSection, "INDMAX", s.INDMAX);
    w.Flag(kBatchOutputSection, "INDADDSW", s.INDADDSW);
    w.Flag(kBatchOutputSection, "PAGE", s.PAGE);
    w.Int(kBatchOutputSection, "PAGEL", s.PAGEL);
    w.Flag(kBatchOutputSection, "MOKUJI", s.MOKUJI);
    for (std::size_t i = 0; i < s.SEPA.size(); ++i)
        w.Text(kBatchOutputSection, SepaKey(i + 1), s.SEPA[i]);
    w.Int(kBatchOutputSection, "SEPA0", static_cast<int>(s.SEPA.size()));
    return w.Commit();
}

}  // namespace rn
