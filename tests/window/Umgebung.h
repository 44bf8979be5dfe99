// Test surroundings of the window tests: data and runtime folders in a temporary place, and
// answering the modal message boxes the window shows.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace velorin::test {

// Folders below one temporary folder, handed to the program through the environment.
struct TOrdner {
    QString Basis;
    QString Daten;     // XDG_DATA_HOME
    QString Laufzeit;  // XDG_RUNTIME_DIR
    QString Gemeinsam; // all-users folder
    QString Programm;  // a program folder holding a help file
};

// Answers every message box that opens while it lives, noting title and text.
class TBoxBeantworter : public QObject {
public:
    TBoxBeantworter() {
        connect(&FUhr, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            Titel << box->windowTitle();
            Texte << box->text();
            box->accept();
        });
        FUhr.start(10);
    }
    QStringList Titel;
    QStringList Texte;

private:
    QTimer FUhr;
};

} // namespace velorin::test
