// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QList>
#include <QLocale>

class QTranslator;

// Installs the program's catalogue for `locale`'s languages (built into the program) and Qt's own
// (dialog buttons, the line edit's menu) from where Qt keeps its translations; a language without
// a catalogue keeps the English texts. Returns the translators installed, owned by the application.
QList<QTranslator *> InstallTranslations(const QLocale &locale);
