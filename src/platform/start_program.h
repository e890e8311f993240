// SPDX-License-Identifier: MIT
// Starting another program without waiting for it.
#pragma once

#include <QString>
#include <QStringList>

namespace rn {

// Starts `program` with `arguments`, each passed as one argument: never through a shell and never
// split at blanks. True when the program is running; false when it could not be started (missing,
// not executable, no resources). What the program does afterwards is not followed.
bool StartDetached(const QString& program, const QStringList& arguments);

}  // namespace rn
