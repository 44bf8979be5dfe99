// The designs of the program: five built in (MacOS, WinXP, DeepBlue, Protein, BlueGlass) and one
// painted from a theme file. A design is given to the whole application as a toolkit style, a
// palette and a style sheet.
//
// Colours a window sets on its own entry fields, lists and spin fields stay: the style sheets
// leave those widgets alone, so a colour set with QWidget::setPalette (QPalette::Base for the
// background, QPalette::Text for the text) wins over every design and survives design changes.
// Never colour such a widget through the application style sheet.
#pragma once

#include "Themes.h"

#include <QColor>
#include <QString>

#include <string>

namespace velorin {

// Theme file of the design "Default", a bare name looked up in the program folder.
inline constexpr char StandardThemeDatei[] = "MP10.ssk";

// Style of a design menu item's tag: 0 MacOS, 1 WinXP, 2 DeepBlue, 3 Protein, 4 BlueGlass,
// 5 FromThemeFile ("Default"). False for any other tag.
bool StilVonTag(int tag, TUIStyle& stil);

// Where a theme file is read from: an absolute name as it is, any other name inside
// programmOrdner (empty: the folder of the running executable), never the working folder.
QString ThemeDateiPfad(const std::string& themeFile, const QString& programmOrdner = QString());

// Gives the whole application the design of theme. FromThemeFile paints from theme.ThemeFile; a
// file that is missing or cannot be read gives the plain look without a message, and false.
bool DesignAnwenden(const TTheme& theme, const QString& programmOrdner = QString());

// The design command of the menu. The tag's style is applied; for tag 5 the theme file becomes
// StandardThemeDatei, for the others theme.ThemeFile stays as it was. theme then holds the design
// in force. A tag outside 0 to 5 changes nothing and gives false.
bool SkinWaehlen(int tag, TTheme& theme, const QString& programmOrdner = QString());

// The theme last given to DesignAnwenden.
TTheme AktuellesDesign();

// Colour of the skin frame: the window colour of the application's palette.
QColor SkinFarbe();

} // namespace velorin
