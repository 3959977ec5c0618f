#pragma once
// Test double of the message-box service: answers prompts from a queue and
// records every box that would have been shown. Install it with
// toolkit::gui::DefinirMensagens(&roteiro) and remove it with nullptr.
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "toolkit/gui/Mensagens.h"

namespace toolkit::gui {

class TMensagensRoteiro : public IServicoMensagens {
 public:
  struct TCaixa {
    QString tipo;  // "informacao", "erro", "aviso" or "pergunta"
    QString titulo;
    QString texto;
    Botoes botoes = Botoes::SimNao;
  };

  std::deque<Resposta> respostas;                // answers for the next prompts, in order
  Resposta respostaPadrao = Resposta::Cancelar;  // when the queue is empty
  std::vector<TCaixa> caixas;

  void Informar(const QString& titulo, const QString& texto) override {
    caixas.push_back({QStringLiteral("informacao"), titulo, texto});
  }
  void Erro(const QString& titulo, const QString& texto) override {
    caixas.push_back({QStringLiteral("erro"), titulo, texto});
  }
  void Avisar(const QString& titulo, const QString& texto) override {
    caixas.push_back({QStringLiteral("aviso"), titulo, texto});
  }
  Resposta Perguntar(const QString& titulo, const QString& texto, Botoes botoes) override {
    caixas.push_back({QStringLiteral("pergunta"), titulo, texto, botoes});
    if (respostas.empty()) return respostaPadrao;
    const Resposta r = respostas.front();
    respostas.pop_front();
    return r;
  }

  QStringList Textos() const {
    QStringList t;
    for (const auto& c : caixas) t << c.texto;
    return t;
  }
};

}  // namespace toolkit::gui
