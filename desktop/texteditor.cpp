// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "texteditor.h"

#include <QCoreApplication>
#include <QProcess>

#ifdef Q_OS_WIN
#  include <qt_windows.h>

#  include <array>
#else
#  include <QFile>
#  include <QLibrary>
#  include <QStandardPaths>

#  include <gio/gio.h>

#  include <optional>
#endif

using namespace Qt::StringLiterals;

namespace {

QString noEditorText()
{
    return QCoreApplication::translate("TextEditor", "no text editor could be started");
}

#ifndef Q_OS_WIN
// A function of GIO, which is loaded the first time Details needs it so that
// the program starts without it; null where GIO cannot be loaded.
template<typename Function>
Function *gio(const char *name)
{
    return reinterpret_cast<Function *>(QLibrary::resolve(u"gio-2.0"_s, 0, name));
}

// The desktop's default application for plain text, as GIO finds it (the
// desktop's own lists, terminal editors and all), started on `fileName`
// without waiting: the reason it could not start, empty when it did.
// Nothing when GIO knows no default.
std::optional<QString> launchDefaultApplication(const QString &fileName)
{
    const auto defaultFor =
            gio<decltype(g_app_info_get_default_for_type)>("g_app_info_get_default_for_type");
    const auto fileFor = gio<decltype(g_file_new_for_path)>("g_file_new_for_path");
    const auto launch = gio<decltype(g_app_info_launch)>("g_app_info_launch");
    const auto clearError = gio<decltype(g_clear_error)>("g_clear_error");
    const auto release = gio<decltype(g_object_unref)>("g_object_unref");
    GAppInfo *application = defaultFor && fileFor && launch && clearError && release
            ? defaultFor("text/plain", FALSE)
            : nullptr;
    if (!application)
        return std::nullopt;
    GFile *file = fileFor(QFile::encodeName(fileName).constData());
    GList files{ file, nullptr, nullptr };
    GError *error = nullptr;
    QString reason;
    if (!launch(application, &files, nullptr, &error))
        reason = QString::fromUtf8(error->message);
    clearError(&error);
    release(file);
    release(application);
    return reason;
}

// A common text editor found on PATH, else xdg-open; empty when neither is.
QString fallbackEditor()
{
    for (const QString &editor :
         { u"gnome-text-editor"_s, u"gedit"_s, u"kate"_s, u"kwrite"_s, u"mousepad"_s, u"pluma"_s,
           u"xed"_s, u"featherpad"_s, u"leafpad"_s, u"geany"_s, u"xdg-open"_s }) {
        if (!QStandardPaths::findExecutable(editor).isEmpty())
            return editor;
    }
    return {};
}
#endif

} // namespace

#ifdef Q_OS_WIN
QString OpenInNotepad(const QString &notepad, const QString &fileName)
{
    QProcess process;
    process.setProgram(notepad);
    process.setArguments({ fileName });
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *arguments) {
        arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        arguments->startupInfo->wShowWindow = SW_SHOWMAXIMIZED;
    });
    return process.startDetached() ? QString() : noEditorText();
}
#endif

QString OpenInTextEditor(const QString &fileName)
{
#ifdef Q_OS_WIN
    // The system folder's Notepad by its full path: a bare name is looked for
    // in the program's folder and the working directory first, where any
    // file of that name would run.
    std::array<wchar_t, MAX_PATH> folder;
    const UINT length = GetSystemDirectoryW(folder.data(), UINT(folder.size()));
    if (length == 0 || length >= folder.size())
        return noEditorText();
    return OpenInNotepad(QString::fromWCharArray(folder.data(), length) + u"\\notepad.exe"_s,
                         fileName);
#else
    if (const std::optional<QString> reason = launchDefaultApplication(fileName))
        return *reason;
    QProcess process;
    process.setProgram(fallbackEditor());
    process.setArguments({ fileName });
    if (process.program().isEmpty())
        return noEditorText();
    return process.startDetached() ? QString() : noEditorText();
#endif
}
