#include "mainwindow.h"

#include <QApplication>
#include <QIcon>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Palvorin"_s);
    QApplication::setDesktopFileName(u"palvorin"_s);
    QApplication::setWindowIcon(QIcon(u":/palvorin.png"_s));

    // The switch's address on the local network; the user can change it in
    // the address box for as long as the program runs.
    MainWindow window(MonitorSetup{u"192.168.1.60"_s});
    window.show();
    return app.exec();
}
