// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "autostart.h"
#include "fakedevice.h"
#include "folderlock.h"
#include "historywindow.h"
#include "mainwindow.h"
#include "passwordstore.h"
#include "productionlevel.h"
#include "settings.h"
#include "statefile.h"
#include "trayconnection.h"
#include "trayicon.h"

#include <QApplication>
#include <QDialog>
#include <QDirIterator>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#  include <qt_windows.h>
#  include <wincred.h>
#else
#  include <csignal>
#endif

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// The keyring's entry for a device, read and written by the system's own tool, or API on Windows.
QString keyringLookup(const QString &address)
{
#ifdef Q_OS_WIN
    const std::wstring target = (u"Palvorin:"_s + address).toStdWString();
    PCREDENTIALW found = nullptr;
    if (!CredReadW(target.c_str(), CRED_TYPE_GENERIC, 0, &found))
        return {};
    const QString password(reinterpret_cast<QChar *>(found->CredentialBlob),
                           found->CredentialBlobSize / 2);
    CredFree(found);
    return password;
#else
    QProcess tool;
    tool.start(u"secret-tool"_s, { u"lookup"_s, u"server"_s, u"Palvorin"_s, u"user"_s, address });
    return tool.waitForFinished() ? QString::fromUtf8(tool.readAllStandardOutput()) : u"?"_s;
#endif
}

#ifndef Q_OS_WIN
// The real program here, after the shell's `before`: in the network namespace that
// tests/desktopsession made for the session, with only loopback. A namespace of its own would
// reach the session's X server through the socket file alone, which an X server of another
// session running beside it (in its own namespace) may have taken over.
void startProgram(QProcess &program, const QStringList &arguments = {}, const QString &before = {})
{
    program.start(u"sh"_s,
                  QStringList{ u"-c"_s, before + u"exec \"$0\" \"$@\""_s,
                               QStringLiteral(PALVORIN_PROGRAM) }
                          + arguments);
}

// Whether the X server shows the program's window (321 pixels wide): only a shown one is mapped.
bool windowShown()
{
    const QString command = uR"(xwininfo -root -tree | awk '/"Palvorin": .* 321x/ {print $1}')"
                            uR"( | xargs -rn1 xwininfo -id | grep -q IsViewable)"_s;
    return QProcess::execute(u"sh"_s, { u"-c"_s, command }) == 0;
}

// Each file of the present folder, with when it was last written.
QStringList folderFiles()
{
    QStringList files;
    for (const QFileInfo &file : QDir().entryInfoList(QDir::Files | QDir::Hidden))
        files << file.fileName() + file.lastModified().toString(Qt::ISODateWithMs);
    return files;
}
#endif

} // namespace

// The program as main() builds it, in a session of tests/desktopsession, which says whether it has
// a notification area and a keyring; each test in a fresh folder, the clock at noon, 2024-06-01.
class TestDesktop : public QObject
{
    Q_OBJECT

    const bool m_hasTray = qgetenv("PALVORIN_TEST_TRAY") == "1";
    const bool m_hasKeyring = qgetenv("PALVORIN_TEST_KEYRING") == "1";
    std::optional<QTemporaryDir> m_dir;
    std::unique_ptr<PasswordStore> m_keyring;
    std::unique_ptr<MainWindow> m_window;
    Settings m_settings;
    std::unique_ptr<TrayIcon> m_tray;

    void start(const QString &address, bool atSignIn = false)
    {
        stop();
        m_keyring.reset(new PasswordStore);
        m_window.reset(
                new MainWindow({ .presetAddress = address,
                                 .clock = [] { return QDateTime(QDate(2024, 6, 1), QTime(12, 0)); },
                                 .keyring = m_keyring.get(),
                                 .settings = &m_settings }));
        m_tray.reset(new TrayIcon(m_window.get(), &m_settings));
        ConnectTray(m_window.get(), m_tray.get());
        ConnectNotices(m_window.get(), m_tray.get(), &m_settings);
        m_tray->Start(atSignIn);
    }
    void stop()
    {
        m_tray.reset();
        m_window.reset();
        m_keyring.reset();
    }
    QSystemTrayIcon *icon() { return m_tray->findChild<QSystemTrayIcon *>(); }
    QAction *action(const QString &text)
    {
        for (QAction *action : icon()->contextMenu()->actions())
            if (action->text().remove(u'&') == text)
                return action;
        return nullptr;
    }
    QDialog *dialog() { return m_window->findChild<QDialog *>(); }
    void answer(const QString &password)
    {
        QTest::keyClicks(dialog()->findChild<QLineEdit *>(), password);
        QTest::keyClick(dialog()->findChild<QLineEdit *>(), Qt::Key_Return);
    }
    QWidget *balloon()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->inherits("QBalloonTip") && widget->isVisible())
                return widget;
        return nullptr;
    }
    static QByteArray bytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void initTestCase()
    {
        // A session without what it should have fails every test (trayer takes the area late, on
        // a loaded machine very late).
        QTRY_COMPARE_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), m_hasTray, 30000);
#ifndef Q_OS_WIN
        QFile::link(QStringLiteral(PALVORIN_PROGRAM), QDir::homePath() + u"/palvorin"_s);
        qputenv("PATH", QDir::homePath().toLocal8Bit() + ':' + qgetenv("PATH")); // for autostart
#endif
    }
    void init()
    {
        // A folder whose name a desktop entry or a shell could take apart.
        const QString folder = m_dir.emplace().path() + u"/ solar $HOME 100% 'east' \\n"_s;
        QVERIFY(QDir().mkpath(folder) && QDir::setCurrent(folder));
    }
    void cleanup()
    {
        stop();
        m_settings.setDeviceAddress({});
        QDir::setCurrent(QDir::tempPath());
    }

    void productionLevel_data()
    {
        QTest::addColumn<QList<double>>("watts"); // one after the other on 2024-06-01
        QTest::addColumn<int>("newDay"); // the first reading of 2024-06-02
        QTest::addColumn<QList<int>>("levels");
        QTest::newRow("the first is the peak; half, over three quarters, three quarters, a trickle")
                << QList<double>{ 400, 200, 300.5, 300, 1 } << 9 << QList{ 4, 2, 4, 3, 1 };
        QTest::newRow("below a watt nothing is produced, and no peak set")
                << QList<double>{ 0, 50, 0.99, -3 } << 9 << QList{ 0, 4, 0, 0 };
        QTest::newRow("a new day forgets the peak")
                << QList<double>{ 1000, 100, 50 } << 1 << QList{ 4, 4, 2 };
    }
    void productionLevel()
    {
        QFETCH(QList<double>, watts);
        QFETCH(int, newDay);
        ProductionLevel level;
        QList<int> levels;
        for (int i = 0; i < watts.size(); ++i)
            levels << level.Add(i < newDay ? u"2024-06-01"_s : u"2024-06-02"_s, watts[i]);
        QTEST(levels, "levels");
    }

    // After a 230.4 W reading, the row's reply: the ring shows the level, no reading greys it all.
    void trayShowsTheWindowsTexts_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("figures");
        QTest::addColumn<bool>("ringGreen");
        QTest::addColumn<bool>("boltOrange");
        QTest::newRow("a quarter of the peak")
                << FakeDevice::reading("5", "50") << u"50.0 W · today 0.0 Wh"_s << true << true;
        QTest::newRow("producing nothing")
                << FakeDevice::reading("5", "0") << u"0.0 W · today 0.0 Wh"_s << false << true;
        QTest::newRow("poll failed")
                << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n")
                << u"230.4 W · today 0.0 Wh"_s << false << false;
    }
    void trayShowsTheWindowsTexts()
    {
        FakeDevice device;
        device.reply = FakeDevice::reading("5", "230.44");
        start(device.address());
        if (m_hasTray && QGuiApplication::platformName() == u"xcb"_s) // embedded in trayer
            QTRY_VERIFY(icon()->geometry().width() > 0);
        QTRY_VERIFY(icon()->toolTip().startsWith(u"230.4 W"_s));
        QFETCH(QByteArray, reply);
        device.reply = reply;
        m_window->pollCycle()->PollDevice(device.address());
        QTRY_VERIFY(!m_window->pollCycle()->isPolling());
        QFETCH(QString, figures);
        QCOMPARE(icon()->toolTip(),
                 figures + u'\n' + m_window->statusText()
                         + u"\nDevice: PlusPlugS (shellyplusplugs-b0b21c19a7c8)"_s);
        const QImage image = icon()->icon().pixmap(64).toImage();
        QTEST(image.pixelColor(51, 12).hsvSaturation() > 100, "ringGreen"); // at half past one
        QTEST(image.pixelColor(32, 30).hsvSaturation() > 100, "boltOrange");
    }

    // The address confirmed with Return ("\n"; a run each) is polled at the next start, else the
    // built-in one; the device found there by the first run is polled by its reading alone.
    void addressKeptForTheNextStart_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("kept");
        QTest::newRow("none confirmed") << QStringList() << false;
        QTest::newRow("confirmed") << QStringList{ u"DEVICE\n"_s } << true;
        QTest::newRow("typed without Return") << QStringList{ u"DEVICE"_s } << false;
        QTest::newRow("then an empty one") << QStringList{ u"DEVICE\n"_s, u"\n"_s } << false;
        QTest::newRow("then one with a password")
                << QStringList{ u"DEVICE\n"_s, u"a:b@DEVICE\n"_s } << true;
    }
    void addressKeptForTheNextStart()
    {
        FakeDevice device;
        device.reply = FakeDevice::reading("5", "1");
        const QString builtIn = FakeDevice().address();
        QFETCH(QStringList, typed);
        for (const QString &text : typed) {
            start(builtIn);
            auto *box = m_window->findChild<QLineEdit *>(u"txtIP"_s);
            box->clear();
            QTest::keyClicks(box,
                             QString(text).remove(u'\n').replace(u"DEVICE"_s, device.address()));
            if (text.endsWith(u'\n'))
                QTest::keyClick(box, Qt::Key_Return);
            QTRY_VERIFY(!m_window->pollCycle()->isPolling());
        }
        const qsizetype asked = device.targets.size();
        start(builtIn);
        QFETCH(bool, kept);
        QTRY_COMPARE(m_window->statusText(),
                     kept ? u"Last update: 2024-06-01 12:00:00"_s
                          : u"Poll failed at 12:00:00: Connection refused by "_s + builtIn);
        // (A poll the last run abandoned may still reach the device: only what it is asked counts.)
        QVERIFY(!device.targets.sliced(asked).contains("/shelly"));
    }

    // A state file of today shows its figure at start, before any poll; one of yesterday 0.
    void todayShownAtStart_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("shown");
        QTest::newRow("state of today") << u"2024-06-01"_s << u"12.5 Wh"_s;
        QTest::newRow("state of yesterday") << u"2024-05-31"_s << u"0.0 Wh"_s;
    }
    void todayShownAtStart()
    {
        QFETCH(QString, day);
        QFETCH(QString, shown);
        QVERIFY(StateFile::SaveState({ day, 510, true, 12.5 }, u"shelly_daily_state.txt"_s));
        start(QString());
        QCOMPARE(m_window->findChild<QWidget *>(u"lblToday"_s)->property("text"), shown);
        QCOMPARE(icon()->toolTip(),
                 u"Palvorin · today "_s + shown + u'\n' + m_window->statusText());
    }

    // Closed twice, then after a fresh start: the notice comes once ever. Quit ends the program.
    void closingKeepsItInTheTray()
    {
        start(QString());
        for (int time = 0; time < 3; ++time) {
            if (time == 2)
                start(QString());
            QVERIFY(m_window->close() != m_hasTray && !m_window->isVisible());
#ifndef Q_OS_WIN
            QCOMPARE(balloon() != nullptr, m_hasTray && time == 0);
            if (balloon())
                balloon()->close();
#endif
            action(u"Show window"_s)->trigger();
            QVERIFY(m_window->isVisible());
        }
        Q_EMIT icon()->contextMenu()->aboutToShow(); // the item now hides the window
        action(u"Hide window"_s)->trigger();
        QVERIFY(!m_window->isVisible());
        bool quitChosen = false; // hidden in the tray, it outlives a dialog of its own
        connect(action(u"Quit"_s), &QAction::triggered, this, [&] { quitChosen = true; });
        QTimer::singleShot(0, m_window.get(), [this] {
            m_window->close();
            dialog()->open();
            dialog()->close();
            if (m_hasTray)
                QTimer::singleShot(100, action(u"Quit"_s), &QAction::trigger);
        });
        QTimer unended; // ends the loop below when the program does not
        unended.callOnTimeout(qApp, [] { QCoreApplication::exit(1); });
        unended.start(20s);
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(quitChosen, m_hasTray);
    }

    // Each item of the tray's menu has a key of its own.
    void trayMenuMnemonics()
    {
        start(QString());
        QSet<QKeySequence> keys;
        for (QAction *action : icon()->contextMenu()->actions())
            keys.insert(QKeySequence::mnemonic(action->text())); // the separator's is none
        QCOMPARE(keys.size(), icon()->contextMenu()->actions().size());
    }

    // An entry a desktop's settings switched off leaves the item unticked.
    void startAtSignInSwitchedOff_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("GNOME or Cinnamon") << QByteArray("X-GNOME-Autostart-enabled=false");
        QTest::newRow("MATE, blanks around =") << QByteArray("X-MATE-Autostart-enabled = false");
    }
    void startAtSignInSwitchedOff()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows has no autostart entry");
#endif
        QVERIFY(Autostart::SetEnabled(true).isEmpty() && Autostart::IsEnabled());
        QFile entry(Autostart::EntryPath());
        QFETCH(QByteArray, line);
        QVERIFY(entry.open(QIODevice::Append) && entry.write(line + '\n') > 0 && entry.flush());
        QVERIFY(!Autostart::IsEnabled());
        QVERIFY(Autostart::SetEnabled(false).isEmpty());
    }

    // One program per folder: a second start shows the first one's window (hidden at sign-in in
    // the tray) and ends at once, writing nothing. Told to end, the first ends in order: its lock,
    // which nothing else removes, is gone.
    void oneProgramPerFolder_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("ignored"); // signals ignored from the start, as nohup does
#ifndef Q_OS_WIN
        QTest::newRow("terminated") << SIGTERM << QString();
        QTest::newRow("interrupted (Ctrl+C)") << SIGINT << QString();
        QTest::newRow("its terminal hung up") << SIGHUP << QString();
        QTest::newRow("hung up under nohup: goes on") << SIGHUP << u"HUP"_s;
#endif
    }
    void oneProgramPerFolder()
    {
#ifndef Q_OS_WIN
        QVERIFY(qEnvironmentVariableIsSet("DESKTOPSESSION_INSIDE")); // no network but loopback
        QFETCH(int, signal);
        QFETCH(QString, ignored);
        QProcess first;
        startProgram(first, { QString::fromLatin1(Autostart::Argument) },
                     ignored.isEmpty() ? QString() : u"trap '' "_s + ignored + u"; "_s);
        const QFileInfo lock(QLatin1StringView(FolderLock::FileName));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(lock.filePath()).size() > 0, 20000); // written whole
        const auto files = folderFiles();
        QProcess second;
        startProgram(second);
        QVERIFY(second.waitForFinished(20000));
        QVERIFY(second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0);
        QCOMPARE(folderFiles(), files);
        QTRY_VERIFY_WITH_TIMEOUT(windowShown(), 20000);
        // No password remembered: the keyring's libraries stay out of the start.
        const QString maps = u"/proc/%1/maps"_s.arg(first.processId());
        QVERIFY(!bytes(maps).isEmpty() && !bytes(maps).contains("libsecret"));
        QCOMPARE(::kill(pid_t(first.processId()), signal), 0);
        if (!ignored.isEmpty()) {
            QVERIFY(!first.waitForFinished(2000));
            QCOMPARE(::kill(pid_t(first.processId()), SIGTERM), 0);
        }
        QVERIFY(first.waitForFinished(20000));
        QVERIFY(first.exitStatus() == QProcess::NormalExit && first.exitCode() == 0);
        QVERIFY(!QFile::exists(lock.filePath()));
#endif
    }

    // A notice shows in the notification area, else by the desktop's notification service; a
    // click on it brings up the window, or History for the day's yield.
    void noticeShownAndClicked_data()
    {
        QTest::addColumn<NoticeKind>("kind");
        QTest::addColumn<bool>("history");
        QTest::newRow("production stopped") << NoticeKind::Stopped << false;
        QTest::newRow("the day's yield") << NoticeKind::Yield << true;
    }
    void noticeShownAndClicked()
    {
        QFETCH(NoticeKind, kind);
        QFETCH(bool, history);
        QProcess service;
        if (!m_hasTray) { // on Linux only: Windows always has the area
            service.start(QStringLiteral(PALVORIN_FAKENOTIFICATIONS));
            QTRY_VERIFY(service.canReadLine());
            QCOMPARE(service.readLine(), "ready\n");
        }
        start(QString());
        m_window->hide();
        QVERIFY(m_tray->Notify(kind, u"Production stopped"_s, u"Nothing since 13:10 · 0 W"_s));
        if (m_hasTray) {
#ifdef Q_OS_WIN
            Q_EMIT icon()->messageClicked(); // Windows' own notification is not clicked from here
#else
            QTRY_VERIFY(balloon());
            QTest::mouseClick(balloon(), Qt::LeftButton);
#endif
        } else {
            QTRY_VERIFY(service.canReadLine());
            QCOMPARE(QString::fromUtf8(service.readLine()),
                     u"1\tProduction stopped\tNothing since 13:10 · 0 W\n"_s);
            service.write("1\n");
        }
        if (history)
            QTRY_VERIFY(m_window->findChild<HistoryWindow *>()
                        && m_window->findChild<HistoryWindow *>()->isVisible());
        else
            QTRY_VERIFY(m_window->isVisible());
        service.closeWriteChannel();
        QVERIFY(service.state() == QProcess::NotRunning || service.waitForFinished());
    }

    // Remember and Start at sign-in ticked, a sign-in polls from the tray without a question (asks
    // again without a keyring). A changed password: the one kept is refused, forgotten, asked for.
    void rememberedForTheNextSignIn()
    {
        FakeDevice device;
        device.reply = FakeDevice::reading("5", "230.44");
        device.password = "pass:word";
        // As copied from the device's web page: remembered under its host and port all the same.
        const QString address = u" http://"_s + device.address() + u"/"_s;
        start(address);
        auto *remember = dialog()->findChild<QWidget *>(u"chkRemember"_s);
        QVERIFY(!remember->isEnabled()); // until the keyring answers
        QTRY_VERIFY(dialog()->isVisible());
        QVERIFY(dialog()->findChild<QWidget *>(u"lblRefused"_s)->isHidden());
        QCOMPARE(remember->isEnabled(), m_hasKeyring);
        QVERIFY2(m_hasKeyring || remember->toolTip().startsWith(u"No keyring answers ("_s),
                 qPrintable(remember->toolTip()));
        QTest::keyClick(remember, Qt::Key_Space);
        QSignalSpy written(m_keyring.get(), &PasswordStore::writeFinished);
        answer(u"pass:word"_s);
        QTRY_COMPARE(m_window->statusText(), u"Last update: 2024-06-01 12:00:00"_s);
        QTRY_COMPARE(written.size(), m_hasKeyring ? 1 : 0);
        QCOMPARE(remember->isEnabled(), m_hasKeyring); // a write that worked leaves it as it was
        QCOMPARE(keyringLookup(device.address()), m_hasKeyring ? u"pass:word"_s : QString());
        QAction *startAtSignIn = action(u"Start at sign-in"_s);
        QVERIFY(startAtSignIn->isCheckable() && !startAtSignIn->isChecked());
        const QString folder = QDir::toNativeSeparators(QDir::currentPath());
        QVERIFY2(startAtSignIn->toolTip().endsWith(folder), qPrintable(startAtSignIn->toolTip()));
        startAtSignIn->trigger();
        QVERIFY(startAtSignIn->isChecked() && Autostart::IsEnabled());
        const QString entryPath = Autostart::EntryPath();
        const QByteArray entry = bytes(entryPath);
#ifdef Q_OS_WIN
        // The shortcut starts the program with --autostart in this folder.
        for (const QString &part : { u"--autostart"_s, folder })
            QVERIFY(entry.contains(
                    QByteArray(reinterpret_cast<const char *>(part.utf16()), part.size() * 2)));
#else
        // Started as a desktop does, the program runs in this folder, odd as its name is.
        QVERIFY(entry.contains("Exec=palvorin --autostart\n"));
        QCOMPARE(QProcess::execute(u"desktop-file-validate"_s, { u"--no-hints"_s, entryPath }), 0);
        const QString program = QStringLiteral(PALVORIN_PROGRAM);
        QCOMPARE(QProcess::execute(QStringLiteral(PALVORIN_MENULAUNCH),
                                   { program, entryPath, QDir::currentPath() }),
                 0);
#endif

        device.nonce = "1717236060"; // a new run's requests answer a new nonce
        start(address, true);
        // Without a notification area the window shows once it has waited for one.
        const auto waited = TrayIcon::SignInTrayWait + std::chrono::seconds(5);
        QTRY_COMPARE_WITH_TIMEOUT(m_window->isVisible(), !m_hasTray,
                                  int(std::chrono::milliseconds(waited).count()));
        if (!m_hasKeyring) {
            QTRY_VERIFY(dialog()->isVisible());
            answer(u"pass:word"_s);
        }
        QTRY_COMPARE(m_window->statusText(), u"Last update: 2024-06-01 12:00:00"_s);
        QVERIFY(!dialog()->isVisible());
        QVERIFY(icon()->toolTip().startsWith(u"230.4 W"_s));
        // Typed after a start on another device, it is found in the keyring too.
        device.nonce = "1717236120";
        start(u"127.0.0.1:1"_s);
        auto *box = m_window->findChild<QLineEdit *>(u"txtIP"_s);
        box->setText(address);
        QTest::keyClick(box, Qt::Key_Return);
        if (!m_hasKeyring) {
            QTRY_VERIFY(dialog()->isVisible());
            answer(u"pass:word"_s);
        }
        QTRY_COMPARE(m_window->statusText(), u"Last update: 2024-06-01 12:00:00"_s);
        QVERIFY(!dialog()->isVisible());
        device.password = "N3w:pass";
        m_window->pollCycle()->PollDevice(address);
        QTRY_VERIFY(dialog()->isVisible());
        QVERIFY(dialog()->findChild<QWidget *>(u"lblRefused"_s)->isVisible());
        QTRY_COMPARE(keyringLookup(device.address()), QString());
#ifndef Q_OS_WIN // the Credential Manager has no lock
        if (m_hasKeyring) { // locked, it refuses the new one to remember: the status line says so
            const QString lock =
                    u"call --session --dest org.freedesktop.secrets --object-path "
                    u"/org/freedesktop/secrets --method org.freedesktop.Secret.Service.Lock "
                    u"['/org/freedesktop/secrets/collection/login']"_s;
            QCOMPARE(QProcess::execute(u"gdbus"_s, lock.split(u' ')), 0);
            QTest::keyClick(dialog()->findChild<QWidget *>(u"chkRemember"_s), Qt::Key_Space);
            answer(u"N3w:pass"_s);
            QTRY_VERIFY2(m_window->statusText().startsWith(
                                 u"Last update: 2024-06-01 12:00:00 (password not remembered: "_s),
                         qPrintable(m_window->statusText()));
        }
#endif
        action(u"Start at sign-in"_s)->trigger(); // unticked
        QVERIFY(!QFile::exists(entryPath));
        // Made again by another copy of the program: the menu shows it when it opens.
        QVERIFY(Autostart::SetEnabled(true).isEmpty());
        icon()->contextMenu()->popup({});
        QVERIFY(action(u"Start at sign-in"_s)->isChecked());
        icon()->contextMenu()->hide();
        stop();
        const auto flags = QDirIterator::Subdirectories;
        for (const QString &folder : { QDir::homePath(), QDir::currentPath() })
            for (QDirIterator it(folder, QDir::Files | QDir::Hidden, flags); it.hasNext();)
                QVERIFY2(!bytes(it.next()).contains("pass:word"), qPrintable(it.filePath()));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(u"Palvorin"_s);
    QApplication::setApplicationName(u"Palvorin"_s);
    TestDesktop test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"
