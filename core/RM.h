// Table-driven field solver over the sixteen fields: rules fire to a fixed point, then every
// unknown field is marked enterable or not, so that no entry can over-determine the system.
#pragma once

#include "Typen.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace velorin {

struct TBerechnen {
    bool Moeglich = true;       // every needed input is known
    bool Durchgefuehrt = false; // the procedure ran and succeeded
    bool NochMoeglich = true;   // every output is still unknown
};

// Computes a rule's outputs from the value array; false when it cannot (a zero divisor, say).
using TRechenProc = std::function<bool(TWerte& Eingabe)>;

// A status array in compact form, as the admissibility test needs it: which fields are known,
// which are enterable.
struct TStatusMasken {
    TNotwEingaben Bekannt = 0;
    TNotwEingaben Moeglich = 0;
};

TStatusMasken MaskenAus(const TEingabeStatus& status);

class TRechnen {
public:
    TRechnen(PEingabeStatus P_Status, PWerte P_Werte, TRechenProc RechenProc,
             TNotwEingaben NotwEingaben, TNotwEingaben Ausgaben);

    // Checks the rule against the live statuses and fires it if it can.
    TBerechnen Rechnen();

    TNotwEingaben NotwEingaben() const { return FNotwEingaben; }
    TNotwEingaben Ausgaben() const { return FAusgaben; }

private:
    friend class TRechenVerfahren;

    TBerechnen Pruefen() const;
    // Firing within a run, with the known fields of the live array kept as a mask.
    bool Feuern(TNotwEingaben& bekannt);
    TBerechnen PruefenTest(TStatusMasken status) const;
    TBerechnen RechnenTest(TStatusMasken& status) const;
    void EingabenSetzen(TStatusMasken& status) const;

    TNotwEingaben FNotwEingaben;
    TNotwEingaben FAusgaben;
    PEingabeStatus PStatus;
    PWerte PWerte_;
    TRechenProc FRechenProc;
};

class TRechenVerfahren {
public:
    // The caller owns both arrays and keeps them alive as long as the solver.
    TRechenVerfahren(PEingabeStatus P_Status, PWerte P_Werte);
    virtual ~TRechenVerfahren() = default;

    TRechenVerfahren(const TRechenVerfahren&) = delete;
    TRechenVerfahren& operator=(const TRechenVerfahren&) = delete;

    // Appends a rule; the order of registration is the order of trying. Throws
    // std::invalid_argument for an empty output set or inputs overlapping outputs, which
    // would keep the fixed point from ending or let a rule overwrite its own input.
    void Add(TRechenProc RechenProc, TNotwEingaben NotwEingaben, TNotwEingaben Ausgaben);

    // One complete run: fixed point, candidates, admissibility, marking.
    void Rechnen();

    std::size_t Anzahl() const { return FRechenVerfahren.size(); }
    const TRechnen& Regel(std::size_t i) const { return FRechenVerfahren[i]; }
    // The rule was found admissible by the last run.
    bool Zulaessig(std::size_t i) const { return FZulaessig[i] != 0; }

private:
    bool IstZulaessig(std::size_t k, const std::vector<std::uint8_t>& Kandidaten,
                      TNotwEingaben Verankert);

    std::vector<TRechnen> FRechenVerfahren;
    std::vector<char> FZulaessig;
    PEingabeStatus PStatus;
    PWerte PWerte_;
    TStatusMasken FStatusTest;
    std::vector<std::uint8_t> FKandidaten; // reused between runs
};

} // namespace velorin
