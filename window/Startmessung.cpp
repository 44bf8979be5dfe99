#include "Startmessung.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <cstdio>

namespace velorin {

namespace {

long ResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& zeile : status.readAll().split('\n')) {
        if (zeile.startsWith("VmRSS:")) return zeile.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

class TMessung : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* fenster = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && fenster && fenster->isExposed() && !FFertig) {
            FFertig = true;
            // The first frame is painted while the expose event is handled.
            QTimer::singleShot(0, this, [] {
                const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                    std::chrono::steady_clock::now().time_since_epoch())
                                    .count();
                std::printf("%lld %ld\n", static_cast<long long>(ns), ResidentKb());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool FFertig = false;
};

} // namespace

void StartmessungEinrichten(QWidget* fenster) {
    if (qEnvironmentVariableIsEmpty(StartmessungVariable) || fenster == nullptr) return;
    QWindow* window = fenster->windowHandle();
    if (window == nullptr) return;
    window->installEventFilter(new TMessung(window));
}

} // namespace velorin
