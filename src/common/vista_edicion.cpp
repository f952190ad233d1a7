#include "common/vista_edicion.h"

#include <QLabel>
#include <QListWidget>

#include "common/controles_ventana.h"

void MuestraListaEdicion(const EdicionConcurso& edicion, ListaEdicion lista, QListWidget* caja, QLabel* cuenta,
                         const QString& sin_cuenta) {
  LlenaLista(caja, edicion.Lista(lista));
  if (!cuenta) return;
  if (edicion.Estado(lista) == EstadoLista::Leida)
    cuenta->setText(Q(edicion.TextoCuenta(lista)));
  else if (edicion.Estado(lista) == EstadoLista::Descartada)
    cuenta->setText(sin_cuenta);
}
