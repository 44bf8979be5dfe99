#include "InfoModul.h"

#include <QDir>
#include <QLibrary>

namespace velorin {

namespace {

QString Meldung(const QString& grund) {
    return QStringLiteral("Die Programminformation kann nicht angezeigt werden.\n") + grund;
}

} // namespace

int InfoModulZeigen(const QString& ordner, const TInfoAufruf& aufruf, QString* fehler) {
    // Only the module of the program's own folder, never one found on a search path.
    const QString pfad = QDir(ordner).absoluteFilePath(QLatin1String(InfoModulDatei));
    QLibrary modul(pfad);
    // The module stays loaded once it is: QLibrary does not unload it when this object goes.
    if (!modul.load()) {
        if (fehler) *fehler = Meldung(modul.errorString());
        return -1;
    }
    const auto kennung = reinterpret_cast<TInfoKennung>(modul.resolve(InfoModulKennungEinstieg));
    const auto zeigen = reinterpret_cast<TInfoZeigen>(modul.resolve(InfoModulZeigenEinstieg));
    // A module of another build may expect other data: it is not called.
    if (kennung == nullptr || zeigen == nullptr ||
        QLatin1String(kennung()) != QLatin1String(VELORIN_INFO_KENNUNG)) {
        if (fehler)
            *fehler = Meldung(pfad + QStringLiteral(" gehört nicht zu dieser Programmversion."));
        return -1;
    }
    QString grund;
    const int ergebnis = zeigen(aufruf, &grund);
    if (ergebnis < 0 && fehler) *fehler = Meldung(grund);
    return ergebnis;
}

} // namespace velorin
