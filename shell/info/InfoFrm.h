// The "Info" dialog: program name and versions with a short document about the program on one
// tab, the version history from the maker's web site and the start of the update program on the
// other.
#pragma once

#include "Schriften.h" // TNotifyEvent
#include "Themes.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTextBrowser>
#include <QUrl>

#include <string>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTextEdit;
class QWidget;

namespace velorin {

class TSteuerVar;
struct TDarstellung;

// Modal result of the dialog when it is closed by "zurück", the title bar or Escape.
inline constexpr int mrCancel = 2;

// The document shown on the Program tab; it lies in the program folder.
inline constexpr char InfoDokumentName[] = "Info.html";
// Set to an address, it replaces the version-history address given by the caller.
inline constexpr char VersionsHistorieVariable[] = "VELORIN_HISTORY_URL";
// Where the maker keeps this program's version history.
inline constexpr char URLVersionHistoryStandard[] =
    "https://www.orvat-lernsysteme.example/velorin/versionshistorie.html";

// What the main window hands to the dialog besides its own values.
inline constexpr char InfoButtonCaption[] = "zurück";
inline constexpr char InfoErfolgLabelCaption[] = "Viel Erfolg beim Lernen!";
inline constexpr char InfoCopyRight[] = "Copyright © 2005–2011 Orvat Lernsysteme";
inline constexpr char InfoUpdateExeName[] = "update.EXE";
inline constexpr char InfoProgramName[] = "Velorin";

// The part of a hint shown in the status bar: the text after the first "|", or the whole hint.
QString GetLongHint(const QString& hint);

// The text browser of the version tab. It loads no resources of its own (images, style sheets):
// a page from the net may not make the program read local files.
class TWebBrowser : public QTextBrowser {
    Q_OBJECT

public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override;
};

class TfrmInfo : public QDialog {
    Q_OBJECT

public:
    // Creates the dialog, shows it modally on parent and frees it; returns the modal result.
    // AktivePageIndex: the tab shown first (0 Program, 1 version history; negative or unknown
    // gives the Program tab). OnCloseFunction runs before the update program is started; an
    // exception it throws is shown and the update program is then not started. ProgramName
    // empty takes the name from the application title. programmOrdner: where the document and
    // the update program are looked for; empty means the folder of the running executable.
    static int ShowInfoForm(int AktivePageIndex, const TTheme& Theme,
                            const TNotifyEvent& OnCloseFunction, const QString& ProgramVersion,
                            const QString& URLVersionHistory, const QString& ButtonCaption,
                            const QString& ErfolgLabelCaption, const QString& CopyRight,
                            const QString& UpdateExeName, const QString& ProgramName,
                            QWidget* parent = nullptr, const QString& programmOrdner = QString());

    // The call of the main window: theme and version-history address from the settings object,
    // the program version from its version list, the fixed texts above; before the update
    // program starts, the status colours and line widths are written into the settings file
    // iniPfad.
    static int ShowInfoForm(QWidget* parent, const TSteuerVar& SteuerVar,
                            const QStringList& VersionInfo, const TDarstellung& Darstellung,
                            const std::string& iniPfad, int AktivePageIndex = 0,
                            const QString& programmOrdner = QString());

    ~TfrmInfo() override;

    QString ProgrammName() const;
    void SetProgrammName(const QString& value);
    const QString& FileVersion() const { return FFileVersion; }
    void SetFileVersion(const QString& value);
    const QString& ProgramVersion() const { return FProgramVersion; }
    void SetProgramVersion(const QString& value);

    const TTheme& Theme() const { return FTheme; }
    const QString& URLVersionHistory() const { return FURLVersionHistory; }
    const QString& ProgrammOrdner() const { return FProgrammOrdner; }

    void done(int result) override;

protected:
    bool event(QEvent* e) override;

private:
    TfrmInfo(QWidget* parent, const QString& programmOrdner);

    void Aufbauen();
    // Loads the selected tab's content; false when the document cannot be opened (fehler then
    // holds the message).
    bool FormShow(QString* fehler);
    bool pcInfoChange(QString* fehler);
    void pcInfoTabWechsel();
    void FormActivate();
    void frmInfoAufbau();
    void UpdateVersionLabel();
    void HinweisAnzeigen(const QString& hint);
    bool DokumentLaden(QString* fehler);

    void Navigieren(const QUrl& url);
    void AntwortFertig(QNetworkReply* reply);
    void WebBrowser1NavigateComplete2(const QByteArray& daten, const QByteArray& contentType,
                                      const QUrl& url);
    void WebBrowser1NavigateError();
    void WebBrowser1AnchorClicked(const QUrl& url);
    void btnVersionshistorieClick();
    void btnAktualisierenClick();

    QTabWidget* pcInfo = nullptr;
    QWidget* tsProgramm = nullptr;
    QWidget* tsAktVers = nullptr;
    QLabel* lblProgramm = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblProgVers = nullptr;
    QLabel* lblCopyright = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    TWebBrowser* WebBrowser1 = nullptr;
    QPushButton* btnVersionshistorie = nullptr;
    QPushButton* btnAktualisieren = nullptr;
    QWidget* suiPnlButton = nullptr;
    QLabel* ErfolgLabel = nullptr;
    QPushButton* btnZurueck = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    QNetworkAccessManager* FNetz = nullptr;
    QPointer<QNetworkReply> FAntwort;

    QString FErfolgLabelCaption;
    QString FURLVersionHistory;
    QString FUpdateExeName;
    TTheme FTheme;
    TNotifyEvent OnCloseFunction;
    QString FProgramVersion;
    QString FFileVersion;
    QString FProgrammOrdner;
};

} // namespace velorin
