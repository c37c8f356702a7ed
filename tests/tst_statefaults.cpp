#include "statefile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <unistd.h>

using namespace Qt::StringLiterals;

// The state file under faults that need a second process: a writer killed
// mid-save, other users' rights, a full disk.
class TestStateFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void killedWriterLeavesWholeFile();
    void withoutRights_data();
    void withoutRights();
    void fullDiskKeepsOldFile();

private:
    QString run(const QString &program, const QStringList &args, int *exitCode = nullptr);
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    const QString m_tool = QString::fromLocal8Bit(STATEFILE_TOOL);
};

void TestStateFaults::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QString::fromLatin1(StateFile::DefaultName));
}

QString TestStateFaults::run(const QString &program, const QStringList &args, int *exitCode)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(30000))
        qFatal("%s did not finish", qPrintable(program));
    if (exitCode)
        *exitCode = process.exitCode();
    return QString::fromLocal8Bit(process.readAll()).trimmed();
}

void TestStateFaults::killedWriterLeavesWholeFile()
{
    constexpr int Kills = 150;
    auto *random = QRandomGenerator::global();
    int killedMidRun = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        QProcess writer;
        writer.start(m_tool, {u"hammer"_s, m_path});
        QVERIFY(writer.waitForStarted());
        QThread::usleep(random->bounded(2000, 30000));
        writer.kill();
        QVERIFY(writer.waitForFinished());
        killedMidRun += writer.exitStatus() == QProcess::CrashExit;

        QFile file(m_path);
        if (!file.exists())
            continue; // killed before its first save: no old state to keep
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        const DailyTally tally = StateFile::ReadState(content);
        QVERIFY2(tally.haveLastTotal && tally.todayWh > 0 && tally.lastTotalWh == 1000 + tally.todayWh,
                 content.constData());
        QCOMPARE(content, StateFile::FormatState(tally));
    }
    QVERIFY2(killedMidRun > Kills / 2, "the writer must be killed while it saves");
    qInfo("writer killed %d times mid-run, the state file was whole after every kill", killedMidRun);
}

void TestStateFaults::withoutRights_data()
{
    QTest::addColumn<bool>("directoryWritable");
    QTest::addColumn<bool>("fileReadable");
    QTest::addColumn<bool>("fileWritable");
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<bool>("saves");

    QTest::newRow("read-only directory") << false << true << true << u"2024-06-01|1012|1|12"_s << false;
    QTest::newRow("unreadable file") << false << false << true << u"|0|0|0"_s << false;
    QTest::newRow("unreadable file in a writable directory") << true << false << true << u"|0|0|0"_s << true;
    QTest::newRow("read-only file in a writable directory") << true << true << false << u"2024-06-01|1012|1|12"_s
                                                            << false;
}

void TestStateFaults::withoutRights()
{
    QFETCH(bool, directoryWritable);
    QFETCH(bool, fileReadable);
    QFETCH(bool, fileWritable);
    QFETCH(QString, loaded);
    QFETCH(bool, saves);

    // Root passes every permission check, so the tool then runs as nobody.
    QStringList asUser;
    if (geteuid() == 0) {
        if (QStandardPaths::findExecutable(u"setpriv"_s).isEmpty())
            QSKIP("running as root without setpriv: cannot drop rights");
        asUser = {u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s, m_tool};
    }
    int code = -1;
    run(m_tool, {u"save"_s, m_path, u"12"_s}, &code);
    QCOMPARE(code, 0);
    const QString owner = asUser.isEmpty() ? QString() : u"65534"_s;
    if (!owner.isEmpty() && directoryWritable)
        QCOMPARE(run(u"chown"_s, {owner, m_dir->path()}), QString());
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther
                                             | (directoryWritable ? QFile::WriteOwner : QFile::Permissions()));
    QFile::setPermissions(m_path, (fileReadable ? QFile::ReadOwner | QFile::ReadOther : QFile::Permissions())
                                      | (fileWritable ? QFile::WriteOwner | QFile::WriteOther : QFile::Permissions()));

    const auto tool = [&](const QStringList &args) {
        return asUser.isEmpty() ? run(m_tool, args, &code) : run(u"setpriv"_s, asUser + args, &code);
    };
    QCOMPARE(tool({u"load"_s, m_path}), loaded);
    const QString saveOutput = tool({u"save"_s, m_path, u"20"_s});
    QCOMPARE(code == 0, saves);
    if (!saves)
        QVERIFY2(saveOutput.startsWith(u"not saved: "_s) && saveOutput.size() > 11, qPrintable(saveOutput));
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestStateFaults::fullDiskKeepsOldFile()
{
    if (geteuid() != 0 || QStandardPaths::findExecutable(u"unshare"_s).isEmpty())
        QSKIP("a small tmpfs needs root and unshare");
    QProcess probe;
    probe.start(u"unshare"_s, {u"-m"_s, u"true"_s});
    if (!probe.waitForFinished() || probe.exitCode() != 0)
        QSKIP("mount namespaces are not permitted here");

    // In a private mount namespace: a 16 KiB tmpfs, a first save, then the
    // disk filled to the last byte and a second save.
    const QString script = uR"(
        mount -t tmpfs -o size=16k tmpfs "$1" || exit 3
        "$2" save "$1/state" 12 || exit 4
        dd if=/dev/zero of="$1/fill" bs=1k 2>/dev/null
        "$2" save "$1/state" 20; echo "exit $?"
        "$2" load "$1/state"
        ls "$1" | grep -c state
    )"_s;
    int code = -1;
    const QStringList lines =
        run(u"unshare"_s, {u"-m"_s, u"sh"_s, u"-c"_s, script, u"sh"_s, m_dir->path(), m_tool}, &code).split(u'\n');
    QCOMPARE(code, 0);
    QVERIFY2(lines.size() == 4, qPrintable(lines.join(u'\n')));
    QVERIFY2(lines[0].startsWith(u"not saved: "_s), qPrintable(lines[0]));
    QCOMPARE(lines[1], u"exit 1"_s);
    QCOMPARE(lines[2], u"2024-06-01|1012|1|12"_s);
    QCOMPARE(lines[3], u"1"_s); // no temporary file left behind
}

QTEST_GUILESS_MAIN(TestStateFaults)
#include "tst_statefaults.moc"
