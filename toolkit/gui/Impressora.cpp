#include "toolkit/gui/Impressora.h"

#include <QPrinter>

namespace toolkit::gui {

QPrinter& ImpressoraPadrao() {
  // Never freed: a printer torn down after the application object may reach
  // into a print system that is already gone.
  static QPrinter* impressora = new QPrinter(QPrinter::HighResolution);
  return *impressora;
}

}  // namespace toolkit::gui
