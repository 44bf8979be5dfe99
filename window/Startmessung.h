// For the start-up comparison: with VELORIN_STARTMESSUNG set in the environment, a program
// reports on stdout, as soon as its window is shown, the steady clock in nanoseconds and its
// resident memory in kB ("<ns> <kB>"), and then leaves its event loop. Without the variable
// nothing happens.
#pragma once

class QWidget;

namespace velorin {

inline constexpr char StartmessungVariable[] = "VELORIN_STARTMESSUNG";

// Call right after fenster->show().
void StartmessungEinrichten(QWidget* fenster);

} // namespace velorin
