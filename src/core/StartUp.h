#pragma once

struct VOXA1;
class Forms;

// The start of a run: the splash window (which refuses a second running copy), its one-second
// wait, then the main window, which drives the run from there.
void Main(VOXA1& c, Forms& forms);
