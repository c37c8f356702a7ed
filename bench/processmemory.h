// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QtGlobal>

// A memory figure of this process from /proc/self/status, in kB: "VmRSS"
// (resident now) or "VmHWM" (resident at its peak); -1 where there is none.
[[nodiscard]] qint64 ProcessMemoryKb(const char *field);
