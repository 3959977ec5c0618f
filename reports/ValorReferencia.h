#pragma once
// Common frame of the four reference-value dialogs (terrain and channel
// roughness, Sm, Z): a table with one radio button per row (row n is button
// n), an edit box for the value, the line naming the table's source and the
// "&Ok", "&Cancelar" and "Aj&uda" buttons. Picking a row fills the edit with
// the row's value; typing a value of one's own changes the row returned by
// each dialog's own rule. The dialog returns the value and the row.
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace reports {

// One row of a reference table. Consecutive rows with the same group (and
// subgroup) share one cell; an empty subgroup lets the group take its column.
struct TLinhaReferencia {
  QString grupo;
  QString subgrupo;
  QString opcao;        // caption of the row's radio button, with its access key
  QStringList valores;  // texts of the value columns, decimal comma
};

// A number of a table text ("0,085", decimal comma); false when it is none.
bool NumeroDaTabela(const QString& texto, double& valor);

// A caption without its access-key marks ("&&" stays one "&").
QString SemAtalho(const QString& texto);
// A table's value text with the platform's decimal separator in place of the comma.
QString ComSeparador(const QString& texto);

// The foot every reference dialog shares: the table's source line in a
// smaller type, and Ok (default), Cancelar and Ajuda (help at *contexto,
// read when pressed). Ok calls aoAceitar; Cancelar rejects the dialog.
struct TRodapeReferencia {
  QLabel* lFonte;
  QPushButton* bOk;
  QPushButton* bCancelar;
  QPushButton* bAjuda;
};
TRodapeReferencia CriarRodapeReferencia(QDialog* dialogo, const QString& fonte, const int* contexto,
                                        std::function<void()> aoAceitar);

class TFValorReferencia : public QDialog {
  Q_OBJECT

 public:
  // The choice the dialog opens on: its row (outside the table: none
  // selected) and its value (0: the edit keeps the row's value).
  void DefinirEscolha(int indice, double valor);
  // Help topic of the window and of its help button.
  void DefinirContextoAjuda(int contexto);

  // After acceptance: the value read from the edit and the row returned.
  double Valor() const { return valorResultado_; }
  int Indice() const { return indiceResultado_; }
  // The dialog's current row (0 or -1: a value typed by the user).
  int LinhaAtual() const { return linhaAtual_; }

  QList<QRadioButton*> rbLinhas;   // row n at n - 1
  QList<QList<QLabel*>> lValores;  // the value columns of each row
  QLabel* lValor = nullptr;
  QLineEdit* eValor = nullptr;
  QLabel* lFonte = nullptr;
  QPushButton* bOk = nullptr;
  QPushButton* bCancelar = nullptr;
  QPushButton* bAjuda = nullptr;

 protected:
  // linhaNenhuma: the current row before any row is picked.
  TFValorReferencia(QWidget* parent, const QString& nome, const QString& titulo, int linhaNenhuma);

  // Builds the window, once, from each dialog's constructor. cabecalhos: the
  // heading over the description columns, then one per value column;
  // colunasDescricao: 1 (option), 2 (group, option) or 3 (group, subgroup,
  // option); colunaValor: the value column copied into the edit.
  void Montar(const std::vector<TLinhaReferencia>& linhas, const QStringList& cabecalhos,
              int colunasDescricao, int colunaValor, const QString& rotuloValor, const QString& fonte);

  // Text put into the edit when row `linha` is picked.
  virtual QString TextoDaLinha(int linha) const;
  // The number row `linha` gives; false for a row without one of its own
  // (a range, "others").
  virtual bool ValorDaLinha(int linha, double& valor) const;
  // The range of values row `linha` covers, when the table gives one.
  virtual bool FaixaDaLinha(int /*linha*/, double& /*minimo*/, double& /*maximo*/) const { return false; }
  // Whether row `linha` may stand for `valor`: its own number or a value in
  // its range.
  virtual bool LinhaAdmite(int linha, double valor) const;
  // A row picked (by the user, or on showing for the incoming row).
  virtual void LinhaClicada(int linha);
  // The user changed the edit's text (typing, deleting, pasting).
  virtual void ValorEditado() = 0;
  // A key the edit does not take.
  virtual void TeclaRecusada() {}
  virtual bool OkPermitido() const;
  // Checks on "&Ok" before and after reading the number; false keeps the
  // dialog open (the check has told the user why).
  virtual bool ConferirTexto(const QString&) { return true; }
  virtual bool ConferirValor(double) { return true; }
  virtual int LinhaDoResultado() const { return linhaAtual_; }
  virtual QString MensagemValorVazio() const = 0;

  void showEvent(QShowEvent* evento) override;
  bool eventFilter(QObject* alvo, QEvent* evento) override;

  // Clears every radio button of the table.
  void DesmarcarLinhas();
  void AtualizarOk();

  std::vector<TLinhaReferencia> linhas_;
  int linhaAtual_;
  bool focoInicialNoValor_ = false;  // Sm, Z: the edit has the focus when the dialog opens
  bool selecionarAoEntrar_ = false;  // Sm: entering the edit selects its text

 private:
  QFrame* MontarTabela(const QStringList& cabecalhos, int colunasDescricao);
  // The row the dialog opens on (0: none), from the incoming choice.
  int LinhaDeEntrada() const;
  void OKClick();

  QButtonGroup* grupoLinhas_ = nullptr;
  int colunaValor_ = 0;
  int indiceEntrada_ = 0;
  double valorEntrada_ = 0;
  bool mostrado_ = false;
  bool reenviandoTecla_ = false;
  double valorResultado_ = 0;
  int indiceResultado_ = 0;
  int contextoAjuda_ = 0;
};

}  // namespace reports
