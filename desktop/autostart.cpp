// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#  include <qt_windows.h>
#  include <shlobj.h>
#endif

using namespace Qt::StringLiterals;

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Autostart", text);
}

#ifdef Q_OS_WIN
// A shortcut to this program with Argument, working in the folder it works in now.
QString writeShortcut(const QString &path)
{
    const QString folder = QDir::currentPath();
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW *link = nullptr;
    IPersistFile *file = nullptr;
    const auto wide = [](const QString &text) { return text.toStdWString(); };
    const std::wstring program =
            wide(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, reinterpret_cast<void **>(&link));
    if (SUCCEEDED(result)) {
        link->SetPath(program.c_str());
        link->SetArguments(wide(QString::fromLatin1(Autostart::Argument)).c_str());
        link->SetWorkingDirectory(wide(QDir::toNativeSeparators(folder)).c_str());
        link->SetIconLocation(program.c_str(), 0);
        result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file));
    }
    if (SUCCEEDED(result))
        result = file->Save(wide(QDir::toNativeSeparators(path)).c_str(), TRUE);
    if (file)
        file->Release();
    if (link)
        link->Release();
    if (SUCCEEDED(initialised))
        CoUninitialize();
    // An HRESULT, not a system error code: its number in hexadecimal, as Windows quotes it.
    return SUCCEEDED(result) ? QString()
                             : QCoreApplication::translate("Autostart", "error 0x%1")
                                       .arg(quint32(result), 8, 16, QLatin1Char('0'));
}
#endif

} // namespace

namespace Autostart {

QString EntryPath()
{
#ifdef Q_OS_WIN
    // The folder the installer's shortcut goes to, wherever a policy moved it.
    PWSTR startup = nullptr;
    QString folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &startup)))
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(startup));
    CoTaskMemFree(startup);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation)
                + u"/Startup"_s;
    return folder + u"/Palvorin.lnk"_s;
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + u"/autostart/palvorin.desktop"_s;
#endif
}

bool IsEnabled()
{
#ifdef Q_OS_WIN
    return QFileInfo::exists(EntryPath());
#else
    // A desktop's settings may switch an entry off with Hidden=true, or with a key of its own.
    QFile entry(EntryPath());
    if (!entry.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : entry.readAll().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if ((key == "Hidden" && value == "true")
            || ((key == "X-GNOME-Autostart-enabled" || key == "X-MATE-Autostart-enabled")
                && value == "false"))
            return false;
    }
    return true;
#endif
}

QString SetEnabled(bool enabled)
{
    const QString path = EntryPath();
    if (!enabled) {
        QFile entry(path);
        return !entry.exists() || entry.remove() ? QString() : entry.errorString();
    }
    if (!QDir().mkpath(QFileInfo(path).path()))
        return tr("cannot create the folder %1")
                .arg(QDir::toNativeSeparators(QFileInfo(path).path()));
#ifdef Q_OS_WIN
    return writeShortcut(path);
#else
    // The entry starts the program as the menu does, by its name on PATH, in the folder it works
    // in now.
    if (QStandardPaths::findExecutable(u"palvorin"_s).isEmpty())
        return tr("palvorin is not installed: it is not on PATH");
    QFile menuEntry(u":/palvorin.desktop"_s);
    const QByteArray text = menuEntry.open(QIODevice::ReadOnly)
            ? EntryFromMenuEntry(menuEntry.readAll(), QDir::currentPath())
            : QByteArray();
    if (text.isEmpty())
        return tr("the menu entry's command is not understood");
    QSaveFile entry(path);
    if (!entry.open(QIODevice::WriteOnly) || entry.write(text) != text.size() || !entry.commit())
        return entry.errorString();
    return {};
#endif
}

#ifndef Q_OS_WIN
QByteArray EntryFromMenuEntry(const QByteArray &menuEntry, const QString &folder)
{
    static const QRegularExpression exec(uR"(^Exec=.*\bexec palvorin"?$)"_s,
                                         QRegularExpression::MultilineOption);
    static const QRegularExpression comment(u"^#.*\n"_s, QRegularExpression::MultilineOption);
    QString text = QString::fromUtf8(menuEntry).remove(comment).trimmed();
    const QRegularExpressionMatch command = exec.match(text);
    if (!command.hasMatch())
        return {};
    // The folder as a desktop entry's string; every blank escaped, as one at the start would be
    // dropped.
    QString path = folder;
    path.replace(u'\\', u"\\\\"_s)
            .replace(u'\n', u"\\n"_s)
            .replace(u'\t', u"\\t"_s)
            .replace(u'\r', u"\\r"_s)
            .replace(u' ', u"\\s"_s);
    text.replace(command.capturedStart(), command.capturedLength(),
                 u"Exec=palvorin "_s + QLatin1StringView(Argument) + u"\nPath="_s + path);
    return "# Palvorin's \"Start at sign-in\" made this entry from its menu entry; unticking it "
           "removes it.\n"
            + text.toUtf8() + '\n';
}
#endif

} // namespace Autostart
