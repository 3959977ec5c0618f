#include "toolkit/gui/PastaGravavel.h"

#include <QDir>
#include <QFileInfo>

namespace toolkit::gui {

bool PastaGravavel(const QString& pasta) {
  const QFileInfo info(pasta);
  return info.isDir() && info.isWritable();
}

QString PastaParaGravar(const QString& pastaPrograma, QStandardPaths::StandardLocation tipo) {
  const QString programa = QDir::cleanPath(pastaPrograma);
  if (PastaGravavel(programa)) return programa;
  const QString doUsuario = QStandardPaths::writableLocation(tipo);
  if (doUsuario.isEmpty() || !QDir().mkpath(doUsuario)) return programa;
  return doUsuario;
}

}  // namespace toolkit::gui
