#include "reports/uZ.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "toolkit/FormatoNumero.h"

namespace reports {

namespace {

const double kZ[5] = {0.25, 0.5, 1, 1.5, 2.5};
const int kLinhaOutros = 6;

std::vector<TLinhaReferencia> Tabela() {
  return {
      {{}, {}, QStringLiteral(" &Rocha firme"), {QString()}},
      {{}, {}, QStringLiteral(" Roc&ha fissurada"), {QString()}},
      {{}, {}, QStringLiteral(" &Solo firme"), {QString()}},
      {{}, {}, QStringLiteral(" So&lo argilo-arenoso"), {QString()}},
      {{}, {}, QStringLiteral(" Solo &areno-argiloso"), {QString()}},
      {{}, {}, QStringLiteral(" Ou&tros"), {QStringLiteral("---")}},
  };
}

}  // namespace

TFZ::TFZ(QWidget* parent)
    : TFValorReferencia(parent, QStringLiteral("FZ"),
                        QStringLiteral("Declividades recomendadas para taludes de canais não revestidos"),
                        0) {
  Montar(Tabela(), {QStringLiteral("Material"), QStringLiteral("Valores de Z")}, 1, 0,
         QStringLiteral("Valor de &Z :"),
         QStringLiteral("Fonte: Daker, A. A água na agricultura: manual de hidráulica agrícola. v. 3: "
                        "Irrigação e drenagem. 7. ed. Rio de Janeiro: Freitas Bastos, 1988."));
  focoInicialNoValor_ = true;
}

void TFZ::showEvent(QShowEvent* evento) {
  for (int i = 0; i < 5; ++i)
    lValores[i][0]->setText(QString::fromStdString(toolkit::FormatarNumero(" 0.00", kZ[i])));
  TFValorReferencia::showEvent(evento);
}

QString TFZ::TextoDaLinha(int linha) const {
  return QString::fromStdString(toolkit::FormatarNumero("0.00", kZ[linha - 1]));
}

bool TFZ::ValorDaLinha(int linha, double& valor) const {
  if (linha == kLinhaOutros) return false;
  valor = kZ[linha - 1];
  return true;
}

// "Others" stands for any value the user typed.
bool TFZ::LinhaAdmite(int linha, double valor) const {
  return linha == kLinhaOutros || TFValorReferencia::LinhaAdmite(linha, valor);
}

void TFZ::LinhaClicada(int linha) {
  if (linha == kLinhaOutros) {
    linhaAtual_ = linha;
    if (isVisible()) eValor->setFocus();
    return;
  }
  TFValorReferencia::LinhaClicada(linha);
}

void TFZ::ValorEditado() {
  rbLinhas[kLinhaOutros - 1]->setChecked(true);
  linhaAtual_ = kLinhaOutros;
}

QString TFZ::MensagemValorVazio() const {
  return QStringLiteral("Valor do parâmetro Z inconsistente.");
}

}  // namespace reports
