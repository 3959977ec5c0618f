#include "reports/ValorReferencia.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "toolkit/FormatoNumero.h"
#include "toolkit/Regional.h"
#include "toolkit/gui/Ajuda.h"
#include "toolkit/gui/Mensagens.h"

namespace reports {

bool NumeroDaTabela(const QString& texto, double& valor) {
  bool ok = false;
  valor = QString(texto).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&ok);
  return ok;
}

QString SemAtalho(const QString& texto) {
  QString r;
  for (int i = 0; i < texto.size(); ++i) {
    if (texto[i] == QLatin1Char('&') && i + 1 < texto.size()) ++i;
    r += texto[i];
  }
  return r;
}

QString ComSeparador(const QString& texto) {
  QString r = texto;
  r.replace(QLatin1Char(','), QLatin1Char(toolkit::Regional().SeparadorDecimal));
  return r;
}

TRodapeReferencia CriarRodapeReferencia(QDialog* dialogo, const QString& fonte, const int* contexto,
                                        std::function<void()> aoAceitar) {
  TRodapeReferencia r;
  r.lFonte = new QLabel(fonte);
  r.lFonte->setObjectName(QStringLiteral("lFonte"));
  r.lFonte->setWordWrap(true);
  r.lFonte->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont pequena = r.lFonte->font();
  pequena.setPointSizeF(pequena.pointSizeF() * 0.9);
  r.lFonte->setFont(pequena);
  // A screen reader reads the source itself; the caption only describes it.
  r.lFonte->setAccessibleDescription(QStringLiteral("Fonte da tabela"));

  r.bOk = new QPushButton(QStringLiteral("&Ok"));
  r.bCancelar = new QPushButton(QStringLiteral("&Cancelar"));
  r.bAjuda = new QPushButton(QStringLiteral("Aj&uda"));
  r.bOk->setObjectName(QStringLiteral("bOk"));
  r.bCancelar->setObjectName(QStringLiteral("bCancelar"));
  r.bAjuda->setObjectName(QStringLiteral("bAjuda"));
  r.bOk->setDefault(true);
  r.bCancelar->setAutoDefault(false);
  r.bAjuda->setAutoDefault(false);
  QObject::connect(r.bOk, &QPushButton::clicked, dialogo, std::move(aoAceitar));
  QObject::connect(r.bCancelar, &QPushButton::clicked, dialogo, &QDialog::reject);
  QObject::connect(r.bAjuda, &QPushButton::clicked, dialogo,
                   [contexto] { toolkit::gui::MostrarAjuda(*contexto); });
  return r;
}

TFValorReferencia::TFValorReferencia(QWidget* parent, const QString& nome, const QString& titulo,
                                     int linhaNenhuma)
    : QDialog(parent), linhaAtual_(linhaNenhuma) {
  setObjectName(nome);
  setWindowTitle(titulo);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowIcon(QApplication::windowIcon());
}

void TFValorReferencia::DefinirEscolha(int indice, double valor) {
  indiceEntrada_ = indice;
  valorEntrada_ = valor;
}

void TFValorReferencia::DefinirContextoAjuda(int contexto) {
  contextoAjuda_ = contexto;
  toolkit::gui::DefinirContextoAjuda(this, contexto);
}

QFrame* TFValorReferencia::MontarTabela(const QStringList& cabecalhos, int colunasDescricao) {
  auto* quadro = new QFrame;
  quadro->setObjectName(QStringLiteral("tabela"));
  quadro->setFrameShape(QFrame::StyledPanel);
  auto* grade = new QGridLayout(quadro);
  grade->setHorizontalSpacing(12);
  grade->setVerticalSpacing(1);
  const int colunaOpcao = colunasDescricao - 1;
  const int nColunas = colunasDescricao + int(cabecalhos.size()) - 1;

  auto negrito = [](QLabel* l) {
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
  };
  grade->addWidget(negrito(new QLabel(cabecalhos.value(0))), 0, 0, 1, colunasDescricao);
  for (int c = 1; c < cabecalhos.size(); ++c)
    grade->addWidget(negrito(new QLabel(cabecalhos[c])), 0, colunasDescricao + c - 1, Qt::AlignHCenter);

  auto celula = [](const QString& texto) {
    auto* l = new QLabel(texto);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
  };
  // Rows that share a cell with row i: the run of equal group (and subgroup).
  auto sequencia = [this](size_t i, bool comSubgrupo) {
    size_t j = i + 1;
    while (j < linhas_.size() && linhas_[j].grupo == linhas_[i].grupo &&
           (!comSubgrupo || linhas_[j].subgrupo == linhas_[i].subgrupo))
      ++j;
    return int(j - i);
  };

  grupoLinhas_ = new QButtonGroup(this);
  int g = 1;
  for (size_t i = 0; i < linhas_.size(); ++i) {
    const TLinhaReferencia& l = linhas_[i];
    const bool novoGrupo = i == 0 || l.grupo != linhas_[i - 1].grupo;
    if (novoGrupo) {
      auto* traco = new QFrame;
      traco->setFrameShape(QFrame::HLine);
      traco->setFrameShadow(QFrame::Sunken);
      grade->addWidget(traco, g++, 0, 1, nColunas);
    }
    if (colunasDescricao >= 2 && novoGrupo) {
      const int n = sequencia(i, false);
      bool semSubgrupo = colunasDescricao == 3;
      for (int k = 0; k < n; ++k) semSubgrupo = semSubgrupo && linhas_[i + k].subgrupo.isEmpty();
      grade->addWidget(celula(l.grupo), g, 0, n, semSubgrupo ? 2 : 1);
    }
    if (colunasDescricao == 3 && !l.subgrupo.isEmpty() &&
        (novoGrupo || l.subgrupo != linhas_[i - 1].subgrupo))
      grade->addWidget(celula(l.subgrupo), g, 1, sequencia(i, true), 1);

    auto* rb = new QRadioButton(l.opcao);
    rb->setObjectName(QStringLiteral("rbLinha%1").arg(i + 1));
    QStringList contexto;
    if (colunasDescricao >= 2) contexto << l.grupo;
    if (colunasDescricao == 3 && !l.subgrupo.isEmpty()) contexto << l.subgrupo;
    QString nome = SemAtalho(l.opcao).simplified();
    if (!contexto.isEmpty()) nome = contexto.join(QStringLiteral(", ")) + QStringLiteral(": ") + nome;
    rb->setAccessibleName(nome);
    grade->addWidget(rb, g, colunaOpcao);
    grupoLinhas_->addButton(rb, int(i) + 1);
    rbLinhas << rb;

    QList<QLabel*> valores;
    for (int c = 0; c < l.valores.size(); ++c) {
      auto* v = new QLabel(l.valores[c]);
      v->setAlignment(Qt::AlignCenter);
      grade->addWidget(v, g, colunasDescricao + c);
      valores << v;
    }
    lValores << valores;
    ++g;
  }
  connect(grupoLinhas_, &QButtonGroup::idClicked, this, [this](int linha) { LinhaClicada(linha); });
  return quadro;
}

void TFValorReferencia::Montar(const std::vector<TLinhaReferencia>& linhas, const QStringList& cabecalhos,
                               int colunasDescricao, int colunaValor, const QString& rotuloValor,
                               const QString& fonte) {
  linhas_ = linhas;
  colunaValor_ = colunaValor;
  QFrame* tabela = MontarTabela(cabecalhos, colunasDescricao);

  lValor = new QLabel(rotuloValor);
  eValor = new QLineEdit;
  eValor->setObjectName(QStringLiteral("eValor"));
  eValor->setAccessibleName(SemAtalho(rotuloValor).remove(QLatin1Char(':')).trimmed());
  eValor->setFixedWidth(110);
  lValor->setBuddy(eValor);
  eValor->installEventFilter(this);
  connect(eValor, &QLineEdit::textEdited, this, [this] { ValorEditado(); });
  connect(eValor, &QLineEdit::textChanged, this, [this] { AtualizarOk(); });

  const TRodapeReferencia rodape = CriarRodapeReferencia(this, fonte, &contextoAjuda_, [this] { OKClick(); });
  lFonte = rodape.lFonte;
  bOk = rodape.bOk;
  bCancelar = rodape.bCancelar;
  bAjuda = rodape.bAjuda;
  bOk->setEnabled(false);

  auto* valor = new QHBoxLayout;
  valor->addWidget(lValor);
  valor->addWidget(eValor);
  valor->addStretch();
  valor->addWidget(bOk);
  valor->addWidget(bCancelar);
  valor->addWidget(bAjuda);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabela);
  layout->addWidget(lFonte);
  layout->addSpacing(4);
  layout->addLayout(valor);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setTabOrder(eValor, bOk);
  setTabOrder(bOk, bCancelar);
  setTabOrder(bCancelar, bAjuda);
}

QString TFValorReferencia::TextoDaLinha(int linha) const {
  return ComSeparador(linhas_[linha - 1].valores.value(colunaValor_));
}

void TFValorReferencia::LinhaClicada(int linha) {
  eValor->setText(TextoDaLinha(linha));
  linhaAtual_ = linha;
}

bool TFValorReferencia::ValorDaLinha(int linha, double& valor) const {
  return NumeroDaTabela(linhas_[linha - 1].valores.value(colunaValor_), valor);
}

namespace {

bool MesmoValor(double a, double b) {
  return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b));
}

}  // namespace

bool TFValorReferencia::LinhaAdmite(int linha, double valor) const {
  double daLinha = 0, minimo = 0, maximo = 0;
  if (ValorDaLinha(linha, daLinha) && MesmoValor(daLinha, valor)) return true;
  return FaixaDaLinha(linha, minimo, maximo) && (valor >= minimo || MesmoValor(valor, minimo)) &&
         (valor <= maximo || MesmoValor(valor, maximo));
}

// The field's value decides, the stored row only tells apart rows of equal
// value or keeps a range row: a row left from an earlier value (a project
// edited by hand, a field typed over) must not be shown as the value's origin.
// A value of 0 is no value: the stored row stays, as it always did.
int TFValorReferencia::LinhaDeEntrada() const {
  const int n = int(rbLinhas.size());
  const bool guardadaNaTabela = indiceEntrada_ >= 1 && indiceEntrada_ <= n;
  if (valorEntrada_ == 0) return guardadaNaTabela ? indiceEntrada_ : 0;
  double v = 0;
  if (guardadaNaTabela && ValorDaLinha(indiceEntrada_, v) && MesmoValor(v, valorEntrada_))
    return indiceEntrada_;
  for (int linha = 1; linha <= n; ++linha)
    if (ValorDaLinha(linha, v) && MesmoValor(v, valorEntrada_)) return linha;
  if (guardadaNaTabela && LinhaAdmite(indiceEntrada_, valorEntrada_)) return indiceEntrada_;
  return 0;
}

bool TFValorReferencia::OkPermitido() const {
  return !eValor->text().isEmpty();
}

void TFValorReferencia::AtualizarOk() {
  bOk->setEnabled(OkPermitido());
}

void TFValorReferencia::DesmarcarLinhas() {
  grupoLinhas_->setExclusive(false);
  for (QRadioButton* rb : rbLinhas) rb->setChecked(false);
  grupoLinhas_->setExclusive(true);
}

void TFValorReferencia::showEvent(QShowEvent* evento) {
  if (!mostrado_) {
    mostrado_ = true;
    if (const int linha = LinhaDeEntrada(); linha >= 1) {
      rbLinhas[linha - 1]->setChecked(true);
      LinhaClicada(linha);
    }
    if (valorEntrada_ != 0) eValor->setText(QString::fromStdString(toolkit::FormatoGeral(valorEntrada_)));
    AtualizarOk();
    if (focoInicialNoValor_) eValor->setFocus();
    if (QScreen* tela = screen()) move(tela->availableGeometry().center() - rect().center());
  }
  QDialog::showEvent(evento);
}

// Numeric key filter: ',' and '.' (and the thousands separator) type the
// decimal separator, so that a value typed with the other one never loses its
// separator to become ten or a hundred times larger; digits, Backspace and
// one decimal separator go through, any other character is dropped. Keys that
// type no character (arrows, Delete, Enter) pass.
bool TFValorReferencia::eventFilter(QObject* alvo, QEvent* evento) {
  if (alvo == eValor && evento->type() == QEvent::FocusIn && selecionarAoEntrar_) {
    QTimer::singleShot(0, eValor, [e = eValor] { e->selectAll(); });
  }
  if (alvo != eValor || evento->type() != QEvent::KeyPress || reenviandoTecla_)
    return QDialog::eventFilter(alvo, evento);
  auto* tecla = static_cast<QKeyEvent*>(evento);
  const QString texto = tecla->text();
  if (tecla->key() == Qt::Key_Backspace || texto.size() != 1 || !texto[0].isPrint()) return false;

  const toolkit::TConfigRegional& regional = toolkit::Regional();
  const QChar decimal = QLatin1Char(regional.SeparadorDecimal);
  QChar c = texto[0];
  if (c == QLatin1Char(',') || c == QLatin1Char('.') ||
      (regional.SeparadorMilhar != '\0' && c == QLatin1Char(regional.SeparadorMilhar)))
    c = decimal;
  bool aceita = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == decimal;
  if (c == decimal) {
    QString restante = eValor->text();
    if (eValor->hasSelectedText()) restante.remove(eValor->selectionStart(), eValor->selectedText().size());
    aceita = !restante.contains(decimal);
  }
  if (!aceita) {
    TeclaRecusada();
    return true;
  }
  if (c != texto[0]) {
    reenviandoTecla_ = true;
    QKeyEvent trocada(QEvent::KeyPress, c == QLatin1Char(',') ? Qt::Key_Comma : Qt::Key_Period,
                      Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(eValor, &trocada);
    reenviandoTecla_ = false;
    return true;
  }
  return false;
}

void TFValorReferencia::OKClick() {
  const QString texto = eValor->text();
  if (texto.isEmpty() && !MensagemValorVazio().isEmpty()) {
    toolkit::gui::MostrarErro(MensagemValorVazio());
    eValor->setFocus();
    return;
  }
  if (!ConferirTexto(texto)) {
    eValor->setFocus();
    return;
  }
  double valor = 0;
  try {
    valor = toolkit::TextoParaRealOuErro(texto.toStdString());
  } catch (...) {
    toolkit::gui::MostrarExcecao(std::current_exception());
    eValor->setFocus();
    return;
  }
  if (!ConferirValor(valor)) {
    eValor->setFocus();
    return;
  }
  valorResultado_ = valor;
  indiceResultado_ = LinhaDoResultado();
  accept();
}

}  // namespace reports
