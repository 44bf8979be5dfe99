// Solver runs and the entry cycle of the calculator model.
#include "Rechner.h"
#include "Regeln.h"
#include "Schritte.h"

#include <benchmark/benchmark.h>

#include <iostream>

using namespace velorin;

namespace {

struct Windsolver {
    TEingabeStatus status{};
    TWerte werte{};
    TRechenVerfahren rv{&status, &werte};
    Windsolver() {
        for (const TRegel& r : Regeln())
            rv.Add(r.Proc, r.NotwEingaben, r.Ausgaben);
    }
};

void Lauf(benchmark::State& state, const TEingabeStatus& start, const TWerte& werte) {
    Windsolver s;
    for (auto _ : state) {
        s.status = start;
        s.werte = werte;
        s.rv.Rechnen();
        benchmark::DoNotOptimize(s.status);
    }
}

void SolverAllesUnbekannt(benchmark::State& state) {
    Lauf(state, TEingabeStatus{}, TWerte{});
}

void SolverBeispiel(benchmark::State& state) {
    TEingabeStatus st{};
    st.fill(CI_EingMoeglich);
    TWerte w{};
    for (const auto& [f, v] : {std::pair{VeR, 90.0f}, {VeG, 100.0f}, {VwR, 45.0f}, {VwG, 20.0f}}) {
        st[f] = CI_Eingegeben;
        w[f] = v;
    }
    Lauf(state, st, w);
}

// The dearest state found by timing every pattern of up to six entries over enterable or
// undefined fields: one deviation on the reverse course, everything else enterable. All 22
// other rules are candidates, each needing a long simulation.
void SolverTeuer(benchmark::State& state) {
    TEingabeStatus st{};
    st.fill(CI_EingMoeglich);
    st[DevU] = CI_Eingegeben;
    TWerte w{};
    w[DevU] = 2;
    Lauf(state, st, w);
}

// Leaving a field: read, store, solver, sixteen texts.
void Eingabezyklus(benchmark::State& state) {
    TRechner r;
    for (const char* s : {"VeR=90", "VeG=100", "VwR=45"}) {
        TSchritt schritt;
        std::string fehler;
        SchrittLesen(s, schritt, fehler);
        SchrittAusfuehren(r, schritt, std::cerr);
    }
    bool wechsel = false;
    for (auto _ : state) {
        r.mmoChange(VwG, wechsel ? "20" : "25");
        wechsel = !wechsel;
        benchmark::DoNotOptimize(r.FeldVerlassen(VwG));
    }
}

} // namespace

BENCHMARK(SolverAllesUnbekannt);
BENCHMARK(SolverBeispiel);
BENCHMARK(SolverTeuer);
BENCHMARK(Eingabezyklus);
