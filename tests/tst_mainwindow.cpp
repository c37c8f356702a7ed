#include "fakedevice.h"
#include "mainwindow.h"
#include "statefile.h"
#include "texteditor.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QDateTime Noon(QDate(2024, 6, 1), QTime(12, 0, 0));

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void controls_data();
    void controls();
    void keyboardFocus();
    void startsWithLoadedLineThenPolls();
    void unreachableDeviceWithoutState();
    void clearedAddressOnTick();
    void details_data();
    void details();
    void realEditorIsStartedDetached();
    void longStatusWrapsAndShowsInTooltip();

private:
    MonitorSetup setup(const QString &address);
    template<typename T>
    T *child(QWidget &window, const char *name)
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDir;
    QStringList m_opened;
};

void TestMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_opened.clear();
}

void TestMainWindow::cleanup()
{
    QDir::setCurrent(m_previousDir);
}

MonitorSetup TestMainWindow::setup(const QString &address)
{
    MonitorSetup setup{address};
    setup.clock = [] { return Noon; };
    setup.deviceTimeout = 500ms;
    setup.openInEditor = [this](const QString &name) {
        m_opened.append(name);
        return true;
    };
    return setup;
}

void TestMainWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    QTest::newRow("header") << u"lblIP"_s << QRect(8, 8, 265, 25)
                            << u"Shelly IP:                    Current                    Day"_s;
    QTest::newRow("address box") << u"txtIP"_s << QRect(8, 24, 81, 19) << u"127.0.0.1:1"_s;
    QTest::newRow("day energy") << u"lblToday"_s << QRect(184, 24, 81, 25) << u"0.0 Wh"_s;
    QTest::newRow("status line") << u"lblStatus"_s << QRect(8, 56, 193, 33) << u"Loaded. Polling every 60s."_s;
    QTest::newRow("power") << u"lblNow"_s << QRect(96, 24, 73, 25) << u"0.0 W"_s;
    QTest::newRow("details") << u"Command1"_s << QRect(200, 48, 49, 25) << u"Details"_s;
}

void TestMainWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    MainWindow window(setup(u"127.0.0.1:1"_s));
    QCOMPARE(window.windowTitle(), u"Palvorin"_s);
    QWidget *control = window.findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(control->geometry(), geometry);
    QVERIFY2(window.rect().contains(control->geometry()), "every control lies inside the window");
    QCOMPARE(control->property("text").toString(), text);
    QCOMPARE(window.findChild<QTimer *>(u"Timer1"_s)->interval(), 60000);
    QVERIFY(window.findChild<QTimer *>(u"Timer1"_s)->isActive());
}

void TestMainWindow::keyboardFocus()
{
    MainWindow window(setup(u"127.0.0.1:1"_s));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *address = child<QLineEdit>(window, "txtIP");
    auto *details = child<QPushButton>(window, "Command1");
    QCOMPARE(QApplication::focusWidget(), address);
    QTest::keyClick(address, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), details);
    QTest::keyClick(details, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), address);
    QCOMPARE(child<QLabel>(window, "lblToday")->font().bold(), true);
    QCOMPARE(child<QLabel>(window, "lblNow")->font().pointSize(), 12);
}

void TestMainWindow::startsWithLoadedLineThenPolls()
{
    QVERIFY(StateFile::SaveState(DailyTally{u"2024-06-01"_s, 1000, true, 28500}, QString::fromLatin1(StateFile::DefaultName)));
    FakeDevice device;
    device.answer = FakeAnswer::json(R"({"apower":3488.25,"aenergy":{"total":1010}})");
    device.answer.delay = 100ms;

    MainWindow window(setup(device.address()));
    auto *status = child<QLabel>(window, "lblStatus");
    // The window is usable at once; the restored sum shows with the first poll.
    QCOMPARE(status->text(), u"Loaded. Polling every 60s."_s);
    QCOMPARE(child<QLabel>(window, "lblToday")->text(), u"0.0 Wh"_s);
    QTRY_COMPARE(status->text(), u"Last update: 2024-06-01 12:00:00"_s);
    QCOMPARE(child<QLabel>(window, "lblNow")->text(), u"3488.3 W"_s);
    QCOMPARE(child<QLabel>(window, "lblToday")->text(), u"28510.0 Wh"_s);
    QCOMPARE(device.targets.size(), 1);
    for (const char *name : {"lblNow", "lblToday", "lblIP"}) {
        const QLabel *label = child<QLabel>(window, name);
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                 "the whole text shows");
    }
}

void TestMainWindow::unreachableDeviceWithoutState()
{
    MainWindow window(setup(u"127.0.0.1:%1"_s.arg(FakeDevice::closedPort())));
    auto *status = child<QLabel>(window, "lblStatus");
    QTRY_VERIFY2(status->text().startsWith(u"Poll failed at 12:00:00: Connection refused"_s), qPrintable(status->text()));
    QCOMPARE(child<QLabel>(window, "lblNow")->text(), u"0.0 W"_s);
    QCOMPARE(child<QLabel>(window, "lblToday")->text(), u"0.0 Wh"_s);
    QVERIFY(!QFile::exists(QString::fromLatin1(StateFile::DefaultName)));
}

void TestMainWindow::clearedAddressOnTick()
{
    FakeDevice device;
    device.answer = FakeAnswer::json(R"({"apower":5,"total":100})");
    MonitorSetup s = setup(device.address());
    s.pollInterval = 50ms;
    MainWindow window(s);
    auto *status = child<QLabel>(window, "lblStatus");
    QTRY_VERIFY(status->text().startsWith(u"Last update"_s));
    QTRY_VERIFY(device.targets.size() >= 2);

    child<QLineEdit>(window, "txtIP")->clear();
    QTRY_COMPARE(status->text(), u"Enter an IP address."_s);
    QCOMPARE(child<QLabel>(window, "lblNow")->text(), u"5.0 W"_s);
    QCOMPARE(child<QLabel>(window, "lblToday")->text(), u"0.0 Wh"_s);
}

void TestMainWindow::details_data()
{
    QTest::addColumn<bool>("editorStarts");
    QTest::addColumn<QString>("status");
    QTest::newRow("editor starts") << true << QString();
    QTest::newRow("no editor") << false
                               << u"Could not open daily_production_log.csv or production_log.csv: no text editor could be started."_s;
}

void TestMainWindow::details()
{
    QFETCH(bool, editorStarts);
    QFETCH(QString, status);
    MonitorSetup s = setup(u"127.0.0.1:1"_s);
    s.openInEditor = [&](const QString &name) {
        m_opened.append(name);
        return editorStarts;
    };
    MainWindow window(s);
    QTest::mouseClick(child<QPushButton>(window, "Command1"), Qt::LeftButton);
    QCOMPARE(m_opened, (QStringList{u"daily_production_log.csv"_s, u"production_log.csv"_s}));
    const QString shown = child<QLabel>(window, "lblStatus")->text();
    QVERIFY2(status.isEmpty() ? !shown.startsWith(u"Could not open"_s) : shown == status, qPrintable(shown));
    QVERIFY2(!QFile::exists(u"daily_production_log.csv"_s), "the logs are never created");
}

void TestMainWindow::realEditorIsStartedDetached()
{
    // A stand-in editor, made the desktop's default for plain text.
    const QString home = m_dir->path();
    QDir(home).mkpath(u"bin"_s);
    QDir(home).mkpath(u"data/applications"_s);
    const QString script = home + u"/bin/stand-in-editor"_s;
    QVERIFY(writeFile(script, "#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/../opened.txt\"\n"));
    QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(writeFile(home + u"/data/applications/stand-in.desktop"_s,
                      "[Desktop Entry]\nType=Application\nName=Stand-in\nExec=stand-in-editor %F\n"));
    QVERIFY(writeFile(home + u"/data/applications/mimeapps.list"_s,
                      "[Default Applications]\ntext/plain=missing.desktop;stand-in.desktop;\n"));

    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(home + u"/bin:"_s) + oldPath);
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + u"/data"_s));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + u"/config"_s));
    const QStringList command = TextEditorCommand(u"production_log.csv"_s);
    const bool started = OpenInTextEditor(u"production_log.csv"_s);
    qputenv("PATH", oldPath);
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CONFIG_HOME");

    QCOMPARE(command, (QStringList{u"stand-in-editor"_s, u"production_log.csv"_s}));
    QVERIFY(started);
    QFile opened(home + u"/opened.txt"_s);
    QTRY_VERIFY(opened.exists() && opened.size() > 0);
    QVERIFY(opened.open(QIODevice::ReadOnly));
    QCOMPARE(opened.readAll(), QByteArray("production_log.csv\n"));
}

void TestMainWindow::longStatusWrapsAndShowsInTooltip()
{
    MainWindow window(setup(u"not a device address"_s));
    auto *status = child<QLabel>(window, "lblStatus");
    QTRY_VERIFY(status->text().startsWith(u"Poll failed at 12:00:00: "_s));
    QVERIFY(status->text().size() > 60);
    QCOMPARE(status->toolTip(), status->text());
    QVERIFY(status->wordWrap());
    QVERIFY2(2 * status->fontMetrics().lineSpacing() <= status->height(), "two lines of status fit");
    QVERIFY(window.rect().contains(status->geometry()));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
