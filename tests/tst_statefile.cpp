#include "statefile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using StateFile::LoadState;
using StateFile::SaveState;

class TestStateFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void loads_data();
    void loads();
    void savesFourCrLfLines();
    void roundTrips_data();
    void roundTrips();
    void readsFileWrittenUnderAnotherLocale();
    void directoryInItsPlaceLoadsReset();

private:
    QString writeFile(const QByteArray &content);
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestStateFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QString::fromLatin1(StateFile::DefaultName));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestStateFile::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

QString TestStateFile::writeFile(const QByteArray &content)
{
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write the test state file");
    return m_path;
}

void TestStateFile::loads_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<DailyTally>("expected");

    const DailyTally reset;
    const DailyTally stored{u"2024-06-01"_s, 100, true, 7.5};
    QTest::newRow("four lines") << QByteArray("2024-06-01\r\n100\r\n1\r\n7.5\r\n") << stored;
    QTest::newRow("blanks around numbers") << QByteArray("2024-06-01\r\n  100 \r\n1\r\n\t7.5\r\n") << stored;
    QTest::newRow("last line unended") << QByteArray("2024-06-01\r\n100\r\n1\r\n7.5") << stored;
    QTest::newRow("LF only") << QByteArray("2024-06-01\n100\n1\n7.5\n") << stored;
    QTest::newRow("CR only") << QByteArray("2024-06-01\r100\r1\r7.5\r") << stored;
    QTest::newRow("text after the fourth line") << QByteArray("2024-06-01\r\n100\r\n1\r\n7.5\r\nrest\r\n") << stored;
    QTest::newRow("no zero before the point") << QByteArray("2024-06-01\r\n100\r\n1\r\n.5\r\n")
                                              << DailyTally{u"2024-06-01"_s, 100, true, 0.5};
    QTest::newRow("line three 0") << QByteArray("2024-06-01\r\n100\r\n0\r\n7.5\r\n")
                                  << DailyTally{u"2024-06-01"_s, 100, false, 7.5};
    QTest::newRow("line three blank then 1") << QByteArray("2024-06-01\r\n100\r\n 1\r\n7.5\r\n")
                                             << DailyTally{u"2024-06-01"_s, 100, false, 7.5};
    QTest::newRow("line three true") << QByteArray("2024-06-01\r\n100\r\ntrue\r\n7.5\r\n")
                                     << DailyTally{u"2024-06-01"_s, 100, false, 7.5};
    QTest::newRow("empty first line") << QByteArray("\r\n0\r\n0\r\n0\r\n") << reset;
    QTest::newRow("three lines") << QByteArray("2024-06-01\r\n100\r\n1\r\n") << reset;
    QTest::newRow("empty fourth line") << QByteArray("2024-06-01\r\n100\r\n1\r\n\r\n") << reset;
    QTest::newRow("word for a number") << QByteArray("2024-06-01\r\nlots\r\n1\r\n7.5\r\n") << reset;
    QTest::newRow("grouped number") << QByteArray("2024-06-01\r\n1,000\r\n1\r\n7.5\r\n") << reset;
    QTest::newRow("not finite") << QByteArray("2024-06-01\r\ninf\r\n1\r\nnan\r\n") << reset;
    QTest::newRow("empty file") << QByteArray() << reset;
    QTest::newRow("binary") << QByteArray("\x00\xff\r\n\x01\x02\r\n\x80\r\n\xfe", 11) << reset;
    QTest::newRow("huge first line") << QByteArray(200 * 1024, 'x') + "\r\n100\r\n1\r\n7.5\r\n" << reset;
}

void TestStateFile::loads()
{
    QFETCH(QByteArray, content);
    QFETCH(DailyTally, expected);
    QCOMPARE(LoadState(writeFile(content)), expected);
}

void TestStateFile::savesFourCrLfLines()
{
    QVERIFY(SaveState(DailyTally{}, m_path));
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("\r\n0\r\n0\r\n0\r\n"));
}

void TestStateFile::roundTrips_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<DailyTally>("tally");

    const QList<QLocale> locales{QLocale(QLocale::English, QLocale::UnitedStates),
                                 QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::French, QLocale::France)};
    for (const QLocale &locale : locales) {
        const QByteArray name = locale.name().toLatin1();
        QTest::newRow(name + " fractions") << locale << DailyTally{u"2024-06-01"_s, 544587.493, true, 1532.0000001};
        QTest::newRow(name + " large") << locale << DailyTally{u"2024-06-01"_s, 123456789012.25, true, 1e15};
        QTest::newRow(name + " negative, no reading") << locale << DailyTally{u"2024-06-01"_s, -0.5, false, -3};
    }
}

void TestStateFile::roundTrips()
{
    QFETCH(QLocale, locale);
    QFETCH(DailyTally, tally);
    QLocale::setDefault(locale);
    QVERIFY(SaveState(tally, m_path));
    QCOMPARE(LoadState(m_path), tally);
}

void TestStateFile::readsFileWrittenUnderAnotherLocale()
{
    const DailyTally tally{u"2024-06-01"_s, 1000.25, true, 12.5};
    QVERIFY(SaveState(tally, m_path));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(LoadState(m_path), tally);
}

void TestStateFile::directoryInItsPlaceLoadsReset()
{
    QVERIFY(QDir().mkpath(m_path));
    QCOMPARE(LoadState(m_path), DailyTally());
    QString why;
    QVERIFY(!SaveState(DailyTally{u"2024-06-01"_s, 1, true, 1}, m_path, &why));
    QVERIFY(!why.isEmpty());
}

QTEST_GUILESS_MAIN(TestStateFile)
#include "tst_statefile.moc"
