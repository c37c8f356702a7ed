#include "texteditor.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// The value of `key` in `section` of a desktop-style INI file.
QString iniValue(const QString &path, const QString &section, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    bool inSection = false;
    const QString prefix = key + u'=';
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(u'['))
            inSection = line == u'[' + section + u']';
        else if (inSection && line.startsWith(prefix))
            return line.sliced(prefix.size()).trimmed();
    }
    return {};
}

// The Exec line of the desktop entry `desktopId`, with `fileName` put in
// for its file or URL field code.
QStringList desktopEntryCommand(const QString &desktopId, const QString &fileName)
{
    const QString entry = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    if (entry.isEmpty())
        return {};
    QStringList command;
    bool fileGiven = false;
    for (const QString &word : QProcess::splitCommand(iniValue(entry, u"Desktop Entry"_s, u"Exec"_s))) {
        if (word == u"%f" || word == u"%F" || word == u"%u" || word == u"%U") {
            command.append(fileName);
            fileGiven = true;
        } else if (!(word.size() == 2 && word.startsWith(u'%'))) {
            command.append(QString(word).replace(u"%%"_s, u"%"_s));
        }
    }
    if (command.isEmpty() || QStandardPaths::findExecutable(command.first()).isEmpty())
        return {};
    if (!fileGiven)
        command.append(fileName);
    return command;
}

// The desktop's default application for plain text, from the mimeapps.list
// files in their order of precedence.
QStringList defaultPlainTextCommand(const QString &fileName)
{
    QStringList lists = QStandardPaths::locateAll(QStandardPaths::GenericConfigLocation, u"mimeapps.list"_s);
    lists += QStandardPaths::locateAll(QStandardPaths::ApplicationsLocation, u"mimeapps.list"_s);
    for (const QString &list : std::as_const(lists)) {
        const QString ids = iniValue(list, u"Default Applications"_s, u"text/plain"_s);
        for (const QString &id : ids.split(u';', Qt::SkipEmptyParts)) {
            const QStringList command = desktopEntryCommand(id, fileName);
            if (!command.isEmpty())
                return command;
        }
    }
    return {};
}

} // namespace

QStringList TextEditorCommand(const QString &fileName)
{
#ifdef Q_OS_WIN
    return {u"Notepad.exe"_s, fileName};
#else
    if (QStringList command = defaultPlainTextCommand(fileName); !command.isEmpty())
        return command;
    const QStringList editors{u"gnome-text-editor"_s, u"gedit"_s, u"kate"_s, u"kwrite"_s, u"mousepad"_s,
                              u"pluma"_s, u"xed"_s, u"featherpad"_s, u"leafpad"_s, u"geany"_s};
    for (const QString &editor : editors) {
        if (!QStandardPaths::findExecutable(editor).isEmpty())
            return {editor, fileName};
    }
    if (!QStandardPaths::findExecutable(u"xdg-open"_s).isEmpty())
        return {u"xdg-open"_s, fileName};
    return {};
#endif
}

bool OpenInTextEditor(const QString &fileName)
{
    const QStringList command = TextEditorCommand(fileName);
    if (command.isEmpty())
        return false;
    QProcess process;
    process.setProgram(command.first());
    process.setArguments(command.sliced(1));
#ifdef Q_OS_WIN
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *arguments) {
        arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        arguments->startupInfo->wShowWindow = SW_SHOWMAXIMIZED;
    });
#endif
    return process.startDetached();
}
