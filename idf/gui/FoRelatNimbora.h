#pragma once
// The IDF report of the query window: the place, the state, the coordinates,
// the four coefficients and, while the state map is shown, the map with a
// dot at the cross-hair. An HTML page rebuilt at every activation, printable.
#include <QDialog>
#include <QString>

class QPrinter;
class QTextBrowser;
class QToolBar;
class QToolButton;
class TfrmFoConsulta;

class TfrmFoRelatNimbora : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmFoRelatNimbora(TfrmFoConsulta* consulta);
  ~TfrmFoRelatNimbora() override;

  static const QString Titulo;

  // The page text of the query window's current state. With the state map
  // shown, writes the map picture to `arquivoMapa` first.
  static QString MontarTexto(const TfrmFoConsulta& consulta, const QString& arquivoMapa);
  // "Bit.bmp" in the program's folder, or in the user's data folder when the
  // program's folder cannot be written.
  static QString ArquivoMapa();

  QToolBar* ToolBar1;
  QToolButton* ToolButton1;  // "&Imprimir"
  QToolButton* BFechar;
  QTextBrowser* Viewer;

  QString Texto() const { return texto_; }

  void FormActivate();
  void ToolButton1Click();
  void BFecharClick() { close(); }
  // Prints the page on a printer already set up (page range included).
  void Imprimir(QPrinter& impressora);

 protected:
  bool event(QEvent* evento) override;
  void changeEvent(QEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

 private:
  TfrmFoConsulta* consulta_;
  QString texto_;
};
