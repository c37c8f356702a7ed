// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

// A figure with one decimal, the user's decimal separator and no grouping:
// 1234.56 shows as "1234.6".
[[nodiscard]] QString FigureText(double value);
