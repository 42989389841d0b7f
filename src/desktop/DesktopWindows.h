#pragma once

// The program's own windows behind the help and the print preview: installed once, before any
// window of the program opens.
namespace DesktopWindows {
void install();
}
