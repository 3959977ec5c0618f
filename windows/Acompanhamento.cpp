#include "windows/Acompanhamento.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <cmath>

QPointer<TFAcompanhamento> FAcompanhamento;

namespace {

QLineEdit* Caixa(const char* nome, const QString& rotulo, QWidget* pai, int x, int y,
                 const QString& unidade) {
  auto* e = new QLineEdit(pai);
  e->setObjectName(QLatin1String(nome));
  e->setGeometry(x, y, 65, 21);
  e->setReadOnly(true);
  e->setFocusPolicy(Qt::NoFocus);
  auto* r = new QLabel(rotulo, pai);
  r->adjustSize();
  r->move(x - 8 - r->width(), y + (21 - r->height()) / 2);
  r->setBuddy(e);
  e->setAccessibleName(rotulo);
  if (!unidade.isEmpty()) {
    auto* u = new QLabel(unidade, pai);
    u->adjustSize();
    u->move(x + 65 + 6, y + (21 - u->height()) / 2);
  }
  return e;
}

QWidget* Painel(QWidget* pai, int x, int y, int w, int h, QFrame::Shadow sombra) {
  auto* p = new QFrame(pai);
  p->setFrameStyle(QFrame::Panel | sombra);
  p->setGeometry(x, y, w, h);
  return p;
}

}  // namespace

TFAcompanhamento::TFAcompanhamento() {
  FAcompanhamento = this;
  setObjectName(QStringLiteral("FAcompanhamento"));
  setWindowTitle(QStringLiteral("Calculando ..."));
  QFont fonte = font();
  if (fonte.pointSizeF() > 8) fonte.setPointSizeF(8);
  setFont(fonte);
  // Room below the frame panel for the cancel button.
  setFixedSize(266, 256);

  Panel2 = Painel(this, 3, 3, 260, 170, QFrame::Raised);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel1 = Painel(Panel2, 5, 5, 250, 160, QFrame::Sunken);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFocusPolicy(Qt::StrongFocus);
  GroupBox1 = new QGroupBox(QStringLiteral(" Caudalente na encosta "), Panel1);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(10, 10, 230, 76);
  eTrecho = Caixa("eTrecho", QStringLiteral("Trecho"), GroupBox1, 124, 19, QString());
  eEncosta =
      Caixa("eEncosta", QStringLiteral("Tempo de simulação"), GroupBox1, 124, 43, QStringLiteral("min"));
  GroupBox2 = new QGroupBox(QStringLiteral(" Caudalente no canal "), Panel1);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  GroupBox2->setGeometry(10, 93, 230, 55);
  eCanal = Caixa("eCanal", QStringLiteral("Tempo de simulação"), GroupBox2, 126, 19, QStringLiteral("min"));
  bCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
  bCancelar->setObjectName(QStringLiteral("bCancelar"));
  bCancelar->setGeometry(263 - 90, 227, 90, 25);
  Barra = new QProgressBar(this);
  Barra->setObjectName(QStringLiteral("Barra"));
  Barra->setGeometry(8, 179, 250, 18);
  Barra->setRange(0, 0);
  Barra->setAccessibleName(QString::fromUtf8("Fração do tempo simulado"));
  lDecorrido = new QLabel(this);
  lDecorrido->setObjectName(QStringLiteral("lDecorrido"));
  lDecorrido->setGeometry(8, 202, 250, 18);
  decorrido_.start();
  MostrarDecorrido();
  connect(bCancelar, &QPushButton::clicked, this, [this] { bCancelarClick(); });

  CaixaTrecho = TCaixa(this, eTrecho);
  CaixaEncosta = TCaixa(this, eEncosta);
  CaixaCanal = TCaixa(this, eCanal);
}

TFAcompanhamento::~TFAcompanhamento() {
  if (FAcompanhamento == this) FAcompanhamento = nullptr;
}

TFAcompanhamento* TFAcompanhamento::Criar(QWidget* principal) {
  auto* janela = new TFAcompanhamento;
  janela->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  janela->setWindowIcon(QApplication::windowIcon());
  QScreen* tela = principal && principal->screen() ? principal->screen() : QGuiApplication::primaryScreen();
  if (tela) {
    const QRect r = tela->availableGeometry();
    janela->move(r.center() - QPoint(janela->width() / 2, janela->height() / 2));
  }
  janela->show();
  return janela;
}

void TFAcompanhamento::showEvent(QShowEvent* evento) {
  QWidget::showEvent(evento);
  // No edit shows a caret.
  Panel1->setFocus();
}

void TFAcompanhamento::MostrarDecorrido() {
  const qint64 s = decorrido_.elapsed() / 1000;
  lDecorrido->setText(
      QStringLiteral("Tempo decorrido: %1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0')));
}

void TFAcompanhamento::TCaixa::Previsto(double fim) {
  janela_->fimPrevisto_ = std::isfinite(fim) && fim > 0 ? fim : 0;
}

void TFAcompanhamento::TCaixa::Simulado(double tempo) {
  QProgressBar* barra = janela_->Barra;
  const double fim = janela_->fimPrevisto_;
  if (fim > 0 && tempo >= 0 && tempo <= fim) {
    barra->setRange(0, 1000);
    barra->setValue(static_cast<int>(std::lround(1000 * tempo / fim)));
  } else {
    barra->setRange(0, 0);
  }
}

void TFAcompanhamento::TCaixa::Mostrar(const std::string& texto) {
  if (edit_) edit_->setText(QString::fromStdString(texto));
}

int TFAcompanhamento::IntervaloProcessamentoMs = 15;

void TFAcompanhamento::TCaixa::ProcessarMensagens() {
  QElapsedTimer& ultimo = janela_->ultimoProcessamento_;
  if (ultimo.isValid() && ultimo.elapsed() < IntervaloProcessamentoMs) return;
  janela_->MostrarDecorrido();
  QCoreApplication::processEvents();
  ultimo.start();
  if (janela_->Cancelado()) throw ETracadoCancelado{};
}
