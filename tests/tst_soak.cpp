#include "fakedevice.h"
#include "pollcycle.h"
#include "processmemory.h"
#include "statefile.h"

#include <QDir>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

namespace {

qsizetype openFiles()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size();
}

} // namespace

// Thousands of polls in a row, as a day of polling compressed: nothing may
// pile up, and every watt-hour served must be counted.
class TestSoak : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void thousandsOfPolls();
};

void TestSoak::thousandsOfPolls()
{
    constexpr int WarmUp = 200;
    constexpr int Polls = 5000;
    // On a memory file system where there is one: every poll syncs the
    // state file to disk, which here would measure the disk.
    QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/palvorin-soak-XXXXXX")
                                                                 : QString());
    const QDateTime noon(QDate(2024, 6, 1), QTime(12, 0));
    PollCycle cycle(dir.filePath(QString::fromLatin1(StateFile::DefaultName)), [&] { return noon; }, 1s);

    FakeDevice device;
    QRandomGenerator random(20240601);
    double total = 1000;
    const auto serve = [&] {
        device.answer = FakeAnswer::json(R"({"apower":12.5,"aenergy":{"total":)" + QByteArray::number(total, 'f', 3)
                                         + "}}");
    };
    serve();
    connect(&device, &FakeDevice::requestAnswered, this, [&] {
        total += double(random.bounded(5000)) / 1000;
        serve();
    });

    int finished = 0;
    int failed = 0;
    int target = 0;
    // QTRY_ sleeps between its looks; an event loop runs the polls back to back.
    QEventLoop loop;
    connect(&cycle, &PollCycle::pollFinished, this, [&] {
        if (++finished == target)
            loop.quit();
    });
    const auto runUntil = [&](int polls) {
        target = polls;
        QTimer::singleShot(240s, &loop, &QEventLoop::quit);
        loop.exec();
        return finished >= polls;
    };
    connect(&cycle, &PollCycle::statusTextChanged, this, [&](const QString &text) {
        failed += text.startsWith(QStringLiteral("Poll failed"));
    });
    // A tick every millisecond: most come while a poll waits and are skipped.
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] { cycle.PollDevice(device.address()); });
    ticker.start(1ms);

    const auto settle = [&] {
        ticker.stop();
        QTRY_VERIFY(!cycle.isPolling());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    QVERIFY(runUntil(WarmUp));
    settle();
    const double firstTotal = cycle.tally().lastTotalWh - cycle.tally().todayWh;
    const qsizetype filesAfterWarmUp = openFiles();
    const qsizetype objectsAfterWarmUp = cycle.findChildren<QObject *>().size();
    const qint64 rssAfterWarmUp = ProcessMemoryKb("VmRSS");
    ticker.start();

    QVERIFY(runUntil(WarmUp + Polls));
    settle();

    QCOMPARE(failed, 0);
    QCOMPARE(cycle.findChildren<QObject *>().size(), objectsAfterWarmUp);
    QVERIFY2(openFiles() <= filesAfterWarmUp, "open files or sockets piled up");
    QVERIFY2(device.openConnections() <= 1, "the device sees one kept-alive connection");
    const double served = cycle.tally().lastTotalWh - firstTotal;
    QVERIFY2(qAbs(cycle.tally().todayWh - served) < 1e-6,
             qPrintable(QStringLiteral("counted %1 Wh of %2 Wh served").arg(cycle.tally().todayWh).arg(served)));
    QCOMPARE(StateFile::LoadState(dir.filePath(QString::fromLatin1(StateFile::DefaultName))), cycle.tally());
    const qint64 rssGrowth = ProcessMemoryKb("VmRSS") - rssAfterWarmUp;
    qInfo("%d polls: %.3f Wh counted; resident memory grew %lld kB, peak %lld kB", finished, cycle.tally().todayWh,
          rssGrowth, ProcessMemoryKb("VmHWM"));
    // Sanitizer builds keep freed memory in quarantine for a while (256 MiB
    // by default); growth past that is a leak.
    QVERIFY2(rssGrowth < 300 * 1024, "resident memory keeps growing");
}

QTEST_GUILESS_MAIN(TestSoak)
#include "tst_soak.moc"
