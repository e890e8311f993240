#include "app/usage.h"

#include "core/version.h"

namespace rn::app {
namespace {

struct StartUsage {
    std::string_view option;    // the option that selects it; empty for the window
    std::string_view synopsis;  // after "ramblenote "
    std::string_view summary;   // lines of the explanation
};

constexpr StartUsage kStarts[] = {
    {"", "[--] [TREEFILE]",
     "Opens the window on TREEFILE (*.Rnote, or an older *.Tree that is converted), or on the\n"
     "document that was open last. At most one copy runs; a second start only says so."},
    {"--export", "--export OUTPUT [--toc TOCFILE] [--start NODETEXT] [--settings INIFILE] TREEFILE",
     "Writes the outline of TREEFILE, or the branch of the first node named NODETEXT, as one\n"
     "numbered text document to OUTPUT and the headings to TOCFILE, without a window. Numbering\n"
     "comes from INIFILE (by default the program's own BTxtOut.Ini)."},
    {"--count", "--count [--start NODETEXT] TREEFILE",
     "Prints the characters, manuscript rows and 400-character sheets of every node outside the\n"
     "trash (or of the branch of the first node named NODETEXT) and their total, one tab-separated\n"
     "line each, without a window."},
    {"--search", "--search KEY [--search KEY]... TREEFILE",
     "Searches every body of TREEFILE for the first KEY, narrows the result to each further KEY, and\n"
     "prints the result list (header, dash line, one line per hit) without a window."},
    {"--pdf", "--pdf OUTPUT [--start NODETEXT] [--layout LAYOUT] TREEFILE",
     "Writes the pages of the outline of TREEFILE outside the trash, or of the branch of the first\n"
     "node named NODETEXT, to the PDF file OUTPUT, headings numbered as --export numbers them, without\n"
     "a window or a display. LAYOUT is genko (manuscript paper 20x20, vertical), a4-tate (A4 40x30,\n"
     "vertical), a4-yoko (A4 40x36, horizontal) or a grid of your own such as 30x20-tate or\n"
     "42x34-yoko (10 to 60 each); by default the layout last chosen for PDF output, else a4-yoko."},
    {"--pdf --text", "--pdf OUTPUT [--layout LAYOUT] --text BODYFILE",
     "Writes the pages of one body file (Shift-JIS) to OUTPUT, as the print helper does."},
    {"--help", "--help", "Shows this text."},
    {"--version", "--version", "Shows the program's version."},
};

std::string Indented(std::string_view text) {
    std::string out = "      ";
    for (char c : text) {
        out += c;
        if (c == '\n') out += "      ";
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
    std::string text =
        "Ramblenote " + std::string(ProgramVersion()) + ", an outliner for long documents in Japanese.\n\nUsage:\n";
    for (const StartUsage& u : kStarts)
        text += "  ramblenote " + std::string(u.synopsis) + "\n" + Indented(u.summary);
    text +=
        "\n\"--\" ends the options: a file whose name starts with \"-\" is given after it.\n"
        "Headless commands print their messages on stderr. Exit codes: 0 done, 1 failed, 2 usage error.\n";
    return text;
}

std::string VersionText() {
    return "ramblenote " + std::string(ProgramVersion()) + "\n";
}

}  // namespace rn::app
