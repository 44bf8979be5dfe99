#include "ShellDienste.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <string>
#include <unistd.h>
#include <vector>

namespace velorin {

namespace {

constexpr char MaschinenOrdner[] = "/var/lib";

QString OhneTrenner(const QString& pfad) {
    // cleanPath keeps "/" for the root folder and drops every other trailing separator.
    return pfad.isEmpty() ? QString() : QDir::cleanPath(pfad);
}

QString BenutzerOrdner() {
    return OhneTrenner(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

// True when this user may write into ordner or, where it does not exist yet, create it: the
// nearest existing folder on the way up, but not above basis, decides.
bool Anlegbar(const QString& basis, const QString& ordner) {
    QString p = ordner;
    while (true) {
        QFileInfo info(p);
        if (info.exists())
            return info.isDir() && ::access(QFile::encodeName(p).constData(), W_OK | X_OK) == 0;
        if (p == basis) return false;
        QString oben = info.path();
        if (oben == p || oben.isEmpty()) return false;
        p = oben;
    }
}

} // namespace

QString GemeinsamerOrdner(const QString& maschinenOrdner) {
    const QString vorgabe = QFile::decodeName(qgetenv(CommonAppDataVariable));
    if (!vorgabe.isEmpty() && QDir::isAbsolutePath(vorgabe)) return OhneTrenner(vorgabe);

    std::vector<std::string> liste;
    LoadVersionInfo(liste);
    const QString maschine = OhneTrenner(maschinenOrdner);
    QString ordner = maschine;
    for (const char* name : {"Company Name", "Product Name"}) {
        const QString teil = QString::fromStdString(ValueOf(liste, name));
        if (!teil.isEmpty()) ordner += QLatin1Char('/') + teil;
    }
    if (!maschine.isEmpty() && Anlegbar(maschine, QDir::cleanPath(ordner))) return maschine;

    const QString benutzer = BenutzerOrdner();
    if (benutzer.isEmpty()) return {};
    return OhneTrenner(benutzer + QStringLiteral("/all-users"));
}

QString GetSpecialFolderPath(int csidl) {
    switch (csidl) {
    case CSIDL_APPDATA:
        return BenutzerOrdner();
    case CSIDL_COMMON_APPDATA:
        return GemeinsamerOrdner(QString::fromLatin1(MaschinenOrdner));
    default:
        return {};
    }
}

void ShellOpen(QWidget* window, const QString& fileName) {
    Q_UNUSED(window);
    if (fileName.isEmpty()) return;
    const QFileInfo info(fileName);
    if (info.isFile() && info.isExecutable()) {
        QProcess::startDetached(info.absoluteFilePath(), {});
        return;
    }
    // The desktop handlers need the GUI side of Qt.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return;
    const QUrl url(fileName, QUrl::StrictMode);
    if (!info.exists() && url.isValid() && url.scheme().size() > 1) {
        QDesktopServices::openUrl(url);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

bool LoadVersionInfo(QStringList& list) {
    std::vector<std::string> zeilen;
    const bool ok = LoadVersionInfo(zeilen);
    list.clear();
    for (const auto& z : zeilen)
        list.append(QString::fromStdString(z));
    return ok;
}

QString ValueOf(const QStringList& list, const QString& name) {
    for (const QString& zeile : list) {
        const qsizetype gleich = zeile.indexOf(QLatin1Char('='));
        if (gleich < 0) continue;
        if (QStringView(zeile).left(gleich).compare(name, Qt::CaseInsensitive) == 0)
            return zeile.mid(gleich + 1);
    }
    return {};
}

} // namespace velorin
