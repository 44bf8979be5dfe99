// Start-up time and resident memory of velorin beside a minimal Qt Widgets program that shows one
// empty window, started alternately. Each program reports the moment its window is shown and its
// memory at that moment (VELORIN_STARTMESSUNG); the time counts from just before the start.
//
//   velorin-startvergleich [runden]        (default 15; run under xvfb-run or offscreen)
#include "Startmessung.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

struct TMessung {
    double Ms = 0;
    double Kb = 0;
};

bool Messen(const QString& programm, const QStringList& argumente, const QProcessEnvironment& env,
            TMessung& m) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    const auto start = std::chrono::steady_clock::now().time_since_epoch();
    p.start(programm, argumente);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(programm),
                     p.readAllStandardError().constData());
        return false;
    }
    const QList<QByteArray> teile = p.readAllStandardOutput().trimmed().split(' ');
    if (teile.size() != 2) return false;
    const long long gezeigt = teile[0].toLongLong();
    m.Ms = static_cast<double>(
               gezeigt - std::chrono::duration_cast<std::chrono::nanoseconds>(start).count()) /
           1e6;
    m.Kb = teile[1].toDouble();
    return true;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runden = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    // velorin runs from a folder of its own, with a help file, and with its settings, data and
    // runtime folders in a temporary place.
    QTemporaryDir basis;
    QDir(basis.path()).mkpath(QStringLiteral("programm"));
    // A runtime folder lives in memory, as the desktop's own does.
    const bool shm = QFileInfo(QStringLiteral("/dev/shm")).isWritable();
    QTemporaryDir laufzeit(shm ? QStringLiteral("/dev/shm/velorin-XXXXXX")
                               : basis.filePath("laufzeit"));
    const QString velorin = basis.filePath(QStringLiteral("programm/velorin"));
    if (!QFile::copy(QStringLiteral(VELORIN_PROGRAMM), velorin)) {
        std::fprintf(stderr, "velorin not found: %s\n", VELORIN_PROGRAMM);
        return 2;
    }
    // Its data files, so that the start shows no message.
    const QString quelle = QFileInfo(QStringLiteral(VELORIN_PROGRAMM)).absolutePath();
    for (const char* datei : {"/NV.chm", "/MP10.ssk", "/Info.html"})
        QFile::copy(quelle + QLatin1String(datei),
                    basis.filePath(QStringLiteral("programm")) + QLatin1String(datei));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(velorin::StartmessungVariable), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), basis.filePath(QStringLiteral("daten")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), laufzeit.path());
    env.insert(QStringLiteral("VELORIN_COMMON_APPDATA"),
               basis.filePath(QStringLiteral("gemeinsam")));

    const QString leer = QStringLiteral(VELORIN_LEERES_FENSTER);
    struct TProgramm {
        const char* Name;
        QString Pfad;
        QStringList Argumente;
        std::vector<double> Ms, Kb;
    } programme[3] = {{"velorin", velorin, {}, {}, {}},
                      {"empty Qt window", leer, {}, {}, {}},
                      {"window, one label", leer, {QStringLiteral("--text")}, {}, {}}};
    // One start of each first, so that all find their libraries in the page cache.
    for (TProgramm& p : programme) {
        TMessung m;
        if (!Messen(p.Pfad, p.Argumente, env, m)) return 1;
    }
    for (int r = 0; r < runden; ++r) {
        for (int k = 0; k < 3; ++k) {
            TProgramm& p = programme[(k + r) % 3]; // each starts first in turn
            TMessung m;
            if (!Messen(p.Pfad, p.Argumente, env, m)) return 1;
            p.Ms.push_back(m.Ms);
            p.Kb.push_back(m.Kb);
        }
    }
    std::printf("platform %s, %d rounds, medians\n",
                qPrintable(env.value(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("default"))),
                runden);
    std::printf("%-20s %10s %12s %9s %9s\n", "", "start [ms]", "memory [MB]", "x start",
                "x memory");
    const double t0 = Median(programme[1].Ms);
    const double s0 = Median(programme[1].Kb);
    for (const TProgramm& p : programme) {
        const double t = Median(p.Ms);
        const double s = Median(p.Kb);
        std::printf("%-20s %10.1f %12.1f %9.2f %9.2f\n", p.Name, t, s / 1024, t / t0, s / s0);
    }
    std::printf("ratios against the empty window; limit 1.30\n");
    return 0;
}
