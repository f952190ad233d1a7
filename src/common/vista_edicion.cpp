#include "common/vista_edicion.h"

#include <QLabel>
#include <QListWidget>

#include "common/controles_ventana.h"

void MuestraListaEdicion(const EdicionConcurso& edicion, ListaEdicion lista, QListWidget* caja, QLabel* cuenta,
                         const QString& sin_cuenta) {
  caja->clear();
  // In one insertion: the box takes its rows in at once, not one by one.
  const std::vector<std::string>& elementos = edicion.Lista(lista);
  QStringList textos;
  textos.reserve(static_cast<qsizetype>(elementos.size()));
  for (const std::string& e : elementos) textos.append(Q(e));
  caja->addItems(textos);
  if (!cuenta) return;
  if (edicion.Estado(lista) == EstadoLista::Leida)
    cuenta->setText(Q(edicion.TextoCuenta(lista)));
  else if (edicion.Estado(lista) == EstadoLista::Descartada)
    cuenta->setText(sin_cuenta);
}
