#include "BasisFenster.h"

#include "graphics/IniDatei.h"
#include "shell/ShellDienste.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QWindow>

#include <exception>
#include <string>

namespace velorin {

namespace {

std::string Lokal(const QString& pfad) {
    return QFile::encodeName(pfad).toStdString();
}

// Sets a flag for the lifetime of the guard and clears it again, also when an error passes.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
};

} // namespace

TfrmBase::TfrmBase(const QString& name, const QRect& design, QWidget* parent)
    : QMainWindow(parent) {
    TFlagGuard konstruktion(FInWMSize);
    setObjectName(name);
    move(design.topLeft());
    resize(design.size());

    LoadVersionInfo(FVersionInfo);

    const QString firma = GetSpecialFolderPath(CSIDL_APPDATA) + QLatin1Char('/') +
                          ValueOf(FVersionInfo, QStringLiteral("Company Name")) + QLatin1Char('/');
    OrdnerAnlegen(firma);
    const QString produkt =
        firma + ValueOf(FVersionInfo, QStringLiteral("Product Name")) + QLatin1Char('/');
    OrdnerAnlegen(produkt);
    FIniFileName = produkt + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                   QStringLiteral(".ini");

    const TIniFile ini(Lokal(FIniFileName));
    const std::string section = objectName().toStdString();
    const bool maximiert = ini.ReadInteger(section, "WindowState", 0) != 0;
    FResizeWidth = ini.ReadInteger(section, "Width", width());
    FResizeHeight = ini.ReadInteger(section, "Height", height());
    FResizeTop = ini.ReadInteger(section, "Top", y());
    FResizeLeft = ini.ReadInteger(section, "Left", x());
    // A size of nothing would leave a window that cannot be seen or grabbed.
    if (FResizeWidth <= 0) FResizeWidth = width();
    if (FResizeHeight <= 0) FResizeHeight = height();

    // The remembered bounds are given to the window in either state: a maximised window then
    // returns to them when the desktop restores it.
    move(FResizeLeft, FResizeTop);
    resize(FResizeWidth, FResizeHeight);
    FSaveSize = !maximiert;
    if (maximiert) setWindowState(Qt::WindowMaximized);
}

TfrmBase::~TfrmBase() {
    try {
        SaveToIni();
    } catch (const std::exception& e) {
        // Nothing may leave a destructor; the user still learns that the placement is lost.
        // The derived window is gone already, so nothing queued for it may run meanwhile.
        hide();
        QCoreApplication::removePostedEvents(this);
        Melden(QString::fromLocal8Bit(e.what()));
    }
}

void TfrmBase::SaveToIni() {
    TIniFile ini(Lokal(FIniFileName));
    const std::string section = objectName().toStdString();
    const Qt::WindowStates zustand = windowState();
    const bool maximiert =
        zustand.testFlag(Qt::WindowMaximized) && !zustand.testFlag(Qt::WindowMinimized);
    ini.WriteInteger(section, "WindowState", maximiert ? 1 : 0);
    ini.WriteInteger(section, "Left", FResizeLeft);
    ini.WriteInteger(section, "Top", FResizeTop);
    ini.WriteInteger(section, "Width", FResizeWidth);
    ini.WriteInteger(section, "Height", FResizeHeight);
}

void TfrmBase::OrdnerAnlegen(const QString& ordner) {
    if (QDir().mkpath(ordner)) return;
    Melden(QStringLiteral("Verzeichnis ") + ordner +
           QStringLiteral(" konnte nicht angelegt werden"));
    // Ends the program as soon as its event loop runs.
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &QCoreApplication::quit, Qt::QueuedConnection);
}

void TfrmBase::Melden(const QString& text) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        qWarning("%s", qUtf8Printable(text));
        return;
    }
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok);
    box.exec();
}

TfrmBase::TGroessenArt TfrmBase::Art() const {
    const Qt::WindowStates zustand = windowState();
    if (zustand.testFlag(Qt::WindowMinimized)) return TGroessenArt::Minimiert;
    if (zustand & (Qt::WindowMaximized | Qt::WindowFullScreen)) return TGroessenArt::Maximiert;
    return TGroessenArt::Normal;
}

QPoint TfrmBase::Position() const {
    // The platform's own position of the frame: the widget's may lag behind a frame the desktop
    // has just put around the window.
    if (const QWindow* fenster = windowHandle()) return fenster->framePosition();
    return pos();
}

void TfrmBase::moveEvent(QMoveEvent* event) {
    // A window that is maximised or minimised is not at its normal place, whatever order the
    // desktop reports its state and position in.
    if (!FInWMSize && FSaveSize && Art() == TGroessenArt::Normal) {
        // The left or top edge of the screen or beyond is not remembered.
        const QPoint p = Position();
        if (p.y() > 0) FResizeTop = p.y();
        if (p.x() > 0) FResizeLeft = p.x();
    }
    QMainWindow::moveEvent(event);
}

void TfrmBase::resizeEvent(QResizeEvent* event) {
    if (!FInWMSize) GroesseGeaendert();
    QMainWindow::resizeEvent(event);
}

void TfrmBase::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && !FInWMSize) GroesseGeaendert();
    QMainWindow::changeEvent(event);
}

void TfrmBase::GroesseGeaendert() {
    switch (Art()) {
    case TGroessenArt::Normal: {
        if (FSaveSize) {
            const QPoint p = Position();
            FResizeWidth = width();
            FResizeHeight = height();
            FResizeTop = p.y();
            FResizeLeft = p.x();
        } else {
            // Back from maximised: the remembered normal bounds apply again.
            TFlagGuard anwenden(FInWMSize);
            if (width() != FResizeWidth || height() != FResizeHeight)
                resize(FResizeWidth, FResizeHeight);
            const QPoint p = Position();
            if (p.y() != FResizeTop || p.x() != FResizeLeft) move(FResizeLeft, FResizeTop);
            FSaveSize = true;
        }
        // The size the window has now; Qt reports the state before the new size.
        int clientBreite = width();
        int clientHoehe = height();
        if (FOnRestore) FOnRestore(this, clientBreite, clientHoehe);
        break;
    }
    case TGroessenArt::Maximiert: {
        FSaveSize = false;
        int clientBreite = width();
        int clientHoehe = height();
        if (FOnMaximize) FOnMaximize(this, clientBreite, clientHoehe);
        break;
    }
    case TGroessenArt::Minimiert:
        break;
    }
}

} // namespace velorin
