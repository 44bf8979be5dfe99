#include "RM.h"

#include <stdexcept>
#include <utility>

namespace velorin {

TStatusMasken MaskenAus(const TEingabeStatus& status) {
    TStatusMasken m;
    for (int f = 0; f < FeldAnzahl; ++f) {
        const auto bit = static_cast<TNotwEingaben>(1u << f);
        if (IstBekannt(status[f]))
            m.Bekannt |= bit;
        else if (status[f] == CI_EingMoeglich)
            m.Moeglich |= bit;
    }
    return m;
}

namespace {
bool EinsBekannt(const TEingabeStatus& status, TNotwEingaben felder) {
    for (int f = 0; felder != 0; ++f, felder >>= 1)
        if ((felder & 1u) && IstBekannt(status[f])) return true;
    return false;
}
bool AlleBekannt(const TEingabeStatus& status, TNotwEingaben felder) {
    for (int f = 0; felder != 0; ++f, felder >>= 1)
        if ((felder & 1u) && !IstBekannt(status[f])) return false;
    return true;
}
} // namespace

TRechnen::TRechnen(PEingabeStatus P_Status, PWerte P_Werte, TRechenProc RechenProc,
                   TNotwEingaben NotwEingaben, TNotwEingaben Ausgaben)
    : FNotwEingaben(NotwEingaben), FAusgaben(Ausgaben), PStatus(P_Status), PWerte_(P_Werte),
      FRechenProc(std::move(RechenProc)) {}

TBerechnen TRechnen::Pruefen() const {
    TBerechnen r;
    r.NochMoeglich = !EinsBekannt(*PStatus, FAusgaben);
    r.Moeglich = AlleBekannt(*PStatus, FNotwEingaben);
    return r;
}

TBerechnen TRechnen::PruefenTest(TStatusMasken status) const {
    TBerechnen r;
    r.NochMoeglich = (FAusgaben & status.Bekannt) == 0;
    r.Moeglich = (FNotwEingaben & ~status.Bekannt) == 0;
    return r;
}

TBerechnen TRechnen::Rechnen() {
    TBerechnen r = Pruefen();
    if (r.Moeglich && r.NochMoeglich) {
        r.Durchgefuehrt = FRechenProc(*PWerte_);
        if (r.Durchgefuehrt) {
            for (int f = 0; f < FeldAnzahl; ++f)
                if (FAusgaben & (1u << f)) (*PStatus)[f] = CI_Ergebnis;
            r.NochMoeglich = false;
        }
    }
    return r;
}

bool TRechnen::Feuern(TNotwEingaben& bekannt) {
    if ((FNotwEingaben & ~bekannt) != 0 || (FAusgaben & bekannt) != 0) return false;
    if (!FRechenProc(*PWerte_)) return false;
    for (int f = 0; f < FeldAnzahl; ++f)
        if (FAusgaben & (1u << f)) (*PStatus)[f] = CI_Ergebnis;
    bekannt |= FAusgaben;
    return true;
}

TBerechnen TRechnen::RechnenTest(TStatusMasken& status) const {
    TBerechnen r = PruefenTest(status);
    if (r.Moeglich && r.NochMoeglich) {
        r.Durchgefuehrt = true;
        status.Bekannt |= FAusgaben;
        status.Moeglich &= static_cast<TNotwEingaben>(~FAusgaben);
        r.NochMoeglich = false;
    }
    return r;
}

void TRechnen::EingabenSetzen(TStatusMasken& status) const {
    const TNotwEingaben neu = FNotwEingaben & status.Moeglich;
    status.Bekannt |= neu;
    status.Moeglich &= static_cast<TNotwEingaben>(~neu);
}

TRechenVerfahren::TRechenVerfahren(PEingabeStatus P_Status, PWerte P_Werte)
    : PStatus(P_Status), PWerte_(P_Werte) {}

void TRechenVerfahren::Add(TRechenProc RechenProc, TNotwEingaben NotwEingaben,
                           TNotwEingaben Ausgaben) {
    if (Ausgaben == 0) throw std::invalid_argument("Regel ohne Ausgaben");
    if ((NotwEingaben & Ausgaben) != 0)
        throw std::invalid_argument("Regel mit Ausgaben unter ihren Eingaben");
    if (FRechenVerfahren.size() >= 255) throw std::length_error("zu viele Regeln");
    FRechenVerfahren.emplace_back(PStatus, PWerte_, std::move(RechenProc), NotwEingaben, Ausgaben);
    FZulaessig.push_back(0);
    FKandidaten.reserve(FRechenVerfahren.size());
}

void TRechenVerfahren::Rechnen() {
    // Phase 1: fire every rule in order until a sweep fires nothing. Only firing changes the
    // live statuses here, so the known fields can be kept as a mask.
    TNotwEingaben bekannt = MaskenAus(*PStatus).Bekannt;
    bool gefeuert;
    do {
        gefeuert = false;
        for (auto& regel : FRechenVerfahren)
            if (regel.Feuern(bekannt)) gefeuert = true;
    } while (gefeuert);

    // Phase 2: rules blocked only by missing inputs, and the known fields they wait for.
    FKandidaten.clear();
    TNotwEingaben verankert = 0;
    const TStatusMasken live = MaskenAus(*PStatus);
    for (std::size_t i = 0; i < FRechenVerfahren.size(); ++i) {
        FZulaessig[i] = 0;
        const TBerechnen b = FRechenVerfahren[i].PruefenTest(live);
        if (!b.Moeglich && b.NochMoeglich) {
            FKandidaten.push_back(static_cast<std::uint8_t>(i));
            verankert |= FRechenVerfahren[i].FNotwEingaben & live.Bekannt;
        }
    }

    // Phase 3.
    for (const std::uint8_t k : FKandidaten)
        FZulaessig[k] = IstZulaessig(k, FKandidaten, verankert) ? 1 : 0;

    // Phase 4: an unknown field is enterable when an admissible rule needs it.
    TNotwEingaben eingebbar = 0;
    for (std::size_t i = 0; i < FRechenVerfahren.size(); ++i)
        if (FZulaessig[i]) eingebbar |= FRechenVerfahren[i].FNotwEingaben;
    for (int f = 0; f < FeldAnzahl; ++f) {
        if (IstBekannt((*PStatus)[f])) continue;
        (*PStatus)[f] = (eingebbar & (1u << f)) ? CI_EingMoeglich : CI_Undef;
    }
}

bool TRechenVerfahren::IstZulaessig(std::size_t k, const std::vector<std::uint8_t>& Kandidaten,
                                    TNotwEingaben Verankert) {
    // With nothing anchored every candidate is admissible: the used set can only be empty.
    if (Verankert == 0) return true;

    FStatusTest = MaskenAus(*PStatus);
    FRechenVerfahren[k].EingabenSetzen(FStatusTest);

    // Simulated fixed point over the candidates. A candidate that fired, or whose output
    // became known, can never fire again, so it leaves the sweep list.
    TNotwEingaben benutzt = 0;
    std::uint32_t offen = Kandidaten.size() >= 32 ? 0xFFFFFFFFu : (1u << Kandidaten.size()) - 1u;
    std::vector<std::uint8_t>::size_type j;
    bool gefeuert;
    do {
        gefeuert = false;
        for (j = 0; j < Kandidaten.size(); ++j) {
            if (j < 32 && !(offen & (1u << j))) continue;
            const TRechnen& regel = FRechenVerfahren[Kandidaten[j]];
            const TBerechnen b = regel.RechnenTest(FStatusTest);
            if (b.Durchgefuehrt) {
                benutzt |= regel.FNotwEingaben & Verankert;
                gefeuert = true;
            }
            if (!b.NochMoeglich && j < 32) offen &= ~(1u << j);
        }
    } while (gefeuert);

    for (const std::uint8_t c : Kandidaten) {
        const TRechnen& regel = FRechenVerfahren[c];
        const TBerechnen b = regel.PruefenTest(FStatusTest);
        if (!b.Moeglich && b.NochMoeglich) benutzt |= regel.FNotwEingaben & Verankert;
    }
    return benutzt == Verankert;
}

} // namespace velorin
