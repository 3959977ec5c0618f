#pragma once
// The progress window of a trace: the segment being computed and the simulated
// time on the hillslope and in the channel, written by the solvers through
// the progress boxes below, which also let the window repaint; a bar with the
// fraction of the expected simulated time done and the elapsed time.
// "Cancelar" stops the computation at the next progress tick.
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <string>

#include "model/hillslope/uInterfaceUsuario.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// Thrown from a progress tick after "Cancelar": not a std::exception, so the
// solvers' own error translation lets it through to the trace command, which
// ends quietly.
struct ETracadoCancelado {};

class TFAcompanhamento : public QWidget {
  Q_OBJECT

 public:
  // Created and shown centred on the screen of principal. A window of its
  // own, not a child of the main window: the main window is disabled during
  // the trace and "Cancelar" must still take clicks.
  static TFAcompanhamento* Criar(QWidget* principal);
  ~TFAcompanhamento() override;

  bool Cancelado() const { return cancelado_; }

  // Pending events are processed at most this often (ms): the solvers ask
  // every 23 steps, far more often than a screen repaints, and each round of
  // events costs as much as many steps. 0 processes them at every request.
  static int IntervaloProcessamentoMs;
  void bCancelarClick() { cancelado_ = true; }

  // A box that writes into one of the edits.
  class TCaixa : public IProgresso {
   public:
    TCaixa(TFAcompanhamento* janela, QLineEdit* edit) : janela_(janela), edit_(edit) {}
    void Mostrar(const std::string& texto) override;
    // Processes pending events; throws ETracadoCancelado after "Cancelar".
    void ProcessarMensagens() override;
    void Previsto(double fim) override;
    void Simulado(double tempo) override;

   private:
    TFAcompanhamento* janela_;
    QLineEdit* edit_;
  };

  QWidget *Panel2, *Panel1;
  QGroupBox *GroupBox1, *GroupBox2;
  QLineEdit *eTrecho, *eEncosta, *eCanal;
  QPushButton* bCancelar;
  // Up to the end of rainfall excess the bar shows the fraction of it
  // simulated; past it (the recession, of unknown length) it only shows
  // that work goes on.
  QProgressBar* Barra;
  QLabel* lDecorrido;

  TCaixa CaixaTrecho{this, nullptr};
  TCaixa CaixaEncosta{this, nullptr};
  TCaixa CaixaCanal{this, nullptr};

 protected:
  void showEvent(QShowEvent* evento) override;

 private:
  TFAcompanhamento();
  bool cancelado_ = false;
  QElapsedTimer ultimoProcessamento_;
  QElapsedTimer decorrido_;
  double fimPrevisto_ = 0;
  void MostrarDecorrido();
};

// The window while it exists.
extern QPointer<TFAcompanhamento> FAcompanhamento;
