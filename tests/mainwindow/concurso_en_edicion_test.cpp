// The contest-in-edit model without a window: the option interlocks as a
// table of cases, what they do to the points grid, the hours box, the
// exclude boxes, the list buttons and the focus, and the options' load and
// save through a contest row.
#include "mainwindow/concurso_en_edicion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "casos_interbloqueos.h"
#include "mainwindow/registro_concurso.h"
#include "mainwindow/validacion_concurso.h"

namespace {

using principal::BotonLista;
using principal::ConcursoEnEdicion;
using principal::Opcion;
using principal::OperacionEditor;
using principal::Periodo;

std::string Mayusculas(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

Opcion OpcionDe(const std::string& nombre) {
  for (Opcion o : principal::OpcionesEnOrdenDeCarga())
    if (Mayusculas(std::string(principal::ColumnaOpcion(o))) == Mayusculas(nombre)) return o;
  ADD_FAILURE() << "No hay opción " << nombre;
  return Opcion::EnviarNumeral;
}

std::map<std::string, bool> Valores(const ConcursoEnEdicion& m) {
  std::map<std::string, bool> r;
  for (Opcion o : principal::OpcionesEnOrdenDeCarga())
    r[Mayusculas(std::string(principal::ColumnaOpcion(o)))] = m.Valor(o);
  return r;
}

std::string Leyendas(const ConcursoEnEdicion& m) {
  return m.Leyenda(Periodo::Banda) + "|" + m.Leyenda(Periodo::Dia) + "|" + m.Leyenda(Periodo::Modo);
}

// A create with the multipliers ticked, as the editor starts one.
ConcursoEnEdicion EnAlta(const std::string& concurso = "") {
  ConcursoEnEdicion m;
  m.Operacion = OperacionEditor::Alta;
  m.NombreConcurso = concurso;
  m.Cerrado.fill(false);
  for (int i = principal::kPrimerPunto; i <= principal::kUltimoPunto; ++i)
    m.Cerrado[static_cast<std::size_t>(i)] = true;
  m.Cambia(Opcion::Multiplicadores, true);
  return m;
}

TEST(ConcursoEnEdicion, CadaCambioCambiaExactamenteLasOpcionesDeSuCadena) {
  for (const prueba::Caso& c : prueba::Casos()) {
    SCOPED_TRACE(c.descripcion);
    ConcursoEnEdicion m = EnAlta(c.concurso);
    m.ActualizaBotonesConfiguracion();
    for (const char* nombre : c.antes) m.Cambia(OpcionDe(nombre), true);
    const auto antes = Valores(m);
    const Opcion pulsada = OpcionDe(c.pulsada);
    ASSERT_TRUE(m.Habilitada(pulsada));
    m.Cambia(pulsada, !m.Valor(pulsada));
    std::map<std::string, bool> cambios;
    for (const auto& [nombre, valor] : Valores(m))
      if (antes.at(nombre) != valor) cambios[nombre] = valor;
    std::map<std::string, bool> esperados;
    for (const auto& [nombre, valor] : c.cambios) esperados[Mayusculas(nombre)] = valor;
    EXPECT_EQ(cambios, esperados);
    EXPECT_EQ(Leyendas(m), c.leyendas);
  }
}

TEST(ConcursoEnEdicion, ElMismoValorNoEjecutaNinguna) {
  ConcursoEnEdicion m = EnAlta();
  m.Textos[9] = "5";
  m.Foco = -1;
  m.Cambia(Opcion::RecibirPuntos, false);
  EXPECT_EQ(m.Textos[9], "5");
  EXPECT_EQ(m.Foco, -1);
}

TEST(ConcursoEnEdicion, LosPuntosPorQsoLlenanYAbrenLaRejillaYLosLocatorsLaCierran) {
  ConcursoEnEdicion m = EnAlta();
  m.Textos[9] = "5";
  m.Cambia(Opcion::RecibirPuntos, true);
  for (int i = principal::kPrimerPunto; i <= principal::kUltimoPunto; ++i) {
    EXPECT_EQ(m.Textos[static_cast<std::size_t>(i)], "1") << i;
    EXPECT_FALSE(m.Cerrado[static_cast<std::size_t>(i)]) << i;
  }
  EXPECT_EQ(m.Foco, principal::kPrimerPunto);
  m.Cambia(Opcion::EnviarLocator, true);
  EXPECT_EQ(m.Textos[12], "");
  EXPECT_TRUE(m.Cerrado[12]);
  EXPECT_TRUE(m.Valor(Opcion::RecibirPuntosPorKm));
  EXPECT_TRUE(m.Valor(Opcion::CadaCuadricula));
  EXPECT_EQ(m.Foco, 1);
  m.Cambia(Opcion::EnviarLocator, false);
  EXPECT_EQ(m.Textos[12], "1");
  EXPECT_FALSE(m.Cerrado[12]);
}

TEST(ConcursoEnEdicion, ElCampoDeHorasSigueALasReglasDeRepeticion) {
  ConcursoEnEdicion m = EnAlta();
  m.Cambia(Opcion::RepetirCadaHoras, true);
  EXPECT_TRUE(m.HorasHabilitado);
  EXPECT_FALSE(m.Cerrado[principal::kCampoHoras]);
  EXPECT_EQ(m.Foco, principal::kCampoHoras);
  m.Textos[principal::kCampoHoras] = "12:00";
  // Another band keeps the repeat every so many hours but closes the box.
  m.Cambia(Opcion::RepetirEnCadaBanda, true);
  EXPECT_TRUE(m.Valor(Opcion::RepetirCadaHoras));
  EXPECT_EQ(m.Textos[principal::kCampoHoras], "");
  EXPECT_FALSE(m.HorasHabilitado);
  EXPECT_TRUE(m.Cerrado[principal::kCampoHoras]);
  // Unticking empties and closes it, enabled.
  m.Cambia(Opcion::RepetirCadaHoras, false);
  m.Cambia(Opcion::RepetirCadaHoras, true);
  m.Textos[principal::kCampoHoras] = "06:00";
  m.Cambia(Opcion::RepetirCadaHoras, false);
  EXPECT_EQ(m.Textos[principal::kCampoHoras], "");
  EXPECT_TRUE(m.HorasHabilitado);
  EXPECT_TRUE(m.Cerrado[principal::kCampoHoras]);
  EXPECT_EQ(m.Foco, 1);
  m.Cambia(Opcion::NoRepetir, true);
  EXPECT_FALSE(m.HorasHabilitado);
}

TEST(ConcursoEnEdicion, ElFocoSoloSeMueveAlCrearOModificar) {
  for (auto [operacion, mueve] :
       {std::pair{OperacionEditor::Alta, true}, std::pair{OperacionEditor::Modificar, true},
        std::pair{OperacionEditor::Consulta, false}, std::pair{OperacionEditor::Ninguna, false},
        std::pair{OperacionEditor::Borrar, false}}) {
    ConcursoEnEdicion m;
    m.Operacion = operacion;
    m.Cambia(Opcion::RecibirPuntos, true);
    EXPECT_EQ(m.Foco, mueve ? principal::kPrimerPunto : -1) << static_cast<int>(operacion);
  }
}

TEST(ConcursoEnEdicion, LasExclusionesSoloSeAbrenAlEditarYConSuTipo) {
  ConcursoEnEdicion m = EnAlta();
  EXPECT_TRUE(m.Habilitada(Opcion::ExcluirPais));
  m.Cambia(Opcion::CadaPais, true);
  m.Cambia(Opcion::ExcluirPais, true);
  m.Cambia(Opcion::CadaPais, false);
  EXPECT_FALSE(m.Valor(Opcion::ExcluirPais));
  EXPECT_FALSE(m.Habilitada(Opcion::ExcluirPais));
  m.Cambia(Opcion::CadaPais, true);
  EXPECT_TRUE(m.Habilitada(Opcion::ExcluirPais));
  m.Cambia(Opcion::ExcluirPais, true);
  m.Operacion = OperacionEditor::Consulta;
  m.ActualizaExclusiones();
  EXPECT_FALSE(m.Habilitada(Opcion::ExcluirPais));
  EXPECT_TRUE(m.Valor(Opcion::ExcluirPais));
  EXPECT_FALSE(m.Habilitada(Opcion::ExcluirPrefijo));
}

TEST(ConcursoEnEdicion, LosBotonesDeListaSiguenASuTipo) {
  const std::pair<Opcion, BotonLista> botones[] = {{Opcion::CadaEstacion, BotonLista::EstEsp},
                                                   {Opcion::CadaPais, BotonLista::PaisesExc},
                                                   {Opcion::CadaPrefijo, BotonLista::Prefijos},
                                                   {Opcion::CadaProv, BotonLista::SiglasValidas},
                                                   {Opcion::CadaDistrito, BotonLista::DistritosValidos},
                                                   {Opcion::CadaSufijo, BotonLista::Sufijo},
                                                   {Opcion::CadaCq, BotonLista::ZonaExcluida}};
  ConcursoEnEdicion m = EnAlta();
  for (auto [tipo, boton] : botones) {
    SCOPED_TRACE(principal::ColumnaOpcion(tipo));
    EXPECT_FALSE(m.BotonHabilitado(boton));
    m.Cambia(tipo, true);
    EXPECT_TRUE(m.BotonHabilitado(boton));
    m.Cambia(tipo, false);
    EXPECT_FALSE(m.BotonHabilitado(boton));
  }
  m.Cambia(Opcion::CadaPais, true);
  m.Cambia(Opcion::CadaEstacion, true);
  m.Cambia(Opcion::CadaCuadricula, true);
  EXPECT_FALSE(m.BotonHabilitado(BotonLista::PaisesExc));
  EXPECT_TRUE(m.BotonHabilitado(BotonLista::EstEsp));
}

TEST(ConcursoEnEdicion, QuitarLosMultiplicadoresLosDesmarcaYLosCierra) {
  ConcursoEnEdicion m = EnAlta();
  m.Cambia(Opcion::CadaPais, true);
  m.Cambia(Opcion::PaisPorBanda, true);
  m.Cambia(Opcion::Multiplicadores, false);
  for (Opcion o : {Opcion::CadaPais, Opcion::PaisPorBanda, Opcion::CadaBanda, Opcion::ExcluirCq}) {
    EXPECT_FALSE(m.Valor(o)) << principal::ColumnaOpcion(o);
    EXPECT_FALSE(m.Habilitada(o)) << principal::ColumnaOpcion(o);
  }
  // The exchange and repeat boxes are not multiplier boxes.
  EXPECT_TRUE(m.Habilitada(Opcion::EnviarLocator));
  EXPECT_TRUE(m.Habilitada(Opcion::NoRepetir));
}

principal::RegistroConcursoMemoria FilaDeOpciones() {
  std::vector<principal::ColumnaConcurso> definicion;
  for (Opcion o : principal::OpcionesEnOrdenDeCarga())
    definicion.push_back({std::string(principal::ColumnaOpcion(o)), principal::TipoColumna::Booleano, 0});
  return principal::RegistroConcursoMemoria(definicion);
}

TEST(ConcursoEnEdicion, LaCargaCorreLasReglasYLaGrabacionEscribeCadaColumna) {
  principal::RegistroConcursoMemoria fila = FilaDeOpciones();
  // A stored row that the interlocks do not leave as it is: the load sets
  // the options in load order, each with its rule, as the window's boxes
  // did, so a later column may undo an earlier one.
  for (const char* columna : {"Multiplicadores", "CadaPais", "ExcluirPais", "CadaBanda", "RecibirLocator",
                              "CadaPrefijo", "CadaSufijo", "ProvPorBanda"})
    fila.Pon(columna, "1");
  ConcursoEnEdicion m;
  m.CargaOpciones(fila);
  EXPECT_TRUE(m.Valor(Opcion::RecibirLocator));
  EXPECT_FALSE(m.Valor(Opcion::RecibirPuntosPorKm));  // set by the locator, then read from the row
  EXPECT_FALSE(m.Valor(Opcion::CadaCuadricula));      // idem
  EXPECT_TRUE(m.Valor(Opcion::CadaPais));
  EXPECT_TRUE(m.Valor(Opcion::ExcluirPais));
  EXPECT_FALSE(m.Habilitada(Opcion::ExcluirPais));  // not editing
  EXPECT_FALSE(m.Valor(Opcion::CadaPrefijo));       // its rival comes after it
  EXPECT_TRUE(m.Valor(Opcion::CadaSufijo));
  EXPECT_FALSE(m.Valor(Opcion::ProvPorBanda));  // a variant without its type does not stay
  EXPECT_FALSE(m.Valor(Opcion::CadaBanda));     // but unticks the period
  EXPECT_EQ(Leyendas(m), "+ Banda|+ Dia|+ Modo");

  principal::RegistroConcursoMemoria grabada = FilaDeOpciones();
  m.GrabaOpciones(grabada);
  for (Opcion o : principal::OpcionesEnOrdenDeCarga())
    EXPECT_EQ(grabada.LeeBooleano(principal::ColumnaOpcion(o)), m.Valor(o)) << principal::ColumnaOpcion(o);
}

TEST(ConcursoEnEdicion, LasComprobacionesAntesDeGrabarLeenElModelo) {
  ConcursoEnEdicion m = EnAlta();
  EXPECT_FALSE(m.HayBanda());
  EXPECT_FALSE(m.HayModo());
  m.Bandas[13] = true;
  m.Modos[0] = true;
  EXPECT_TRUE(m.HayBanda());
  EXPECT_TRUE(m.HayModo());

  m.Cambia(Opcion::CadaProv, true);
  principal::EstadoListasConcurso e;
  m.PonOpcionesEn(e);
  e.HayCategorias = true;
  EXPECT_TRUE(e.CadaProv);
  EXPECT_NE(principal::PrimeraListaQueFalta(e), 0);  // the provinces' list is missing
  e.ListaProv = 3;
  EXPECT_EQ(principal::PrimeraListaQueFalta(e), 0);

  m.Cambia(Opcion::CadaSufijo, true);
  m.PonOpcionesEn(e);
  EXPECT_TRUE(e.CadaSufijo);
  EXPECT_FALSE(e.FormatoSufijo);
  m.Sufijo.UltimaLetra = true;
  m.PonOpcionesEn(e);
  EXPECT_TRUE(e.FormatoSufijo);
}

TEST(ConcursoEnEdicion, CadaOpcionTieneSuColumna) {
  EXPECT_EQ(principal::ColumnaOpcion(Opcion::RecibirPuntosPorKm), "RecibirPuntosPorKm");
  EXPECT_EQ(principal::ColumnaOpcion(Opcion::CqPorDia), "CqPorDia");
  EXPECT_EQ(principal::ColumnaOpcion(Opcion::ExcluirCq), "ExcluirCq");
  auto carga = principal::OpcionesEnOrdenDeCarga();
  auto grabacion = principal::OpcionesEnOrdenDeGrabacion();
  std::sort(carga.begin(), carga.end());
  std::sort(grabacion.begin(), grabacion.end());
  EXPECT_EQ(carga, grabacion);
  EXPECT_EQ(std::adjacent_find(carga.begin(), carga.end()), carga.end());
}

}  // namespace

namespace {

TEST(ConcursoEnEdicion, LasListasDeTrabajoSonLasVeinticuatroPorNombreSinCaso) {
  ConcursoEnEdicion m;
  EXPECT_EQ(m.Listas.size(), 24u);
  m.PonLista("listaprov", {"S", "M"});
  m.PonLista("ListaExPaises", {"EA8"});
  m.PonLista("NoEsUnaLista", {"X"});
  EXPECT_EQ(m.Listas.size(), 24u);
  EXPECT_EQ(m.Lista("ListaProv"), (std::vector<std::string>{"S", "M"}));
  EXPECT_EQ(m.Lista("LISTAEXPAISES"), (std::vector<std::string>{"EA8"}));
  EXPECT_TRUE(m.Lista("NoEsUnaLista").empty());

  // The reference-list check counts the items of each list.
  principal::EstadoListasConcurso e;
  m.PonOpcionesEn(e);
  EXPECT_EQ(e.ListaProv, 2);
  EXPECT_EQ(e.ListaExPaises, 1);
  EXPECT_EQ(e.ListaDistritos, 0);

  m.LimpiaListas();
  EXPECT_EQ(m.Listas.size(), 24u);
  for (const auto& [nombre, items] : m.Listas) EXPECT_TRUE(items.empty()) << nombre;
}

TEST(ConcursoEnEdicion, LasOpcionesDeListasSonLasDeSusCasillas) {
  ConcursoEnEdicion m;
  EXPECT_FALSE(m.OpcionesDeListas().CadaProv);
  const std::pair<Opcion, bool listas::OpcionesListas::*> casos[] = {
      {Opcion::CadaProv, &listas::OpcionesListas::CadaProv},
      {Opcion::ProvPorBanda, &listas::OpcionesListas::ProvPorBanda},
      {Opcion::ExcluirProv, &listas::OpcionesListas::ExcluirProv},
      {Opcion::CadaDistrito, &listas::OpcionesListas::CadaDistrito},
      {Opcion::DistritoPorBanda, &listas::OpcionesListas::DistritoPorBanda},
      {Opcion::ExcluirDistrito, &listas::OpcionesListas::ExcluirDistrito},
      {Opcion::CadaEstacion, &listas::OpcionesListas::CadaEstacion},
      {Opcion::EstacionPorBanda, &listas::OpcionesListas::EstacionPorBanda},
      {Opcion::CadaPais, &listas::OpcionesListas::CadaPais},
      {Opcion::PaisPorBanda, &listas::OpcionesListas::PaisPorBanda},
      {Opcion::ExcluirPais, &listas::OpcionesListas::ExcluirPais},
      {Opcion::CadaPrefijo, &listas::OpcionesListas::CadaPrefijo},
      {Opcion::PrefijoPorBanda, &listas::OpcionesListas::PrefijoPorBanda},
      {Opcion::ExcluirPrefijo, &listas::OpcionesListas::ExcluirPrefijo},
      {Opcion::CadaCq, &listas::OpcionesListas::CadaCq},
      {Opcion::CqPorBanda, &listas::OpcionesListas::CqPorBanda},
      {Opcion::ExcluirCq, &listas::OpcionesListas::ExcluirCq},
      {Opcion::RecibirPuntos, &listas::OpcionesListas::RecibirPuntos},
      {Opcion::Multiplicadores, &listas::OpcionesListas::Multiplicadores},
  };
  for (const auto& [opcion, campo] : casos) {
    ConcursoEnEdicion c;
    c.PonValor(opcion, true);
    const listas::OpcionesListas o = c.OpcionesDeListas();
    EXPECT_TRUE(o.*campo) << principal::ColumnaOpcion(opcion);
    int marcadas = 0;
    for (const auto& [otra, otroCampo] : casos) marcadas += (o.*otroCampo) ? 1 : 0;
    EXPECT_EQ(marcadas, 1) << principal::ColumnaOpcion(opcion);
  }
}

}  // namespace
