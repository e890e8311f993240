// SPDX-License-Identifier: MIT
#include "platform/start_program.h"

#include <QProcess>

namespace rn {

bool StartDetached(const QString& program, const QStringList& arguments) {
    if (program.isEmpty()) return false;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    return process.startDetached();
}

}  // namespace rn
