// The "Info" dialog is a module of its own that the window loads the first time the dialog is
// asked for: the dialog fetches the version history over the network, and QtNetwork with its
// libraries would otherwise be loaded at every start of the program.
#pragma once

#include <QString>
#include <QStringList>

#include <string>

class QWidget;

namespace velorin {

class TSteuerVar;
struct TDarstellung;

// What the window hands to the dialog; see TfrmInfo::ShowInfoForm.
struct TInfoAufruf {
    QWidget* Parent = nullptr;
    const TSteuerVar* SteuerVar = nullptr;
    const QStringList* VersionInfo = nullptr;
    const TDarstellung* Darstellung = nullptr;
    const std::string* IniPfad = nullptr;
    int AktivePageIndex = 0;
    const QString* ProgrammOrdner = nullptr;
};

// File name of the module in the program folder, and its two entry points.
inline constexpr char InfoModulDatei[] = "velorin-info.so";
inline constexpr char InfoModulKennungEinstieg[] = "VelorinInfoKennung";
inline constexpr char InfoModulZeigenEinstieg[] = "VelorinInfoZeigen";
using TInfoKennung = const char* (*)();
// Returns the modal result; fehler receives the text of an exception, which stays inside.
using TInfoZeigen = int (*)(const TInfoAufruf& aufruf, QString* fehler);

// Loads the module from ordner (once) and shows the dialog. Returns the modal result, or -1 with
// a German message in fehler when the module is missing, foreign or fails.
int InfoModulZeigen(const QString& ordner, const TInfoAufruf& aufruf, QString* fehler);

} // namespace velorin
