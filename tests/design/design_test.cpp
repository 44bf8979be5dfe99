// The designs applied to the application: each menu item's style and theme, "Default" from the
// program folder, the plain look for a theme file that cannot be read, field colours that stay,
// and the colours-and-lines dialog in the design in force.
#include "Design.h"
#include "FuLFrm.h"
#include "SkinWerte.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>
#include <set>

using namespace velorin;

namespace {

// The toolkit style inside: a style sheet wraps the design's style, which wraps the toolkit's.
QString BasisStil(QStyle* stil = QApplication::style()) {
    while (auto* innen = stil->findChild<QStyle*>(QString(), Qt::FindDirectChildrenOnly))
        stil = innen;
    return stil->name().toLower();
}

QColor Farbe(TRgb f) {
    return QColor(f.R, f.G, f.B);
}

const char* const Ort = "/nirgends/Programm/MP10.ssk";

bool Schreiben(const QString& pfad, const QByteArray& inhalt) {
    QFile datei(pfad);
    return datei.open(QIODevice::WriteOnly) && datei.write(inhalt) == inhalt.size();
}

// Fields coloured the way the main window colours them: their own palette, Base and Text.
struct TFelder {
    QWidget Fenster;
    QLineEdit* Eingegeben = new QLineEdit;
    QLineEdit* Gesperrt = new QLineEdit;

    TFelder() {
        auto* spalte = new QVBoxLayout(&Fenster);
        for (auto [feld, farbe] :
             {std::pair{Eingegeben, QColor(0, 255, 0)}, std::pair{Gesperrt, QColor(0, 0, 255)}}) {
            QPalette palette = feld->palette();
            palette.setColor(QPalette::Base, farbe);
            palette.setColor(QPalette::Text, Qt::black);
            feld->setPalette(palette);
            feld->setFixedSize(80, 24);
            spalte->addWidget(feld);
        }
        Gesperrt->setEnabled(false);
    }

    static QColor Mitte(QLineEdit* feld) {
        const QImage bild = feld->grab().toImage();
        return bild.pixelColor(bild.width() / 2, bild.height() / 2);
    }
};

} // namespace

class DesignTest : public QObject {
    Q_OBJECT

private slots:
    void jederMenuepunkt_data();
    void jederMenuepunkt();
    void unbekannterTag();
    void defaultNachAnderemDesign();
    void unlesbareThemeDatei_data();
    void unlesbareThemeDatei();
    void eigeneThemeDatei();
    void dialogImDesign();
    void menueleisteMitMehrSymbol();
};

void DesignTest::jederMenuepunkt_data() {
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("stil");
    QTest::addColumn<QString>("basis");
    QTest::newRow("MacOS") << 0 << int(TUIStyle::MacOS) << "fusion";
    QTest::newRow("WinXP") << 1 << int(TUIStyle::WinXP) << "windows";
    QTest::newRow("DeepBlue") << 2 << int(TUIStyle::DeepBlue) << "fusion";
    QTest::newRow("Protein") << 3 << int(TUIStyle::Protein) << "fusion";
    QTest::newRow("BlueGrass") << 4 << int(TUIStyle::BlueGlass) << "fusion";
    QTest::newRow("Default") << 5 << int(TUIStyle::FromThemeFile) << "fusion";
}

void DesignTest::jederMenuepunkt() {
    QFETCH(int, tag);
    QFETCH(int, stil);
    QFETCH(QString, basis);
    static std::set<QRgb> fensterFarben;

    TFelder felder;
    felder.Fenster.show();
    QVERIFY(QTest::qWaitForWindowExposed(&felder.Fenster));

    TTheme theme{Ort, TUIStyle::FromThemeFile};
    QVERIFY(SkinWaehlen(tag, theme));
    QCOMPARE(int(theme.UIStyle), stil);
    QCOMPARE(QString::fromStdString(theme.ThemeFile),
             tag == 5 ? QStringLiteral("MP10.ssk") : QString::fromLatin1(Ort));
    QVERIFY(AktuellesDesign() == theme);
    QCOMPARE(BasisStil(), basis);

    const auto werte = tag == 5 ? SkinDateiLesen("Fenster=#E9E4DA") // the shipped theme's
                                : EingebauteSkin(static_cast<TUIStyle>(stil));
    QVERIFY(werte.has_value());
    QCOMPARE(SkinFarbe(), Farbe(werte->Fenster));
    QCOMPARE(QApplication::palette().color(QPalette::Window), SkinFarbe());
    QVERIFY(!qApp->styleSheet().isEmpty());
    QVERIFY2(fensterFarben.insert(SkinFarbe().rgb()).second, "two designs share their colour");

    // The fields keep the colours of their status, entered and disabled alike.
    QCOMPARE(TFelder::Mitte(felder.Eingegeben), QColor(0, 255, 0));
    QCOMPARE(TFelder::Mitte(felder.Gesperrt), QColor(0, 0, 255));
    QCOMPARE(felder.Eingegeben->palette().color(QPalette::Window), SkinFarbe());
}

void DesignTest::unbekannterTag() {
    TTheme theme{Ort, TUIStyle::MacOS};
    QVERIFY(SkinWaehlen(1, theme));
    const TTheme vorher = theme;
    const QColor farbe = SkinFarbe();
    for (int tag : {-1, 6, 99}) {
        QVERIFY(!SkinWaehlen(tag, theme));
        QVERIFY(theme == vorher);
        QVERIFY(AktuellesDesign() == vorher);
        QCOMPARE(SkinFarbe(), farbe);
    }
}

void DesignTest::defaultNachAnderemDesign() {
    // The working folder holds another MP10.ssk; "Default" must not take it.
    QTemporaryDir arbeit;
    QVERIFY(arbeit.isValid());
    QVERIFY(Schreiben(arbeit.filePath(QStringLiteral("MP10.ssk")), "Fenster = #FF0000\n"));
    const QString vorher = QDir::currentPath();
    QVERIFY(QDir::setCurrent(arbeit.path()));

    TTheme theme{QCoreApplication::applicationDirPath().toStdString() + "/MP10.ssk",
                 TUIStyle::FromThemeFile};
    QVERIFY(DesignAnwenden(theme));
    const QColor mp10 = SkinFarbe();
    QVERIFY(SkinWaehlen(1, theme));
    QCOMPARE(BasisStil(), QStringLiteral("windows"));
    QVERIFY(SkinWaehlen(5, theme));
    QDir::setCurrent(vorher);

    QCOMPARE(int(theme.UIStyle), int(TUIStyle::FromThemeFile));
    QCOMPARE(QString::fromStdString(theme.ThemeFile), QStringLiteral("MP10.ssk"));
    QCOMPARE(BasisStil(), QStringLiteral("fusion"));
    QCOMPARE(SkinFarbe(), mp10);
    QCOMPARE(SkinFarbe(), QColor(0xE9, 0xE4, 0xDA));
}

void DesignTest::unlesbareThemeDatei_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("inhalt"); // null: nothing is created
    QTest::newRow("fehlt") << "MP10.ssk" << QByteArray();
    QTest::newRow("Ordner") << "Ordner.ssk" << QByteArray();
    QTest::newRow("leer") << "leer.ssk" << QByteArray("");
    QTest::newRow("Binaerdaten") << "binaer.ssk" << QByteArray("\x89PNG\r\n\x1a\n\0\0\xff", 11);
    QTest::newRow("zu gross") << "gross.ssk"
                              << (QByteArray("Fenster=#FF0000\n") +
                                  QByteArray(static_cast<int>(MaxSkinDateiGroesse), ';'));
    QTest::newRow("leerer Name") << "" << QByteArray();
}

void DesignTest::unlesbareThemeDatei() {
    QFETCH(QString, name);
    QFETCH(QByteArray, inhalt);
    QTemporaryDir ordner;
    QVERIFY(ordner.isValid());
    if (name == QLatin1String("Ordner.ssk")) QVERIFY(QDir(ordner.path()).mkdir(name));
    if (!inhalt.isNull()) QVERIFY(Schreiben(ordner.filePath(name), inhalt));

    TTheme theme{Ort, TUIStyle::DeepBlue};
    QVERIFY(SkinWaehlen(2, theme));
    theme = TTheme{name.isEmpty() ? std::string() : name.toStdString(), TUIStyle::FromThemeFile};
    QVERIFY(!DesignAnwenden(theme, ordner.path()));

    // The plain look, silently.
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(AktuellesDesign() == theme);
    QCOMPARE(BasisStil(), QStringLiteral("fusion"));
    QVERIFY(qApp->styleSheet().isEmpty());
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QCOMPARE(SkinFarbe(), fusion->standardPalette().color(QPalette::Window));
}

void DesignTest::eigeneThemeDatei() {
    QTemporaryDir ordner;
    QVERIFY(ordner.isValid());
    QVERIFY(Schreiben(ordner.filePath(QStringLiteral("Eigen.ssk")),
                      "Basisstil = Windows\nFenster = #102030\nMenueLeiste = #405060\n"));
    // An absolute name is read where it is, whatever the program folder.
    const TTheme theme{ordner.filePath(QStringLiteral("Eigen.ssk")).toStdString(),
                       TUIStyle::FromThemeFile};
    QVERIFY(DesignAnwenden(theme, QStringLiteral("/nirgends")));
    QCOMPARE(SkinFarbe(), QColor(0x10, 0x20, 0x30));
    QCOMPARE(BasisStil(), QStringLiteral("windows"));
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("#405060")));
}

void DesignTest::dialogImDesign() {
    TTheme theme{Ort, TUIStyle::FromThemeFile};
    QVERIFY(SkinWaehlen(1, theme)); // WinXP, then "Farben und Linien"
    QString stil;
    QColor fenster;
    QTimer::singleShot(0, [&]() {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) return;
        stil = BasisStil(dialog->style());
        fenster = dialog->palette().color(QPalette::Window);
        dialog->close();
    });
    TDarstellung werte;
    QVERIFY(!ShowFuLForm(werte, nullptr));
    QCOMPARE(stil, QStringLiteral("windows"));
    QCOMPARE(fenster, QColor(0xEC, 0xE9, 0xD8));
}

void DesignTest::menueleisteMitMehrSymbol() {
    // A menu bar too narrow for its menus shows the chevron of its extension button.
    for (int tag : {1, 5}) {
        TTheme theme{Ort, TUIStyle::FromThemeFile};
        QVERIFY(SkinWaehlen(tag, theme));
        QMenuBar leiste;
        for (const char* titel : {"Datei", "Ansicht", "Hilfe"})
            leiste.addMenu(QString::fromLatin1(titel));
        leiste.resize(40, leiste.sizeHint().height());
        leiste.show();
        QVERIFY(QTest::qWaitForWindowExposed(&leiste));
        auto* mehr = leiste.findChild<QToolButton*>();
        QVERIFY(mehr != nullptr && mehr->isVisible());
        const QImage bild = mehr->icon().pixmap(16, 16).toImage();
        int gezeichnet = 0;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x)
                gezeichnet += qAlpha(bild.pixel(x, y)) > 128;
        QVERIFY2(gezeichnet > 10, "the chevron is missing");
    }
}

int main(int argc, char** argv) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication app(argc, argv);
    DesignTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "design_test.moc"
