// SPDX-License-Identifier: MIT
// For tests only: makes a write of the files layer fail as a full or failing disk would, so that
// every save can be shown to keep the old file and to say what went wrong. The program itself never
// sets a fault; nothing read from a file, the command line or the environment reaches it.
#pragma once

#include <cerrno>
#include <cstddef>
#include <optional>

namespace rn {

enum class WriteStep { kWrite, kFsync, kRename, kUnlink };

struct WriteFault {
    WriteStep step = WriteStep::kWrite;
    int nth = 1;              // the nth call of that step after the fault is set fails
    int error = ENOSPC;       // errno of the failure
    std::size_t partial = 0;  // kWrite: this many bytes of the failing call reach the file first
    bool lasting = false;     // every later call of the step fails too (a disk that stays full)
};

// Sets the fault for the whole process, or clears it (nullopt). A fault that is not lasting is
// spent once it has failed a call.
void InjectWriteFault(std::optional<WriteFault> fault);
// Whether the fault set last has failed a call.
bool WriteFaultHappened();

}  // namespace rn
