// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "autostart.h"
#include "folderlock.h"
#include "mainwindow.h"
#include "orderlyend.h"
#include "passwordstore.h"
#include "settings.h"
#include "trayconnection.h"
#include "translations.h"
#include "trayicon.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // QSettings keeps the settings under these names.
    QApplication::setOrganizationName(u"Palvorin"_s);
    QApplication::setApplicationName(u"Palvorin"_s);
    QApplication::setApplicationVersion(QStringLiteral(PALVORIN_VERSION));
    QApplication::setDesktopFileName(u"palvorin"_s);
    QApplication::setWindowIcon(QIcon(u":/palvorin.png"_s));
    InstallTranslations(QLocale());
    EndInOrderWhenAsked(&app);
    // Before anything in the folder is read; released last.
    FolderLock folder(QDir::currentPath());
    if (!folder.Take())
        return 0;

    // The switch's address on the local network, chosen when the program is
    // built, until the user confirms another in the address box.
    PasswordStore keyring;
    Settings settings;
    MonitorSetup setup{ QStringLiteral(PALVORIN_DEVICE_ADDRESS) };
    setup.keyring = &keyring;
    setup.settings = &settings;
    MainWindow window(std::move(setup));
    TrayIcon tray(&window, &settings);
    ConnectTray(&window, &tray);
    ConnectNotices(&window, &tray, &settings);
    QObject::connect(&folder, &FolderLock::startedAgain, &tray, &TrayIcon::ShowWindow);
    tray.Start(QApplication::arguments().contains(QLatin1StringView(Autostart::Argument)));
    return app.exec();
}
