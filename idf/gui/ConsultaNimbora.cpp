#include "idf/gui/ConsultaNimbora.h"

#include <QLineEdit>

#include "idf/UnBD.h"
#include "idf/gui/FoConsulta.h"
#include "toolkit/FormatoNumero.h"

bool CoordenadaEmBranco(const std::string& texto) {
  std::string marcas;
  for (char ch : texto)
    if (ch != ' ' && ch != '_') marcas += ch;
  return marcas.empty() || marcas == "°'\"";
}

bool ExecutarConsultaNimbora(TNimbora21& n, QWidget* pai) {
  const std::string pasta = PastaBancoDados();
  LocalizarBancoDados(pasta);
  // On the stack: the window goes away however the query ends.
  TfrmFoConsulta janela(pai, pasta);
  janela.DefinirContextoAjuda(n.HelpContext);
  n.ExigirEstado();
  janela.Estado.SetIndice(n.IndEstado);
  janela.IndEstacao = n.IndEstacao;
  janela.IndLocalidade = n.IndLocalidade;
  janela.ShowAbout = n.ShowAbout;
  janela.Estimativa = n.Estimativa;
  if (!CoordenadaEmBranco(n.Latitude)) janela.DefinirLatitudeDigitada(n.Latitude);
  if (!CoordenadaEmBranco(n.Longitude)) janela.DefinirLongitudeDigitada(n.Longitude);

  if (janela.exec() != QDialog::Accepted) return false;

  // Taken in this order; an empty coefficient text (a typed point off the
  // state) stops here with the state and the coefficients before it taken.
  n.IndEstado = janela.Estado.Indice();
  n.StrEstado = janela.Estado.Nome();
  TPrecipitacaoExponencialNegativa& chuva = n.Precipitacao();
  chuva.SetK(toolkit::TextoParaRealOuErro(janela.PrecK->text().toStdString()));
  chuva.SetA(toolkit::TextoParaRealOuErro(janela.PrecA->text().toStdString()));
  chuva.SetB(toolkit::TextoParaRealOuErro(janela.PrecB->text().toStdString()));
  chuva.SetC(toolkit::TextoParaRealOuErro(janela.PrecC->text().toStdString()));
  n.DefinirAutoria(janela.Autoria);
  n.Latitude = janela.LatitudeTexto();
  n.Longitude = janela.LongitudeTexto();
  n.IndEstacao = janela.IndEstacao;
  n.IndLocalidade = janela.IndLocalidade;
  n.StrCidade = janela.NomeLocal();
  n.Estimativa = janela.Estimativa;
  return true;
}

void InstalarConsultaNimbora(TNimbora21& componente, QWidget* pai) {
  componente.Consulta = [pai](TNimbora21& n) { return ExecutarConsultaNimbora(n, pai); };
}
