// A list of the contest edition in a window's list box and count label: the
// entries in order, and the label by how the list came to hold them.
#include "common/vista_edicion.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <string>
#include <vector>

#include "soporte/carpeta_temporal.h"

namespace {

std::vector<std::string> Elementos(const QListWidget& caja) {
  std::vector<std::string> v;
  for (int i = 0; i < caja.count(); ++i) v.push_back(caja.item(i)->text().toStdString());
  return v;
}

TEST(VistaEdicion, LaCuentaSigueAComoSeLlenoLaLista) {
  soporte::CarpetaTemporal tmp;
  tmp.EscribeBytes("ListasCruzadas/QQ2B.LOG", "x");
  tmp.EscribeBytes("ListasCruzadas/qq1a.LOG", "x");
  tmp.EscribeBytes("ListasNoEnviadas/ListasNoEnviadasPorIndicativo.txt", "QQ9Z en 3 listas\r\n");
  EdicionConcurso edicion(tmp.Ruta(), "PRUEBA");
  QListWidget caja, noEnviadas;
  QLabel cuenta(QStringLiteral("antes")), label6(QStringLiteral("antes"));

  // Read: the entries and their count.
  edicion.Lee(ListaEdicion::Cruzadas);
  MuestraListaEdicion(edicion, ListaEdicion::Cruzadas, &caja, &cuenta);
  EXPECT_EQ(Elementos(caja), (std::vector<std::string>{"qq1a.LOG", "QQ2B.LOG"}));
  EXPECT_EQ(cuenta.text().toStdString(), "2 Listas");
  edicion.Lee(ListaEdicion::NoEnviadasPorIndicativo);
  MuestraListaEdicion(edicion, ListaEdicion::NoEnviadasPorIndicativo, &noEnviadas, &label6,
                      QStringLiteral("NO ENVIADAS"));
  EXPECT_EQ(Elementos(noEnviadas), std::vector<std::string>{"QQ9Z en 3 listas"});
  EXPECT_EQ(label6.text().toStdString(), "1 NO ENVIADAS");

  // Only emptied: the box empties, the label keeps what it showed.
  edicion.Vacia(ListaEdicion::Cruzadas);
  MuestraListaEdicion(edicion, ListaEdicion::Cruzadas, &caja, &cuenta);
  EXPECT_EQ(caja.count(), 0);
  EXPECT_EQ(cuenta.text().toStdString(), "2 Listas");

  // Discarded: the label shows the text given for no count.
  edicion.DescartaResultadosCruce();
  MuestraListaEdicion(edicion, ListaEdicion::Cruzadas, &caja, &cuenta);
  MuestraListaEdicion(edicion, ListaEdicion::NoEnviadasPorIndicativo, &noEnviadas, &label6,
                      QStringLiteral("NO ENVIADAS"));
  EXPECT_EQ(cuenta.text().toStdString(), "");
  EXPECT_EQ(noEnviadas.count(), 0);
  EXPECT_EQ(label6.text().toStdString(), "NO ENVIADAS");

  // A list without a count label fills its box only.
  edicion.Lee(ListaEdicion::Cruzadas);
  MuestraListaEdicion(edicion, ListaEdicion::Cruzadas, &caja, nullptr);
  EXPECT_EQ(caja.count(), 0);  // the discarding deleted the files
}

}  // namespace
