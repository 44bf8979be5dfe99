// Velorin: the calculator window for the wind triangle, one instance per installed program.
#include "CheckPrevious.h"
#include "NavoletFrm.h"
#include "Programmsymbol.h"
#include "Startmessung.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The application title: message boxes and the task bar.
    QApplication::setApplicationName(QStringLiteral("Velorin"));
    QApplication::setDesktopFileName(QStringLiteral("velorin"));
    QApplication::setWindowIcon(velorin::Programmsymbol());

    velorin::TInstanzWaechter waechter;
    try {
        if (waechter.PreviousInstanceGuard(QApplication::arguments().mid(1))) return 0;
    } catch (const velorin::ESystemFehler& e) {
        QMessageBox::critical(nullptr, QApplication::applicationName(),
                              QString::fromLocal8Bit(e.what()));
        return 1;
    }

    velorin::TfrmNavolet frmNavolet;
    // A data folder could not be created: the program ends before its window is shown.
    if (frmNavolet.BeendenAngefordert()) return 0;
    waechter.SetHauptfenster(&frmNavolet);
    frmNavolet.show();
    // Without a window manager nobody else gives the new window the keyboard.
    frmNavolet.activateWindow();
    velorin::StartmessungEinrichten(&frmNavolet);
    return QApplication::exec();
}
