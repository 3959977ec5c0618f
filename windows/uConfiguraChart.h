#pragma once
// The chart configuration dialog: every control acts on the target chart at
// once through the caller's apply function; OK saves the chart-level settings,
// Cancel (or closing) restores them as they were when the dialog opened.
// Series changes (colour, width, line, marks) are not settings and stay.
#include <QColor>
#include <QDialog>
#include <QFont>
#include <QList>
#include <QPointF>
#include <functional>
#include <string>

#include "project/Configuracao.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;
class QFrame;

// Windows colour values (0x00BBGGRR, system colours with the high byte FF)
// to and from screen colours. The chart's own default colour reads as white.
QColor CorDoWindows(int valor);
int CorParaWindows(const QColor& cor);
QFont FonteDoGrafico(const TFonteGrafico& f);
void FonteParaGrafico(const QFont& fonte, TFonteGrafico& f);

// The colour and font dialogs, replaceable in tests.
class IDialogosGrafico {
 public:
  virtual ~IDialogosGrafico() = default;
  virtual bool EscolherCor(QColor& cor, QWidget* pai) = 0;
  virtual bool EscolherFonte(QFont& fonte, QWidget* pai) = 0;
};
// nullptr: the standard dialogs.
void DefinirDialogosGrafico(IDialogosGrafico* dialogos);

class TFConfiguraChart : public QDialog {
  Q_OBJECT

 public:
  explicit TFConfiguraChart(QWidget* parent = nullptr);
  ~TFConfiguraChart() override;

  using TAplicar = std::function<void()>;

  // Runs the dialog on the target's settings and series; true after OK and
  // the save. A file that cannot be written throws toolkit::EArquivoIni (the
  // chart keeps its new look).
  bool Configurar(TConfigGrafico& Alvo, const QList<QLineSeries*>& Series, TAplicar Aplicar,
                  const std::string& Arquivo, const std::string& Sufixo);
  // The steps of Configurar, for callers that drive the dialog themselves.
  void Preparar(TConfigGrafico& Alvo, const QList<QLineSeries*>& Series, TAplicar Aplicar);
  bool Concluir(int resultado, const std::string& Arquivo, const std::string& Sufixo);

  // Handlers; controls that share one are told apart by their tags.
  void btnFonteTituloGraficoClick(int tag);
  void btnCorFundoClick(int tag);
  void cbTituloClick(int tag);
  void chkMostrarLegendaClick();
  void cbPosLegendaChange();
  void chkEixoXAutomaticoClick();
  void chkEixoYAutomaticoClick();
  void edtTituloGraficoExit(int tag);
  void chkEixoXGridClick();
  void chkEixoYGridClick();
  void chkVisao3DClick();
  void scbVisao3DEixoZChange(int tag);
  void cbSerieChange();
  void udEspessuraLinhaChange();
  void cbLinhaClick();
  void cbValoresNosVerticesChange();

  QTabWidget* pgcRegistro;
  QPushButton *btnCancelar, *btnOk;
  QLineEdit* edtTituloGrafico;
  QPushButton* btnFonteTituloGrafico;
  QLabel* pnlFonteTituloGrafico;
  QCheckBox* cbTitulo;
  QPushButton* btnCorFundo;
  QFrame* pnlCorFundo;
  QCheckBox* cbGradiente;
  QPushButton* bGradIni;
  QFrame* pGradIni;
  QPushButton* bGradFim;
  QFrame* pGradFim;
  QPushButton* btnCorPainel;
  QFrame* pnlCorPainel;
  QCheckBox* cbTransparente;
  QCheckBox* chkMostrarLegenda;
  QLabel* lblPosLegenda;
  QComboBox* cbPosLegenda;
  QLabel* lblFonteLegenda;
  QPushButton* btnFonteLegenda;
  QLabel* pnlFonteLegenda;
  struct TControlesEixo {
    QLineEdit *edtTitulo, *edtFormato, *edtMinimo, *edtMaximo;
    QPushButton* btnFonteTitulo;
    QLabel* pnlFonteTitulo;
    QCheckBox *chkAutomatico, *chkTipoEscalaLog, *chkGrid;
    QLabel *lblMinimo, *lblMaximo;
  };
  TControlesEixo EixoX, EixoY;
  QCheckBox* chkVisao3D;
  QScrollBar *scbVisao3DEixoZ, *scbVisao3DZoom, *scbVisao3DRotacao, *scbVisao3DElevacao;
  QLabel *lblVisao3DEixoZ, *lblVisao3DZoom, *lblVisao3DRotacao, *lblVisao3DElevacao;
  QLabel *lblVisao3DEixoZVal, *lblVisao3DZoomVal, *lblVisao3DRotacaoVal, *lblVisao3DElevacaoVal;
  QComboBox* cbSerie;
  QPushButton* btnCorSerie;
  QFrame* pnlCorSerie;
  QSpinBox* udEspessuraLinha;
  QCheckBox* cbLinha;
  QLineEdit* edtTituloLegenda;
  QComboBox* cbValoresNosVertices;

 protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override;

 private:
  void Aplicar();
  QLineSeries* SerieAtual() const;
  void Habilitar();

  TConfigGrafico* alvo_ = nullptr;
  TConfigGrafico copia_;  // the backup of the chart-level settings
  QList<QLineSeries*> series_;
  QList<QList<QPointF>> pontosCopia_;  // the backup's copy of every series
  TAplicar aplicar_;
  bool preenchendo_ = false;
};
