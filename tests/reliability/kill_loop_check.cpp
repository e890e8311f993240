// SPDX-License-Identifier: MIT
// Run after the kill-loop driver was killed, on what the kill left:
// - every file in doc/ and Res/ holds what the model and the journal's finished commands say; the
//   files of the command that was running hold what they held before it or what it was writing,
//   complete either way;
// - the Tree file reads, and every text node it lists has its body;
// - temporaries of the interrupted save, once older than a minute, are gone after the document is
//   opened and the program's Res/ is prepared, as at a start, and nothing else changes.
// Then the model becomes the files as they are and the journal goes, for the next run.
// Prints "<command the kill interrupted, or -> <temporaries left>"; exit 1 on any failure.
//
//   kill_loop_check WORK
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>

#include "core/notices.h"
#include "core/outline/document.h"
#include "core/outline/treefile.h"
#include "core/settings/program.h"
#include "core/settings/resdir.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "kill_loop_files.h"

namespace {

using namespace rn::killloop;

std::vector<std::string> g_failures;

void Fail(const std::string& text) {
    g_failures.push_back(text);
}

class FailingNotices : public rn::SilentNotices {
public:
    void MessageBox(const std::string& text) override { Fail("box: " + text); }
    void ErrorBox(const std::string& text) override { Fail("error: " + text); }
    void AbortBox(const std::string& text) override { Fail("error: " + text); }
    bool AskYesNo(const std::string& text) override {
        Fail("question: " + text);
        return false;
    }
};

std::string Describe(const std::string& work, const std::string& path, const std::string& signature) {
    std::string bytes;
    if (signature[0] == 'h' && rn::ReadFileBytes(InWork(work, path), bytes) && IsTornBody(bytes))
        return signature + " (a body cut short or mixed)";
    return signature;
}

// The model after the finished commands; the command the kill interrupted, if any.
const JournalEntry* Replay(const JournalRead& journal, Model& model) {
    const JournalEntry* running = nullptr;
    for (const JournalEntry& e : journal.entries) {
        if (!e.started) continue;  // killed while journaling: nothing of it ran
        if (running) Fail("command " + running->what + " never ended, yet another followed");
        for (const FileChange& f : e.files) {
            auto it = model.find(f.path);
            const std::string held = it == model.end() ? "-" : it->second;
            if (held != f.before)
                Fail(e.what + " expected " + f.path + " to hold " + f.before + " before, the model says " + held);
        }
        if (!e.ended) {
            running = &e;
            continue;
        }
        for (const FileChange& f : e.files) {
            if (f.after == "-") {
                model.erase(f.path);
            } else {
                model[f.path] = f.after;
            }
        }
    }
    return running;
}

void CompareFiles(const std::string& work, const Model& expected, const Model& found, const JournalEntry* running) {
    std::set<std::string> paths;
    for (const auto& [path, signature] : expected)
        paths.insert(path);
    for (const auto& [path, signature] : found)
        paths.insert(path);
    for (const std::string& path : paths) {
        auto at = [&](const Model& m) {
            auto it = m.find(path);
            return it == m.end() ? std::string("-") : it->second;
        };
        std::set<std::string> allowed = {at(expected)};
        if (running)
            for (const FileChange& f : running->files)
                if (f.path == path) allowed = {f.before, f.after};
        const std::string held = at(found);
        if (allowed.count(held)) continue;
        std::string text = path + " holds " + Describe(work, path, held) + ", expected";
        for (const std::string& a : allowed)
            text += " " + a;
        Fail(text);
    }
}

void CheckTreeFile(const std::string& work) {
    rn::Outline outline;
    const rn::TreeFileRead read = rn::ReadTreeFile(InWork(work, kTreeFile), outline);
    if (!read.ok) return Fail("the Tree file does not read: " + read.error);
    const std::string dir = InWork(work, "doc/");
    for (const rn::Node* n : outline.Preorder()) {
        const bool textNode = n->text.size() > 4 && n->text.compare(n->text.size() - 4, 4, ".TXT") == 0;
        if (textNode && !rn::FileExists(rn::BodyPathIn(dir, n->text).value_or("")))
            Fail("no body for " + rn::Cp932ToUtf8(n->text));
    }
}

// Temporaries older than a minute go when the document is opened and Res/ is prepared.
void CheckTemporariesRemoved(const std::string& work, const std::vector<std::string>& temporaries, const Model& found) {
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2);
    for (const std::string& t : temporaries)
        std::filesystem::last_write_time(t, old);
    rn::Document doc;
    if (doc.OpenTreeFile(InWork(work, kTreeFile)) != rn::kOpenDone) Fail("the document does not open");
    rn::Program().directory = work;
    rn::PrepareResDir();
    std::vector<std::string> left;
    if (ScanFiles(work, &left) != found) Fail("opening the document changed files");
    for (const std::string& t : left)
        Fail("temporary not removed: " + t);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kill_loop_check WORK\n");
        return 64;
    }
    const std::string work = rn::AbsolutePath(argv[1]);
    FailingNotices notices;
    rn::SetNotices(&notices);

    const JournalRead journal = ReadJournal(work);
    if (!journal.failure.empty()) Fail("the driver stopped: " + journal.failure);
    Model expected = ReadModel(work);
    if (expected.empty()) Fail("no model");
    const JournalEntry* running = Replay(journal, expected);
    std::vector<std::string> temporaries;
    const Model found = ScanFiles(work, &temporaries);
    CompareFiles(work, expected, found, running);
    CheckTreeFile(work);
    if (g_failures.empty()) CheckTemporariesRemoved(work, temporaries, found);

    for (const std::string& f : g_failures)
        std::fprintf(stderr, "kill_loop_check: %s\n", f.c_str());
    if (!g_failures.empty()) return 1;
    WriteModel(work, found);
    RemoveJournal(work);
    std::printf("%s %zu\n", running ? running->what.c_str() : "-", temporaries.size());
    return 0;
}
