#include "HilfeFenster.h"

#include "ChmDatei.h"
#include "ChmKontext.h"
#include "Sitemap.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStringDecoder>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace velorin {

namespace {

constexpr int RolleObjekt = Qt::UserRole;
const QString ChmSchema = QStringLiteral("chm");

QPointer<THilfeFenster>& OffenesFenster() {
    static QPointer<THilfeFenster> fenster;
    return fenster;
}

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

QString DateiFehler(const QString& pfad, TChmFehler art, const std::string& grund) {
    const QString ort = QDir::toNativeSeparators(pfad);
    switch (art) {
    case TChmFehler::NichtGefunden:
        return QStringLiteral("Die Hilfe-Datei wurde nicht gefunden:\n%1").arg(ort);
    case TChmFehler::NichtLesbar:
        return QStringLiteral("Die Hilfe-Datei kann nicht gelesen werden:\n%1\n(%2)")
            .arg(ort, Text(grund));
    case TChmFehler::Beschaedigt:
    case TChmFehler::Keiner:
        break;
    }
    return QStringLiteral(
               "Die Hilfe-Datei ist beschädigt oder keine gültige Hilfe-Datei:\n%1\n(%2)")
        .arg(ort, Text(grund));
}

std::shared_ptr<TChmDatei> DateiOeffnen(const QString& pfad, QString* fehler) {
    auto datei = std::make_shared<TChmDatei>();
    TChmFehler art = TChmFehler::Keiner;
    std::string grund;
    if (pfad.isEmpty()) {
        art = TChmFehler::NichtGefunden;
    } else if (datei->Oeffnen(QFile::encodeName(pfad).toStdString(), art, grund)) {
        return datei;
    }
    if (fehler) *fehler = DateiFehler(pfad, art, grund);
    return nullptr;
}

// Object path with its anchor ("/seite.htm#anker") of an address inside the file.
std::string ZielAusUrl(const QUrl& url) {
    std::string objekt = THilfeFenster::ObjektAusUrl(url);
    if (!objekt.empty() && url.hasFragment())
        objekt += '#' + url.fragment(QUrl::FullyDecoded).toStdString();
    return objekt;
}

// A topic named in a contents or index file, relative to the file's root.
std::string LokalAlsObjekt(const std::string& lokal) {
    const QUrl url(Text(lokal));
    if (!url.isRelative()) return ZielAusUrl(url);
    return ZielAusUrl(THilfeFenster::ObjektUrl("/").resolved(url));
}

// Decodes a page: the charset it declares, else UTF-8, else Windows-1252.
QString SeiteDekodieren(const QByteArray& daten) {
    auto dekoder = QStringDecoder::decoderForHtml(daten);
    if (dekoder.isValid()) {
        QString text = dekoder.decode(daten);
        if (!dekoder.hasError()) return text;
    }
    return Text(AlsUtf8(std::string_view(daten.constData(), std::size_t(daten.size()))));
}

} // namespace

// ---------------------------------------------------------------------------------------------

THilfeBrowser::THilfeBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

void THilfeBrowser::DateiSetzen(std::shared_ptr<const TChmDatei> datei) {
    datei_ = std::move(datei);
}

QVariant THilfeBrowser::loadResource(int type, const QUrl& name) {
    const std::string objekt = THilfeFenster::ObjektAusUrl(name);
    if (!datei_ || objekt.empty()) return {};
    std::string inhalt;
    if (!datei_->Lesen(objekt, inhalt)) return {};
    QByteArray daten(inhalt.data(), qsizetype(inhalt.size()));
    if (type == QTextDocument::HtmlResource) return SeiteDekodieren(daten);
    return daten;
}

// ---------------------------------------------------------------------------------------------

THilfeFenster::THilfeFenster(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("HilfeFenster"));
    setWindowTitle(QStringLiteral("Velorin-Hilfe"));

    auto knopf = [this](const QString& text, const QString& hinweis) {
        auto* k = new QToolButton(this);
        k->setText(text);
        k->setToolButtonStyle(Qt::ToolButtonTextOnly);
        k->setStatusTip(hinweis);
        k->setAutoRaise(true);
        return k;
    };
    zurueck_ = knopf(QStringLiteral("◀ Zurück"), QStringLiteral("zur vorigen Seite"));
    vor_ = knopf(QStringLiteral("Vorwärts ▶"), QStringLiteral("zur nächsten Seite"));
    start_ = knopf(QStringLiteral("Startseite"), QStringLiteral("zur Startseite der Hilfe"));
    zurueck_->setEnabled(false);
    vor_->setEnabled(false);
    auto* leiste = new QHBoxLayout;
    leiste->setContentsMargins(4, 2, 4, 2);
    leiste->addWidget(zurueck_);
    leiste->addWidget(vor_);
    leiste->addWidget(start_);
    leiste->addStretch(1);

    inhalt_ = new QTreeWidget(this);
    inhalt_->setHeaderHidden(true);
    inhalt_->setColumnCount(1);
    suche_ = new QLineEdit(this);
    suche_->setPlaceholderText(QStringLiteral("Stichwort eingeben"));
    suche_->setClearButtonEnabled(true);
    index_ = new QListWidget(this);
    auto* indexSeite = new QWidget(this);
    auto* indexLayout = new QVBoxLayout(indexSeite);
    indexLayout->setContentsMargins(2, 2, 2, 2);
    indexLayout->addWidget(suche_);
    indexLayout->addWidget(index_);
    reiter_ = new QTabWidget(this);
    reiter_->addTab(inhalt_, QStringLiteral("Inhalt"));
    reiter_->addTab(indexSeite, QStringLiteral("Index"));

    browser_ = new THilfeBrowser(this);
    auto* teiler = new QSplitter(Qt::Horizontal, this);
    teiler->addWidget(reiter_);
    teiler->addWidget(browser_);
    teiler->setStretchFactor(1, 1);
    teiler->setSizes({280, 680});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(leiste);
    layout->addWidget(teiler, 1);

    connect(zurueck_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(vor_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(start_, &QToolButton::clicked, this, [this] {
        if (datei_) Oeffnen(Text(datei_->System().Startseite));
    });
    connect(browser_, &QTextBrowser::backwardAvailable, zurueck_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, vor_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &THilfeFenster::QuelleGeaendert);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == ChmSchema) {
            browser_->setSource(url);
            return;
        }
        const QString schema = url.scheme().toLower();
        if (schema == QLatin1String("http") || schema == QLatin1String("https") ||
            schema == QLatin1String("mailto")) {
            QDesktopServices::openUrl(url);
            return;
        }
        const std::string objekt = ZielAusUrl(url);
        if (!objekt.empty()) ThemaZeigen(objekt);
    });
    connect(inhalt_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { Oeffnen(item->data(0, RolleObjekt).toString()); });
    connect(inhalt_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Oeffnen(item->data(0, RolleObjekt).toString()); });
    connect(suche_, &QLineEdit::textChanged, this, &THilfeFenster::IndexFiltern);
    connect(suche_, &QLineEdit::returnPressed, this, [this] {
        if (auto* item = index_->currentItem()) Oeffnen(item->data(RolleObjekt).toString());
    });
    connect(index_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Oeffnen(item->data(RolleObjekt).toString()); });
    connect(index_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Oeffnen(item->data(RolleObjekt).toString()); });
    resize(960, 680);
}

THilfeFenster::~THilfeFenster() = default;

void THilfeFenster::keyPressEvent(QKeyEvent* ereignis) {
    // Esc closes the help, wherever in the window it was pressed.
    if (ereignis->key() == Qt::Key_Escape && ereignis->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(ereignis);
}

THilfeFenster* THilfeFenster::Offenes() {
    return OffenesFenster().data();
}

QString THilfeFenster::DateiPfad() const {
    return datei_ ? QFile::decodeName(QByteArray::fromStdString(datei_->Pfad())) : QString();
}

QUrl THilfeFenster::ObjektUrl(const std::string& objekt) {
    QUrl url;
    url.setScheme(ChmSchema);
    url.setHost(QString());
    const QString text = Text(objekt);
    const qsizetype raute = text.indexOf(QLatin1Char('#'));
    url.setPath(raute < 0 ? text : text.left(raute), QUrl::DecodedMode);
    if (raute >= 0) url.setFragment(text.mid(raute + 1), QUrl::DecodedMode);
    return url;
}

std::string THilfeFenster::ObjektAusUrl(const QUrl& url) {
    const QString schema = url.scheme().toLower();
    QString pfad;
    if (schema == ChmSchema) {
        pfad = url.path(QUrl::FullyDecoded);
    } else if (schema == QLatin1String("ms-its") || schema == QLatin1String("mk") ||
               schema == QLatin1String("its")) {
        // ms-its:datei.chm::/seite.htm, the form other help files link with.
        const QString text = url.toString(QUrl::RemoveFragment | QUrl::FullyDecoded);
        const qsizetype trenner = text.indexOf(QLatin1String("::"));
        if (trenner < 0) return {};
        pfad = text.mid(trenner + 2);
    } else {
        return {};
    }
    if (pfad.isEmpty() || pfad == QLatin1String("/")) return {};
    return ObjektPfad(pfad.toStdString());
}

void THilfeFenster::DateiSetzen(std::shared_ptr<const TChmDatei> datei) {
    datei_ = std::move(datei);
    browser_->DateiSetzen(datei_);
    browser_->clearHistory();
    InhaltAufbauen();
    IndexAufbauen();
    start_->setEnabled(datei_ && !datei_->System().Startseite.empty());
}

void THilfeFenster::ThemaZeigen(const std::string& objekt) {
    browser_->setSource(ObjektUrl(objekt), QTextDocument::HtmlResource);
}

void THilfeFenster::Oeffnen(const QString& lokal) {
    if (lokal.isEmpty()) return;
    const std::string objekt = LokalAlsObjekt(lokal.toStdString());
    if (!objekt.empty()) ThemaZeigen(objekt);
}

void THilfeFenster::InhaltAufbauen() {
    inhalt_->clear();
    if (!datei_) return;
    std::string text;
    const std::string& name = datei_->System().Inhalt;
    if (name.empty() || !datei_->Lesen(ObjektPfad(name), text)) return;
    const auto eintraege = SitemapLesen(text);
    // Iterative, so that any nesting the reader allows is fine here.
    std::vector<std::pair<const std::vector<TSitemapEintrag>*, QTreeWidgetItem*>> offen{
        {&eintraege, nullptr}};
    while (!offen.empty()) {
        auto [liste, eltern] = offen.back();
        offen.pop_back();
        for (const auto& e : *liste) {
            auto* item = eltern ? new QTreeWidgetItem(eltern) : new QTreeWidgetItem(inhalt_);
            item->setText(0, Text(e.Name));
            item->setData(0, RolleObjekt, Text(LokalAlsObjekt(e.Lokal)));
            if (!e.Kinder.empty()) offen.emplace_back(&e.Kinder, item);
        }
    }
    inhalt_->expandToDepth(0);
}

void THilfeFenster::IndexAufbauen() {
    index_->clear();
    suche_->clear();
    if (!datei_) return;
    std::string text;
    const std::string& name = datei_->System().Index;
    if (name.empty() || !datei_->Lesen(ObjektPfad(name), text)) return;
    const auto eintraege = SitemapLesen(text);
    for (const auto& e : eintraege) {
        auto* item = new QListWidgetItem(Text(e.Name), index_);
        item->setData(RolleObjekt, Text(LokalAlsObjekt(e.Lokal)));
        for (const auto& k : e.Kinder) {
            auto* unter = new QListWidgetItem(QStringLiteral("    ") + Text(k.Name), index_);
            unter->setData(RolleObjekt, Text(LokalAlsObjekt(k.Lokal)));
        }
    }
}

void THilfeFenster::IndexFiltern(const QString& text) {
    const QString suche = text.trimmed();
    QListWidgetItem* erstes = nullptr;
    for (int i = 0; i < index_->count(); ++i) {
        auto* item = index_->item(i);
        const bool passt = item->text().trimmed().startsWith(suche, Qt::CaseInsensitive) ||
                           (suche.size() > 2 && item->text().contains(suche, Qt::CaseInsensitive));
        item->setHidden(!suche.isEmpty() && !passt);
        if (!erstes && !item->isHidden()) erstes = item;
    }
    if (erstes) index_->setCurrentItem(erstes);
}

void THilfeFenster::QuelleGeaendert(const QUrl& url) {
    TitelSetzen();
    // Mark the page in the contents, ignoring the anchor.
    const QString objekt = Text(ObjektAusUrl(url.adjusted(QUrl::RemoveFragment)));
    QTreeWidgetItemIterator it(inhalt_);
    for (; *it; ++it) {
        const QString ziel = (*it)->data(0, RolleObjekt).toString();
        if (ziel.section(QLatin1Char('#'), 0, 0).compare(objekt, Qt::CaseInsensitive) == 0) {
            const QSignalBlocker sperre(inhalt_);
            inhalt_->setCurrentItem(*it);
            break;
        }
    }
}

void THilfeFenster::TitelSetzen() {
    const QString hilfe = datei_ && !datei_->System().Titel.empty()
                              ? Text(AlsUtf8(datei_->System().Titel))
                              : QStringLiteral("Velorin-Hilfe");
    const QString seite = browser_->documentTitle().simplified();
    setWindowTitle(seite.isEmpty() ? hilfe : seite + QStringLiteral(" – ") + hilfe);
}

// ---------------------------------------------------------------------------------------------

bool HilfeZeigen(const QString& chmPfad, int kontext, QWidget* parent, QString* fehler) {
    const QString vorspann = QStringLiteral("Die Hilfe kann nicht angezeigt werden.\n\n");
    QString grund;
    auto datei = DateiOeffnen(chmPfad, &grund);
    if (!datei) {
        if (fehler) *fehler = vorspann + grund;
        return false;
    }
    const auto thema =
        kontext >= 0 ? datei->KontextThema(static_cast<std::uint32_t>(kontext)) : std::nullopt;
    if (!thema) {
        if (fehler)
            *fehler = vorspann + QStringLiteral("Die Hilfe-Datei\n%1\nenthält kein Thema zur "
                                                "Kontextnummer %2.")
                                     .arg(QDir::toNativeSeparators(chmPfad))
                                     .arg(kontext);
        return false;
    }

    auto& fenster = OffenesFenster();
    if (!fenster) fenster = new THilfeFenster(parent);
    // The same file stays open, so that the window keeps its history.
    if (fenster->DateiPfad() != chmPfad) fenster->DateiSetzen(datei);
    fenster->ThemaZeigen(*thema);
    if (fenster->isMinimized())
        fenster->showNormal();
    else
        fenster->show();
    fenster->raise();
    fenster->activateWindow();
    return true;
}

bool HilfeDateiBrauchbar(const QString& pfad, QString* fehler) {
    return DateiOeffnen(pfad, fehler) != nullptr;
}

QString HilfeStartMeldung(const QString& pfad) {
    auto datei = std::make_shared<TChmDatei>();
    TChmFehler art = TChmFehler::Keiner;
    std::string grund;
    if (!pfad.isEmpty() && datei->Oeffnen(QFile::encodeName(pfad).toStdString(), art, grund))
        return {};
    QString meldung =
        QStringLiteral("Hilfe-Datei nicht gefunden\n") + QDir::toNativeSeparators(pfad);
    if (art == TChmFehler::Beschaedigt || art == TChmFehler::NichtLesbar)
        meldung +=
            QStringLiteral("\n(Die Datei ist nicht lesbar oder beschädigt: %1.)").arg(Text(grund));
    return meldung;
}

} // namespace velorin
