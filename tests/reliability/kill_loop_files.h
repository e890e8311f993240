// SPDX-License-Identifier: MIT
// Shared by the kill-loop driver and its checker: bodies that tell whether they are complete, file
// signatures, the model of what every file holds, and the journal in which the driver writes down,
// before each command, which files the command may write and what each holds before and after.
//
// A work directory holds doc/ (the Tree file and the bodies), Res/ (settings and history), the
// model and the journal.
#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace rn::killloop {

inline constexpr const char* kTreeFile = "doc/kill.Rnote";

inline std::string InWork(const std::string& work, const std::string& relative) {
    return work + "/" + relative;
}

// A body of about `size` bytes of CP932 text: the line "KL <gen> <length> <sum>" and then `length`
// bytes whose hash is `sum`, so that a body cut short or mixed with another is recognised.
std::string MakeBody(std::uint64_t gen, std::size_t size, std::mt19937_64& random);

// What a file holds, in a word: "-" no file, "0" empty, "b<gen>.<sum>" a complete body, "h<hash>"
// anything else (a Tree file, a settings file, or a body that is not complete).
std::string SignatureOf(std::string_view bytes);
std::string FileSignature(const std::string& path);
// Whether the bytes start like a body but are not a complete one.
bool IsTornBody(std::string_view bytes);

// Signatures of every file in doc/ and Res/ by relative path. Temporaries of interrupted saves are
// left out and listed in `temporaries` (full paths).
using Model = std::map<std::string, std::string>;
Model ScanFiles(const std::string& work, std::vector<std::string>* temporaries = nullptr);
void WriteModel(const std::string& work, const Model& model);
Model ReadModel(const std::string& work);

// One command as journaled: the files it may write, each with its signature before and after.
struct FileChange {
    std::string path;  // relative to the work directory
    std::string before, after;
};
struct JournalEntry {
    std::uint64_t seq = 0;
    std::string what;
    std::vector<FileChange> files;
    bool started = false;  // the command was under way (its entry was complete)
    bool ended = false;    // the command had finished and every file held its "after"
};

class Journal {
public:
    explicit Journal(const std::string& work);
    ~Journal();
    // Written and synced before the command starts.
    void Begin(const std::string& what, const std::vector<FileChange>& files);
    void End();
    void Ready();                       // the document is open, commands follow
    void Fail(const std::string& why);  // the driver found something wrong and stops

private:
    void Append(const std::string& text, bool sync);
    int fd_ = -1;
    std::uint64_t seq_ = 0;
};

struct JournalRead {
    std::vector<JournalEntry> entries;
    bool ready = false;
    std::string failure;
};
JournalRead ReadJournal(const std::string& work);
void RemoveJournal(const std::string& work);

}  // namespace rn::killloop
