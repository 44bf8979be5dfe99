// The entry points of the "Info" module.
#include "InfoModul.h"

#include "InfoFrm.h"

#include <QtGlobal>

#include <exception>

extern "C" Q_DECL_EXPORT const char* VelorinInfoKennung() {
    return VELORIN_INFO_KENNUNG;
}

extern "C" Q_DECL_EXPORT int VelorinInfoZeigen(const velorin::TInfoAufruf& a, QString* fehler) {
    // An exception must not cross into the program, which may be built by another compiler run.
    try {
        return velorin::TfrmInfo::ShowInfoForm(a.Parent, *a.SteuerVar, *a.VersionInfo,
                                               *a.Darstellung, *a.IniPfad, a.AktivePageIndex,
                                               *a.ProgrammOrdner);
    } catch (const std::exception& e) {
        if (fehler) *fehler = QString::fromLocal8Bit(e.what());
    } catch (...) {
        if (fehler) *fehler = QStringLiteral("Unbekannter Fehler");
    }
    return -1;
}
