// The named mutex that keeps Norvane to one instance. The setup program
// looks for it too: it must not replace or remove a manager that runs.
#pragma once

inline constexpr char kInstanceMutex[] = "NORVANE-77707377-B747-4762-G5TQ-870FJ3N4R27S";
