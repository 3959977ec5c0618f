#include "reports/uSm.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "toolkit/FormatoNumero.h"
#include "toolkit/gui/Mensagens.h"

namespace reports {

namespace {

// Sm (m/m) of each row; row 7 is the range kFaixaMin .. kFaixaMax.
const double kBase[8] = {0.721, 0.679, 0.667, 0.213, 0.170, 0.164, 0, 0.418};
const double kFaixaMin = 0.186;
const double kFaixaMax = 0.221;
const int kLinhaFaixa = 7;

// The labels show Sm with one decimal in percent, three in m/m; the pattern's
// leading blank is the label's margin.
std::string PadraoDoRotulo(const QString& unidade) {
  return unidade == QStringLiteral("%") ? " 0.0" : " 0.000";
}

std::vector<TLinhaReferencia> Tabela() {
  // The second line is plain text: an '&' in it is shown, not taken as an access key.
  auto linha = [](const char* primeira, const char* segunda) {
    return TLinhaReferencia{{},
                            {},
                            QString::fromUtf8(primeira) + QLatin1Char('\n') +
                                QString::fromUtf8(segunda).replace(QLatin1Char('&'), QStringLiteral("&&")),
                            {QString()}};
  };
  return {
      linha("&Terraço embutido em nível, construído com trator de", "esteiras FIAT AD7 B"),
      linha("T&erraço embutido em nível, construído com trator de", "esteiras FIAT AD14"),
      linha("Te&rraço embutido em nível, construído com", "motoniveladora DRESSER 140C"),
      linha("Terr&aço base larga em nível, construído com trator",
            "VALMET 1580 tracionando terraceador (sem acabamento)"),
      linha("Terraço &base larga com gradiente, construído com trator",
            "VALMET 1580 tracionando terraceador (sem acabamento)"),
      linha("Terraço ba&se larga com gradiente, construído com trator",
            "VALMET 1580 tracionando terraceador (acabamento com aiveca)"),
      linha("Terraço base &larga em nível, construído com", "motoniveladora HUBER WARCO 140 M"),
      linha("Terraço leirão ou &murundum em nível, construído com trator", "de esteiras FIAT AD& B"),
  };
}

}  // namespace

TFSm::TFSm(QWidget* parent)
    : TFValorReferencia(
          parent, QStringLiteral("FSm"),
          QStringLiteral("Valores de Sm para seções transversais típicas construídas pela CODASP"), -1) {
  Montar(Tabela(), {QStringLiteral("Tipo de terraço e forma de construção"), QStringLiteral("Valor de Sm")},
         1, 0, QStringLiteral("&Valor de Sm :"),
         QStringLiteral("Fonte: seções medidas em terraços construídos pela CODASP (Companhia de "
                        "Desenvolvimento Agrícola de São Paulo); Lombardi Neto, F. et al. Terraceamento "
                        "agrícola. Campinas: CATI, 1994 (Boletim Técnico, 206)."));
  focoInicialNoValor_ = true;
  selecionarAoEntrar_ = true;
}

void TFSm::DefinirUnidade(const QString& unidade, int multiplicador) {
  unidade_ = unidade;
  multiplicador_ = multiplicador;
}

QString TFSm::TextoFaixa() const {
  const std::string padrao = PadraoDoRotulo(unidade_);
  // One blank between the ends: the pattern's own blank leads the label only.
  return QString::fromStdString(toolkit::FormatarNumero(padrao, kFaixaMin * multiplicador_) + " a " +
                                toolkit::FormatarNumero(padrao.substr(1), kFaixaMax * multiplicador_));
}

void TFSm::showEvent(QShowEvent* evento) {
  // The labels come first: showing the incoming row copies its label.
  const std::string padrao = PadraoDoRotulo(unidade_);
  for (int i = 0; i < lValores.size(); ++i)
    lValores[i][0]->setText(i + 1 == kLinhaFaixa ? TextoFaixa()
                                                 : QString::fromStdString(toolkit::FormatarNumero(
                                                       padrao, kBase[i] * multiplicador_)));
  TFValorReferencia::showEvent(evento);
}

QString TFSm::TextoDaLinha(int linha) const {
  return lValores[linha - 1][0]->text();
}

bool TFSm::ValorDaLinha(int linha, double& valor) const {
  if (linha == kLinhaFaixa) return false;
  valor = kBase[linha - 1] * multiplicador_;
  return true;
}

bool TFSm::FaixaDaLinha(int linha, double& minimo, double& maximo) const {
  if (linha != kLinhaFaixa) return false;
  minimo = kFaixaMin * multiplicador_;
  maximo = kFaixaMax * multiplicador_;
  return true;
}

void TFSm::ValorEditado() {
  if (linhaAtual_ != kLinhaFaixa) linhaAtual_ = -1;
}

void TFSm::TeclaRecusada() {
  ValorEditado();
}

bool TFSm::OkPermitido() const {
  return TFValorReferencia::OkPermitido() && eValor->text() != TextoFaixa();
}

void TFSm::AvisarFaixa() {
  toolkit::gui::Avisar(
      QStringLiteral("Valor de Sm inconsistente. Forneça um valor compreendido entre:[") +
      QString::fromStdString(toolkit::FormatoGeral(kFaixaMin * multiplicador_)) + QStringLiteral(" .. ") +
      QString::fromStdString(toolkit::FormatoGeral(kFaixaMax * multiplicador_)) + QStringLiteral("]."));
}

// Row 7 stands for a range: the value typed with it must be one number of
// that range, not the range's text.
bool TFSm::ConferirTexto(const QString& texto) {
  if (rbLinhas[kLinhaFaixa - 1]->isChecked() && texto.size() > 5) {
    AvisarFaixa();
    return false;
  }
  return true;
}

bool TFSm::ConferirValor(double valor) {
  const double folga = 1e-9 * multiplicador_;
  if (rbLinhas[kLinhaFaixa - 1]->isChecked() &&
      (valor < kFaixaMin * multiplicador_ - folga || valor > kFaixaMax * multiplicador_ + folga)) {
    AvisarFaixa();
    return false;
  }
  return true;
}

// "&Ok" is disabled while the edit is empty, so the Sm dialog has no message of its own for it.
QString TFSm::MensagemValorVazio() const {
  return QString();
}

}  // namespace reports
