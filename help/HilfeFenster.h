// The help window: shows the pages of a compiled help file (CHM) with its contents and index.
// Pages, pictures and style sheets come from the file through chm:// addresses, so links and
// pictures inside the pages work.
#pragma once

#include <QPointer>
#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

#include <memory>
#include <string>

class QKeyEvent;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace velorin {

class TChmDatei;
struct TSitemapEintrag;

// Name of the help file in the program folder and the context number of its main topic.
inline constexpr char HilfeDateiName[] = "NV.chm";
inline constexpr int HilfeKontextHaupt = 2001;

// Opens the help window at the topic of context number kontext in the file chmPfad, or brings
// the window that is already open to the front at that topic. False, with a German message in
// fehler for the caller to show, when the file is missing or damaged or has no such topic; no
// window is opened then.
bool HilfeZeigen(const QString& chmPfad, int kontext, QWidget* parent, QString* fehler);

// The start-up check: the file exists and is a readable help file.
bool HilfeDateiBrauchbar(const QString& pfad, QString* fehler = nullptr);

// The start-up message for an unusable help file ("Hilfe-Datei nicht gefunden", the path and,
// for a damaged file, the reason); empty when the file is usable.
QString HilfeStartMeldung(const QString& pfad);

// Page view whose resources come from the help file.
class THilfeBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit THilfeBrowser(QWidget* parent = nullptr);
    void DateiSetzen(std::shared_ptr<const TChmDatei> datei);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    std::shared_ptr<const TChmDatei> datei_;
};

class THilfeFenster : public QWidget {
    Q_OBJECT
public:
    explicit THilfeFenster(QWidget* parent = nullptr);
    ~THilfeFenster() override;

    // The open file shown in the window; contents and index are rebuilt from it.
    void DateiSetzen(std::shared_ptr<const TChmDatei> datei);
    // Shows a topic given as object path ("/seite.htm#anker").
    void ThemaZeigen(const std::string& objekt);

    THilfeBrowser* Browser() const { return browser_; }
    QTreeWidget* Inhalt() const { return inhalt_; }
    QListWidget* Stichwoerter() const { return index_; }
    QString DateiPfad() const;

    // The window that HilfeZeigen opened, if it is still open.
    static THilfeFenster* Offenes();

    // chm:// address of an object path and back; empty for addresses outside the file.
    static QUrl ObjektUrl(const std::string& objekt);
    static std::string ObjektAusUrl(const QUrl& url);

protected:
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    void InhaltAufbauen();
    void IndexAufbauen();
    void IndexFiltern(const QString& text);
    void QuelleGeaendert(const QUrl& url);
    void TitelSetzen();
    void Oeffnen(const QString& lokal);

    std::shared_ptr<const TChmDatei> datei_;
    THilfeBrowser* browser_ = nullptr;
    QTabWidget* reiter_ = nullptr;
    QTreeWidget* inhalt_ = nullptr;
    QLineEdit* suche_ = nullptr;
    QListWidget* index_ = nullptr;
    QToolButton* zurueck_ = nullptr;
    QToolButton* vor_ = nullptr;
    QToolButton* start_ = nullptr;
};

} // namespace velorin
