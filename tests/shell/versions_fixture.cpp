// Prints what LoadVersionInfo finds in this program: "ok=<0|1>", then one line per list entry.
#include "shell/Versionsblock.h"

#include <cstdio>

int main() {
    std::vector<std::string> liste{"veraltet=1"};
    const bool ok = velorin::LoadVersionInfo(liste);
    std::printf("ok=%d\n", ok ? 1 : 0);
    for (const auto& zeile : liste)
        std::printf("%s\n", zeile.c_str());
    return 0;
}
