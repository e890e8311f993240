// SPDX-License-Identifier: MIT
#include "core/batchout/batch_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>

#include "core/batchout/heading_numberer.h"
#include "core/batchout/output_guard.h"
#include "core/notices.h"
#include "core/outline/document.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "platform/drive_kind.h"

namespace rn {
namespace {

constexpr std::size_t kWriteBufferSize = std::size_t{1} << 20;
constexpr std::size_t kReadBufferSize = std::size_t{1} << 20;
constexpr std::string_view kCrLf = "\r\n";
constexpr char kFormFeed = '\x0C';
constexpr char kEndOfFile = '\x1A';
constexpr std::string_view kDotFull = "\x81\x45";  // ・
constexpr std::string_view kDotHalf = "\xA5";      // ･

std::string Reason(int err) {
    return ReasonText(err);
}

std::string ReadErrorText(const std::string& path, const std::string& reason) {
    return "ファイル \"" + path + "\" を読み込めません。" + reason;
}

std::string WriteErrorText(const std::string& path, const std::string& reason) {
    return "ファイル \"" + path + "\" に書き込めません。" + reason;
}

void Refuse(const std::string& text) {
    notices().SetStatusText(text);
    notices().Beep();
}

// An output file, written through a buffer. The dialog's run appends to the file where it is; the
// export writes a replacement. Either way the file gets the new bytes only when the whole run has
// succeeded (Commit), and keeps its old content otherwise. The first failure is kept as the run's
// error text; later writes are ignored.
class OutputFile {
public:
    explicit OutputFile(std::string path) : path_(std::move(path)) {}

    bool Ok() const { return error_.empty(); }
    const std::string& Error() const { return error_; }

    bool Open(bool append) {
        std::string reason;
        appending_ = append;
        if (append ? !appended_.Begin(path_, &reason) : !replacement_.Begin(path_, &reason)) {
            error_ = append ? OpenErrorText(path_, reason) : CreateErrorText(path_, reason);
            return false;
        }
        buffer_.reserve(kWriteBufferSize);
        return true;
    }

    void Write(std::string_view bytes) {
        if (!error_.empty()) return;
        if (buffer_.size() + bytes.size() > kWriteBufferSize) {
            if (!Flush()) return;
            if (bytes.size() >= kWriteBufferSize) {
                WriteOut(bytes);
                return;
            }
        }
        buffer_.append(bytes);
    }
    void Put(char c) { Write(std::string_view(&c, 1)); }

    // Every byte written and synced.
    bool Finish() {
        std::string reason;
        if (Flush() && !(appending_ ? appended_.Sync(&reason) : replacement_.Finish(&reason)))
            error_ = WriteErrorText(path_, reason);
        return Ok();
    }
    // Makes the bytes the file's content: the appended file keeps them, the replacement is renamed
    // over the file.
    bool Commit() {
        std::string reason;
        if (!Finish()) return false;
        if (appending_) {
            appended_.Keep();
        } else if (!replacement_.Commit(&reason)) {
            error_ = WriteErrorText(path_, reason);
        }
        return Ok();
    }

private:
    bool Flush() {
        if (!error_.empty()) return false;
        bool done = WriteOut(buffer_);
        buffer_.clear();
        return done;
    }

    bool WriteOut(std::string_view bytes) {
        std::string reason;
        if (bytes.empty() || (appending_ ? appended_.Write(bytes, &reason) : replacement_.Write(bytes, &reason)))
            return true;
        error_ = WriteErrorText(path_, reason);
        return false;
    }

    std::string path_;
    bool appending_ = false;
    FileAppend appended_;          // cut back to its old length unless committed
    FileReplacement replacement_;  // removed unless committed
    std::string buffer_;
    std::string error_;
};

// Copies body bytes to the output as lines: a line ends at LF (a CR before it belongs to the line end,
// any other CR is dropped), a last line without a line end is still a line, and every line gets the
// prefix in front, CR LF behind and, every `pageLength` lines, a form feed before it.
class BodyCopier {
public:
    BodyCopier(OutputFile& out, std::string_view prefix, bool pageOn, int pageLength)
        : out_(out), prefix_(prefix), pageOn_(pageOn), pageLength_(pageLength) {}

    void Feed(const char* p, std::size_t n) {
        const char* end = p + n;
        while (p < end) {
            const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            const char* segmentEnd = nl ? nl : end;
            while (p < segmentEnd) {
                const char* cr =
                    static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(segmentEnd - p)));
                const char* pieceEnd = cr ? cr : segmentEnd;
                if (pieceEnd > p) {
                    if (!inLine_) StartLine();
                    out_.Write(std::string_view(p, static_cast<std::size_t>(pieceEnd - p)));
                }
                p = cr ? cr + 1 : segmentEnd;
            }
            if (nl) {
                if (!inLine_) StartLine();
                EndLine();
                p = nl + 1;
            }
        }
    }

    void Finish() {
        if (inLine_) EndLine();
    }

private:
    void StartLine() {
        if (pageOn_ && pageLength_ > 0 && count_ == pageLength_) {
            out_.Put(kFormFeed);
            count_ = 0;
        }
        out_.Write(prefix_);
        inLine_ = true;
    }
    void EndLine() {
        out_.Write(kCrLf);
        inLine_ = false;
        if (pageOn_ && pageLength_ > 0) ++count_;  // never beyond pageLength_, however long the body
    }

    OutputFile& out_;
    std::string_view prefix_;
    bool pageOn_;
    int pageLength_;
    bool inLine_ = false;
    int count_ = 0;
};

struct BodyContext {
    OutputFile& out;
    std::string_view afterBody;  // form feed and separator lines
    bool pageOn;
    int pageLength;
    std::unique_ptr<char[]>& buffer;
    std::vector<std::string>& skipped;  // bodies that are pipes or devices: their error texts
    std::optional<FileId> outputs[2];   // the output and the table of contents
};

// Writes the body of `path` when that file exists. Returns an error text for a body that exists but
// cannot be opened or read; the lines before the failure, the page break and the separator lines are
// written all the same. A pipe or a device is never opened (it could make the run wait or never end,
// and opening some devices does something): it is named in `skipped` and has no body.
std::string WriteBody(const std::string& path, std::string_view prefix, BodyContext& c) {
    if (IsSpecialFile(path)) {
        c.skipped.push_back(OpenErrorText(path, "通常のファイルではありません"));
        return {};
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        int err = errno;
        if (err == ENOENT || err == ENOTDIR || !FileExists(path)) return {};  // no body
        c.out.Write(c.afterBody);
        return OpenErrorText(path, Reason(err));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return {};  // a directory is no body file
    }
    std::string error;
    // A file swapped for a pipe since the look above is still not read.
    if (S_ISREG(st.st_mode)) {
        if (!c.buffer) c.buffer = std::make_unique_for_overwrite<char[]>(kReadBufferSize);
        BodyCopier copier(c.out, prefix, c.pageOn, c.pageLength);
        // A body that is one of the files being appended to is read as long as it was when the run
        // came to it, so that it cannot feed on the lines the run adds.
        const FileId id{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
        const bool growing = id == c.outputs[0] || id == c.outputs[1];
        auto left = growing ? static_cast<std::size_t>(st.st_size) : std::numeric_limits<std::size_t>::max();
        while (left > 0) {
            ssize_t n = ::read(fd, c.buffer.get(), std::min(kReadBufferSize, left));
            if (n < 0) {
                if (errno == EINTR) continue;
                error = ReadErrorText(path, Reason(errno));
                break;
            }
            if (n == 0) break;
            auto got = static_cast<std::size_t>(n);
            left -= got;
            const void* eof = std::memchr(c.buffer.get(), kEndOfFile, got);
            if (eof) got = static_cast<std::size_t>(static_cast<const char*>(eof) - c.buffer.get());
            copier.Feed(c.buffer.get(), got);
            if (eof || !c.out.Ok()) break;
        }
        copier.Finish();
    }
    ::close(fd);
    c.out.Write(c.afterBody);
    return error;
}

void AppendRepeated(std::string& out, std::string_view unit, int times) {
    for (int i = 0; i < times; ++i)
        out += unit;
}

}  // namespace

std::string BatchProgressText(int k, int level, std::string_view nodeText) {
    return "一括出力中･･･[" + std::to_string(k) + "-L" + std::to_string(level) + ":" + Cp932ToUtf8(nodeText) + "]";
}

std::string BatchFinishedText() {
    return "一括出力 終了";
}

std::string IndentUnit(std::string_view indentText) {
    static constexpr std::string_view kTab = "TAB";
    std::string out;
    std::size_t from = 0;
    for (;;) {
        std::size_t at = SjisFind(indentText, kTab, from);
        if (at == std::string_view::npos) break;
        out.append(indentText.substr(from, at - from));
        out += '\t';
        from = at + kTab.size();  // three single-byte characters: still on a boundary
    }
    out.append(indentText.substr(from));
    return out;
}

int HeadingIndentCount(int level, bool indentOn, int indMax) {
    if (!indentOn || level <= 1 || indMax <= 1) return 0;
    return std::min(level, indMax) - 1;
}

bool SeparatorAdmitted(std::string_view label) {
    if (label.empty()) return false;
    char last = label.back();
    if (last == ')' || last == ' ') return false;
    return label != kDotFull && label != kDotHalf;
}

std::optional<PrepareResult> OutputPathRefusal(const std::string& path, OutputField field, std::string& text) {
    const bool output = field == OutputField::kOutput;
    if (path.size() < 8) {
        text = output ? "出力ファイルを正しく指定ください。" : "目次ファイルを正しく指定ください。";
        return PrepareResult::kTooShort;
    }
    // "A drive root" on this system: an absolute path, on a file system of a known kind.
    const int kind = path.front() == '/' ? DriveKind(path) : kDriveUnknown;
    if (kind == kDriveCdRom) {
        text = "CDドライブが指定されています";
        return PrepareResult::kCdRom;
    }
    if (kind == kDriveUnknown) {
        text = "不明なドライブが指定されています";
        return PrepareResult::kUnknownDrive;
    }
    // Opening a pipe or a device for writing can wait for a reader forever.
    if (IsSpecialFile(path)) {
        text = output ? "出力ファイルが通常のファイルではありません" : "目次ファイルが通常のファイルではありません";
        return PrepareResult::kNotRegularFile;
    }
    return std::nullopt;
}

PrepareResult PrepareOutputPath(const std::string& path, OutputField field) {
    notices().SetStatusText(std::string());
    if (path.empty()) return PrepareResult::kEmpty;
    std::string refusal;
    if (auto refused = OutputPathRefusal(path, field, refusal)) {
        Refuse(refusal);
        return *refused;
    }
    const std::string dir = DirectoryOf(path);
    if (!dir.empty() && !DirectoryExists(dir)) MakeDirectory(dir);  // one level; a failure shows below
    if (FileExists(path)) {
        CreateEmptyFile(path);  // its box: the file is already there
        return PrepareResult::kExisted;
    }
    return CreateEmptyFile(path) ? PrepareResult::kCreated : PrepareResult::kCreateFailed;
}

BatchOutputResult WriteBatchOutput(const BatchOutputRequest& r, BatchOutputObserver* observer) {
    BatchOutputObserver quiet;
    BatchOutputObserver& obs = observer ? *observer : quiet;
    const BatchOutputSettings& s = r.settings;

    HeadingNumberer numberer;
    numberer.Begin(s.OUTLIN, s.OUTLINE, s.OUTEDIT6);
    const std::string unit = s.INDSW ? IndentUnit(s.INDENT) : std::string();
    const bool bodyStep = s.INDSW && s.INDADDSW;
    std::string afterBody;
    if (s.PAGE) afterBody += kFormFeed;
    for (const std::string& line : s.SEPA) {
        afterBody += line;
        afterBody += kCrLf;
    }

    OutputFile out(r.outputPath);
    std::unique_ptr<OutputFile> ownToc;
    OutputFile* toc = nullptr;
    if (s.MOKUJI) {
        // The same file under both names: one buffer, so that every heading stands twice in a row.
        if (r.tocPath == r.outputPath || SameFile(r.tocPath, r.outputPath)) {
            toc = &out;
        } else {
            ownToc = std::make_unique<OutputFile>(r.tocPath);
            toc = ownToc.get();
        }
    }
    // Both files are there before anything is written: a table of contents that cannot be made
    // leaves the output as it was.
    const bool append = !r.replaceFiles;
    if (!out.Open(append) || (ownToc && !ownToc->Open(append))) {
        notices().ErrorBox(out.Ok() ? ownToc->Error() : out.Error());
        return BatchOutputResult::kFileError;
    }
    std::unique_ptr<char[]> readBuffer;
    std::vector<std::string> skipped;
    BodyContext body{
        out, afterBody, s.PAGE, s.PAGEL, readBuffer, skipped, {FileIdOf(r.outputPath), FileIdOf(r.tocPath)}};

    const int total = static_cast<int>(r.nodes.size());
    obs.ProgressStart(total);
    bool writing = !r.start.has_value();
    std::string heading;
    std::string prefix;
    std::string bodyError;
    for (int k = 1; k <= total; ++k) {
        const OutputNode& node = r.nodes[static_cast<std::size_t>(k - 1)];
        const int level = node.level;
        const int h = HeadingIndentCount(level, s.INDSW, s.INDMAX);
        heading.clear();
        AppendRepeated(heading, unit, h);
        const std::size_t labelAt = heading.size();
        numberer.AppendLabel(level, heading);  // every node, so that numbers run over the whole outline
        if (s.KUGISW && SeparatorAdmitted(std::string_view(heading).substr(labelAt))) heading += s.KUGIRI;
        heading += node.text;
        heading += kCrLf;
        if (r.start) {
            if (writing && level <= r.start->level) writing = false;
            if (node.text == r.start->text) writing = true;
        }
        obs.Progress(k, total, level, node.text);
        if (!writing) continue;

        out.Write(heading);
        if (toc) toc->Write(heading);
        if (!out.Ok() || (toc && !toc->Ok())) break;
        auto bodyPath = BodyPathIn(r.treeDir, node.text);
        if (!bodyPath) continue;
        prefix.clear();
        AppendRepeated(prefix, unit, h + (bodyStep ? 1 : 0));
        bodyError = WriteBody(*bodyPath, prefix, body);
        if (!bodyError.empty() || !out.Ok()) break;
    }

    // A file that could not be written keeps its old content, and so does the other one; a body that
    // could not be read leaves what was written before it. Both files are done with before anything
    // is reported.
    if (out.Finish() && (!ownToc || ownToc->Finish()) && out.Commit() && ownToc) ownToc->Commit();
    obs.ProgressEnd();
    if (!skipped.empty()) {
        std::string text;
        for (const std::string& line : skipped)
            text += line + "\n";
        notices().MessageBox(text + "これらの本文は出力していません");
    }
    // One box; a body that could not be read may still be followed by an output that failed.
    std::string error = bodyError;
    for (const OutputFile* file : {&out, ownToc.get()})
        if (file && !file->Ok()) error += (error.empty() ? "" : "\n") + file->Error();
    if (!error.empty()) {
        notices().ErrorBox(error);
        return BatchOutputResult::kFileError;
    }
    return BatchOutputResult::kDone;
}

BatchOutputResult RunBatchOutput(const BatchOutputRequest& r, BatchOutputObserver* observer) {
    BatchOutputObserver quiet;
    BatchOutputObserver& obs = observer ? *observer : quiet;
    notices().SetStatusText(std::string());
    if (!FileExists(r.treeFile)) {
        Refuse("Treeファイルが有りません");
        return BatchOutputResult::kNoTreeFile;
    }
    if (r.outputPath.empty()) {
        Refuse("Outファイル(*.TXT)を指定して下さい");
        return BatchOutputResult::kNoOutputName;
    }
    // The run takes the paths only as leaving their fields would have.
    std::string refusal;
    if (OutputPathRefusal(r.outputPath, OutputField::kOutput, refusal)) {
        Refuse(refusal);
        return BatchOutputResult::kBadOutputPath;
    }
    if (!FileExists(r.outputPath)) {
        Refuse("Outファイルが有りません");
        return BatchOutputResult::kNoOutputFile;
    }
    if (r.settings.MOKUJI) {
        if (r.tocPath.empty()) {
            Refuse("目次ファイル(*.TXT)を指定して下さい");
            return BatchOutputResult::kNoTocName;
        }
        if (OutputPathRefusal(r.tocPath, OutputField::kToc, refusal)) {
            Refuse(refusal);
            return BatchOutputResult::kBadTocPath;
        }
        if (!FileExists(r.tocPath)) {
            Refuse("目次ファイルの指定Dirが有りません");
            return BatchOutputResult::kNoTocFile;
        }
    }
    // Appending headings to the document's own files would destroy them.
    for (const std::string* path : {&r.outputPath, r.settings.MOKUJI ? &r.tocPath : nullptr}) {
        if (!path) continue;
        std::string clash = DocumentFileClash(*path, r.treeFile, r.treeDir, r.nodes,
                                              path == &r.outputPath ? "出力ファイル" : "目次ファイル");
        if (!clash.empty()) {
            Refuse(clash);
            return BatchOutputResult::kDocumentFile;
        }
    }
    if (r.settings.MOKUJI) CreateEmptyFile(r.tocPath);  // the file is there: its box, and the run appends
    obs.SetBusy(true);
    CreateEmptyFile(r.outputPath);
    BatchOutputResult result = WriteBatchOutput(r, &obs);
    if (result == BatchOutputResult::kDone) notices().SetStatusText(BatchFinishedText());
    obs.SetBusy(false);
    return result;
}

}  // namespace rn
