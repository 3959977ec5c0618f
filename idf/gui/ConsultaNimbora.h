#pragma once
// The window side of the IDF component's query: locate the database, open
// the query window on the component's choice, and on "&Fechar" take the
// coefficients into the storm and the location into the component.
#include "idf/Nimbora21Comp.h"

class QWidget;

// The query (the component's Execute): true when accepted, false when
// cancelled (nothing changed). The window is destroyed in every case; errors
// propagate with the user's message.
bool ExecutarConsultaNimbora(TNimbora21& componente, QWidget* pai);

// Makes componente.Execute() run the query with windows owned by pai.
void InstalarConsultaNimbora(TNimbora21& componente, QWidget* pai);

// An empty coordinate text or one whose six digits are all blank.
bool CoordenadaEmBranco(const std::string& texto);
