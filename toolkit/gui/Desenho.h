#pragma once
// Helpers of the pictures the program draws for itself (about boxes, banners).
#include <QFont>
#include <QString>

namespace toolkit::gui {

// Largest pixel size, up to `maximo`, at which the text fits the width.
QFont FonteQueCabe(QFont f, const QString& texto, qreal largura, int maximo);

}  // namespace toolkit::gui
