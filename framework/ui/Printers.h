// Printing: the page orientation a print job asks for. The printer itself follows with the grid's
// printing.
#pragma once

enum TPrinterOrientation { poPortrait, poLandscape };
