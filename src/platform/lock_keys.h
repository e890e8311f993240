// SPDX-License-Identifier: MIT
// Caps Lock and Num Lock as the keyboard's indicators show them.
#pragma once

namespace rn {

struct LockKeyState {
    bool capsLock = false;
    bool numLock = false;
};

// Read from the X server's keyboard indicators; off for both where that is not available.
LockKeyState CurrentLockKeys();

}  // namespace rn
