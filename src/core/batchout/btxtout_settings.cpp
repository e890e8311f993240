#include "core/batchout/btxtout_settings.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "core/batchout/heading_numberer.h"
#include "core/text/cp932.h"
#include "core/tree/files.h"
#include "core/tree/ini.h"
#include "core/tree/notices.h"

namespace rn {
namespace {

const BTxtOutSettings kDefaults{};

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The values of the first section named `section`, by upper-cased key (first occurrence wins), each
// read exactly as IniLookupIn reads it. Used for the separator block, which may have many keys.
std::unordered_map<std::string, std::string> SectionValues(std::string_view text, std::string_view section) {
    std::unordered_map<std::string, std::string> values;
    const std::string wanted = SjisAsciiUpper(section);
    bool inSection = false;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t j = text.find_first_of("\r\n", i);
        std::string_view line = text.substr(i, j == std::string_view::npos ? std::string_view::npos : j - i);
        i = j == std::string_view::npos ? text.size()
                                        : j + ((text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') ? 2 : 1);
        std::string_view t = TrimBlanks(line);
        if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string_view::npos) {
            if (inSection) break;
            inSection = SjisAsciiUpper(TrimBlanks(t.substr(1, t.find(']') - 1))) == wanted;
            continue;
        }
        if (!inSection) continue;
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        std::string key = SjisAsciiUpper(TrimBlanks(line.substr(0, eq)));
        if (values.count(key)) continue;
        std::string one = "[S]\r\n" + std::string(line) + "\r\n";
        if (auto v = IniLookupIn(one, "S", key)) values.emplace(std::move(key), std::move(*v));
    }
    return values;
}

// Reading with the defaults of this file rather than the fallbacks of the Fini_ reads.
struct Reader {
    std::string text;

    std::optional<std::string> Raw(std::string_view key) const { return IniLookupIn(text, kBTxtOutSection, key); }
    std::optional<int32_t> Number(std::string_view key) const {
        auto v = Raw(key);
        return v ? ParseIniInteger(*v) : std::nullopt;
    }
    int Int(std::string_view key, int missing) const { return Number(key).value_or(missing); }
    bool Bool(std::string_view key, bool missing) const {
        auto n = Number(key);
        return n ? *n != 0 : missing;
    }
};

std::string OutlineKey(int level) {
    return "OUTLINE" + std::to_string(level);
}
std::string SepaKey(std::size_t line) {
    return "SEPA" + std::to_string(line);
}

bool WriteIniText(const std::string& iniPath, const std::string& text) {
    std::string reason;
    const std::string dir = DirectoryOf(iniPath);
    if (!DirectoryExists(dir.empty() ? "." : dir) || !WriteFileReplacing(iniPath, text, &reason)) {
        notices().ErrorBox(iniPath + " に書き込めません");
        return false;
    }
    return true;
}

}  // namespace

std::string BTxtOutIniPath(const std::string& directory) {
    if (directory.empty()) return kBTxtOutIniName;
    return directory.back() == '/' ? directory + kBTxtOutIniName : directory + "/" + kBTxtOutIniName;
}

BTxtOutSettings ReadBTxtOutSettings(const std::string& iniPath, bool writeBackDefaults) {
    Reader r;
    ReadFileBytes(iniPath, r.text);  // a missing file reads as no keys at all
    const std::string original = r.text;
    std::string updated = r.text;
    bool changed = false;
    // Missing, 0 and non-numbers are all "unset": the default is taken and, when asked, written back.
    auto setting = [&](std::string_view key, int missing) {
        int v = r.Int(key, 0);
        if (v != 0) return v;
        if (writeBackDefaults) {
            updated = IniWithValue(updated, kBTxtOutSection, key, std::to_string(missing));
            changed = true;
        }
        return missing;
    };
    auto text = [&](std::string_view key, const std::string& missing) {
        std::string v = r.Raw(key).value_or(std::string());
        if (!v.empty()) return v;
        if (writeBackDefaults) {
            updated = IniWithValue(updated, kBTxtOutSection, key, missing);
            changed = true;
        }
        return missing;
    };

    BTxtOutSettings s;
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
    s.INDMAX = r.Int("INDMAX", kDefaults.INDMAX);
    s.INDADDSW = r.Bool("INDADDSW", kDefaults.INDADDSW);
    s.PAGE = r.Bool("PAGE", kDefaults.PAGE);
    s.PAGEL = r.Int("PAGEL", kDefaults.PAGEL);
    s.MOKUJI = r.Bool("MOKUJI", kDefaults.MOKUJI);
    int lines = std::clamp(r.Int("SEPA0", 0), 0, kMaxSeparatorLines);
    if (lines > 0) {
        auto values = SectionValues(r.text, kBTxtOutSection);
        s.SEPA.reserve(static_cast<std::size_t>(lines));
        for (int k = 1; k <= lines; ++k) {
            auto it = values.find(SepaKey(static_cast<std::size_t>(k)));
            s.SEPA.push_back(it == values.end() ? std::string() : it->second);
        }
    }
    if (changed && updated != original) WriteIniText(iniPath, updated);
    return s;
}

bool WriteBTxtOutSettings(const std::string& iniPath, const BTxtOutSettings& s) {
    std::string text;
    if (FileExists(iniPath) && !ReadFileBytes(iniPath, text)) {
        notices().ErrorBox(iniPath + " に書き込めません");
        return false;
    }
    // The keys go in the order the dialog has always written them; one replacement of the file.
    auto put = [&](std::string_view key, std::string_view value) {
        text = IniWithValue(text, kBTxtOutSection, key, value);
    };
    auto putInt = [&](std::string_view key, int value) { put(key, std::to_string(value)); };
    auto putBool = [&](std::string_view key, bool value) { put(key, value ? "1" : "0"); };
    putInt("OUTLIN", s.OUTLIN);
    for (int k = 1; k <= 5; ++k)
        putInt(OutlineKey(k), s.OUTLIN == kStyleUser ? s.OUTLINE[static_cast<std::size_t>(k - 1)] : 0);
    putInt("OUTEDIT6", s.OUTEDIT6);
    putBool("KUGISW", s.KUGISW);
    put("KUGIRI", s.KUGIRI);
    putBool("INDSW", s.INDSW);
    put("INDENT", s.INDENT);
    putInt("INDMAX", s.INDMAX);
    putBool("INDADDSW", s.INDADDSW);
    putBool("PAGE", s.PAGE);
    putInt("PAGEL", s.PAGEL);
    putBool("MOKUJI", s.MOKUJI);
    for (std::size_t i = 0; i < s.SEPA.size(); ++i)
        put(SepaKey(i + 1), s.SEPA[i]);
    putInt("SEPA0", static_cast<int>(s.SEPA.size()));
    return WriteIniText(iniPath, text);
}

}  // namespace rn
