#pragma once
// The data-entry window: where the user states the problem (the design storm,
// the channel and the hillslope) and moves it into the live model objects.
// It owns no copy of the data: its fields are the user's working text, read
// into the model by Avançar (strictly, then checked) and when it closes (as
// they stand). Shown values of slopes and infiltration rates are the stored
// ones (m/m, mm/h) times the unit factors of TUnidades.
//
// Three pages switched by program: 0 the parameters, 1 the irregular-hillslope
// editor with the profile, 2 the tracing of hydrographs.
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "windows/ReferenciasDados.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class TCanalCinematico;
class TFVazoPlot31;
class TEncostaCinematicaSecoes;
class TGerenteSys;
class TNimbora21;
class TUnidades;
enum class TMetodoNumerico;

namespace toolkit::gui {
class TEditMascara;
class TFiltroNumerico;
class TGrade;
class TGrafico;
}  // namespace toolkit::gui

// The live objects the window reads and writes, owned by the main window.
struct TDadosProjeto {
  TEncostaCinematicaSecoes* Encosta = nullptr;
  TCanalCinematico* Canal = nullptr;
  TNimbora21* Nimbora = nullptr;
  TUnidades* Unidades = nullptr;
  TGerenteSys* Gerente = nullptr;           // its Alterado is set by every edit
  const TMetodoNumerico* Metodo = nullptr;  // of the traces; none: the original
};

// Columns of the segment grids.
enum TColunaTrecho { kColComp = 0, kColSt = 1, kColNt = 2, kColVIB = 3, kColCobertura = 4 };

class TFDadosCaudalente : public QWidget {
  Q_OBJECT

 public:
  // The one window: shown and returned when it exists, otherwise created in
  // the area (at 5, 5) and shown.
  static TFDadosCaudalente* Abrir(QMdiArea* area, const TDadosProjeto& dados);
  ~TFDadosCaudalente() override;

  QMdiSubWindow* Moldura() const;

  // Fills the fields from the model (only values > 0 are written), page 0,
  // focus on eTr; clears the change flag at the end.
  void PreencherCampos();
  // Empties every field and grid; the channel page follows the model's type.
  void LimparCampos();
  // Moves the fields into the model; strict: an empty field is an error that
  // names it (page 0 shown and the field focused).
  void LerCampos(bool estrito);
  // Re-expresses the shown slopes / infiltration rates in the current units.
  void AtualizarUnidadeDeclividade();
  void AtualizarUnidadeVI();

  // Handlers; each may throw the message the user sees.
  void eTrChange(QLineEdit* edit);
  void eTrExit(QLineEdit* edit);
  void cbCanalClick();
  void pcEncostaChange();
  void bConsultaClick();
  void bSmClick();
  void bncClick();
  void bZClick();
  void bCoberVegClick();
  void bntClick();
  void bAvancarClick();
  void bFecharClick();
  void BAjuda1Click();
  void bVisualizarClick();
  void bRetornar2Click();
  void bRetornar3Click();
  // Page 2: the matrix division (the end of Avançar), the place of a line or
  // a column, and the trace (canal: the channel button was pressed).
  void DivisaoMatricial();
  void spLinhaChange();
  void spColunaChange();
  void ColunaAuxChange();
  void bTracarCaudalenteEncostaClick(bool canal);
  void bAdicionar1Click(toolkit::gui::TGrade* grade);
  void bDeletar1Click(toolkit::gui::TGrade* grade);
  void tgEncosta1CellEdit(toolkit::gui::TGrade* grade, int linha, int coluna);
  void tgEncosta1EndCellEdit(toolkit::gui::TGrade* grade, int linha, int coluna);
  void tgEncosta1ButtonClick(toolkit::gui::TGrade* grade, int linha, int coluna);
  void lsEncostaClick(int ponto);
  void chEncostaMouseMove(const QPoint& posicao);
  void ZoomChange(int posicao);
  // Rebuilds the profile from the segment list.
  void DesenharPerfil();
  // Steps of a point move once the mouse position is in axis values.
  void MoverPonto(int k, double x, double y);

  // The reference dialogs (tests install doubles).
  void DefinirReferencias(std::unique_ptr<IReferenciasDados> referencias);

  // Set by Avançar and by opening the editor, read by the tracing page:
  // Σ length × St (m) and Σ length (m) over the segments.
  double DesnivelTotal = 0;
  int ComprimentoTotal = 0;

  // Controls, by the names the program gives them.
  QStackedWidget* Notebook1;
  QGroupBox *GroupBox3, *GroupBox5, *GroupBox8;
  QLineEdit *eTr, *eK, *eA, *eB, *eC;
  QPushButton* bConsulta;
  toolkit::gui::TEditMascara *PrecLa1, *PrecLo1;
  QComboBox* cbCanal;
  QLineEdit *eSc, *eCanComp, *enc;
  QLabel *LDecli1, *LDecli2, *LDecli3, *LVIB1, *UnidSm;
  QPushButton* bnc;
  QStackedWidget* nbCanal;
  QWidget *nbTra, *nbTri, *CanTrap, *CanTri;
  QLineEdit *eBCan, *eZ, *em1, *emSm;
  QPushButton *bZ, *bSm;
  QTabWidget* pcEncosta;
  QWidget *TSRegular, *tsIrregular;
  QLineEdit *eVIB, *eSt, *eEncComp, *ent;
  QPushButton *bCoberVeg, *bnt;
  toolkit::gui::TGrade* tgEncosta1;
  QPushButton *bAdicionar1, *bDeletar1, *bVisualizar;
  QPushButton *BAjuda1, *bAvancar, *bFechar;
  // Page 1.
  toolkit::gui::TGrafico* chEncosta;
  QLineSeries* lsEncosta;
  toolkit::gui::TGrade* tgEncosta2;
  QScrollBar* Zoom;
  QPushButton *bAdicionar2, *bDeletar2, *BAjuda2, *bRetornar2;
  // Page 2: the tracing controls go on this page.
  QWidget* PaginaCaudalente;
  QPushButton *BAjuda3, *bRetornar3, *bFechar3;
  QGroupBox *GroupBox6, *GroupBox4, *GroupBox7;
  QSpinBox *spLinha, *spColuna, *ColunaAux;
  QLineEdit *edtTrecho, *EmY, *Cota, *EmX, *TotalLinhas, *TotalColunas;
  QPushButton *bTracarCaudalenteEncosta, *bTracarCaudalenteCanal;
  QWidget* Image2;
  // Installed in every chart window opened by a trace (the HTML report).
  std::function<void(TFVazoPlot31&)> SolicitarRelatorio;

  bool MovendoPonto = false;
  int PontoSelecionado = 0;

 protected:
  void closeEvent(QCloseEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  bool eventFilter(QObject* alvo, QEvent* evento) override;

 private:
  TFDadosCaudalente(const TDadosProjeto& dados, QWidget* parent);
  void CriarPagina0();
  void CriarPagina1();
  void CriarPagina2();
  void CriarTracado();
  void MostrarPagina(int pagina, const QString& titulo);
  void Alterar();
  // The field as the messages name it, article included ("o comprimento do canal").
  QString Campo(const QLineEdit* edit) const;
  // The field's number; a text that is no number throws the message naming the field.
  double Valor(const QLineEdit* edit) const;
  // An empty field reads 0, or throws "Valor inválido para <campo>." when estrito.
  double LerValor(QLineEdit* edit, bool estrito);
  void MostrarValor(QLineEdit* edit, const char* padrao, double valor);
  void DefinirTexto(QLineEdit* edit, const QString& texto);
  void LerGrade(toolkit::gui::TGrade* grade, bool estrito);
  void GuardarCelula(toolkit::gui::TGrade* grade, int linha, int coluna, const QString& texto);
  void DefinirAbaEncosta(bool irregular);
  void TitulosGrades();
  toolkit::gui::TGrade* GradeDoBotao(QObject* botao) const;
  double FatorDeclividade() const;
  double FatorVI() const;

  TDadosProjeto dados_;
  std::unique_ptr<IReferenciasDados> referencias_;
  toolkit::gui::TFiltroNumerico* filtro_;
  QList<QLineEdit*> editsNumericos_;
  QHash<const QLineEdit*, QString> campos_;
  QList<QPushButton*> padroes_;  // default button of each page
  bool abaPorPrograma_ = false;
  bool verificandoSaida_ = false;
};

// The window while it exists.
extern QPointer<TFDadosCaudalente> FDadosCaudalente;
