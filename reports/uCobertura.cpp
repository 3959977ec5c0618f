#include "reports/uCobertura.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "model/hillslope/uTerreno.h"
#include "reports/ValorReferencia.h"
#include "toolkit/gui/Ajuda.h"

namespace reports {

namespace {

const int kSemCultivo = 0;
const int kFloresta = 5;

// What each land use allows: the treatments and conditions enabled (bit i:
// item i) and the ones preselected (-1: none).
struct TRegraUso {
  int tratamentos;
  int tratamentoPadrao;
  int condicoes;
  int condicaoPadrao;
};
const TRegraUso kRegras[6] = {
    {0b001, 0, 0b000, -1},  // Sem cultivo
    {0b111, 0, 0b101, 0},   // Cultivo em fileiras
    {0b111, 0, 0b101, 0},   // Cultivo em fileiras estreitas
    {0b111, 0, 0b101, 0},   // Leguminosas em fileiras estreitas
    {0b010, 1, 0b111, 0},   // Pastagem para pastoreio
    {0b000, -1, 0b111, 0},  // Floresta
};

int Marcado(const QButtonGroup* grupo) {
  return grupo->checkedId();
}

// Checks item i (-1: clears the group); a disabled item may be checked too.
void Marcar(QButtonGroup* grupo, int i) {
  grupo->setExclusive(false);
  for (QAbstractButton* b : grupo->buttons()) b->setChecked(grupo->id(b) == i);
  grupo->setExclusive(true);
}

QGroupBox* Grupo(const QString& titulo, const QString& nome, const char* const* itens, int n,
                 QButtonGroup*& grupo, QList<QRadioButton*>& botoes, QWidget* dono) {
  auto* caixa = new QGroupBox(titulo);
  caixa->setObjectName(nome);
  caixa->setAccessibleName(SemAtalho(titulo).trimmed());
  auto* layout = new QVBoxLayout(caixa);
  grupo = new QButtonGroup(dono);
  for (int i = 0; i < n; ++i) {
    auto* rb = new QRadioButton(QString::fromUtf8(itens[i]));
    rb->setAccessibleName(QString::fromUtf8(itens[i]));
    layout->addWidget(rb);
    grupo->addButton(rb, i);
    botoes << rb;
  }
  layout->addStretch();
  return caixa;
}

}  // namespace

TFCober::TFCober(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FCober"));
  setWindowTitle(QStringLiteral("Definição da Cobertura Vegetal"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowIcon(QApplication::windowIcon());

  // The model's label tables start with "" (none) for treatment and condition.
  RGUsoTerra = Grupo(QStringLiteral(" U&so da terra "), QStringLiteral("RGUsoTerra"), RotulosUsoTerra, 6,
                     grupoUso_, rbUsoTerra, this);
  RGTratamento = Grupo(QStringLiteral(" &Tratamento "), QStringLiteral("RGTratamento"), RotulosTratamento + 1,
                       3, grupoTratamento_, rbTratamento, this);
  RGCondicao = Grupo(QStringLiteral(" Condição &hidrológica "), QStringLiteral("RGCondicao"),
                     RotulosCondicaoHidrologica + 1, 3, grupoCondicao_, rbCondicao, this);
  connect(grupoUso_, &QButtonGroup::idClicked, this, [this] { RGUsoTerraClick(); });

  const TRodapeReferencia rodape = CriarRodapeReferencia(
      this,
      QStringLiteral(
          "Fonte: USDA Soil Conservation Service. National Engineering Handbook, Section 4: Hydrology. "
          "Washington, DC, 1972. Cap. 9: Hydrologic soil-cover complexes."),
      &contextoAjuda_, [this] { OKClick(); });
  lFonte = rodape.lFonte;
  bOk = rodape.bOk;
  bCancelar = rodape.bCancelar;
  bAjuda = rodape.bAjuda;

  auto* direita = new QVBoxLayout;
  direita->addWidget(RGTratamento);
  direita->addWidget(RGCondicao);
  auto* grupos = new QHBoxLayout;
  grupos->addWidget(RGUsoTerra);
  grupos->addLayout(direita);
  auto* botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(bOk);
  botoes->addWidget(bCancelar);
  botoes->addWidget(bAjuda);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grupos);
  layout->addWidget(lFonte);
  layout->addLayout(botoes);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  lFonte->setMaximumWidth(460);
}

void TFCober::DefinirCobertura(std::uint8_t uso, std::uint8_t tratamento, std::uint8_t condicao) {
  uso_ = uso;
  tratamento_ = tratamento;
  condicao_ = condicao;
}

void TFCober::DefinirContextoAjuda(int contexto) {
  contextoAjuda_ = contexto;
  toolkit::gui::DefinirContextoAjuda(this, contexto);
}

void TFCober::RGUsoTerraClick() {
  Marcar(grupoTratamento_, -1);
  Marcar(grupoCondicao_, -1);
  const int uso = Marcado(grupoUso_);
  if (uso < 0) return;
  const TRegraUso& regra = kRegras[uso];
  for (int i = 0; i < 3; ++i) {
    rbTratamento[i]->setEnabled(regra.tratamentos & (1 << i));
    rbCondicao[i]->setEnabled(regra.condicoes & (1 << i));
  }
  Marcar(grupoTratamento_, regra.tratamentoPadrao);
  Marcar(grupoCondicao_, regra.condicaoPadrao);
}

// The stored treatment and condition win over the land use's preselection,
// so a project's cover shows as it was saved.
void TFCober::showEvent(QShowEvent* evento) {
  if (!mostrado_) {
    mostrado_ = true;
    const int tratamento = tratamento_;
    const int condicao = condicao_;
    Marcar(grupoUso_, uso_ < 6 ? uso_ : -1);
    RGUsoTerraClick();
    Marcar(grupoTratamento_, tratamento - 1);
    Marcar(grupoCondicao_, condicao - 1);
    if (QScreen* tela = screen()) move(tela->availableGeometry().center() - rect().center());
  }
  QDialog::showEvent(evento);
}

void TFCober::OKClick() {
  const int uso = Marcado(grupoUso_);
  if (uso < 0) {
    rbUsoTerra[0]->setFocus();
    return;
  }
  uso_ = static_cast<std::uint8_t>(uso);
  tratamento_ = static_cast<std::uint8_t>(Marcado(grupoTratamento_) + 1);
  condicao_ = static_cast<std::uint8_t>(Marcado(grupoCondicao_) + 1);
  if (uso == kFloresta) tratamento_ = 0;
  if (uso == kSemCultivo) condicao_ = 0;
  accept();
}

}  // namespace reports
