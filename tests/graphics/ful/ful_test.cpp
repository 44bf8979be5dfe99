// The dialog "Farben und Linien einstellen": what reaches the caller on OK, abbrechen and reset,
// the colour chooser, and the width fields held to 1 to 10.
#include "FuLFrm.h"

#include <QApplication>
#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace velorin;

namespace {

QColor Farbe(TColor c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

TDarstellung Beispiel() {
    TDarstellung w;
    w.StatusColors = {0x112233, 0x445566, 0x778899, 0xAABBCC};
    w.LinienBreiteVektoren = 3;
    w.LinienBreiteNord = 4;
    return w;
}

// Runs schritt on the dialog once ShowFuLForm has opened it. Whatever schritt leaves open (also
// after a failed check) is closed with "abbrechen", so a failure never hangs the test.
void ImDialog(std::function<void(TfrmFuL*)> schritt) {
    QTimer::singleShot(0, [schritt]() {
        auto* dialog = qobject_cast<TfrmFuL*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            QFAIL("the dialog is not open");
            return;
        }
        schritt(dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

// Answers the colour chooser that the next click opens: checks its preset, then takes farbe, or
// cancels when farbe is invalid.
void ImFarbDialog(QColor* vorgabe, QColor farbe) {
    QTimer::singleShot(0, [vorgabe, farbe]() {
        auto* wahl = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (wahl == nullptr) {
            QFAIL("the colour chooser is not open");
            return;
        }
        *vorgabe = wahl->currentColor();
        if (!wahl->testOption(QColorDialog::DontUseNativeDialog)) *vorgabe = QColor();
        if (farbe.isValid()) {
            wahl->setCurrentColor(farbe);
            wahl->accept();
        } else {
            wahl->reject();
        }
    });
}

void Tippen(QSpinBox* feld, const QString& text) {
    feld->setFocus();
    feld->selectAll();
    QTest::keyClick(feld, Qt::Key_Backspace);
    QTest::keyClicks(feld, text);
}

} // namespace

class FuLTest : public QObject {
    Q_OBJECT

private slots:
    void okNimmtFarbeUndGetippteBreiten();
    void ohneOkBleibtAlles_data();
    void ohneOkBleibtAlles();
    void standardDannOk();
    void gespeicherteBreiteAusserhalb();
    void getippteBreite_data();
    void getippteBreite();
};

void FuLTest::okNimmtFarbeUndGetippteBreiten() {
    TDarstellung werte = Beispiel();
    QColor vorgabe;
    QColor abgebrochenVorgabe;
    ImDialog([&](TfrmFuL* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Farben und Linien einstellen"));
        QCOMPARE(d->size(), QSize(397, 291));
        // Rows top to bottom with their status as tag.
        const std::pair<QLineEdit*, QPushButton*> zeilen[] = {
            {d->edtEingegeben, d->btnEingegeben},
            {d->edtBerechnet, d->btnBerechnet},
            {d->edtEingMoeglich, d->btnEingMoeglich},
            {d->edtNichtDef, d->btnNichtDef},
        };
        const int tags[] = {CI_Eingegeben, CI_Ergebnis, CI_EingMoeglich, CI_Undef};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(zeilen[i].second->text(), QStringLiteral("..C.."));
            QCOMPARE(zeilen[i].second->property("tag").toInt(), tags[i]);
            QCOMPARE(zeilen[i].first->palette().color(QPalette::Base),
                     Farbe(werte.StatusColors[tags[i]]));
        }
        QCOMPARE(d->edtBreite->value(), 3);
        QCOMPARE(d->edtBreiteNord->value(), 4);

        Tippen(d->edtBreite, QStringLiteral("7"));
        ImFarbDialog(&vorgabe, QColor(10, 20, 30));
        QTest::mouseClick(d->btnBerechnet, Qt::LeftButton);
        QCOMPARE(d->edtBerechnet->palette().color(QPalette::Base), QColor(10, 20, 30));
        QCOMPARE(d->edtBreite->text(), QStringLiteral("7"));

        ImFarbDialog(&abgebrochenVorgabe, QColor());
        QTest::mouseClick(d->btnEingegeben, Qt::LeftButton);
        QCOMPARE(d->edtEingegeben->palette().color(QPalette::Base),
                 Farbe(werte.StatusColors[CI_Eingegeben]));

        QTest::mouseClick(d->btnOK, Qt::LeftButton);
    });
    const TDarstellung vorher = werte;
    QVERIFY(ShowFuLForm(werte, nullptr));
    QCOMPARE(vorgabe, Farbe(vorher.StatusColors[CI_Ergebnis]));
    QCOMPARE(abgebrochenVorgabe, Farbe(vorher.StatusColors[CI_Eingegeben]));
    TDarstellung erwartet = vorher;
    erwartet.StatusColors[CI_Ergebnis] = 0x1E140A;
    erwartet.LinienBreiteVektoren = 7;
    QVERIFY(werte == erwartet);
}

void FuLTest::ohneOkBleibtAlles_data() {
    QTest::addColumn<int>("weg");
    QTest::newRow("abbrechen") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("Fenster schliessen") << 2;
}

void FuLTest::ohneOkBleibtAlles() {
    QFETCH(int, weg);
    TDarstellung werte = Beispiel();
    QColor vorgabe;
    ImDialog([&](TfrmFuL* d) {
        ImFarbDialog(&vorgabe, QColor(1, 2, 3));
        QTest::mouseClick(d->btnBerechnet, Qt::LeftButton);
        QTest::mouseClick(d->btnStandard, Qt::LeftButton);
        Tippen(d->edtBreiteNord, QStringLiteral("9"));
        if (weg == 0)
            QTest::mouseClick(d->btnAbbrechen, Qt::LeftButton);
        else if (weg == 1)
            QTest::keyClick(d, Qt::Key_Escape);
        else
            d->close();
        QVERIFY(!d->isVisible());
    });
    QVERIFY(!ShowFuLForm(werte, nullptr));
    QVERIFY(vorgabe.isValid());
    QVERIFY(werte == Beispiel());
}

void FuLTest::standardDannOk() {
    TDarstellung werte = Beispiel();
    ImDialog([&](TfrmFuL* d) {
        Tippen(d->edtBreite, QStringLiteral("8"));
        QTest::mouseClick(d->btnStandard, Qt::LeftButton);
        QCOMPARE(d->edtBreite->value(), 1);
        QCOMPARE(d->edtBreiteNord->value(), 1);
        QCOMPARE(d->edtNichtDef->palette().color(QPalette::Base), QColor(0, 0, 255));
        QCOMPARE(d->edtEingegeben->palette().color(QPalette::Base), QColor(0, 255, 0));
        QCOMPARE(d->edtEingMoeglich->palette().color(QPalette::Base), QColor(192, 220, 192));
        QCOMPARE(d->edtBerechnet->palette().color(QPalette::Base), QColor(255, 255, 0));
        QTest::mouseClick(d->btnOK, Qt::LeftButton);
    });
    QVERIFY(ShowFuLForm(werte, nullptr));
    QVERIFY(werte == TDarstellung{});
}

void FuLTest::gespeicherteBreiteAusserhalb() {
    TDarstellung werte = Beispiel();
    werte.LinienBreiteVektoren = 25;
    werte.LinienBreiteNord = -3;
    ImDialog([&](TfrmFuL* d) {
        QCOMPARE(d->edtBreite->text(), QStringLiteral("10"));
        QCOMPARE(d->edtBreiteNord->text(), QStringLiteral("1"));
        QTest::mouseClick(d->btnOK, Qt::LeftButton);
    });
    QVERIFY(ShowFuLForm(werte, nullptr));
    QCOMPARE(werte.LinienBreiteVektoren, 10);
    QCOMPARE(werte.LinienBreiteNord, 1);
}

void FuLTest::getippteBreite_data() {
    QTest::addColumn<QString>("tippen");
    QTest::addColumn<bool>("mitEnter"); // else the mouse on "OK", which takes the focus
    QTest::addColumn<int>("breite");
    QTest::newRow("0") << QStringLiteral("0") << false << 1;
    QTest::newRow("11") << QStringLiteral("11") << false << 10;
    QTest::newRow("-5") << QStringLiteral("-5") << false << 1;
    QTest::newRow("leer") << QString() << false << 1;
    QTest::newRow("nur Minus") << QStringLiteral("-") << false << 1;
    QTest::newRow("Buchstaben abgewiesen") << QStringLiteral("x7,5") << false << 10;
    QTest::newRow("0 mit Enter") << QStringLiteral("0") << true << 1;
    QTest::newRow("123456789 mit Enter") << QStringLiteral("123456789") << true << 10;
    QTest::newRow("6 mit Enter") << QStringLiteral("6") << true << 6;
}

void FuLTest::getippteBreite() {
    QFETCH(QString, tippen);
    QFETCH(bool, mitEnter);
    QFETCH(int, breite);
    TDarstellung werte = Beispiel();
    QString angezeigt;
    ImDialog([&](TfrmFuL* d) {
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d));
        Tippen(d->edtBreite, tippen);
        if (mitEnter) {
            QTest::keyClick(d->edtBreite, Qt::Key_Return);
        } else {
            d->edtBreiteNord->setFocus(); // leaving the field shows the held value
            angezeigt = d->edtBreite->text();
            QTest::mouseClick(d->btnOK, Qt::LeftButton);
        }
    });
    QVERIFY(ShowFuLForm(werte, nullptr));
    QCOMPARE(werte.LinienBreiteVektoren, breite);
    if (!mitEnter) QCOMPARE(angezeigt, QString::number(breite));
}

int main(int argc, char** argv) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication app(argc, argv);
    FuLTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ful_test.moc"
