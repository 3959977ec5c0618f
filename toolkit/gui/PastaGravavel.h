#pragma once
// Where the program writes files it keeps beside itself (settings, the
// pictures of its reports). An installed program's folder cannot be written
// by its users: there such files go to the user's own folder instead.
#include <QStandardPaths>
#include <QString>

namespace toolkit::gui {

// The folder exists and this user may write in it.
bool PastaGravavel(const QString& pasta);

// `pastaPrograma` when it can be written; else the user's folder of kind
// `tipo`, created when missing; else `pastaPrograma` still, so that the
// error of the write that fails names the usual place. No final '/'.
QString PastaParaGravar(const QString& pastaPrograma,
                        QStandardPaths::StandardLocation tipo = QStandardPaths::AppLocalDataLocation);

}  // namespace toolkit::gui
