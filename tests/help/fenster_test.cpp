// The help window, offscreen: opening at a context number, navigation inside the file, and the
// messages for missing and damaged files.
#include "HilfeFenster.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace velorin;

namespace {

const QString NvChm = QStringLiteral(VELORIN_NV_CHM);
const QString HauptTitel = QStringLiteral("Velorin – Überblick");

int OffeneHilfeFenster() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<THilfeFenster*>(w) && w->isVisible()) ++n;
    return n;
}

void AllesSchliessen() {
    if (auto* f = THilfeFenster::Offenes()) f->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString SeitenPfad(const THilfeFenster* f) {
    return f->Browser()->source().path();
}

// Names of the pictures the shown page places, and whether each could be loaded.
QStringList Bilder(QTextDocument* doc, bool* alleGeladen) {
    QStringList namen;
    *alleGeladen = true;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFormat format = it.fragment().charFormat();
            if (!format.isImageFormat()) continue;
            const QString name = format.toImageFormat().name();
            namen << name;
            const QVariant bild = doc->resource(QTextDocument::ImageResource, QUrl(name));
            if (!bild.isValid()) *alleGeladen = false;
        }
    }
    return namen;
}

} // namespace

class TestHilfeFenster : public QObject {
    Q_OBJECT

private slots:
    void init() { AllesSchliessen(); }
    void cleanup() { AllesSchliessen(); }

    void OpensAtTheMainTopic() {
        QString fehler;
        QVERIFY2(HilfeZeigen(NvChm, HilfeKontextHaupt, nullptr, &fehler), qPrintable(fehler));
        THilfeFenster* f = THilfeFenster::Offenes();
        QVERIFY(f);
        QVERIFY(f->isVisible());
        QCOMPARE(SeitenPfad(f), QStringLiteral("/hauptseite.htm"));
        QCOMPARE(f->Browser()->documentTitle(), HauptTitel);
        QVERIFY(f->windowTitle().startsWith(HauptTitel));
        QVERIFY(f->Browser()->toPlainText().contains(QStringLiteral("Winddreieck")));
        // The contents with its umlauts decoded, the current page marked.
        QCOMPARE(f->Inhalt()->topLevelItemCount(), 12);
        QCOMPARE(f->Inhalt()->topLevelItem(0)->text(0), HauptTitel);
        QCOMPARE(f->Inhalt()->currentItem(), f->Inhalt()->topLevelItem(0));
        QVERIFY(f->Stichwoerter()->count() > 50);
    }

    void ASecondRequestRaisesTheSameWindow() {
        QVERIFY(HilfeZeigen(NvChm, HilfeKontextHaupt, nullptr, nullptr));
        THilfeFenster* erstes = THilfeFenster::Offenes();
        erstes->Browser()->setSource(erstes->Browser()->source().resolved(QUrl("felder.htm")));
        QCOMPARE(erstes->Browser()->documentTitle(), QStringLiteral("Die sechzehn Felder"));
        QVERIFY(HilfeZeigen(NvChm, HilfeKontextHaupt, nullptr, nullptr));
        QCOMPARE(THilfeFenster::Offenes(), erstes);
        QCOMPARE(OffeneHilfeFenster(), 1);
        QCOMPARE(erstes->Browser()->documentTitle(), HauptTitel);
        // The history survives, so "Zurück" leads to the page seen before.
        QVERIFY(erstes->Browser()->isBackwardAvailable());
    }

    void LinksPicturesContentsAndIndexWork() {
        QVERIFY(HilfeZeigen(NvChm, HilfeKontextHaupt, nullptr, nullptr));
        THilfeFenster* f = THilfeFenster::Offenes();
        f->resize(1000, 700);

        // A relative link, as a click on it resolves it, with its picture.
        emit f->Browser()->anchorClicked(f->Browser()->source().resolved(QUrl("zeichnung.htm")));
        QCOMPARE(f->Browser()->documentTitle(), QStringLiteral("Die grafische Darstellung"));
        f->grab(); // lays the page out, which loads its pictures
        bool geladen = false;
        const QStringList bilder = Bilder(f->Browser()->document(), &geladen);
        QCOMPARE(bilder.size(), 2);
        QVERIFY(geladen);
        const QVariant png = f->Browser()->loadResource(
            QTextDocument::ImageResource, f->Browser()->source().resolved(QUrl(bilder.first())));
        QCOMPARE(QImage::fromData(png.toByteArray()).size(), QSize(460, 260));

        // Back through the tool button.
        auto knoepfe = f->findChildren<QToolButton*>();
        auto zurueck = std::find_if(knoepfe.begin(), knoepfe.end(), [](QToolButton* k) {
            return k->text().contains(QStringLiteral("Zurück"));
        });
        QVERIFY(zurueck != knoepfe.end());
        QVERIFY((*zurueck)->isEnabled());
        QTest::mouseClick(*zurueck, Qt::LeftButton);
        QCOMPARE(SeitenPfad(f), QStringLiteral("/hauptseite.htm"));

        // A click into the contents.
        QTreeWidgetItem* felder = f->Inhalt()->topLevelItem(2);
        QCOMPARE(felder->text(0), QStringLiteral("Die sechzehn Felder"));
        QTest::mouseClick(f->Inhalt()->viewport(), Qt::LeftButton, {},
                          f->Inhalt()->visualItemRect(felder).center());
        QCOMPARE(SeitenPfad(f), QStringLiteral("/felder.htm"));

        // The index: typing narrows the list, Enter opens the topic at its anchor.
        auto* suche = f->findChild<QLineEdit*>();
        QVERIFY(suche);
        suche->setText(QStringLiteral("überbest"));
        QCOMPARE(f->Stichwoerter()->currentItem()->text(), QStringLiteral("Überbestimmung"));
        QTest::keyClick(suche, Qt::Key_Return);
        QCOMPARE(SeitenPfad(f), QStringLiteral("/gesperrt.htm"));
        QCOMPARE(f->Browser()->source().fragment(), QStringLiteral("ueberbestimmung"));
    }

    void EscapeClosesTheWindow() {
        QVERIFY(HilfeZeigen(NvChm, HilfeKontextHaupt, nullptr, nullptr));
        THilfeFenster* f = THilfeFenster::Offenes();
        f->activateWindow();
        QTest::keyClick(f->Browser(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!THilfeFenster::Offenes());
    }

    void MissingDamagedOrUnmappedFilesGiveAMessageAndNoWindow() {
        QTemporaryDir ordner;
        QVERIFY(ordner.isValid());
        const QString fehlt = ordner.filePath(QStringLiteral("NV.chm"));
        const QString kaputt = ordner.filePath(QStringLiteral("kaputt.chm"));
        {
            QFile datei(kaputt);
            QVERIFY(datei.open(QIODevice::WriteOnly));
            QFile nv(NvChm);
            QVERIFY(nv.open(QIODevice::ReadOnly));
            datei.write(nv.read(nv.size() / 2)); // cut off in the middle
        }
        struct Fall {
            QString pfad;
            int kontext;
            QString erwartet;
        };
        const Fall faelle[] = {
            {fehlt, HilfeKontextHaupt, QStringLiteral("nicht gefunden")},
            {QString(), HilfeKontextHaupt, QStringLiteral("nicht gefunden")},
            {kaputt, HilfeKontextHaupt, QStringLiteral("beschädigt")},
            {ordner.path(), HilfeKontextHaupt, QStringLiteral("nicht gelesen")},
            {NvChm, 4711, QStringLiteral("Kontextnummer 4711")},
            {NvChm, -1, QStringLiteral("Kontextnummer -1")},
        };
        for (const auto& f : faelle) {
            QString fehler;
            QVERIFY(!HilfeZeigen(f.pfad, f.kontext, nullptr, &fehler));
            QVERIFY2(fehler.contains(f.erwartet), qPrintable(fehler));
            QVERIFY2(fehler.startsWith(QStringLiteral("Die Hilfe kann nicht angezeigt werden.")),
                     qPrintable(fehler));
            QVERIFY(!THilfeFenster::Offenes());
            QVERIFY(!HilfeZeigen(f.pfad, f.kontext, nullptr, nullptr)); // no message wanted
        }
        QVERIFY(HilfeDateiBrauchbar(NvChm));
        QVERIFY(HilfeStartMeldung(NvChm).isEmpty());
        QString grund;
        QVERIFY(!HilfeDateiBrauchbar(kaputt, &grund));
        QVERIFY(grund.contains(QStringLiteral("beschädigt")));
        QCOMPARE(HilfeStartMeldung(fehlt),
                 QStringLiteral("Hilfe-Datei nicht gefunden\n") + QDir::toNativeSeparators(fehlt));
        QVERIFY(
            HilfeStartMeldung(kaputt).startsWith(QStringLiteral("Hilfe-Datei nicht gefunden\n")));
    }

    void ADamagedFileLeavesAnOpenWindowAlone() {
        QVERIFY(HilfeZeigen(NvChm, HilfeKontextHaupt, nullptr, nullptr));
        THilfeFenster* f = THilfeFenster::Offenes();
        QTemporaryDir ordner;
        const QString kaputt = ordner.filePath(QStringLiteral("NV.chm"));
        QFile datei(kaputt);
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.write("ITSF kaputt");
        datei.close();
        QVERIFY(!HilfeZeigen(kaputt, HilfeKontextHaupt, nullptr, nullptr));
        QCOMPARE(THilfeFenster::Offenes(), f);
        QCOMPARE(f->Browser()->documentTitle(), HauptTitel);
    }
};

QTEST_MAIN(TestHilfeFenster)
#include "fenster_test.moc"
