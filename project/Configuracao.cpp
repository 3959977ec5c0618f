#include "project/Configuracao.h"

#include "toolkit/ArquivoIni.h"

namespace {

const char* const kSecaoPrograma = "CAUDALENTE";
const char* const kSecaoRecentes = "PRINCIPAL";
const char* const kChaveMetodo = "MetodoNumerico";
const char* const kMetodoOriginal = "original";
const char* const kMetodoConvergido = "convergido";

std::string ChaveRecente(std::size_t i) {
  return "path" + std::to_string(i + 1);
}

}  // namespace

bool TConfiguracao::Ler(TUnidades& Unidades, TRecentes& Recentes) const {
  const toolkit::TArquivoIni ini(caminho_);
  if (ini.LerString(kSecaoPrograma, "Versao", "") == "0") {
    Unidades.Padrao();
    return false;
  }
  // A section that cannot be read has already left the defaults in place.
  Unidades.LerSecoes(ini);
  for (std::size_t i = 0; i < Recentes.size(); ++i)
    Recentes[i] = ini.LerString(kSecaoRecentes, ChaveRecente(i), "");
  return true;
}

void TConfiguracao::GravarUnidades(const TUnidades& Unidades) const {
  Unidades.GravarArquivo(caminho_);
}

void TConfiguracao::Gravar(const TUnidades& Unidades, const TRecentes& Recentes) const {
  // One save for the whole file; in a new one the sections follow in this order.
  toolkit::TArquivoIni ini(caminho_);
  ini.EscreverString(kSecaoPrograma, "Versao", "1");
  Unidades.GravarSecoes(ini);
  for (std::size_t i = 0; i < Recentes.size(); ++i)
    ini.EscreverString(kSecaoRecentes, ChaveRecente(i), Recentes[i]);
  ini.SalvarOuErro();
}

namespace {

// The readers take a missing key's value from `padrao`, the type's own default,
// so that the defaults are written once, in the header.
void LerFonte(const toolkit::TArquivoIni& ini, const std::string& s, const std::string& p, TFonteGrafico& f,
              const TFonteGrafico& padrao) {
  f.Cor = ini.LerInteiro(s, p + "FonteCor", padrao.Cor);
  f.Nome = ini.LerString(s, p + "FonteName", padrao.Nome);
  f.Tamanho = ini.LerInteiro(s, p + "FonteSize", padrao.Tamanho);
  f.Negrito = ini.LerBooleano(s, p + "FonteNegrito", padrao.Negrito);
  f.Italico = ini.LerBooleano(s, p + "FonteItalico", padrao.Italico);
  f.Sublinhado = ini.LerBooleano(s, p + "FonteUnderline", padrao.Sublinhado);
  f.Riscado = ini.LerBooleano(s, p + "FonteStrike", padrao.Riscado);
}

void GravarFonte(toolkit::TArquivoIni& ini, const std::string& s, const std::string& p,
                 const TFonteGrafico& f) {
  ini.EscreverInteiro(s, p + "FonteCor", f.Cor);
  ini.EscreverString(s, p + "FonteName", f.Nome);
  ini.EscreverInteiro(s, p + "FonteSize", f.Tamanho);
  ini.EscreverBooleano(s, p + "FonteNegrito", f.Negrito);
  ini.EscreverBooleano(s, p + "FonteItalico", f.Italico);
  ini.EscreverBooleano(s, p + "FonteUnderline", f.Sublinhado);
  ini.EscreverBooleano(s, p + "FonteStrike", f.Riscado);
}

void LerEixo(const toolkit::TArquivoIni& ini, const std::string& s, const std::string& p, TEixoGrafico& e,
             const TEixoGrafico& padrao) {
  e.Titulo = ini.LerString(s, p + "Caption", padrao.Titulo);
  e.Formato = ini.LerString(s, p + "Formato", padrao.Formato);
  e.Grade = ini.LerBooleano(s, p + "Grid", padrao.Grade);
  e.Automatico = ini.LerBooleano(s, p + "Automatico", padrao.Automatico);
  if (!e.Automatico) {
    e.Maximo = ini.LerReal(s, p + "Maximo", padrao.Maximo);
    e.Minimo = ini.LerReal(s, p + "Minimo", padrao.Minimo);
  }
}

void GravarEixo(toolkit::TArquivoIni& ini, const std::string& s, const std::string& p,
                const TEixoGrafico& e) {
  ini.EscreverString(s, p + "Caption", e.Titulo);
  ini.EscreverString(s, p + "Formato", e.Formato);
  ini.EscreverBooleano(s, p + "Grid", e.Grade);
  ini.EscreverBooleano(s, p + "Automatico", e.Automatico);
  ini.EscreverReal(s, p + "Maximo", e.Maximo);
  ini.EscreverReal(s, p + "Minimo", e.Minimo);
}

}  // namespace

void CarregarGrafico(const std::string& Arquivo, const std::string& Sufixo, TConfigGrafico& Config) {
  const toolkit::TArquivoIni ini(Arquivo);
  const std::string s = "TCHART" + Sufixo;
  TConfigGrafico& c = Config;
  const TConfigGrafico padrao;
  c.TituloVisivel = ini.LerBooleano(s, "Titulo_Visivel", padrao.TituloVisivel);
  LerFonte(ini, s, "Titulo_", c.FonteTitulo, padrao.FonteTitulo);
  c.GradienteVisivel = ini.LerBooleano(s, "Gradiente_Visivel", padrao.GradienteVisivel);
  c.GradienteFim = ini.LerInteiro(s, "Gradiente_EndColor", padrao.GradienteFim);
  c.GradienteInicio = ini.LerInteiro(s, "Gradiente_StartColor", padrao.GradienteInicio);
  c.CorGrafico = ini.LerInteiro(s, "Chart_Color", padrao.CorGrafico);
  c.ParedeSolida =
      ini.LerString(s, "BackWall_Style", padrao.ParedeSolida ? "bsSolid" : "bsClear") == "bsSolid";
  c.CorParede = ini.LerInteiro(s, "BackWall_Cor", padrao.CorParede);
  LerEixo(ini, s, "EixoX_", c.EixoX, padrao.EixoX);
  LerEixo(ini, s, "EixoY_", c.EixoY, padrao.EixoY);
  c.Visao3D = ini.LerBooleano(s, "View3D", padrao.Visao3D);
  c.Zoom = ini.LerInteiro(s, "Zoom", padrao.Zoom);
  c.Rotacao = ini.LerInteiro(s, "Rotation", padrao.Rotacao);
  c.Elevacao = ini.LerInteiro(s, "Elevation", padrao.Elevacao);
  c.Profundidade = ini.LerInteiro(s, "3DPercent", padrao.Profundidade);
  c.LegendaVisivel = ini.LerBooleano(s, "Legenda_Visivel", padrao.LegendaVisivel);
  LerFonte(ini, s, "Legenda_", c.FonteLegenda, padrao.FonteLegenda);
  const int posicao = ini.LerInteiro(s, "Legenda_Posicao", padrao.PosicaoLegenda);
  if (posicao >= 0 && posicao <= 3) c.PosicaoLegenda = posicao;
}

void SalvarGrafico(const std::string& Arquivo, const std::string& Sufixo, const TConfigGrafico& Config) {
  toolkit::TArquivoIni ini(Arquivo);
  const std::string s = "TCHART" + Sufixo;
  const TConfigGrafico& c = Config;
  ini.EscreverBooleano(s, "Titulo_Visivel", c.TituloVisivel);
  GravarFonte(ini, s, "Titulo_", c.FonteTitulo);
  ini.EscreverBooleano(s, "Gradiente_Visivel", c.GradienteVisivel);
  ini.EscreverInteiro(s, "Gradiente_EndColor", c.GradienteFim);
  ini.EscreverInteiro(s, "Gradiente_StartColor", c.GradienteInicio);
  ini.EscreverInteiro(s, "Chart_Color", c.CorGrafico);
  ini.EscreverString(s, "BackWall_Style", c.ParedeSolida ? "bsSolid" : "bsClear");
  ini.EscreverInteiro(s, "BackWall_Cor", c.CorParede);
  GravarEixo(ini, s, "EixoX_", c.EixoX);
  GravarEixo(ini, s, "EixoY_", c.EixoY);
  ini.EscreverBooleano(s, "View3D", c.Visao3D);
  ini.EscreverInteiro(s, "Zoom", c.Zoom);
  ini.EscreverInteiro(s, "Rotation", c.Rotacao);
  ini.EscreverInteiro(s, "Elevation", c.Elevacao);
  ini.EscreverInteiro(s, "3DPercent", c.Profundidade);
  ini.EscreverBooleano(s, "Legenda_Visivel", c.LegendaVisivel);
  GravarFonte(ini, s, "Legenda_", c.FonteLegenda);
  ini.EscreverInteiro(s, "Legenda_Posicao", c.PosicaoLegenda);
  ini.SalvarOuErro();
}

TMetodoNumerico TConfiguracao::LerMetodo() const {
  const toolkit::TArquivoIni ini(caminho_);
  if (ini.LerString(kSecaoPrograma, "Versao", "") == "0") return TMetodoNumerico::Original;
  return ini.LerString(kSecaoPrograma, kChaveMetodo, kMetodoOriginal) == kMetodoConvergido
             ? TMetodoNumerico::Convergido
             : TMetodoNumerico::Original;
}

void TConfiguracao::GravarMetodo(TMetodoNumerico Metodo) const {
  toolkit::TArquivoIni ini(caminho_);
  ini.EscreverString(kSecaoPrograma, kChaveMetodo,
                     Metodo == TMetodoNumerico::Convergido ? kMetodoConvergido : kMetodoOriginal);
  ini.SalvarOuErro();
}
