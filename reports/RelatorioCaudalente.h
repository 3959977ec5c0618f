#pragma once
// The report window: the results page in an HTML viewer, printable and
// savable as PDF. The page text is loaded at the first activation; the chart
// picture "Bit2.bmp" goes away with the window.
#include <QByteArray>
#include <QDialog>
#include <QImage>
#include <QString>
#include <string>

#include "reports/uRelatorioCaudalente.h"

class QPrinter;
class QTextDocument;
class QTextBrowser;
class QToolBar;
class QToolButton;

class TFRelatorioCaudalente : public QDialog {
  Q_OBJECT

 public:
  // texto: the page in Windows-1252, as GerarRelatorio builds it.
  TFRelatorioCaudalente(std::string texto, QWidget* parent = nullptr);
  ~TFRelatorioCaudalente() override;

  QToolBar* ToolBar1;
  QToolButton* ToolButton1;  // "&Imprimir"
  QToolButton* tbSalvarPdf;  // "Salvar PDF"
  QToolButton* BFechar;      // "Fechar"
  QTextBrowser* Viewer2;

  void FormActivate();
  void SpeedButton1Click();
  void SpeedButton5Click() { close(); }
  void tbSalvarPdfClick();
  // Prints on a printer already set up; without a page range, pages 1 to 9999.
  void Imprimir(QPrinter& impressora);
  // Writes the page with its pictures to a PDF file. False when it cannot be written.
  bool SalvarPdf(const QString& arquivo);
  bool Carregado() const { return texto_.empty(); }

 protected:
  bool event(QEvent* evento) override;
  void changeEvent(QEvent* evento) override;

 private:
  std::string texto_;
};

// The page in the viewer's font set-up: "Times New Roman" default with
// metric-compatible fallbacks, pictures read from the paths their addresses
// stand for (a relative one from pasta, when given).
void CarregarPagina(QTextDocument& documento, const std::string& textoWin1252,
                    const QString& pasta = QString());

// The page printed as a PDF (A4, 2 cm margins), pictures included.
QByteArray PdfDaPagina(QTextDocument& documento);

// Writes PdfDaPagina to a file in one step, the old file whole if it fails.
// Returns 0 or the errno of the failure.
int GravarPdf(QTextDocument& documento, const QString& arquivo);

// Builds the report of a chart window's results and shows it modally over
// pai. Nothing happens when the page cannot be built.
void SolicitarRelatorio(const TModeloRelatorio& modelo, const TResultadosRelatorio& resultados,
                        const QImage& figura, const QString& legenda, QWidget* pai);
