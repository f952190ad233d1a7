// The diploma lists: the evaluation of the fixture merged logs against the
// levels (golden list files), issuing, and the record of issued diplomas
// kept through every write.
#include "award/diplomas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/progreso_etapa.h"
#include "diplomas_prueba.h"
#include "plataforma/errores.h"
#include "plataforma/rutas.h"

namespace award {
namespace {

using prueba::ListaEnDisco;

std::vector<std::string> Admitidas(const soporte::CarpetaTemporal& carpeta) {
  return plataforma::ListaFicheros(carpeta.En("ListasAdmitidas"));
}

std::vector<std::string> TodasLasListas() {
  std::vector<std::string> nombres;
  for (Nivel n : kNiveles) nombres.push_back(NombreListaPendientes(n));
  for (Nivel n : kNiveles) nombres.push_back(NombreListaExpedidos(n));
  return nombres;
}

TEST(EvaluaDiplomas, ListasDeLosSeisNivelesComoLasEsperadas) {
  soporte::CarpetaTemporal carpeta;
  prueba::CreaEdicion(carpeta);
  ListasDiplomas listas;
  ProgresoSimple progreso;
  const auto ilegibles = EvaluaDiplomas(carpeta.Ruta(), Admitidas(carpeta), listas, progreso);
  EXPECT_TRUE(ilegibles.empty());
  for (const std::string& nombre : TodasLasListas())
    EXPECT_EQ(ListaEnDisco(carpeta, nombre), prueba::LeeDatos("esperado/" + nombre + ".lst")) << nombre;

  const std::vector<std::string> pasos = {"Procesando LISTA de: EA1AAA.LOG", "Procesando LISTA de: EA1BBB.LOG",
                                          "Procesando LISTA de: EA1CCC.LOG", "Procesando LISTA de: EA1DDD.LOG",
                                          "Procesando LISTA de: EA1EEE.LOG", "FIN PROCESO"};
  EXPECT_EQ(progreso.pasos, pasos);
  EXPECT_EQ(progreso.porcentaje, 100);
  EXPECT_GT(progreso.cesiones, 5 * 30);  // once per line read
}

TEST(EvaluaDiplomas, SinListasAdmitidasNoEscribeNadaPeroLeeLosExpedidos) {
  soporte::CarpetaTemporal carpeta;
  prueba::CreaEdicion(carpeta, /*con_listas=*/false);
  ListasDiplomas listas;
  listas.PendientesDe(Nivel::Oro) = {"RESTO.LOG"};
  ProgresoSimple progreso;
  EvaluaDiplomas(carpeta.Ruta(), {}, listas, progreso);
  EXPECT_TRUE(progreso.pasos.empty());
  EXPECT_TRUE(listas.PendientesDe(Nivel::Oro).empty());
  EXPECT_EQ(listas.ExpedidosDe(Nivel::Bronce), (std::vector<std::string>{"EA1CCC.LOG", "ea1eee.log"}));
  EXPECT_EQ(listas.ExpedidosDe(Nivel::Oro), (std::vector<std::string>{"EA9ZZZ.LOG"}));
  for (Nivel n : kNiveles) {
    EXPECT_EQ(ListaEnDisco(carpeta, NombreListaPendientes(n)), "(sin fichero)");
    EXPECT_EQ(ListaEnDisco(carpeta, NombreListaExpedidos(n)),
              prueba::LeeDatos("expedidos/" + NombreListaExpedidos(n) + ".lst"));
  }

  // Issuing with nothing pending rewrites the files from the lists read:
  // the earlier issued diplomas stay.
  GuardaListasDiplomas(carpeta.Ruta(), listas);
  for (Nivel n : kNiveles)
    EXPECT_EQ(ListaEnDisco(carpeta, NombreListaExpedidos(n)),
              prueba::LeeDatos("expedidos/" + NombreListaExpedidos(n) + ".lst"));
}

TEST(EvaluaDiplomas, EstacionYaExpedidaEnTodosLosNivelesNoQuedaPendiente) {
  soporte::CarpetaTemporal carpeta;
  prueba::CreaEdicion(carpeta, true, false);
  carpeta.EscribeBytes("DiplomasBronceExpedidos/DiplomasBronceExpedidos.lst", "EA1CCC.LOG\r\nEA1AAA.LOG\r\n");
  carpeta.EscribeBytes("DiplomasPlataExpedidos/DiplomasPlataExpedidos.lst", "EA1CCC.LOG\r\n");
  carpeta.EscribeBytes("DiplomasOroExpedidos/DiplomasOroExpedidos.lst", "EA1CCC.LOG\r\n");
  ListasDiplomas listas;
  ProgresoSimple progreso;
  EvaluaDiplomas(carpeta.Ruta(), Admitidas(carpeta), listas, progreso);
  EXPECT_EQ(listas.PendientesDe(Nivel::Bronce), (std::vector<std::string>{"EA1BBB.LOG", "EA1EEE.LOG"}));
  EXPECT_EQ(listas.PendientesDe(Nivel::Plata), (std::vector<std::string>{"EA1BBB.LOG"}));
  EXPECT_TRUE(listas.PendientesDe(Nivel::Oro).empty());
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasOroPendientes"), "(sin fichero)");
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasBronceExpedidos"), "EA1CCC.LOG\r\nEA1AAA.LOG\r\n");
}

TEST(EvaluaDiplomas, ListaExpedidaIlegibleNoSeSobrescribe) {
  soporte::CarpetaTemporal carpeta;
  prueba::CreaEdicion(carpeta);
  // A folder where the file should be: there, but it cannot be read.
  std::filesystem::remove(carpeta.En("DiplomasPlataExpedidos/DiplomasPlataExpedidos.lst"));
  carpeta.CreaCarpeta("DiplomasPlataExpedidos/DiplomasPlataExpedidos.lst");
  ListasDiplomas listas;
  ProgresoSimple progreso;
  EXPECT_THROW(EvaluaDiplomas(carpeta.Ruta(), Admitidas(carpeta), listas, progreso), plataforma::ErrorFichero);
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasBronceExpedidos"),
            prueba::LeeDatos("expedidos/DiplomasBronceExpedidos.lst"));
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasBroncePendientes"), "(sin fichero)");
}

TEST(EvaluaDiplomas, ListaAdmitidaIlegibleSeNombraYNoCuenta) {
  soporte::CarpetaTemporal carpeta;
  prueba::CreaEdicion(carpeta);
  std::vector<std::string> admitidas = Admitidas(carpeta);
  admitidas.insert(admitidas.begin(), "EA1ZZZ.LOG");  // gone since it was listed
  ListasDiplomas listas;
  ProgresoSimple progreso;
  EXPECT_EQ(EvaluaDiplomas(carpeta.Ruta(), admitidas, listas, progreso), std::vector<std::string>{"EA1ZZZ.LOG"});
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasBroncePendientes"),
            prueba::LeeDatos("esperado/DiplomasBroncePendientes.lst"));
}

TEST(ExpideDiploma, PasaDePendienteAExpedidoYGuardaConservandoLosAnteriores) {
  soporte::CarpetaTemporal carpeta;
  prueba::CreaEdicion(carpeta);
  ListasDiplomas listas;
  ProgresoSimple progreso;
  EvaluaDiplomas(carpeta.Ruta(), Admitidas(carpeta), listas, progreso);

  EXPECT_TRUE(ExpideDiploma(listas, Nivel::Bronce, 1));  // EA1BBB.LOG
  EXPECT_FALSE(ExpideDiploma(listas, Nivel::Oro, 1));    // no such entry
  GuardaListasDiplomas(carpeta.Ruta(), listas);
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasBroncePendientes"), "EA1AAA.LOG\r\nEA1EEE.LOG\r\n");
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasBronceExpedidos"), "EA1CCC.LOG\r\nea1eee.log\r\nEA1BBB.LOG\r\n");

  // Issuing the last pending gold diploma removes its pending file.
  EXPECT_TRUE(ExpideDiploma(listas, Nivel::Oro, 0));
  GuardaListasDiplomas(carpeta.Ruta(), listas);
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasOroPendientes"), "(sin fichero)");
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasOroExpedidos"), "EA9ZZZ.LOG\r\nEA1CCC.LOG\r\n");

  // The next opening reads the issued lists back entry by entry and no
  // longer lists the issued ones as pending.
  ListasDiplomas otra;
  EvaluaDiplomas(carpeta.Ruta(), Admitidas(carpeta), otra, progreso);
  EXPECT_EQ(otra.ExpedidosDe(Nivel::Bronce), (std::vector<std::string>{"EA1CCC.LOG", "ea1eee.log", "EA1BBB.LOG"}));
  EXPECT_EQ(otra.PendientesDe(Nivel::Bronce), (std::vector<std::string>{"EA1AAA.LOG", "EA1EEE.LOG"}));
  EXPECT_TRUE(otra.PendientesDe(Nivel::Oro).empty());
}

TEST(IndicativoDeLista, HastaElPrimerPuntoOElNombreEntero) {
  EXPECT_EQ(IndicativoDeLista("EA1AAA.LOG"), "EA1AAA");
  EXPECT_EQ(IndicativoDeLista("EA1AAA.2.LOG"), "EA1AAA");
  EXPECT_EQ(IndicativoDeLista("EA1AAA"), "EA1AAA");
  EXPECT_EQ(IndicativoDeLista(".LOG"), "");
}

}  // namespace
}  // namespace award
