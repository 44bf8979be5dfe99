#include "InfoFrm.h"

#include "SteuerVar.h"
#include "graphics/Darstellung.h"
#include "shell/ShellDienste.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStringConverter>
#include <QStringDecoder>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <exception>
#include <memory>

namespace velorin {

namespace {

// A history page is a few kilobytes; anything far larger is not what we asked for.
constexpr qint64 MaxSeitenGroesse = 4 * 1024 * 1024;
// A stalled connection must not leave the tab waiting for ever.
constexpr int TransferTimeoutMs = 20000;

const char* const FehlerSeite = "<h1 style=\"font-family:arial; font-size:medium\">"
                                "Es wurde keine Internetverbindung erkannt</h1>";

QString Anwendungstitel() {
    return QGuiApplication::applicationDisplayName();
}

void HintSetzen(QWidget* control, const QString& hint) {
    control->setProperty("Hint", hint);
    control->setStatusTip(GetLongHint(hint));
}

// The program's picture: a small wind triangle, unless the application has an icon of its own.
QPixmap ProgrammBild(int groesse) {
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull()) return icon.pixmap(groesse, groesse);
    QPixmap bild(groesse, groesse);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x4e, 0x8c));
    p.drawRoundedRect(QRectF(0.5, 0.5, groesse - 1.0, groesse - 1.0), groesse / 6.0, groesse / 6.0);
    const double g = groesse;
    QPainterPath dreieck;
    dreieck.moveTo(0.2 * g, 0.8 * g);
    dreieck.lineTo(0.5 * g, 0.18 * g);
    dreieck.lineTo(0.82 * g, 0.62 * g);
    dreieck.closeSubpath();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, g / 16.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(dreieck);
    p.setPen(QPen(QColor(0xff, 0xd0, 0x40), g / 20.0));
    p.drawLine(QPointF(0.2 * g, 0.8 * g), QPointF(0.2 * g, 0.12 * g));
    return bild;
}

// Why a file could not be opened, in the words the user's system would use.
QString OeffnenFehlerGrund(const QFileInfo& info, const QFile& datei) {
    if (!info.exists()) return QStringLiteral("Das System kann die angegebene Datei nicht finden.");
    if (!info.isFile()) return QStringLiteral("Der Pfad bezeichnet keine Datei.");
    if (!info.isReadable()) return QStringLiteral("Zugriff verweigert.");
    return datei.errorString();
}

QString Dekodieren(const QByteArray& daten, const QByteArray& contentType) {
    QStringConverter::Encoding kodierung = QStringConverter::Utf8;
    const int pos = contentType.toLower().indexOf("charset=");
    if (pos >= 0) {
        QByteArray name = contentType.mid(pos + 8);
        const int ende = name.indexOf(';');
        if (ende >= 0) name.truncate(ende);
        name = name.trimmed();
        if (name.startsWith('"') && name.endsWith('"') && name.size() >= 2)
            name = name.mid(1, name.size() - 2);
        // Pages that name another legacy code page are closest to Latin-1.
        kodierung =
            QStringConverter::encodingForName(name.constData()).value_or(QStringConverter::Latin1);
    } else if (const auto html = QStringConverter::encodingForHtml(daten)) {
        kodierung = *html;
    }
    QStringDecoder decoder(kodierung);
    return decoder.decode(daten);
}

QString VersionsHistorieAdresse(const QString& gegeben) {
    const QString ersatz = qEnvironmentVariable(VersionsHistorieVariable);
    return ersatz.isEmpty() ? gegeben : ersatz;
}

} // namespace

QString GetLongHint(const QString& hint) {
    const int trenner = hint.indexOf(QLatin1Char('|'));
    return trenner < 0 ? hint : hint.mid(trenner + 1);
}

QVariant TWebBrowser::loadResource(int type, const QUrl& name) {
    Q_UNUSED(type);
    Q_UNUSED(name);
    return {};
}

TfrmInfo::TfrmInfo(QWidget* parent, const QString& programmOrdner)
    : QDialog(parent),
      FProgrammOrdner(programmOrdner.isEmpty() ? QCoreApplication::applicationDirPath()
                                               : programmOrdner) {
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("Info"));
    Aufbauen();
    FNetz = new QNetworkAccessManager(this);
    resize(552, 567);
}

TfrmInfo::~TfrmInfo() {
    if (FAntwort) {
        FAntwort->disconnect(this);
        FAntwort->abort();
    }
}

void TfrmInfo::Aufbauen() {
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(0, 0, 0, 0);
    haupt->setSpacing(0);

    pcInfo = new QTabWidget(this);
    pcInfo->setObjectName(QStringLiteral("pcInfo"));
    haupt->addWidget(pcInfo, 1);

    // Program tab: name, picture, versions, rights notice and the document.
    tsProgramm = new QWidget;
    tsProgramm->setObjectName(QStringLiteral("tsProgramm"));
    auto* programm = new QVBoxLayout(tsProgramm);
    lblProgramm = new QLabel(tsProgramm);
    lblProgramm->setObjectName(QStringLiteral("lblProgramm"));
    lblProgramm->setAlignment(Qt::AlignCenter);
    lblProgramm->setWordWrap(true);
    QFont gross = lblProgramm->font();
    gross.setBold(true);
    gross.setPointSizeF(gross.pointSizeF() * 1.6);
    lblProgramm->setFont(gross);
    programm->addWidget(lblProgramm);

    auto* streifen = new QWidget(tsProgramm);
    streifen->setFixedHeight(74);
    auto* streifenLayout = new QHBoxLayout(streifen);
    streifenLayout->setContentsMargins(4, 4, 4, 4);
    Image1 = new QLabel(streifen);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ProgrammBild(56));
    Image1->setFixedSize(64, 64);
    Image1->setAlignment(Qt::AlignCenter);
    streifenLayout->addWidget(Image1);
    auto* texte = new QVBoxLayout;
    lblProgVers = new QLabel(QStringLiteral("Version"), streifen);
    lblProgVers->setObjectName(QStringLiteral("lblProgVers"));
    lblCopyright = new QLabel(streifen);
    lblCopyright->setObjectName(QStringLiteral("lblCopyright"));
    texte->addStretch(1);
    texte->addWidget(lblProgVers);
    texte->addWidget(lblCopyright);
    texte->addStretch(1);
    streifenLayout->addLayout(texte, 1);
    programm->addWidget(streifen);

    // Editable for the reader's own notes; nothing typed is kept.
    RichEdit1 = new QTextEdit(tsProgramm);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setAcceptRichText(true);
    programm->addWidget(RichEdit1, 1);
    pcInfo->addTab(tsProgramm, QStringLiteral("Programm"));

    // Version tab: the history page and the update button.
    tsAktVers = new QWidget;
    tsAktVers->setObjectName(QStringLiteral("tsAktVers"));
    auto* aktVers = new QVBoxLayout(tsAktVers);
    aktVers->setContentsMargins(0, 0, 0, 0);
    aktVers->setSpacing(0);
    WebBrowser1 = new TWebBrowser(tsAktVers);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setOpenLinks(false);
    WebBrowser1->setOpenExternalLinks(false);
    connect(WebBrowser1, &QTextBrowser::anchorClicked, this, &TfrmInfo::WebBrowser1AnchorClicked);
    aktVers->addWidget(WebBrowser1, 1);
    auto* knopfStreifen = new QWidget(tsAktVers);
    knopfStreifen->setFixedHeight(66);
    knopfStreifen->setAutoFillBackground(true);
    QPalette weiss = knopfStreifen->palette();
    weiss.setColor(QPalette::Window, Qt::white);
    knopfStreifen->setPalette(weiss);
    auto* knopfLayout = new QHBoxLayout(knopfStreifen);
    knopfLayout->setContentsMargins(10, 10, 10, 10);
    btnVersionshistorie =
        new QPushButton(QStringLiteral("Änderungshistorie abrufen"), knopfStreifen);
    btnVersionshistorie->setObjectName(QStringLiteral("btnVersionshistorie"));
    btnVersionshistorie->setAutoDefault(false);
    HintSetzen(btnVersionshistorie,
               QStringLiteral("|lädt die akutelle Liste der Programmänderungen zur Anzeige "
                              "herunter"));
    connect(btnVersionshistorie, &QPushButton::clicked, this, &TfrmInfo::btnVersionshistorieClick);
    btnAktualisieren = new QPushButton(QStringLiteral("Programm aktualisieren"), knopfStreifen);
    btnAktualisieren->setObjectName(QStringLiteral("btnAktualisieren"));
    // Enter in the dialog must never start the update by accident.
    btnAktualisieren->setAutoDefault(false);
    HintSetzen(btnAktualisieren,
               QStringLiteral("bringt das Programm bei bestehender Internetverbindung auf den "
                              "aktuellen Stand"));
    connect(btnAktualisieren, &QPushButton::clicked, this, &TfrmInfo::btnAktualisierenClick);
    knopfLayout->addWidget(btnVersionshistorie);
    knopfLayout->addStretch(1);
    knopfLayout->addWidget(btnAktualisieren);
    aktVers->addWidget(knopfStreifen);
    pcInfo->addTab(tsAktVers, QStringLiteral("aktuelle Version beziehen"));
    connect(pcInfo, &QTabWidget::currentChanged, this, &TfrmInfo::pcInfoTabWechsel);

    // Bottom panel.
    suiPnlButton = new QWidget(this);
    suiPnlButton->setObjectName(QStringLiteral("suiPnlButton"));
    suiPnlButton->setFixedHeight(66);
    suiPnlButton->setAutoFillBackground(true);
    auto* unten = new QHBoxLayout(suiPnlButton);
    unten->setContentsMargins(10, 10, 10, 10);
    ErfolgLabel = new QLabel(QStringLiteral("Viel Erfolg beim Erlernen ..."), suiPnlButton);
    ErfolgLabel->setObjectName(QStringLiteral("ErfolgLabel"));
    QFont fett = ErfolgLabel->font();
    fett.setBold(true);
    ErfolgLabel->setFont(fett);
    btnZurueck = new QPushButton(QStringLiteral("zurück"), suiPnlButton);
    btnZurueck->setObjectName(QStringLiteral("btnZurueck"));
    btnZurueck->setDefault(true);
    HintSetzen(btnZurueck, QStringLiteral("|schließt das Info-Fenster"));
    connect(btnZurueck, &QPushButton::clicked, this, [this] { done(mrCancel); });
    unten->addWidget(ErfolgLabel);
    unten->addStretch(1);
    unten->addWidget(btnZurueck);
    haupt->addWidget(suiPnlButton);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    haupt->addWidget(StatusBar1);
}

int TfrmInfo::ShowInfoForm(int AktivePageIndex, const TTheme& Theme,
                           const TNotifyEvent& OnCloseFunction, const QString& ProgramVersion,
                           const QString& URLVersionHistory, const QString& ButtonCaption,
                           const QString& ErfolgLabelCaption, const QString& CopyRight,
                           const QString& UpdateExeName, const QString& ProgramName,
                           QWidget* parent, const QString& programmOrdner) {
    std::unique_ptr<TfrmInfo> dlg(new TfrmInfo(parent, programmOrdner));
    // The look itself comes from the design applied to the whole application.
    dlg->FTheme = Theme;

    if (!ProgramName.isEmpty()) {
        dlg->SetProgrammName(ProgramName);
    } else {
        const QString titel = Anwendungstitel();
        const int pos = titel.indexOf(QStringLiteral(" Version"));
        dlg->SetProgrammName(pos >= 0 ? titel.left(pos) : titel);
    }
    dlg->FProgramVersion = ProgramVersion;
    dlg->btnZurueck->setText(ButtonCaption);
    dlg->FErfolgLabelCaption = ErfolgLabelCaption;
    dlg->lblCopyright->setText(CopyRight);
    dlg->FUpdateExeName = UpdateExeName;
    dlg->FURLVersionHistory = VersionsHistorieAdresse(URLVersionHistory);
    dlg->setMinimumHeight(500);
    {
        // The content is loaded once below, not for this selection as well.
        const QSignalBlocker stumm(dlg->pcInfo);
        const bool gueltig = AktivePageIndex >= 0 && AktivePageIndex < dlg->pcInfo->count();
        dlg->pcInfo->setCurrentIndex(gueltig ? AktivePageIndex : 0);
    }
    dlg->OnCloseFunction = OnCloseFunction;

    QString fehler;
    if (!dlg->FormShow(&fehler)) {
        dlg.reset();
        QMessageBox::critical(parent, Anwendungstitel(), fehler);
        return mrCancel;
    }
    return dlg->exec();
}

int TfrmInfo::ShowInfoForm(QWidget* parent, const TSteuerVar& SteuerVar,
                           const QStringList& VersionInfo, const TDarstellung& Darstellung,
                           const std::string& iniPfad, int AktivePageIndex,
                           const QString& programmOrdner) {
    // The values cannot change while the dialog is modal, so a copy is what gets written.
    const TNotifyEvent speichern = [werte = Darstellung, pfad = iniPfad](const void*) {
        StatusSpeichern(pfad, werte);
    };
    QString adresse = QString::fromStdString(SteuerVar.URLVersionHistory);
    if (adresse.isEmpty()) adresse = QString::fromUtf8(URLVersionHistoryStandard);
    return ShowInfoForm(AktivePageIndex, SteuerVar.Theme, speichern,
                        ValueOf(VersionInfo, QStringLiteral("Product Version")), adresse,
                        QString::fromUtf8(InfoButtonCaption),
                        QString::fromUtf8(InfoErfolgLabelCaption), QString::fromUtf8(InfoCopyRight),
                        QString::fromUtf8(InfoUpdateExeName), QString::fromUtf8(InfoProgramName),
                        parent, programmOrdner);
}

QString TfrmInfo::ProgrammName() const {
    return lblProgramm->text();
}

void TfrmInfo::SetProgrammName(const QString& value) {
    lblProgramm->setText(value);
}

void TfrmInfo::SetFileVersion(const QString& value) {
    FFileVersion = value;
    UpdateVersionLabel();
}

void TfrmInfo::SetProgramVersion(const QString& value) {
    FProgramVersion = value;
    UpdateVersionLabel();
}

void TfrmInfo::UpdateVersionLabel() {
    lblProgVers->setText(QStringLiteral(" Datei-Version: ") + FFileVersion +
                         QStringLiteral(", Programm-Version: ") + FProgramVersion);
}

void TfrmInfo::done(int result) {
    // Closing by the title bar or Escape counts as "zurück".
    QDialog::done(result == QDialog::Rejected ? mrCancel : result);
}

bool TfrmInfo::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::StatusTip:
        HinweisAnzeigen(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    case QEvent::WindowActivate:
        FormActivate();
        break;
    default:
        break;
    }
    return QDialog::event(e);
}

bool TfrmInfo::FormShow(QString* fehler) {
    return pcInfoChange(fehler);
}

bool TfrmInfo::pcInfoChange(QString* fehler) {
    if (pcInfo->currentWidget() == tsProgramm) return DokumentLaden(fehler);
    Navigieren(QUrl(FURLVersionHistory));
    return true;
}

void TfrmInfo::pcInfoTabWechsel() {
    QString fehler;
    if (!pcInfoChange(&fehler)) QMessageBox::critical(this, Anwendungstitel(), fehler);
}

void TfrmInfo::FormActivate() {
    QStringList liste;
    LoadVersionInfo(liste);
    SetFileVersion(ValueOf(liste, QStringLiteral("File Version")));
    frmInfoAufbau();
}

void TfrmInfo::frmInfoAufbau() {
    ErfolgLabel->setText(FErfolgLabelCaption);
    QPalette pal = suiPnlButton->palette();
    pal.setColor(QPalette::Window, palette().color(QPalette::Window));
    suiPnlButton->setPalette(pal);
}

void TfrmInfo::HinweisAnzeigen(const QString& hint) {
    StatusBar1->showMessage(hint);
}

bool TfrmInfo::DokumentLaden(QString* fehler) {
    const QString pfad = QDir(FProgrammOrdner).filePath(QString::fromUtf8(InfoDokumentName));
    const QFileInfo info(pfad);
    QFile datei(pfad);
    if (!info.isFile() || !datei.open(QIODevice::ReadOnly)) {
        if (fehler != nullptr) {
            *fehler = QStringLiteral("Datei %1 kann nicht geöffnet werden. %2")
                          .arg(QDir::toNativeSeparators(pfad), OeffnenFehlerGrund(info, datei));
        }
        return false;
    }
    const QString text = Dekodieren(datei.readAll(), QByteArray());
    RichEdit1->setHtml(text);
    RichEdit1->document()->setBaseUrl(QUrl::fromLocalFile(info.absolutePath() + QLatin1Char('/')));
    return true;
}

void TfrmInfo::Navigieren(const QUrl& url) {
    if (FAntwort) {
        QNetworkReply* alt = FAntwort.data();
        FAntwort = nullptr;
        alt->disconnect(this);
        alt->abort();
        alt->deleteLater();
    }
    const QString schema = url.scheme().toLower();
    if (!url.isValid() || (schema != QLatin1String("http") && schema != QLatin1String("https") &&
                           schema != QLatin1String("file"))) {
        WebBrowser1NavigateError();
        return;
    }
    QNetworkRequest anfrage(url);
    anfrage.setTransferTimeout(TransferTimeoutMs);
    QNetworkReply* antwort = FNetz->get(anfrage);
    FAntwort = antwort;
    connect(antwort, &QNetworkReply::downloadProgress, this, [antwort](qint64 erhalten, qint64) {
        if (erhalten > MaxSeitenGroesse) antwort->abort();
    });
    connect(antwort, &QNetworkReply::finished, this, [this, antwort] { AntwortFertig(antwort); });
}

void TfrmInfo::AntwortFertig(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != FAntwort.data()) return;
    FAntwort = nullptr;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const bool httpOk = !status.isValid() || (status.toInt() >= 200 && status.toInt() < 300);
    if (reply->error() != QNetworkReply::NoError || !httpOk) {
        WebBrowser1NavigateError();
        return;
    }
    const QByteArray daten = reply->readAll();
    if (daten.size() > MaxSeitenGroesse) {
        WebBrowser1NavigateError();
        return;
    }
    WebBrowser1NavigateComplete2(
        daten, reply->header(QNetworkRequest::ContentTypeHeader).toByteArray(), reply->url());
}

void TfrmInfo::WebBrowser1NavigateComplete2(const QByteArray& daten, const QByteArray& contentType,
                                            const QUrl& url) {
    const QString text = Dekodieren(daten, contentType);
    if (contentType.toLower().startsWith("text/plain"))
        WebBrowser1->setPlainText(text);
    else
        WebBrowser1->setHtml(text);
    WebBrowser1->document()->setBaseUrl(url);
    btnAktualisieren->setEnabled(true);
}

void TfrmInfo::WebBrowser1NavigateError() {
    if (FAntwort) {
        QNetworkReply* alt = FAntwort.data();
        FAntwort = nullptr;
        alt->disconnect(this);
        alt->abort();
        alt->deleteLater();
    }
    WebBrowser1->document()->setBaseUrl(QUrl());
    WebBrowser1->setHtml(QString::fromUtf8(FehlerSeite));
    btnAktualisieren->setEnabled(false);
}

void TfrmInfo::WebBrowser1AnchorClicked(const QUrl& url) {
    const QUrl ziel = WebBrowser1->document()->baseUrl().resolved(url);
    const QString schema = ziel.scheme().toLower();
    if (schema == QLatin1String("http") || schema == QLatin1String("https"))
        Navigieren(ziel);
    else if (schema == QLatin1String("mailto"))
        QDesktopServices::openUrl(ziel);
}

void TfrmInfo::btnVersionshistorieClick() {
    Navigieren(QUrl(FURLVersionHistory));
}

void TfrmInfo::btnAktualisierenClick() {
    if (OnCloseFunction) {
        // Without the settings saved the update is not started: it may replace the program.
        try {
            OnCloseFunction(btnAktualisieren);
        } catch (const std::exception& e) {
            QMessageBox::critical(this, Anwendungstitel(), QString::fromUtf8(e.what()));
            return;
        }
    }
    if (FUpdateExeName.isEmpty()) return;
    const QFileInfo programm(QDir(FProgrammOrdner).filePath(FUpdateExeName));
    // A missing update program is not reported; nor is one that is not a program at all.
    if (programm.isFile() && programm.isExecutable()) ShellOpen(this, programm.absoluteFilePath());
}

} // namespace velorin
