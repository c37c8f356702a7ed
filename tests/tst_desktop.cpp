// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "autostart.h"
#include "fakedevice.h"
#include "mainwindow.h"
#include "passwordstore.h"
#include "productionlevel.h"
#include "settings.h"
#include "trayicon.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#  include <qt_windows.h>
#  include <wincred.h>
#endif

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

void setNames()
{
    QApplication::setOrganizationName(u"Palvorin"_s);
    QApplication::setApplicationName(u"Palvorin"_s);
}

// The keyring's entry for a device, read and written by the system's own tool, or API on Windows.
QString keyringLookup(const QString &address)
{
#ifdef Q_OS_WIN
    PCREDENTIALW credential = nullptr;
    if (!CredReadW((u"Palvorin:"_s + address).toStdWString().c_str(), CRED_TYPE_GENERIC, 0,
                   &credential))
        return {};
    const QString password =
            QString::fromWCharArray(reinterpret_cast<wchar_t *>(credential->CredentialBlob),
                                    credential->CredentialBlobSize / 2);
    CredFree(credential);
    return password;
#else
    QProcess tool;
    tool.start(u"secret-tool"_s, { u"lookup"_s, u"server"_s, u"Palvorin"_s, u"user"_s, address });
    return tool.waitForFinished() ? QString::fromUtf8(tool.readAllStandardOutput()) : u"?"_s;
#endif
}

bool keyringStore(const QString &address, const QString &password)
{
#ifdef Q_OS_WIN
    std::wstring target = (u"Palvorin:"_s + address).toStdWString();
    std::wstring secret = password.toStdWString();
    CREDENTIALW credential = {};
    credential.Type = CRED_TYPE_GENERIC;
    credential.TargetName = target.data();
    credential.CredentialBlob = reinterpret_cast<LPBYTE>(secret.data());
    credential.CredentialBlobSize = DWORD(secret.size() * 2);
    credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
    return CredWriteW(&credential, 0);
#else
    QProcess tool;
    tool.start(u"secret-tool"_s,
               { u"store"_s, u"--label=Palvorin"_s, u"xdg:schema"_s, u"org.qt.keychain"_s,
                 u"server"_s, u"Palvorin"_s, u"user"_s, address, u"type"_s, u"plaintext"_s });
    tool.write(password.toUtf8());
    tool.closeWriteChannel();
    return tool.waitForFinished() && tool.exitCode() == 0;
#endif
}

} // namespace

// The program as main() puts it together, in the session tests/desktopsession gives it: with or
// without a notification area and a keyring, as PALVORIN_TEST_TRAY and PALVORIN_TEST_KEYRING say.
// Each test in a fresh working directory; the window's clock at noon, 2024-06-01.
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
        m_tray.reset();
        m_window.reset();
        m_keyring.reset(new PasswordStore);
        m_window.reset(
                new MainWindow({ .presetAddress = address,
                                 .clock = [] { return QDateTime(QDate(2024, 6, 1), QTime(12, 0)); },
                                 .deviceTimeout = 2s,
                                 .openInEditor = [](auto &) { return QString(); },
                                 .keyring = m_keyring.get() }));
        m_tray.reset(new TrayIcon(m_window.get(), &m_settings));
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
    QString statusText() { return m_window->statusText(); }
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
        // A session without what it should have fails every test.
        QCOMPARE(QSystemTrayIcon::isSystemTrayAvailable(), m_hasTray);
        QVERIFY(!qgetenv("PALVORIN_TEST_KEYRING").isEmpty());
#ifndef Q_OS_WIN
        // The autostart entry starts palvorin from PATH.
        QVERIFY(QDir().mkpath(QDir::homePath() + u"/bin"_s));
        QFile::link(QStringLiteral(PALVORIN_PROGRAM), QDir::homePath() + u"/bin/palvorin"_s);
        qputenv("PATH", QDir::homePath().toLocal8Bit() + "/bin:" + qgetenv("PATH"));
#endif
    }
    void init()
    {
        QVERIFY(QDir::setCurrent(m_dir.emplace().path()));
    }
    void cleanup()
    {
        stop();
        QVERIFY(Autostart::SetEnabled(false).isEmpty());
        QSettings().clear();
        QDir::setCurrent(QDir::tempPath());
    }

    // Readings one after the other on 2024-06-01; from `newDay` on, on 2024-06-02.
    void productionLevel_data()
    {
        QTest::addColumn<QList<double>>("watts");
        QTest::addColumn<int>("newDay");
        QTest::addColumn<QList<int>>("levels");
        QTest::newRow("the first reading is the peak") << QList<double>{ 300 } << 9 << QList{ 4 };
        QTest::newRow("half the peak") << QList<double>{ 400, 200 } << 9 << QList{ 4, 2 };
        QTest::newRow("over three quarters shows four")
                << QList<double>{ 400, 300.5, 300 } << 9 << QList{ 4, 4, 3 };
        QTest::newRow("a trickle shows") << QList<double>{ 1000, 1 } << 9 << QList{ 4, 1 };
        QTest::newRow("below a watt nothing is produced")
                << QList<double>{ 400, 0.99, -3 } << 9 << QList{ 4, 0, 0 };
        QTest::newRow("nothing produced sets no peak")
                << QList<double>{ 0, 50 } << 9 << QList{ 0, 4 };
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

    // After a reading of 230.4 W, the row's reply. The ring shows the level; the whole icon is
    // greyed when a poll brings no reading.
    void trayShowsTheWindowsTexts_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("figures");
        QTest::addColumn<bool>("ringGreen");
        QTest::addColumn<bool>("boltOrange");
        QTest::newRow("producing") << FakeDevice::ok(R"({"apower":230.44,"total":5})")
                                   << u"230.4 W · today 0.0 Wh"_s << true << true;
        QTest::newRow("producing nothing") << FakeDevice::ok(R"({"apower":0,"total":5})")
                                           << u"0.0 W · today 0.0 Wh"_s << false << true;
        QTest::newRow("poll failed")
                << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n")
                << u"230.4 W · today 0.0 Wh"_s << false << false;
    }
    void trayShowsTheWindowsTexts()
    {
        FakeDevice device;
        device.reply = FakeDevice::ok(R"({"apower":230.44,"total":5})");
        start(device.address());
        QVERIFY(icon()->isVisible());
        if (m_hasTray) // embedded in the notification area
            QTRY_VERIFY(icon()->geometry().width() > 0);
        QTRY_VERIFY(icon()->toolTip().startsWith(u"230.4 W"_s));
        QFETCH(QByteArray, reply);
        device.reply = reply;
        m_window->pollCycle()->PollDevice(device.address());
        QTRY_VERIFY(!m_window->pollCycle()->isPolling());
        QFETCH(QString, figures);
        QCOMPARE(icon()->toolTip(), figures + u'\n' + statusText());
        QVERIFY(statusText().startsWith(u"Poll failed at 12:00:00: HTTP 404"_s)
                || statusText() == u"Last update: 2024-06-01 12:00:00"_s);
        const QImage image = icon()->icon().pixmap(64).toImage();
        QTEST(image.pixelColor(32, 4).hsvSaturation() > 100, "ringGreen");
        QTEST(image.pixelColor(32, 30).hsvSaturation() > 100, "boltOrange");
    }

    // Closed twice, then again after a fresh start: the notice that Palvorin keeps running in the
    // notification area comes once ever.
    void closingKeepsItInTheTray()
    {
        start(QString());
        QVERIFY(m_window->isVisible());
        for (int time = 0; time < 3; ++time) {
            if (time == 2)
                start(QString());
            QCOMPARE(m_window->close(), !m_hasTray);
            QVERIFY(!m_window->isVisible());
#ifndef Q_OS_WIN
            QCOMPARE(balloon() != nullptr, m_hasTray && time == 0);
            if (balloon())
                balloon()->close();
#endif
            m_window->show();
        }
    }

    void programEnds_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Quit in the tray's menu") << u"quit"_s;
        if (!m_hasTray)
            QTest::newRow("window closed without a notification area") << u"close"_s;
    }
    // In a program of its own: the test's event loop must go on.
    void programEnds()
    {
        QFETCH(QString, how);
        QProcess program;
        program.start(QCoreApplication::applicationFilePath(), { how });
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    void startAtSignIn()
    {
        start(QString());
        QAction *item = action(u"Start at sign-in"_s);
        QVERIFY(item->isCheckable() && !item->isChecked());
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", "/nonexistent"); // not installed: nothing is written
        item->trigger();
        qputenv("PATH", path);
        QVERIFY(!item->isChecked() && !QFile::exists(Autostart::EntryPath()));
        item->trigger();
        QVERIFY(item->isChecked() && Autostart::IsEnabled());
        const QByteArray entry = bytes(Autostart::EntryPath());
#ifdef Q_OS_WIN
        // The shortcut starts this program with --autostart in Documents\Palvorin.
        for (const QString &part :
             { QDir::toNativeSeparators(QCoreApplication::applicationFilePath()), u"--autostart"_s,
               QDir::toNativeSeparators(QDir::homePath() + u"/Documents/Palvorin"_s) })
            QVERIFY2(entry.contains(QByteArray(reinterpret_cast<const char *>(part.utf16()),
                                               part.size() * 2)),
                     qPrintable(part));
#else
        // The menu entry's lines, its command given --autostart.
        QByteArray menu = bytes(u":/palvorin.desktop"_s);
        menu.replace("exec palvorin\"\n", "exec palvorin --autostart\"\n");
        for (const QByteArray &line : menu.split('\n'))
            QVERIFY2(line.startsWith('#') || entry.contains(line + '\n'), line);
        QCOMPARE(QProcess::execute(u"desktop-file-validate"_s,
                                   { u"--no-hints"_s, Autostart::EntryPath() }),
                 0);
        // Started as a desktop starts it, it works in the documents folder's Palvorin.
        QCOMPARE(QProcess::execute(QStringLiteral(PALVORIN_MENULAUNCH),
                                   { QStringLiteral(PALVORIN_PROGRAM), Autostart::EntryPath() }),
                 0);
        QFile file(Autostart::EntryPath());
        QVERIFY(file.open(QIODevice::Append) && file.write("Hidden=true\n"));
        file.close();
        QVERIFY(!Autostart::IsEnabled()); // switched off by the desktop's settings
#endif
        item->trigger();
        QVERIFY(!item->isChecked() && !QFile::exists(Autostart::EntryPath()));
    }

    // A user ticks Remember and Start at sign-in, and signs in again: the program polls the
    // device from the tray without a question. Without a keyring, it asks again, as before.
    void rememberedForTheNextSignIn()
    {
        FakeDevice device;
        device.reply = FakeDevice::ok(R"({"apower":230.44,"total":5})");
        device.password = "pass:word";
        // As copied from the device's web page: remembered under its host and port all the same.
        const QString address = u" http://"_s + device.address() + u"/"_s;
        start(address);
        QTRY_VERIFY(dialog()->isVisible());
        auto *remember = dialog()->findChild<QCheckBox *>();
        QCOMPARE(remember->isEnabled(), m_hasKeyring);
        QVERIFY2(m_hasKeyring || remember->toolTip().startsWith(u"No keyring answers ("_s),
                 qPrintable(remember->toolTip()));
        remember->click();
        answer(u"pass:word"_s);
        QTRY_COMPARE(statusText(), u"Last update: 2024-06-01 12:00:00"_s);
        QTRY_COMPARE(keyringLookup(device.address()), m_hasKeyring ? u"pass:word"_s : QString());
        action(u"Start at sign-in"_s)->trigger();

        start(address, true);
        QCOMPARE(m_window->isVisible(), !m_hasTray);
        if (m_hasKeyring) {
            QTRY_COMPARE(statusText(), u"Last update: 2024-06-01 12:00:00"_s);
            QVERIFY(!dialog()->isVisible());
            QVERIFY(icon()->toolTip().startsWith(u"230.4 W"_s));
        } else {
            QTRY_VERIFY(dialog()->isVisible());
        }
        stop();
        for (const QString &folder : { QDir::homePath(), QDir::currentPath() })
            for (QDirIterator file(folder, QDir::Files | QDir::Hidden,
                                   QDirIterator::Subdirectories);
                 file.hasNext();)
                QVERIFY2(!bytes(file.next()).contains(device.password),
                         qPrintable(file.filePath()));
    }

    // The device refuses the remembered password, or the one typed: the keyring forgets it, and
    // the question says why it comes again.
    void refusedPasswordForgotten()
    {
        FakeDevice device;
        device.reply = FakeDevice::ok(R"({"total":5})");
        device.password = "right";
        QVERIFY(!m_hasKeyring || keyringStore(device.address(), u"wrong"_s));
        start(device.address());
        auto *refused = dialog()->findChild<QLabel *>(u"lblRefused"_s);
        if (!m_hasKeyring) {
            QTRY_VERIFY(dialog()->isVisible());
            QVERIFY(refused->isHidden());
            answer(u"wrong"_s);
            QTRY_VERIFY(!dialog()->isVisible());
        }
        QTRY_VERIFY(dialog()->isVisible());
        QVERIFY(!refused->isHidden());
        QTRY_COMPARE(keyringLookup(device.address()), QString());
        answer(u"right"_s);
        QTRY_COMPARE(statusText(), u"Last update: 2024-06-01 12:00:00"_s);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setNames();
    // "quit" or "close": the program ends by the tray's Quit, or by closing its window.
    if (argc == 2 && (qstrcmp(argv[1], "quit") == 0 || qstrcmp(argv[1], "close") == 0)) {
        MainWindow window({});
        Settings settings;
        TrayIcon tray(&window, &settings);
        tray.Start(false);
        QTimer::singleShot(0, &window, [&] {
            if (qstrcmp(argv[1], "quit") == 0)
                tray.findChild<QSystemTrayIcon *>()->contextMenu()->actions().last()->trigger();
            else
                window.close();
        });
        return app.exec();
    }
    TestDesktop test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"
