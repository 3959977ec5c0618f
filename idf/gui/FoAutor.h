#pragma once
// Reference dialog of the query window's source button: the authors, the
// title and the publication of the study an IDF equation comes from.
#include <QDialog>

class QLabel;
class QPushButton;

class TfrmFoAutor : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmFoAutor(QWidget* parent = nullptr);

  // Fills the three texts and fits the height to them (never below the
  // design height, width fixed).
  void Preencher(const QString& autores, const QString& titulo, const QString& publicacao);
  void Limpar();

  QLabel* Autor;   // authors, plain
  QLabel* Livro;   // title, bold, word-wrapped
  QLabel* Pagina;  // publication, word-wrapped
  QPushButton* OK;

  static constexpr int kLargura = 547;
  static constexpr int kAltura = 144;
};
