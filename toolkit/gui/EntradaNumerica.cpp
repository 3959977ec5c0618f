#include "toolkit/gui/EntradaNumerica.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include "toolkit/FormatoNumero.h"
#include "toolkit/Regional.h"

namespace toolkit::gui {

bool FiltrarTeclaNumerica(QLineEdit* edit, const QKeyEvent* tecla) {
  const QString texto = tecla->text();
  const bool imprimivel = texto.size() == 1 && texto.at(0).isPrint();
  // Ctrl+Alt is AltGr on some keyboards: the character it gives is typed.
  // Alt alone is a mnemonic or a menu key, never a character of the number.
  const Qt::KeyboardModifiers m = tecla->modifiers();
  if ((m & Qt::AltModifier) && !(m & Qt::ControlModifier)) return imprimivel;
  if (m & (Qt::ControlModifier | Qt::MetaModifier)) return false;
  if (!imprimivel) return false;
  const QChar decimal = QLatin1Char(Regional().SeparadorDecimal);
  QChar c = texto.at(0);
  // No field groups digits: either mark is the decimal separator, written
  // as the one in use.
  if (c == QLatin1Char(',') || c == QLatin1Char('.')) c = decimal;
  if (c == decimal) {
    if (edit->text().contains(decimal)) return true;
    if (c != texto.at(0)) {
      edit->insert(c);
      return true;
    }
    return false;
  }
  return !(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

bool LerNumeroDoCampo(const QString& texto, double& valor) {
  // Either separator, as the key filter lets either be typed.
  return TextoParaRealDeArquivo(texto.toStdString(), valor);
}

double NumeroDoCampo(const QString& texto, const QString& campo) {
  double valor = 0;
  if (!LerNumeroDoCampo(texto, valor))
    throw EConversaoInvalida("'" + texto.toStdString() + "' não é um valor numérico válido para " +
                             campo.toStdString() + ".");
  return valor;
}

QString ComSeparadorEmUso(const QString& texto) {
  const char decimal = Regional().SeparadorDecimal;
  const QChar outro = QLatin1Char(decimal == ',' ? '.' : ',');
  double valor = 0;
  if (!texto.contains(outro) || !TextoParaReal(texto.toStdString(), valor, outro.toLatin1())) return texto;
  QString t = texto;
  t.replace(outro, QLatin1Char(decimal));
  return t;
}

bool TFiltroNumerico::eventFilter(QObject* alvo, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress) {
    if (auto* edit = qobject_cast<QLineEdit*>(alvo))
      if (FiltrarTeclaNumerica(edit, static_cast<QKeyEvent*>(evento))) return true;
  }
  return QObject::eventFilter(alvo, evento);
}

// --- Masked edit ----------------------------------------------------------------

TEditMascara::TEditMascara(const QString& mascara, QWidget* parent) : QLineEdit(parent) {
  setInputMask(mascara + QStringLiteral(";_"));
}

QString TEditMascara::Texto() const {
  QString t = displayText();
  t.replace(QLatin1Char('_'), QLatin1Char(' '));
  return t;
}

void TEditMascara::DefinirTexto(const QString& texto) {
  // Blanks are positions with no digit: give them as the blank character so
  // that the mask keeps every digit in its place.
  QString t = texto;
  t.replace(QLatin1Char(' '), QLatin1Char('_'));
  setText(t);
}

// --- Grid ---------------------------------------------------------------------------

namespace {
constexpr int kLarguraBotao = 16;

// The "…" button drawn at the right end of a cell.
QRect BotaoDaCelula(const QRect& celula) {
  return QRect(celula.right() - kLarguraBotao + 1, celula.top() + 1, kLarguraBotao - 1, celula.height() - 2);
}
}  // namespace

TGrade::TGrade(const QStringList& titulos, const QList<int>& larguras, QWidget* parent)
    : QTableWidget(0, static_cast<int>(titulos.size()), parent), filtro_(new TFiltroNumerico(this)) {
  setHorizontalHeaderLabels(titulos);
  // Rows are the segments in order, numbered by the model: no row header.
  verticalHeader()->hide();
  for (int c = 0; c < larguras.size(); ++c) setColumnWidth(c, larguras.at(c));
  horizontalHeader()->setStretchLastSection(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->setDefaultSectionSize(20);
  setItemDelegate(new TDelegadoGrade(this));
}

void TGrade::DefinirColunaBotao(int coluna, bool soBotao) {
  if (!colunasBotao_.contains(coluna)) colunasBotao_ << coluna;
  if (soBotao && !soBotao_.contains(coluna)) soBotao_ << coluna;
}

bool TGrade::ColunaBotao(int coluna) const {
  return colunasBotao_.contains(coluna);
}

bool TGrade::SoBotao(int coluna) const {
  return soBotao_.contains(coluna);
}

QRect TGrade::RetanguloBotao(int linha, int coluna) const {
  return BotaoDaCelula(visualRect(model()->index(linha, coluna)));
}

void TGrade::DefinirLinhas(int n) {
  setRowCount(n < 0 ? 0 : n);
}

void TGrade::Esvaziar() {
  clearContents();
  setRowCount(0);
}

QString TGrade::Celula(int linha, int coluna) const {
  const QTableWidgetItem* i = item(linha, coluna);
  return i ? i->text() : QString();
}

void TGrade::DefinirCelula(int linha, int coluna, const QString& texto) {
  if (linha < 0 || linha >= rowCount() || coluna < 0 || coluna >= columnCount()) return;
  QTableWidgetItem* i = item(linha, coluna);
  if (!i) {
    i = new QTableWidgetItem;
    i->setTextAlignment(Qt::AlignCenter);
    if (SoBotao(coluna)) i->setFlags(i->flags() & ~Qt::ItemIsEditable);
    setItem(linha, coluna, i);
  }
  i->setText(texto);
}

int TGrade::LinhaSelecionada() const {
  const QModelIndexList linhas = selectionModel()->selectedRows();
  return linhas.isEmpty() ? -1 : linhas.first().row();
}

QString TGrade::TextoEmEdicao(int linha, int coluna) const {
  if (editor_ && linha == linhaEditor_ && coluna == colunaEditor_) return editor_->text();
  return Celula(linha, coluna);
}

TDelegadoGrade::TDelegadoGrade(TGrade* grade) : QStyledItemDelegate(grade), grade_(grade) {}

QWidget* TDelegadoGrade::createEditor(QWidget* pai, const QStyleOptionViewItem& opcao,
                                      const QModelIndex& indice) const {
  if (grade_->SoBotao(indice.column())) return nullptr;
  auto* editor = qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(pai, opcao, indice));
  if (!editor) editor = new QLineEdit(pai);
  editor->setAlignment(Qt::AlignCenter);
  editor->installEventFilter(grade_->filtro_);
  const int linha = indice.row();
  const int coluna = indice.column();
  grade_->editor_ = editor;
  grade_->linhaEditor_ = linha;
  grade_->colunaEditor_ = coluna;
  TGrade* grade = grade_;
  connect(editor, &QLineEdit::textEdited, grade,
          [grade, linha, coluna] { emit grade->CelulaEditada(linha, coluna); });
  return editor;
}

void TDelegadoGrade::setModelData(QWidget* editor, QAbstractItemModel* modelo,
                                  const QModelIndex& indice) const {
  QStyledItemDelegate::setModelData(editor, modelo, indice);
  modelo->setData(indice, int(Qt::AlignCenter), Qt::TextAlignmentRole);
  // The end of the edit may rewrite the cell (a rounded length): the
  // editor is gone from the grid's view of things by then.
  grade_->editor_ = nullptr;
  emit grade_->FimEdicao(indice.row(), indice.column());
}

void TDelegadoGrade::destroyEditor(QWidget* editor, const QModelIndex& indice) const {
  if (grade_->editor_ == editor) grade_->editor_ = nullptr;
  QStyledItemDelegate::destroyEditor(editor, indice);
}

void TDelegadoGrade::paint(QPainter* pintor, const QStyleOptionViewItem& opcao,
                           const QModelIndex& indice) const {
  QStyleOptionViewItem o = opcao;
  o.displayAlignment = Qt::AlignCenter;
  if (!grade_->ColunaBotao(indice.column())) {
    QStyledItemDelegate::paint(pintor, o, indice);
    return;
  }
  o.rect.setRight(o.rect.right() - kLarguraBotao);
  QStyledItemDelegate::paint(pintor, o, indice);
  QStyleOptionButton botao;
  botao.rect = BotaoDaCelula(opcao.rect);
  botao.text = QStringLiteral("…");
  botao.state = QStyle::State_Enabled | QStyle::State_Raised;
  botao.palette = opcao.palette;
  QApplication::style()->drawControl(QStyle::CE_PushButton, &botao, pintor);
}

bool TDelegadoGrade::editorEvent(QEvent* evento, QAbstractItemModel* modelo,
                                 const QStyleOptionViewItem& opcao, const QModelIndex& indice) {
  if (evento->type() == QEvent::MouseButtonRelease && grade_->ColunaBotao(indice.column())) {
    const auto* mouse = static_cast<QMouseEvent*>(evento);
    const QRect area = grade_->SoBotao(indice.column())
                           ? opcao.rect
                           : QRect(opcao.rect.right() - kLarguraBotao + 1, opcao.rect.top(), kLarguraBotao,
                                   opcao.rect.height());
    if (mouse->button() == Qt::LeftButton && area.contains(mouse->position().toPoint())) {
      emit grade_->BotaoClicado(indice.row(), indice.column());
      return true;
    }
  }
  return QStyledItemDelegate::editorEvent(evento, modelo, opcao, indice);
}

}  // namespace toolkit::gui
