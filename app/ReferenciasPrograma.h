#pragma once
// The reference-value dialogs of reports/ as the data-entry window runs them.
#include <memory>

#include "windows/ReferenciasDados.h"

std::unique_ptr<IReferenciasDados> CriarReferenciasPrograma(QWidget* pai);
