#pragma once
// The units dialog ("Configuração do sistema"): slope unit, infiltration unit
// and the default state of the IDF database. Changes apply at once (the
// owner refreshes its windows on the units' change events); Cancel puts
// everything back and raises both events again.
#include <QDialog>
#include <QList>

#include "project/Unidades.h"

class QComboBox;
class QLabel;
class QPushButton;

class TFConfUnidades : public QDialog {
  Q_OBJECT

 public:
  explicit TFConfUnidades(QWidget* parent = nullptr);

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QComboBox* UnidDecli;
  QComboBox* UnidVI;
  QComboBox* EstDefault;
  QPushButton* ok;
  QPushButton* Cancela;
  QPushButton* BAjuda;

  // The 22 states offered as the default state, in the order of Estado.
  static const QStringList& Estados();
};

// Runs the dialog on the units; true when the user pressed Ok.
bool Configurar(TUnidades& unidades, QWidget* parent = nullptr);

// Sets each label's text to the unit; a null label is skipped and makes the
// result false.
bool MostrarUnidadeVI(const TUnidades& unidades, const QList<QLabel*>& rotulos);
bool MostrarUnidadeDeclividade(const TUnidades& unidades, const QList<QLabel*>& rotulos);
