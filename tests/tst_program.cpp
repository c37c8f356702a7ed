#include "statefile.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Starts the built program itself, cut off from every network but its own
// loopback, so the preset address fails at once and nothing leaves the
// machine.
class TestProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsAndFailsThePresetPoll();
};

void TestProgram::startsAndFailsThePresetPoll()
{
    if (QStandardPaths::findExecutable(u"unshare"_s).isEmpty())
        QSKIP("unshare is not installed: the program is never started outside a network namespace");
    QProcess probe;
    probe.start(u"unshare"_s, {u"-n"_s, u"true"_s});
    if (!probe.waitForFinished(10000) || probe.exitCode() != 0)
        QSKIP("unshare -n is not permitted here: the program is never started outside a network namespace");

    QTemporaryDir dir;
    QProcess program;
    program.setWorkingDirectory(dir.path());
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    program.setProcessEnvironment(env);
    program.start(u"unshare"_s, {u"-n"_s, u"sh"_s, u"-c"_s, u"ip link set lo up && exec \"$0\""_s,
                                 QString::fromLocal8Bit(PALVORIN_BINARY)});
    QVERIFY(program.waitForStarted());
    QVERIFY2(!program.waitForFinished(3000), "the program ended by itself");
    QVERIFY2(!QDir(dir.path()).exists(QString::fromLatin1(StateFile::DefaultName)),
             "a failed poll must not write the state file");
    program.terminate();
    QVERIFY(program.waitForFinished(10000));
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
