#pragma once
// "Definição da Cobertura Vegetal": land use, treatment and hydrologic
// condition of a hillslope segment, the three keys of the curve-number
// table. Each land use allows only the treatments and conditions the table
// has rows for.
#include <QDialog>
#include <QList>
#include <cstdint>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace reports {

class TFCober : public QDialog {
  Q_OBJECT

 public:
  explicit TFCober(QWidget* parent = nullptr);

  // The cover the dialog opens on: use 0..5, treatment and condition 0..3
  // (0: none).
  void DefinirCobertura(std::uint8_t uso, std::uint8_t tratamento, std::uint8_t condicao);
  void DefinirContextoAjuda(int contexto);

  // After acceptance.
  std::uint8_t UsoTerra() const { return uso_; }
  std::uint8_t Tratamento() const { return tratamento_; }
  std::uint8_t Condicao() const { return condicao_; }

  QGroupBox* RGUsoTerra;
  QGroupBox* RGTratamento;
  QGroupBox* RGCondicao;
  QList<QRadioButton*> rbUsoTerra;    // "Sem cultivo" .. "Floresta"
  QList<QRadioButton*> rbTratamento;  // "Fileiras retas" .. "Curvas de nível e terraço"
  QList<QRadioButton*> rbCondicao;    // "Má", "Regular", "Boa"
  QLabel* lFonte;
  QPushButton* bOk;
  QPushButton* bCancelar;
  QPushButton* bAjuda;

 protected:
  void showEvent(QShowEvent* evento) override;

 private:
  void RGUsoTerraClick();
  void OKClick();

  QButtonGroup* grupoUso_;
  QButtonGroup* grupoTratamento_;
  QButtonGroup* grupoCondicao_;
  std::uint8_t uso_ = 0;
  std::uint8_t tratamento_ = 0;
  std::uint8_t condicao_ = 0;
  int contextoAjuda_ = 0;
  bool mostrado_ = false;
};

}  // namespace reports
