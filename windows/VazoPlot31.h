#pragma once
// The chart window of one hydrograph: the line chart of discharge against
// time, the peak with its time, the runoff volume and depth, the values grid
// on demand, saving (hydrograph text or binary file, values as CSV, picture
// as BMP or PNG), clipboard copies, printing and the report request. The
// window copies what it needs from the series when it opens and never keeps
// the series, so the caller may free it at once.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "model/hillslope/uCaudalente.h"
#include "project/Configuracao.h"
#include "toolkit/gui/DialogoArquivo.h"

class QLabel;
class QLineSeries;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QAction;
class QTableView;
class QToolBar;
class QToolButton;
class QSplitter;
class TFVazoPlot31;

namespace toolkit::gui {
class TGrafico;
}

// The report request of a chart window; reads the window's kept values.
using TSolicitarRelatorio = std::function<void(TFVazoPlot31&)>;

// Value formats of the axes: discharge in L/s, time in min.
struct TFormatoEixo {
  QString Formato;
};

struct TUnidadesGrafico {
  TFormatoEixo Vazao{QStringLiteral("0.00")};
  TFormatoEixo Tempo{QStringLiteral("0")};
};

class TFVazoPlot31 : public QWidget {
  Q_OBJECT

 public:
  explicit TFVazoPlot31(QWidget* parent = nullptr);
  ~TFVazoPlot31() override;

  QMdiSubWindow* Moldura() const;

  // Copies the series' points and statistics and fills the chart, the grid
  // and the statistics panels. The caption is the title.
  void Preencher(const TCaudalente& serie, const QString& titulo);

  // Handlers; each may throw the message the user sees.
  void tbValoresClick();
  void tbImprimirClick();
  void tbRelatorioClick();
  void tbConfiguraGraficoClick();
  void tbAjudaClick();
  // The chart-level settings onto the chart (title, legend, axes, colours, 3D).
  void AplicarConfigGrafico();
  // binario: the item "Como arquivo binário" (filter 2); the dialog's choice
  // of filter or a ".csv" name decides the format in the end.
  void miComoArquivoTextoClick(bool binario);
  void miComoArquivoBMPClick();
  void miCopiarFiguraClick();
  void miCopiarValoresClick();
  void FormResize();

  // The series as the window holds it, rebuilt for saving: same kind, depth
  // function, Alfa and Expoente, the chart's points, statistics with area 1.
  std::unique_ptr<TCaudalente> SerieParaSalvar() const;
  // The clipboard table: header and one line per point, CR LF after each.
  QString TextoValores() const;
  // The values for a spreadsheet: "tempo_min;vazao" with decimal commas under
  // a decimal-comma setting, "tempo_min,vazao" with full stops otherwise.
  QString TextoCsv() const;
  // Chart with its axis titles, as copied, saved and printed.
  QPixmap Figura();
  QString Dica() const { return dica_; }
  // "L/s" for a channel, "L/s.m" (per metre of width) for a hillslope.
  QString UnidadeVazao() const;

  // Kept values (see the header comment of each unit in the report).
  double VazaoMaxima = 0;   // L/s or L/s per metre
  double TempoPico = 0;     // min
  double Volume = 0;        // L
  double Lamina = 0;        // m
  double Profundidade = 0;  // cm
  double Velocidade = 0;    // cm/s
  double Alfa = 0;
  double Expoente = 0;
  uint8_t Local = 0;
  // False for a hydrograph read from a file: the file keeps no drained area,
  // so the runoff depth cannot be told.
  bool AreaConhecida = true;
  TCaudalente::TFuncaoProfundidade FuncaoProfundidade;
  TSolicitarRelatorio Relatorio;
  TUnidadesGrafico Unidades;
  bool FlagDica = false;

  // Controls, by the names the program gives them.
  QToolBar* ToolBar1;
  QToolButton *tbRelatorio, *tbImprimir, *tbSalvar, *tbValores, *tbConfiguraGrafico, *tbAjuda;
  QMenu* pmSalvar;
  QAction *miComoArquivoTexto, *miComoArquivoBinario, *miComoArquivoBMP, *miCopiarFigura, *miCopiarValores;
  QSplitter* Splitter1;
  QWidget* pGrafico;  // the chart with its axis titles
  toolkit::gui::TGrafico* Chart1 = nullptr;
  QLineSeries* lsCaudalente;
  QWidget* pValores;
  QTableView* Grade;
  QWidget* pVazaoLamina;
  QLabel *pVazao, *pLamina;
  QString TituloEixoX, TituloEixoY;
  // The chart's look; loaded from the settings file on creation.
  TConfigGrafico ConfigGrafico;

  toolkit::gui::TDialogoArquivo DSalvarTexto{toolkit::gui::TDialogoArquivo::Tipo::Salvar};
  toolkit::gui::TDialogoArquivo DSalvarFigura{toolkit::gui::TDialogoArquivo::Tipo::Salvar};

 protected:
  void resizeEvent(QResizeEvent* evento) override;
  void showEvent(QShowEvent* evento) override;
  bool eventFilter(QObject* alvo, QEvent* evento) override;

 private:
  void MostrarDica(int indice);
  void LimparDica();

  class TModeloValores;
  TModeloValores* modelo_;
  QString dica_;
};

// The settings file whose section "TCHART_VazoPlot" every chart window loads
// on creation and the configuration dialog saves; the main window sets it.
// Empty: the defaults, and nothing is saved.
void DefinirArquivoConfigGrafico(const QString& caminho);
QString ArquivoConfigGrafico();

// The window created last, while it exists.
extern QPointer<TFVazoPlot31> FVazoPlot31;

// A series of fewer than 3 points shows "Não houve escoamento superficial para
// o local desejado." and opens nothing (false). Otherwise a new chart window
// in the area, titled titulo, with the report handler (may be empty). Errors
// while filling are swallowed (false; the window may stay partly filled).
bool AbrirGrafico(const TCaudalente& serie, const QString& titulo, TSolicitarRelatorio relatorio,
                  QMdiArea* area);
// A traced hydrograph, with the report handler.
void MostrarCaudalente(const TCaudalente& serie, const QString& titulo, TSolicitarRelatorio relatorio,
                       QMdiArea* area);
// A hydrograph read from a file: no report handler, and no runoff depth
// (the file does not say what area it drains).
void MostrarArquivoCaudalente(const TCaudalente& serie, const QString& titulo, QMdiArea* area);
