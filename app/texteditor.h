#pragma once

#include <QString>
#include <QStringList>

// The command that opens `fileName` in the system's text editor: Notepad on
// Windows; elsewhere the desktop's default application for plain text, else
// a common text editor found on PATH, else xdg-open. Empty when there is
// none.
[[nodiscard]] QStringList TextEditorCommand(const QString &fileName);

// Starts the text editor on `fileName` without waiting for it.
bool OpenInTextEditor(const QString &fileName);
