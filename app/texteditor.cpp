#include "texteditor.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <gio/gio.h>
#endif

#include <optional>

using namespace Qt::StringLiterals;

namespace {

QString noEditorText()
{
    return QCoreApplication::translate("TextEditor", "no text editor could be started");
}

#ifndef Q_OS_WIN
// The desktop's default application for plain text, as GIO finds it (the
// desktop's own lists, terminal editors and all), started on `fileName`
// without waiting: the reason it could not start, empty when it did.
// Nothing when GIO knows no default.
std::optional<QString> launchDefaultApplication(const QString &fileName)
{
    GAppInfo *application = g_app_info_get_default_for_type("text/plain", FALSE);
    if (!application)
        return std::nullopt;
    GFile *file = g_file_new_for_path(QFile::encodeName(fileName).constData());
    GList files{file, nullptr, nullptr};
    GError *error = nullptr;
    QString reason;
    if (!g_app_info_launch(application, &files, nullptr, &error))
        reason = QString::fromUtf8(error->message);
    g_clear_error(&error);
    g_object_unref(file);
    g_object_unref(application);
    return reason;
}

// A common text editor found on PATH, else xdg-open; empty when neither is.
QString fallbackEditor()
{
    for (const QString &editor : {u"gnome-text-editor"_s, u"gedit"_s, u"kate"_s, u"kwrite"_s, u"mousepad"_s,
                                  u"pluma"_s, u"xed"_s, u"featherpad"_s, u"leafpad"_s, u"geany"_s, u"xdg-open"_s}) {
        if (!QStandardPaths::findExecutable(editor).isEmpty())
            return editor;
    }
    return {};
}
#endif

} // namespace

QString OpenInTextEditor(const QString &fileName)
{
    QProcess process;
    process.setArguments({fileName});
#ifdef Q_OS_WIN
    process.setProgram(u"Notepad.exe"_s);
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *arguments) {
        arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        arguments->startupInfo->wShowWindow = SW_SHOWMAXIMIZED;
    });
#else
    if (const std::optional<QString> reason = launchDefaultApplication(fileName))
        return *reason;
    process.setProgram(fallbackEditor());
    if (process.program().isEmpty())
        return noEditorText();
#endif
    return process.startDetached() ? QString() : noEditorText();
}
