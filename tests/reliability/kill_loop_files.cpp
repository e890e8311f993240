// SPDX-License-Identifier: MIT
#include "kill_loop_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/storage/files.h"
#include "core/text/cp932.h"

namespace rn::killloop {
namespace {

std::uint64_t Hash(std::string_view bytes) {
    std::uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

std::string Hex(std::uint64_t v) {
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(v));
    return buffer;
}

// The characters bodies are made of: kana, kanji and ASCII, each converting to Unicode and back.
const std::vector<std::string>& Characters() {
    static const std::vector<std::string> units = [] {
        std::vector<std::string> out;
        const std::string text =
            Cp932Literal("あいうえおかきくけこさしすせそアイウエオ本文漢字保存改行試験記録日本語章節");
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t n = SjisCharLength(text, i);
            out.push_back(text.substr(i, n));
            i += n;
        }
        for (char c : std::string("abcdefghijklmnopqrstuvwxyz0123456789 .,"))
            out.emplace_back(1, c);
        return out;
    }();
    return units;
}

struct BodyHeader {
    std::uint64_t gen = 0;
    std::size_t length = 0;
    std::string sum;
    std::size_t payloadAt = 0;
};

bool ReadHeader(std::string_view bytes, BodyHeader& h) {
    const std::size_t end = bytes.find("\r\n");
    if (bytes.substr(0, 3) != "KL " || end == std::string_view::npos || end > 80) return false;
    std::istringstream line{std::string(bytes.substr(3, end - 3))};
    if (!(line >> h.gen >> h.length >> h.sum)) return false;
    h.payloadAt = end + 2;
    return true;
}

}  // namespace

std::string MakeBody(std::uint64_t gen, std::size_t size, std::mt19937_64& random) {
    const auto& units = Characters();
    std::string payload;
    payload.reserve(size + 200);
    while (payload.size() < size) {
        const std::size_t width = 20 + random() % 60;
        for (std::size_t i = 0; i < width; ++i)
            payload += units[random() % units.size()];
        payload += "\r\n";
    }
    return "KL " + std::to_string(gen) + " " + std::to_string(payload.size()) + " " + Hex(Hash(payload)) + "\r\n" +
           payload;
}

std::string SignatureOf(std::string_view bytes) {
    if (bytes.empty()) return "0";
    BodyHeader h;
    if (ReadHeader(bytes, h) && bytes.size() - h.payloadAt == h.length && Hex(Hash(bytes.substr(h.payloadAt))) == h.sum)
        return "b" + std::to_string(h.gen) + "." + h.sum;
    return "h" + Hex(Hash(bytes));
}

bool IsTornBody(std::string_view bytes) {
    BodyHeader h;
    return ReadHeader(bytes, h) && SignatureOf(bytes)[0] != 'b';
}

std::string FileSignature(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return "-";
    return SignatureOf(bytes);
}

Model ScanFiles(const std::string& work, std::vector<std::string>* temporaries) {
    Model model;
    for (const char* dir : {"doc", "Res"}) {
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(InWork(work, dir), ec)) {
            if (!e.is_regular_file()) continue;
            const std::string name = e.path().filename().string();
            if (IsTemporaryFileName(name)) {
                if (temporaries) temporaries->push_back(e.path().string());
                continue;
            }
            const std::string relative = std::string(dir) + "/" + name;
            model[relative] = FileSignature(InWork(work, relative));
        }
    }
    return model;
}

void WriteModel(const std::string& work, const Model& model) {
    std::string text;
    for (const auto& [path, signature] : model)
        text += signature + " " + path + "\n";
    if (!WriteFileReplacing(InWork(work, "model"), text)) throw std::runtime_error("cannot write the model");
}

Model ReadModel(const std::string& work) {
    Model model;
    std::ifstream in(InWork(work, "model"));
    std::string signature, path;
    while (in >> signature && std::getline(in >> std::ws, path))
        model[path] = signature;
    return model;
}

Journal::Journal(const std::string& work) {
    fd_ = ::open(InWork(work, "journal").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0) throw std::runtime_error("cannot create the journal");
}

Journal::~Journal() {
    ::close(fd_);
}

void Journal::Append(const std::string& text, bool sync) {
    if (::write(fd_, text.data(), text.size()) != static_cast<ssize_t>(text.size()) || (sync && ::fsync(fd_) != 0))
        throw std::runtime_error("cannot write the journal");
}

void Journal::Begin(const std::string& what, const std::vector<FileChange>& files) {
    std::string text = "BEGIN " + std::to_string(++seq_) + " " + what + "\n";
    for (const FileChange& f : files)
        text += "FILE " + f.before + " " + f.after + " " + f.path + "\n";
    text += "GO " + std::to_string(seq_) + "\n";
    Append(text, true);
}

void Journal::End() {
    // Once the files hold their "after", losing this line only makes the command look unfinished.
    Append("END " + std::to_string(seq_) + "\n", false);
}

void Journal::Ready() {
    Append("READY\n", true);
}

void Journal::Fail(const std::string& why) {
    Append("FAIL " + why + "\n", true);
}

JournalRead ReadJournal(const std::string& work) {
    JournalRead read;
    std::string bytes;
    if (!ReadFileBytes(InWork(work, "journal"), bytes)) return read;
    bytes.resize(bytes.rfind('\n') + 1);  // a line the kill cut short says nothing
    std::istringstream in(bytes);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "READY") {
            read.ready = true;
        } else if (word == "FAIL") {
            read.failure = line.substr(5);
        } else if (word == "BEGIN") {
            JournalEntry e;
            words >> e.seq;
            std::getline(words >> std::ws, e.what);
            read.entries.push_back(e);
        } else if (word == "FILE" && !read.entries.empty()) {
            FileChange f;
            words >> f.before >> f.after;
            std::getline(words >> std::ws, f.path);
            read.entries.back().files.push_back(f);
        } else if (word == "GO" && !read.entries.empty()) {
            read.entries.back().started = true;
        } else if (word == "END" && !read.entries.empty()) {
            read.entries.back().ended = true;
        }
    }
    return read;
}

void RemoveJournal(const std::string& work) {
    std::filesystem::remove(InWork(work, "journal"));
}

}  // namespace rn::killloop
