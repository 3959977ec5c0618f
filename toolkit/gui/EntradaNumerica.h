#pragma once
// Fields that take numbers: the keys they accept, the text of the masked
// coordinate edits, and the segment grid with its buttons in cells.
//
// Key filter: "," and "." both type the decimal separator of
// toolkit::Regional (no field groups digits), a second decimal separator is
// dropped, and only digits, Backspace and the decimal separator get through.
// A printable key with Alt (and without Ctrl, which with Alt is AltGr) is a
// mnemonic that found no control: it is dropped, never typed. Keys with Ctrl
// (shortcuts, paste) and non-printing keys (Enter, Tab, arrows) pass
// untouched, so pasted text is not filtered.
#include <QLineEdit>
#include <QObject>
#include <QStyledItemDelegate>
#include <QTableWidget>

class QKeyEvent;

namespace toolkit::gui {

// True when the key was dealt with (dropped, or replaced by the decimal
// separator written into the edit); false: let the edit take it as typed.
bool FiltrarTeclaNumerica(QLineEdit* edit, const QKeyEvent* tecla);

// The number in a field's text: blanks around it ignored, either "," or "."
// as the decimal separator (at most one of them), an optional exponent.
// False when the text is no number; valor is then untouched.
bool LerNumeroDoCampo(const QString& texto, double& valor);
// As LerNumeroDoCampo; a text that is no number throws
// toolkit::EConversaoInvalida with "'<texto>' não é um valor numérico válido
// para <campo>." (campo names the field, article included).
double NumeroDoCampo(const QString& texto, const QString& campo);
// The text with the decimal separator in use when it reads as a number with
// the other one (a pasted "12.5" under a decimal comma); otherwise unchanged.
QString ComSeparadorEmUso(const QString& texto);

// Event filter that applies FiltrarTeclaNumerica to the line edits it watches.
class TFiltroNumerico : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override;
};

// A line edit with a mask whose literal characters stay in its text. Texto()
// gives the whole text with blank positions as spaces (a mask of 9 positions
// always gives 9 characters); blank positions are shown as "_".
class TEditMascara : public QLineEdit {
  Q_OBJECT

 public:
  // mascara: a QLineEdit input mask without its blank-character part.
  TEditMascara(const QString& mascara, QWidget* parent = nullptr);
  QString Texto() const;
  void DefinirTexto(const QString& texto);
  void Limpar() { DefinirTexto(QString()); }
};

// A grid of text cells, one row selected at a time, cells centred. Columns
// marked with DefinirColunaBotao show a small button at the right of the cell;
// a click on it raises BotaoClicado. Edits made by the user raise
// CelulaEditada at every change and FimEdicao when the edit ends; cells set
// by program raise neither. Every key typed into a cell goes through the key
// filter of numbers.
class TGrade : public QTableWidget {
  Q_OBJECT

 public:
  TGrade(const QStringList& titulos, const QList<int>& larguras, QWidget* parent = nullptr);

  void DefinirColunaBotao(int coluna, bool soBotao);
  bool ColunaBotao(int coluna) const;
  bool SoBotao(int coluna) const;
  QRect RetanguloBotao(int linha, int coluna) const;  // viewport coordinates

  int Linhas() const { return rowCount(); }
  void DefinirLinhas(int n);
  void Esvaziar();  // no row
  QString Celula(int linha, int coluna) const;
  void DefinirCelula(int linha, int coluna, const QString& texto);
  // The row selected as a whole, -1 when none is.
  int LinhaSelecionada() const;
  // Text of the editor open in the cell, or the cell's text when none is open.
  QString TextoEmEdicao(int linha, int coluna) const;
  QLineEdit* EditorAberto() const { return editor_; }

 signals:
  void CelulaEditada(int linha, int coluna);
  void FimEdicao(int linha, int coluna);
  void BotaoClicado(int linha, int coluna);

 private:
  friend class TDelegadoGrade;
  QList<int> colunasBotao_;
  QList<int> soBotao_;
  QLineEdit* editor_ = nullptr;
  int linhaEditor_ = -1;
  int colunaEditor_ = -1;
  TFiltroNumerico* filtro_;
};

class TDelegadoGrade : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit TDelegadoGrade(TGrade* grade);
  QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem& opcao,
                        const QModelIndex& indice) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& indice) const override;
  void destroyEditor(QWidget* editor, const QModelIndex& indice) const override;
  void paint(QPainter* pintor, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override;
  bool editorEvent(QEvent* evento, QAbstractItemModel* modelo, const QStyleOptionViewItem& opcao,
                   const QModelIndex& indice) override;

 private:
  TGrade* grade_;
};

}  // namespace toolkit::gui
