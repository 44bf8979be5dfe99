// The yardstick of the start-up comparison: a Qt Widgets program that shows one empty window of
// the calculator's size. With --text the window shows one line of text, which shows what the
// font set-up alone costs.
#include "Startmessung.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget fenster;
    fenster.resize(749, 607);
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        (new QLabel(QStringLiteral("Eigengeschwindigkeit (rwSK, Ve):"), &fenster))->move(8, 55);
    fenster.show();
    velorin::StartmessungEinrichten(&fenster);
    return QApplication::exec();
}
