// The calculator window offscreen: leaving a field with everything that follows (recompute,
// sixteen texts, colours, the drawing) and the window repainted; a resize step likewise.
#include "NavoletFrm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace velorin;

namespace {

TfrmNavolet* Fenster = nullptr;

void Aktivieren(QWidget& w) {
    w.show();
    w.activateWindow();
    QElapsedTimer uhr;
    uhr.start();
    while (!w.isActiveWindow() && uhr.elapsed() < 5000)
        QCoreApplication::processEvents();
}

// Types text into the focused field a and moves the focus on to b.
void Eintrag(QLineEdit* a, QLineEdit* b, const QString& text) {
    a->setText(text);
    b->setFocus(Qt::TabFocusReason);
}

void Dreieck(TfrmNavolet& w) {
    w.Feld(VeR)->setFocus(Qt::TabFocusReason);
    Eintrag(w.Feld(VeR), w.Feld(VeG), QStringLiteral("90"));
    Eintrag(w.Feld(VeG), w.Feld(VwR), QStringLiteral("100"));
    Eintrag(w.Feld(VwR), w.Feld(VwG), QStringLiteral("45"));
    Eintrag(w.Feld(VwG), w.Feld(VeG), QStringLiteral("20"));
}

void BM_FeldVerlassenUndNeuZeichnen(benchmark::State& state) {
    TfrmNavolet& w = *Fenster;
    Dreieck(w);
    QLineEdit* felder[2] = {w.Feld(VeG), w.Feld(VwG)};
    const QString werte[2][2] = {{QStringLiteral("120"), QStringLiteral("100")},
                                 {QStringLiteral("25"), QStringLiteral("20")}};
    long i = 0;
    for (auto _ : state) {
        const int von = static_cast<int>(i % 2);
        Eintrag(felder[von], felder[1 - von], werte[von][(i / 2) % 2]);
        w.repaint();
        ++i;
    }
    if (w.Rechner().EingabeStatus()[VgG] != CI_Ergebnis || w.Bild().isNull())
        state.SkipWithError("the triangle was not computed");
    state.counters["Bild_B"] = w.Bild().width();
    state.counters["Bild_H"] = w.Bild().height();
}
BENCHMARK(BM_FeldVerlassenUndNeuZeichnen)->Unit(benchmark::kMillisecond);

void BM_GroessenSchritt(benchmark::State& state) {
    TfrmNavolet& w = *Fenster;
    Dreieck(w);
    const QSize basis(749, 607);
    long i = 0;
    for (auto _ : state) {
        w.resize(basis + QSize(static_cast<int>(i % 2), static_cast<int>(i % 2)));
        QCoreApplication::processEvents(); // the offscreen platform resizes through events
        w.repaint();
        ++i;
    }
    w.resize(basis);
}
BENCHMARK(BM_GroessenSchritt)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir basis;
    for (const char* o : {"daten", "laufzeit", "gemeinsam", "programm"})
        QDir(basis.path()).mkpath(o);
    QFile(basis.filePath("laufzeit"))
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The data files of the build's program folder, so that the start shows no message.
    for (const char* datei : {"/NV.chm", "/MP10.ssk", "/Info.html"})
        QFile::copy(QStringLiteral(VELORIN_PROGRAMMORDNER) + QLatin1String(datei),
                    basis.filePath("programm") + QLatin1String(datei));
    qputenv("XDG_DATA_HOME", basis.filePath("daten").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", basis.filePath("laufzeit").toLocal8Bit());
    qputenv("VELORIN_COMMON_APPDATA", basis.filePath("gemeinsam").toLocal8Bit());

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velorin"));
    auto fenster = std::make_unique<TfrmNavolet>(basis.filePath("programm"));
    Fenster = fenster.get();
    Aktivieren(*fenster);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
