// Velorin: the calculator window for the wind triangle, one instance per installed program.
#include "CheckPrevious.h"
#include "NavoletFrm.h"
#include "Programmsymbol.h"
#include "Startmessung.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

int main(int argc, char* argv[]) {
    QStringList argumente;
    for (int i = 1; i < argc; ++i)
        argumente << QString::fromLocal8Bit(argv[i]);

    // A start with the quit switch only talks to the running instance: it needs no display, so
    // that it also works from a terminal without one.
    if (velorin::QuitRequested(argumente)) {
        QCoreApplication app(argc, argv);
        velorin::TInstanzWaechter waechter;
        waechter.PreviousInstanceGuard(argumente);
        return 0;
    }

    QApplication app(argc, argv);
    // The application title: message boxes and the task bar.
    QApplication::setApplicationName(QStringLiteral("Velorin"));
    QApplication::setDesktopFileName(QStringLiteral("velorin"));

    velorin::TInstanzWaechter waechter;
    try {
        if (waechter.PreviousInstanceGuard(argumente)) return 0;
    } catch (const velorin::ESystemFehler& e) {
        std::fprintf(stderr, "Velorin: %s\n", e.what());
        QMessageBox::critical(nullptr, QApplication::applicationName(),
                              QString::fromLocal8Bit(e.what()));
        return 1;
    }

    QApplication::setWindowIcon(velorin::Programmsymbol());
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
