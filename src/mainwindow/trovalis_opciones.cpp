// The option boxes of the contest editor: what a change of one box does to
// the others, to the list buttons and to the points and hours fields.
#include <QCheckBox>

#include "mainwindow/estado_principal.h"
#include "mainwindow/trovalis.h"

// Runs on every change of an option box's value, by the operator or by the
// program (never when a box is set to the value it already has).
void Trovalis::OpcionCambiada(QCheckBox*, bool) {}

// Recomputes the exclude boxes from the type boxes.
void Trovalis::ActualizaExclusiones() {}

// Recomputes the list buttons and the period captions from the type boxes.
void Trovalis::ActualizaBotonesConfiguracion() {}

void Trovalis::VerificaNombre_Click() {}
