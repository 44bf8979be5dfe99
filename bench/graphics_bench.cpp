// One drawing of the triangle beside a plain white fill of a bitmap of the same size.
#include "DreieckZeichnen.h"

#include <benchmark/benchmark.h>

#include <QImage>

using namespace velorin;

namespace {

TWerte Beispiel() {
    TWerte w{};
    w[VeR] = 90;
    w[VeG] = 100;
    w[VwR] = 45;
    w[VwG] = 20;
    return w;
}

TEingabeStatus Zeichenbar() {
    TEingabeStatus s{};
    for (TFeldNamen f : {VeR, VeG, VwR, VwG})
        s[f] = CI_Eingegeben;
    s[VgR] = CI_Ergebnis;
    s[VgG] = CI_Ergebnis;
    return s;
}

void Dreieck(benchmark::State& state) {
    const int breite = static_cast<int>(state.range(0));
    const int hoehe = static_cast<int>(state.range(1));
    const TWerte werte = Beispiel();
    const TEingabeStatus status = Zeichenbar();
    const TDarstellung darstellung;
    QImage bild(breite, hoehe, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        if (!ZeichneDreieck(bild, breite, hoehe, werte, status, darstellung))
            state.SkipWithError("not drawn");
        benchmark::DoNotOptimize(bild.constBits());
        benchmark::ClobberMemory();
    }
}

void WeissFuellen(benchmark::State& state) {
    QImage bild(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        bild.fill(Qt::white);
        benchmark::DoNotOptimize(bild.constBits());
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(Dreieck)->Args({364, 442})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
BENCHMARK(WeissFuellen)->Args({364, 442})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
