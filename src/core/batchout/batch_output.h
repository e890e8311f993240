// SPDX-License-Identifier: MIT
// The batch output run: the outline, or one branch of it, written as one plain-text document with
// numbered, indented heading lines, the bodies below them, page breaks and separator lines, and the
// heading lines again in an optional table of contents. Everything written is CP932 with CR LF.
//
// The dialog's run appends to both files and never empties them; the headless export replaces them.
// Either way a file gets its new content only when the whole run has succeeded. Status texts, beeps and boxes go
// through notices(); the progress bar, the busy mark and the busy cursor through a BatchOutputObserver.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/batchout/btxtout_settings.h"
#include "core/outline/flatten.h"

namespace rn {

// The chosen start node of a branch run: writing starts at every node with this text and stops at
// the next node of this level or shallower.
struct StartNode {
    std::string text;  // CP932
    int level = 1;
};

struct BatchOutputRequest {
    std::vector<OutputNode> nodes;   // the dialog's copy of the outline
    std::string treeFile;            // must exist
    std::string treeDir;             // where body files are looked up, with a trailing "/"
    std::string outputPath;          // native path
    std::string tocPath;             // native path; used when settings.MOKUJI
    std::optional<StartNode> start;  // nullopt: "ALL"
    BatchOutputSettings settings;
    bool replaceFiles = false;  // the files get the run's output alone (the export); else it is appended
};

enum class BatchOutputResult : int {
    kDone = 0,
    kNoTreeFile,     // "Treeファイルが有りません"
    kNoOutputName,   // "Outファイル(*.TXT)を指定して下さい"
    kBadOutputPath,  // refused as leaving the field would refuse it (short, relative, a CD, a pipe)
    kNoOutputFile,   // "Outファイルが有りません"
    kNoTocName,      // "目次ファイル(*.TXT)を指定して下さい"
    kBadTocPath,     // the same for the table of contents
    kNoTocFile,      // "目次ファイルの指定Dirが有りません"
    kDocumentFile,   // the output or the table of contents is the Tree file or a body file (DocumentFileClash)
    kFileError,      // a file could not be opened, read or written; the error box was shown
};

// What the dialog does around a run. Every call has a do-nothing default.
class BatchOutputObserver {
public:
    virtual ~BatchOutputObserver() = default;
    // Busy mark plus busy cursor (true), or normal cursor and mark cleared (false).
    virtual void SetBusy(bool /*busy*/) {}
    // Show the progress bar with the range 0..total at position 0.
    virtual void ProgressStart(int /*total*/) {}
    // Node k (from 1) of `total` is being handled: select it, move the bar, and (at a bounded rate)
    // show BatchProgressText(k, level, text) and repaint. Called for every node, written or not.
    virtual void Progress(int /*k*/, int /*total*/, int /*level*/, std::string_view /*text*/) {}
    // Hide the progress bar.
    virtual void ProgressEnd() {}
};

// "一括出力中･･･[k-Ll:T]" in UTF-8.
std::string BatchProgressText(int k, int level, std::string_view nodeText);
// "一括出力 終了" in UTF-8.
std::string BatchFinishedText();

// The whole run of the dialog's button: clears the status line, checks the inputs (status text and
// beep on failure), creates the files (each shows its "新規作成ファイル=...既にあります。" box when the
// file exists), marks busy, writes, and shows "一括出力 終了". After a file error the error box has
// been shown, the progress bar is hidden and the busy mark cleared; the status line keeps its text.
BatchOutputResult RunBatchOutput(const BatchOutputRequest& request, BatchOutputObserver* observer = nullptr);

// The writing part alone (numbering, heading lines, bodies, table of contents) into the two files.
// Used by RunBatchOutput and by the headless export. A file error ends the run: when an output file
// cannot be written, both keep their old content (or stay missing); a body that cannot be read still
// gets its page break and separator lines, and what was written is kept. Then the error box is shown.
BatchOutputResult WriteBatchOutput(const BatchOutputRequest& request, BatchOutputObserver* observer = nullptr);

// ---- path preparation (focus leaves an output path field) ----
enum class OutputField { kOutput, kToc };
enum class PrepareResult : int {
    kEmpty,           // nothing entered; nothing done
    kTooShort,        // refused; the dialog empties the field
    kCdRom,           // refused; the field keeps its text
    kUnknownDrive,    // refused (also every relative path); the field keeps its text
    kNotRegularFile,  // refused: a pipe or a device; the field keeps its text
    kCreated,         // a new empty file
    kExisted,         // the file was there (its box was shown); left as it is
    kCreateFailed,    // the file could not be created (its error box was shown)
};
PrepareResult PrepareOutputPath(const std::string& path, OutputField field);
// The refusals of PrepareOutputPath without its side effects: the result and the status text, or
// nullopt for a path that may be used.
std::optional<PrepareResult> OutputPathRefusal(const std::string& path, OutputField field, std::string& text);

// ---- the byte rules, for the dialog's preview and for tests ----
// The indentation unit: every "TAB" (on a character boundary) becomes one tab byte.
std::string IndentUnit(std::string_view indentText);
// Number of units before a heading line of `level`.
int HeadingIndentCount(int level, bool indentOn, int indMax);
// Whether the separator text stands between `label` and the node text (with the switch on).
bool SeparatorAdmitted(std::string_view label);

}  // namespace rn
