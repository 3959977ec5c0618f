#include "toolkit/gui/Desenho.h"

#include <QFontMetricsF>

namespace toolkit::gui {

QFont FonteQueCabe(QFont f, const QString& texto, qreal largura, int maximo) {
  for (int px = maximo; px > 6; --px) {
    f.setPixelSize(px);
    if (QFontMetricsF(f).horizontalAdvance(texto) <= largura) break;
  }
  return f;
}

}  // namespace toolkit::gui
