#include "reports/uRugCan.h"

#include <QRadioButton>

namespace reports {

namespace {

const QString kRetilineo = QStringLiteral("Canal de terra retilíneo e uniforme");
const QString kSinuoso = QStringLiteral("Canal de terra sinuoso");

std::vector<TLinhaReferencia> Tabela() {
  return {
      {kRetilineo, {}, QStringLiteral("&Limpo, recentemente construído"), {"0,016", "0,018", "0,020"}},
      {kRetilineo,
       {},
       QStringLiteral("L&impo, mas já tendo sofrido intemperismo"),
       {"0,018", "0,022", "0,025"}},
      {kRetilineo, {}, QStringLiteral("&Escascalhado, seção uniforme, limpo"), {"0,022", "0,025", "0,030"}},
      {kRetilineo,
       {},
       QStringLiteral("Co&m grama curta, poucas ervas daninhas"),
       {"0,022", "0,027", "0,033"}},
      {kSinuoso, {}, QStringLiteral("&Sem vegetação"), {"0,023", "0,025", "0,030"}},
      {kSinuoso, {}, QStringLiteral("&Grama, algumas ervas daninhas"), {"0,025", "0,030", "0,033"}},
      {kSinuoso,
       {},
       QStringLiteral("E&rvas daninhas densas, plantas aquáticas em canais profundos"),
       {"0,030", "0,035", "0,040"}},
      {kSinuoso, {}, QStringLiteral("&Fundo em terra e lados escascalhados"), {"0,028", "0,030", "0,035"}},
      {kSinuoso,
       {},
       QStringLiteral("Fun&do em cascalho e taludes com ervas daninhas"),
       {"0,025", "0,035", "0,040"}},
  };
}

}  // namespace

TFRugCan::TFRugCan(QWidget* parent)
    : TFValorReferencia(parent, QStringLiteral("FRugCan"),
                        QStringLiteral("Consulta a valores de rugosidade do canal"), 0) {
  Montar(Tabela(), {QString(), QStringLiteral("Mínimo"), QStringLiteral("Normal"), QStringLiteral("Máximo")},
         2, 1, QStringLiteral("&Valor da rugosidade:"),
         QStringLiteral("Fonte: Chow, V. T. Open-channel hydraulics. New York: McGraw-Hill, 1959."));
}

void TFRugCan::ValorEditado() {
  linhaAtual_ = 0;
  DesmarcarLinhas();
}

int TFRugCan::LinhaDoResultado() const {
  for (int i = 0; i < rbLinhas.size(); ++i)
    if (rbLinhas[i]->isChecked()) return i + 1;
  return 0;
}

// The "Mínimo" and "Máximo" columns.
bool TFRugCan::FaixaDaLinha(int linha, double& minimo, double& maximo) const {
  const QStringList& valores = linhas_[linha - 1].valores;
  return NumeroDaTabela(valores.value(0), minimo) && NumeroDaTabela(valores.value(2), maximo);
}

QString TFRugCan::MensagemValorVazio() const {
  return QStringLiteral("Valor de rugosidade inconsistente.");
}

}  // namespace reports
