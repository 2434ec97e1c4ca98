// The printer the user chose, its printer font and paper orientation, as the "Printer"
// section of ORV32.INI keeps them. The device-names and device-mode blocks themselves belong to
// the Win32 side; this is what is read and written, and how the keys are spelt.
#pragma once

#include <stdint.h>

#include "look/fontspec.h"

extern const char kPrinterSection[];   // "Printer"
extern const char kPrinterKey[];       // "Printer": "%s, %s, %s" of device, driver, port
extern const char kPrinterFontKey[];   // "Font"
extern const char kOrientationKey[];   // "Orientation"

constexpr int kPrinterNameMax = 128;   // the "Printer" value is read up to 127 characters
constexpr int kPrinterFontTextMax = 40; // the "Font" value is read up to 39 characters

struct PrinterNames {
    char device[kPrinterNameMax];
    char driver[kPrinterNameMax];
    char port[kPrinterNameMax];
};

struct PrinterFont {
    char face[kFontFaceMax]; // empty: the printer's default font
    int32_t tenths;          // size in tenths of a point; 0 with no font
    int32_t bold, italic;
};

// Splits a "Printer" value: the device runs to the first comma; the driver and the port are
// the next two tokens, separated by commas or blanks. 1 when a device was named.
int Printer_ParseNames(const char* value, PrinterNames* names);
void Printer_FormatNames(const PrinterNames& names, char* out, int size);

// Reads "Printer" (1 when it names a printer) and the "Font" key into font when font has no
// face yet; orientation gets "Orientation" (1 when absent or not 1 or 2).
int Printer_LoadKeys(PrinterNames* names, PrinterFont* font, int32_t* orientation);
// Writes "Printer" (when names has a device), "Font" (removed when font has no face) and
// "Orientation". 1, or 0 when a write failed.
int Printer_SaveKeys(const PrinterNames* names, const PrinterFont& font, int32_t orientation);
// The "Font" key's text for a printer font: face(points[,bold][,italic]).
void Printer_FontSpec(const PrinterFont& font, char* out, int size);
// Removes the "Font" key at once (the print dialog's "Default").
int Printer_RemoveFontKey();
