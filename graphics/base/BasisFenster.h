// Base of the program's windows: reads the version list, makes sure the per-user data folder
// exists, restores the window's last state and normal bounds from the settings file, keeps the
// normal bounds up to date while the window lives and writes them back when it is destroyed.
#pragma once

#include <QMainWindow>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

namespace velorin {

class TfrmBase;

// Called with the window and its new client size; whatever the handler writes back is discarded.
using TOnSetWindowSizeEvent =
    std::function<void(TfrmBase* sender, int& newClientWidth, int& newClientHeight)>;

class TfrmBase : public QMainWindow {
    Q_OBJECT

public:
    // name is the window's object name and its section in the settings file; design holds the
    // position and client size the window has before anything is restored.
    TfrmBase(const QString& name, const QRect& design, QWidget* parent = nullptr);
    ~TfrmBase() override;

    // Writes "WindowState", "Left", "Top", "Width" and "Height" into the window's section.
    // Throws EIniFileException when the file cannot be written.
    void SaveToIni();

    const QStringList& VersionInfo() const { return FVersionInfo; }
    const QString& IniFileName() const { return FIniFileName; }
    int ResizeWidth() const { return FResizeWidth; }
    int ResizeHeight() const { return FResizeHeight; }

    const TOnSetWindowSizeEvent& OnRestore() const { return FOnRestore; }
    void SetOnRestore(TOnSetWindowSizeEvent handler) { FOnRestore = std::move(handler); }
    const TOnSetWindowSizeEvent& OnMaximize() const { return FOnMaximize; }
    void SetOnMaximize(TOnSetWindowSizeEvent handler) { FOnMaximize = std::move(handler); }

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class TGroessenArt { Normal, Minimiert, Maximiert };

    TGroessenArt Art() const;
    QPoint Position() const;
    void GroesseGeaendert();
    void OrdnerAnlegen(const QString& ordner);
    void Melden(const QString& text);

    TOnSetWindowSizeEvent FOnRestore;
    TOnSetWindowSizeEvent FOnMaximize;
    // Moves and resizes are taken as the normal bounds (clear while maximised).
    bool FSaveSize = false;
    // Set while the window applies bounds itself and during construction: notifications are
    // then ignored, so that applying bounds does not feed back into them.
    bool FInWMSize = true;
    int FResizeWidth = 0;
    int FResizeHeight = 0;
    int FResizeTop = 0;
    int FResizeLeft = 0;
    QStringList FVersionInfo;
    QString FIniFileName;
};

} // namespace velorin
