#pragma once
// The program's printer settings, shared by the printer set-up command and
// every window that prints.
class QPrinter;

namespace toolkit::gui {

QPrinter& ImpressoraPadrao();

}  // namespace toolkit::gui
