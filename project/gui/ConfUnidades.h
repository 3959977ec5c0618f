#pragma once
// The units dialog ("Configuração do sistema"): slope unit, infiltration unit,
// the default state of the IDF database and the numerical method of traces.
// Unit changes apply at once (the owner refreshes its windows on the units'
// change events); Cancel puts everything back and raises both events again.
// The method is taken on Ok only.
#include <QDialog>
#include <QList>

#include "model/channel/uTracado.h"
#include "project/Unidades.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

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
  QGroupBox* GrupoMetodo;
  QRadioButton* MetodoOriginal;
  QRadioButton* MetodoConvergido;
  QPushButton* ok;
  QPushButton* Cancela;
  QPushButton* BAjuda;

  // The states offered as the default state, in the order of Estado
  // (TUnidades::Estados()).
  static const QStringList& Estados();
};

// Runs the dialog on the units; true when the user pressed Ok. The first form
// hides the method's group; the second sets Metodo on Ok.
bool Configurar(TUnidades& unidades, QWidget* parent = nullptr);
bool Configurar(TUnidades& unidades, TMetodoNumerico& metodo, QWidget* parent = nullptr);

// Sets each label's text to the unit; a null label is skipped and makes the
// result false.
bool MostrarUnidadeVI(const TUnidades& unidades, const QList<QLabel*>& rotulos);
bool MostrarUnidadeDeclividade(const TUnidades& unidades, const QList<QLabel*>& rotulos);
