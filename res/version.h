// The program's version, defined once: the resources of Norvane.exe carry
// it, and the setup program's entry among the installed programs shows it.
#pragma once

#define NORVANE_VERSION 1, 0, 0, 0
#define NORVANE_VERSION_TEXT "1.0.0.0"
