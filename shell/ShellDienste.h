// What the program asks of the desktop: its data folders, opening files, and the version list
// in Qt's own types. None of these shows a message or throws; failures come back as results.
#pragma once

#include "Versionsblock.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace velorin {

// Folder roles, numbered as the program's folder look-up has always numbered them.
inline constexpr int CSIDL_APPDATA = 0x1A;        // the user's own application data
inline constexpr int CSIDL_COMMON_APPDATA = 0x23; // application data shared by all users

// Environment variable that names the all-users folder outright (packagers, tests).
inline constexpr char CommonAppDataVariable[] = "VELORIN_COMMON_APPDATA";

// The folder of a role, without a trailing separator; empty for an unknown role or when the
// folder cannot be determined.
//  - CSIDL_APPDATA: the user's data folder (XDG_DATA_HOME, else ~/.local/share).
//  - CSIDL_COMMON_APPDATA: $VELORIN_COMMON_APPDATA when set to an absolute path; else /var/lib
//    when this user may create or write the program's folder below it (company and product from
//    the version list), as an installation arranges; else "all-users" in the user's data folder,
//    so that a normal user's start never fails over it.
QString GetSpecialFolderPath(int csidl);

// Hands fileName to the desktop to be opened: an executable file is started on its own, a URL
// with a scheme goes to its handler, anything else to the desktop's handler for the file.
// window is the window on whose behalf this happens. Nothing is reported on failure.
void ShellOpen(QWidget* window, const QString& fileName);

// The all-users folder as chosen above, with maschinenOrdner in place of /var/lib.
QString GemeinsamerOrdner(const QString& maschinenOrdner);

// LoadVersionInfo and ValueOf on Qt's string lists; names compare without regard to case.
bool LoadVersionInfo(QStringList& list);
QString ValueOf(const QStringList& list, const QString& name);

} // namespace velorin
