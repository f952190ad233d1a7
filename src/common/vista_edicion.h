#pragma once
// A list of the contest edition (common/edicion_concurso.h) as a window
// shows it: its entries in a list box and its count in a label.
#include <QString>

#include "common/edicion_concurso.h"

class QLabel;
class QListWidget;

// Fills `caja` with the entries of the list, in order. Then, when there is
// a count label, sets it by how the list came to hold what it holds: a list
// read shows its count ("12 Listas", "12 NO ENVIADAS"); results that a
// cross-check or a changed option discarded show `sin_cuenta`; a list only
// emptied keeps the text shown before.
void MuestraListaEdicion(const EdicionConcurso& edicion, ListaEdicion lista, QListWidget* caja, QLabel* cuenta,
                         const QString& sin_cuenta = QString());
