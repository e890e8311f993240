// SPDX-License-Identifier: MIT
#include "app/usage.h"

#include "core/version.h"

namespace rn::app {
namespace {

struct StartUsage {
    std::string_view option;    // the option that selects it; empty for the window
    std::string_view synopsis;  // after "ramblenote "
};

constexpr StartUsage kStarts[] = {
    {"", "[--] [TREEFILE]"},
    {"--export", "--export OUTPUT [--toc TOCFILE] [--start NODETEXT] [--settings INIFILE] TREEFILE"},
    {"--count", "--count [--start NODETEXT] TREEFILE"},
    {"--search", "--search KEY [--search KEY]... TREEFILE"},
    {"--pdf", "--pdf OUTPUT [--start NODETEXT] [--layout LAYOUT] TREEFILE"},
    {"--pdf --text", "--pdf OUTPUT [--layout LAYOUT] --text BODYFILE"},
    {"--help", "--help"},
    {"--version", "--version"},
};

struct OptionHelp {
    std::string_view name;  // with its argument
    std::string_view text;
};

// The manual page is made from this text (help2man), so every option is listed here once.
constexpr OptionHelp kOptions[] = {
    {"--export OUTPUT",
     "Writes the outline of TREEFILE as one text document with numbered headings to OUTPUT, without a window."},
    {"--toc TOCFILE", "With --export: writes the headings, as a table of contents, to TOCFILE as well."},
    {"--settings INIFILE",
     "With --export: takes the numbering, separators and indentation from INIFILE instead of the program's "
     "own BTxtOut.Ini."},
    {"--start NODETEXT",
     "With --export, --count or --pdf: only the branch of the first node named NODETEXT (by default the "
     "whole outline)."},
    {"--count",
     "Prints the characters, manuscript rows and 400-character sheets of every node outside the trash and "
     "their total, one tab-separated line each, without a window."},
    {"--search KEY",
     "Searches every body of TREEFILE for KEY and prints the result list (header, dash line, one line per "
     "hit), without a window; each further --search KEY narrows the result."},
    {"--pdf OUTPUT",
     "Writes the pages of the outline outside the trash to the PDF file OUTPUT, headings numbered as "
     "--export numbers them, without a window or a display."},
    {"--layout LAYOUT",
     "With --pdf: genko (manuscript paper 20x20, vertical), a4-tate (A4 40x30, vertical), a4-yoko (A4 "
     "40x36, horizontal), or a grid of your own such as 30x20-tate or 42x34-yoko (10 to 60 each). By "
     "default the layout last chosen for PDF output, else a4-yoko."},
    {"--text BODYFILE",
     "With --pdf, instead of TREEFILE: the pages of one body file (Shift-JIS), as the print helper makes "
     "them."},
    {"--help", "Shows this text."},
    {"--version", "Shows the program's version."},
    {"--", "Ends the options: a file whose name starts with \"-\" is given after it."},
};

constexpr std::size_t kTextColumn = 24;
constexpr std::size_t kLineWidth = 79;

// `text` wrapped at kLineWidth, starting at `firstColumn`; the lines after the first are indented to
// `indent`.
std::string Wrapped(std::string_view text, std::size_t firstColumn, std::size_t indent) {
    std::string out;
    std::size_t column = firstColumn;
    bool first = true;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
        if (!first && column + 1 + word.size() > kLineWidth) {
            out += "\n" + std::string(indent, ' ');
            column = indent;
        } else if (!first) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        first = false;
    }
    return out + "\n";
}

}  // namespace

std::string UsageOf(std::string_view option) {
    std::string usage;
    for (const StartUsage& u : kStarts) {
        // "--pdf" has a second form, "--pdf --text".
        const bool match = u.option == option || (!option.empty() && u.option.starts_with(std::string(option) + " "));
        if (match)
            usage += (usage.empty() ? "usage: ramblenote " : "       ramblenote ") + std::string(u.synopsis) + "\n";
    }
    return usage.empty() ? "usage: ramblenote --help\n" : usage;
}

std::string HelpText() {
    std::string text;
    for (const StartUsage& u : kStarts)
        text += (text.empty() ? "Usage: ramblenote " : "  or:  ramblenote ") + std::string(u.synopsis) + "\n";
    text += "An outliner for long structured documents in Japanese.\n\n";
    text += Wrapped(
        "Without options, opens the window on TREEFILE (*.Rnote, or an older *.Tree that is converted), or "
        "on the document that was open last. At most one copy runs: a second start hands its TREEFILE to "
        "the running copy.",
        0, 0);
    text += "\nOptions:\n";
    for (const OptionHelp& o : kOptions) {
        std::string line = "  " + std::string(o.name);
        if (line.size() + 2 > kTextColumn) {
            text += line + "\n" + std::string(kTextColumn, ' ');
        } else {
            text += line + std::string(kTextColumn - line.size(), ' ');
        }
        text += Wrapped(o.text, kTextColumn, kTextColumn);
    }
    text +=
        "\nHeadless commands print their messages on stderr.\n\n"
        "Exit status:\n"
        "  0  done\n"
        "  1  failed: the message says why (also a body --count or --pdf could not read)\n"
        "  2  the command line is wrong\n";
    return text;
}

std::string VersionText() {
    return "ramblenote " + std::string(ProgramVersion()) + "\n";
}

}  // namespace rn::app
