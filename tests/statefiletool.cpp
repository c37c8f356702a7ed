// Drives the state file from a separate process, for the tests that kill a
// writer mid-save or run it with other rights or on a full disk.
//   statefiletool save PATH TODAY_WH   saves a tally, exit 1 when that fails
//   statefiletool load PATH            prints the loaded tally
//   statefiletool hammer PATH          saves ever larger tallies until killed
#include "statefile.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// Every tally this tool writes has lastTotalWh = 1000 + todayWh, so a
// reader can tell a whole record from a mixed one.
DailyTally tallyOf(double todayWh)
{
    return DailyTally{u"2024-06-01"_s, 1000 + todayWh, true, todayWh};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    const QString mode = args.value(1);
    const QString path = args.value(2);

    if (mode == u"save") {
        QString why;
        if (!StateFile::SaveState(tallyOf(args.value(3).toDouble()), path, &why)) {
            out << "not saved: " << why << Qt::endl;
            return 1;
        }
        return 0;
    }
    if (mode == u"load") {
        const DailyTally tally = StateFile::LoadState(path);
        out << tally.currentDay << '|' << tally.lastTotalWh << '|' << int(tally.haveLastTotal) << '|'
            << tally.todayWh << Qt::endl;
        return 0;
    }
    if (mode == u"hammer") {
        for (qint64 i = 1;; ++i) {
            if (!StateFile::SaveState(tallyOf(double(i) / 8), path))
                return 1;
        }
    }
    return 2;
}
