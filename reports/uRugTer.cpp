#include "reports/uRugTer.h"

namespace reports {

namespace {

const QString kCulturaEmLinha = QStringLiteral("Cultura em linha");
const QString kSemPreparo = QStringLiteral("Sem preparo");
const QString kGrama = QStringLiteral("Grama ou pastagem");
const QString kPequenosGraos = QStringLiteral("Pequenos grãos");
const QString kFlorestas = QStringLiteral("Florestas ou áreas de reflorestamento");
const QString kTerraArada = QStringLiteral("Terra arada");
const QString kAiveca = QStringLiteral("Preparo primário com aiveca");
const QString kEscarificador = QStringLiteral("Escarificador");
const QString kAradoAiveca = QStringLiteral("Arado de aiveca");
const QString kAradoDisco = QStringLiteral("Arado de disco");

std::vector<TLinhaReferencia> Tabela() {
  return {
      {kCulturaEmLinha, kAiveca, QStringLiteral("&Superfície plana"), {"0,070-0,100", "0,085"}},
      {kCulturaEmLinha, kAiveca, QStringLiteral("S&uperfície cultivada"), {"0,090-0,120", "0,110"}},
      {kCulturaEmLinha, kEscarificador, QStringLiteral("Super&fície plana"), {"0,080-0,120", "0,100"}},
      {kCulturaEmLinha, kEscarificador, QStringLiteral("Sup&erfície cultivada"), {"0,100-0,140", "0,120"}},
      {kSemPreparo, {}, QStringLiteral("&Resíduo normal"), {"0,100-0,150", "0,120"}},
      {kSemPreparo, {}, QStringLiteral("&Muito resíduo"), {"0,130-0,170", "0,150"}},
      {kGrama, {}, QStringLiteral("&Pouca cobertura"), {"0,065-0,100", "0,080"}},
      {kGrama, {}, QStringLiteral("Cober&tura média"), {"0,090-0,120", "0,100"}},
      {kGrama, {}, QStringLiteral("&Boa cobertura"), {"0,100-0,140", "0,120"}},
      {kPequenosGraos, {}, QStringLiteral("Resí&duos removidos"), {"0,090-0,120", "0,100"}},
      {kPequenosGraos, {}, QStringLiteral("Resíduos &incorporados"), {"0,110-0,140", "0,120"}},
      {kFlorestas, {}, QStringLiteral("Árvores pe&quenas"), {"0,120-0,180", "0,150"}},
      {kFlorestas, {}, QStringLiteral("Árvores &grandes"), {"0,150-0,250", "0,200"}},
      {kTerraArada, kAradoAiveca, QStringLiteral("Superfície p&lana"), {"0,010-0,050", "0,035"}},
      {kTerraArada, kAradoAiveca, QStringLiteral("Superfície rugos&a"), {"0,250-0,500", "0,350"}},
      {kTerraArada, kEscarificador, QStringLiteral("Superfície pla&na"), {"0,030-0,080", "0,050"}},
      {kTerraArada, kEscarificador, QStringLiteral("Superfície rugosa"), {"0,150-0,500", "0,250"}},
      {kTerraArada, kAradoDisco, QStringLiteral("Superfície plana"), {"0,030-0,070", "0,040"}},
      {kTerraArada, kAradoDisco, QStringLiteral("Superfície rugosa"), {"0,100-0,400", "0,200"}},
  };
}

}  // namespace

TFRugTer::TFRugTer(QWidget* parent)
    : TFValorReferencia(parent, QStringLiteral("FRugTer"),
                        QStringLiteral("Consulta a valores de rugosidade do terreno"), 0) {
  Montar(Tabela(), {QString(), QStringLiteral("Intervalo"), QStringLiteral("Valor")}, 3, 1,
         QStringLiteral("&Valor da rugosidade:"),
         QStringLiteral("Fonte: Woolhiser, D. A.; Smith, R. E.; Goodrich, D. C. KINEROS, a kinematic runoff "
                        "and erosion model: documentation and user manual. USDA-ARS, ARS-77, 1990; "
                        "Engman, E. T. Roughness coefficients for routing surface runoff. Journal of "
                        "Irrigation and Drainage Engineering, v. 112, n. 1, p. 39-53, 1986."));
}

void TFRugTer::ValorEditado() {
  linhaAtual_ = 0;
}

// The "Intervalo" column: "0,070-0,100".
bool TFRugTer::FaixaDaLinha(int linha, double& minimo, double& maximo) const {
  const QStringList extremos = linhas_[linha - 1].valores.value(0).split(QLatin1Char('-'));
  return extremos.size() == 2 && NumeroDaTabela(extremos[0], minimo) && NumeroDaTabela(extremos[1], maximo);
}

QString TFRugTer::MensagemValorVazio() const {
  return QStringLiteral("Valor de rugosidade inconsistente.");
}

}  // namespace reports
