#pragma once
// The program's help: HTML topics delivered beside the program (folder
// "ajuda"), opened at a topic by its context number. A map file ("mapa.txt")
// gives, per line, "context;file[#anchor];title;keyword, keyword...".
// Context 0 is the contents. Widgets carry their context as a property, and F1
// opens the context of the focused widget (or of its nearest parent with one).
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace toolkit::gui {

struct TTopicoAjuda {
  int contexto = 0;
  QString arquivo;  // relative to the help folder, may carry "#anchor"
  QString titulo;
  QStringList palavras;
};

// Reads the map; an unreadable map gives an empty list.
QList<TTopicoAjuda> LerMapaAjuda(const QString& pastaAjuda);

// Folder of the help files; default: folder of the program + "/ajuda", or the
// installed "<prefix>/share/caudalente/ajuda" (toolkit::PastaDeDados).
QString PastaAjuda();
void DefinirPastaAjuda(const QString& pasta);

// Opens the help window at the topic of the context (an unknown context shows
// the contents) and brings it to the front.
void MostrarAjuda(int contexto);
// Opens the help window on its keyword index, ready for typing.
void MostrarIndiceAjuda();
// Context shown last by the help window (-1 before any); for the windows'
// tests.
int ContextoAjudaMostrado();
void FecharAjuda();

// Help context of a widget (a dynamic property), looked up through its parents.
void DefinirContextoAjuda(QWidget* widget, int contexto);
int ContextoAjuda(const QWidget* widget);

// Makes F1 anywhere in the application open the help of the focused widget.
void InstalarTeclaF1();

}  // namespace toolkit::gui
