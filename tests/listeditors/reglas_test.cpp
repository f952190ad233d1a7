// The rules, completions and checks of the special multipliers and special
// stations editors, without a window.
#include <gtest/gtest.h>

#include "enlace_prueba.h"
#include "listeditors/estaciones_especiales.h"
#include "listeditors/mult_especiales.h"
#include "listeditors/numeros.h"
#include "soporte/mensajes_guion.h"

using namespace listeditors;
using plataforma::Respuesta;

namespace {

// Starts a new row (row 1 of an empty list) in an editor.
template <typename Editor>
std::unique_ptr<Editor> NuevaFila(prueba::EnlacePrueba& enlace) {
  auto e = std::make_unique<Editor>(enlace);
  e->PonMensajero(&soporte::Mensajes());
  e->Form_Load();
  e->Form_Activate();
  e->Pulsa(Boton::ConfProv);
  e->Form_KeyDown(tecla::Abajo);
  EXPECT_EQ(e->EstadoLinea, "ALTA");
  return e;
}

// Types a text into a cell of the cursor row and leaves the cell.
void Teclea(EditorCuadricula& e, int columna, const std::string& texto) {
  const int fila = e.LineaActual - 1;
  e.PonFoco(Foco::EnCelda(fila, columna));
  e.Escribe(fila, columna, texto);
  e.PonFoco(Foco::EnSerie(fila));
}

std::string Fila(const EditorCuadricula& e, int fila = 0) {
  std::string r;
  for (int c = 0; c < e.NumeroColumnas(); ++c) r += (c ? "|" : "") + e.Celda(fila, c);
  return r;
}

// ---------------------------------------------------------------- multipliers

class Multiplicadores : public ::testing::Test {
 protected:
  void SetUp() override { e = NuevaFila<EditorMultEspeciales>(enlace); }
  using M = EditorMultEspeciales;
  // Commits expecting one box with this text (none when empty).
  void Guarda(const std::string& aviso = {}) {
    if (!aviso.empty()) soporte::Mensajes().Espera(Respuesta::Aceptar, aviso);
    e->Pulsa(Boton::Anadir);
    if (!aviso.empty()) {
      ASSERT_FALSE(soporte::Mensajes().Cajas().empty());
      EXPECT_EQ(soporte::Mensajes().Cajas().back().titulo, "VERIFICAR MULTIPLICADORES ESTACIONES ESPECIALES");
      EXPECT_EQ(soporte::Mensajes().Cajas().back().icono, plataforma::Icono::Error);
    }
  }
  prueba::EnlacePrueba enlace;
  std::unique_ptr<EditorMultEspeciales> e;
};

TEST_F(Multiplicadores, UnCriterioPorFilaAlSalirDeLaCelda) {
  EXPECT_EQ(Fila(*e), "*|*|*|*|*|*|*|");
  Teclea(*e, M::Provincia, "m");
  EXPECT_EQ(Fila(*e), "*|*|*|*|M|*|*|");
  // Pais leaves Provincia and OtrasSiglas as they are; the completion
  // keeps Pais, the first in column order.
  Teclea(*e, M::Pais, "ea");
  EXPECT_EQ(Fila(*e), "*|EA|*|*|M|*|*|");
  Teclea(*e, M::Puntos, "2");
  Guarda();
  EXPECT_EQ(e->NumeroElementos, 1);
  EXPECT_EQ(Fila(*e), "*|EA|*|*|*|*|*|2");
  EXPECT_EQ(e->Lista("ListaPaisMultEsp"), std::vector<std::string>{"EA"});
  EXPECT_EQ(e->Lista("ListaProvinciasMultEsp"), std::vector<std::string>{"*"});
}

TEST_F(Multiplicadores, ZonaYLuegoPais) {
  Teclea(*e, M::ZonaCQ, "3");
  Teclea(*e, M::Pais, "EA");
  EXPECT_EQ(Fila(*e), "*|EA|*|*|*|*|*|");
  Teclea(*e, M::Estacion, "");  // left empty: "*"
  EXPECT_EQ(e->Celda(0, M::Estacion), "*");
}

TEST_F(Multiplicadores, ChequeoDeLaFila) {
  Teclea(*e, M::Puntos, "2");
  Guarda("La configuración no es correcta ");
  EXPECT_EQ(e->EstadoLinea, "ALTA");
  EXPECT_EQ(e->FocoActual(), Foco::EnCelda(0, M::Estacion));
  EXPECT_TRUE(e->Lista("ListaEstMultEsp").empty());

  Teclea(*e, M::Estacion, "ea1aaa");
  e->Escribe(0, M::Puntos, "");  // never left: still empty
  Guarda("Faltan los MULTIPLICADORES");
  EXPECT_EQ(e->FocoActual(), Foco::EnCelda(0, M::Puntos));
  for (const char* malo : {"0", "-1", "A", "00"}) {
    e->Escribe(0, M::Puntos, malo);
    Guarda("El valor del MULTIPLICADOR debe ser númerico y mayor de 0");
    EXPECT_EQ(e->FocoActual(), Foco::EnCelda(0, M::Puntos));
  }
  // Entered and left empty: "*", a number it is not.
  e->Escribe(0, M::Puntos, "");
  Guarda("El valor del MULTIPLICADOR debe ser númerico y mayor de 0");
  EXPECT_EQ(e->Celda(0, M::Puntos), "*");
  EXPECT_TRUE(e->Lista("ListaEstMultEsp").empty());
  e->Escribe(0, M::Puntos, "10");
  Guarda();
  EXPECT_EQ(e->Lista("ListaEstMultEsp"), std::vector<std::string>{"EA1AAA"});
  EXPECT_EQ(e->Lista("ListaPuntosMultEsp"), std::vector<std::string>{"10"});
}

TEST_F(Multiplicadores, AlNavegarSoloSeRecortaYLosPuntosVaciosSonAsterisco) {
  Teclea(*e, M::Estacion, "ea1aaa");
  Teclea(*e, M::Puntos, "2");
  Guarda();
  Teclea(*e, M::Pais, "  ");
  EXPECT_EQ(e->Celda(0, M::Pais), "");
  Teclea(*e, M::Puntos, "");
  EXPECT_EQ(e->Celda(0, M::Puntos), "*");
  EXPECT_EQ(e->Lista("ListaPuntosMultEsp"), std::vector<std::string>{"2"});
}

TEST(AjustaComodines, ElPrimeroQueNoEsAsteriscoSeQueda) {
  prueba::EnlacePrueba enlace;
  auto e = NuevaFila<EditorMultEspeciales>(enlace);
  // Stored rows as an older edit may have left them.
  struct Caso {
    std::vector<std::pair<int, std::string>> celdas;
    std::string esperada;
  };
  for (const Caso& c : {Caso{{{EditorMultEspeciales::OtrasSiglas, "X"}, {EditorMultEspeciales::ZonaCQ, "14"}},
                             "*|*|*|*|*|14|*|"},
                        Caso{{{EditorMultEspeciales::Distrito, "EA4"}, {EditorMultEspeciales::Provincia, "M"}},
                             "*|*|EA4|*|*|*|*|"},
                        Caso{{}, "*|*|*|*|*|*|*|"}}) {
    for (int col = 0; col < 7; ++col) e->Escribe(0, col, "*");
    for (auto& [col, t] : c.celdas) e->Escribe(0, col, t);
    e->AjustaComodines(0);
    EXPECT_EQ(Fila(*e), c.esperada);
  }
}

// ---------------------------------------------------------------- stations

class Estaciones : public ::testing::Test {
 protected:
  using S = EditorEstacionesEspeciales;
  void SetUp() override {
    enlace.bandas[4] = true;  // 14
    enlace.modos[1] = true;   // CW
    e = NuevaFila<EditorEstacionesEspeciales>(enlace);
  }
  void Guarda(const std::string& aviso = {}, const std::string& titulo = "VERIFICAR ESTACIONES ESPECIALES") {
    if (!aviso.empty()) soporte::Mensajes().Espera(Respuesta::Aceptar, aviso);
    e->Pulsa(Boton::Anadir);
    if (!aviso.empty()) {
      ASSERT_FALSE(soporte::Mensajes().Cajas().empty());
      EXPECT_EQ(soporte::Mensajes().Cajas().back().titulo, titulo);
    }
  }
  void Reinicia() {
    e = NuevaFila<EditorEstacionesEspeciales>(enlace);
  }
  prueba::EnlacePrueba enlace;
  std::unique_ptr<EditorEstacionesEspeciales> e;
};

TEST_F(Estaciones, ReglasAlSalirDeLasCeldas) {
  EXPECT_EQ(Fila(*e), "*|*|*|*|*|*||*");
  Teclea(*e, S::Prefijo, "ea");
  Teclea(*e, S::Estacion, "ea1abc");
  EXPECT_EQ(Fila(*e), "EA1ABC|*|*|*|*|*||*");
  Teclea(*e, S::Prefijo, "EB");
  EXPECT_EQ(Fila(*e), "*|EB|*|*|*|*||*");
  Teclea(*e, S::Provincia, "M");
  Teclea(*e, S::Distrito, "EA1");
  EXPECT_EQ(e->Celda(0, S::Provincia), "*");
  Teclea(*e, S::Provincia, "Z");
  EXPECT_EQ(e->Celda(0, S::Distrito), "*");
  Teclea(*e, S::Puntos, "5");
  Teclea(*e, S::PuntosRef, "3");
  EXPECT_EQ(Fila(*e), "*|EB|*|*|*|*||3");
  Teclea(*e, S::Banda, "");
  Teclea(*e, S::Modo, "");
  EXPECT_EQ(Fila(*e), "*|EB|*|*|*|*||3");
}

TEST_F(Estaciones, CompletaComodinesAlGuardar) {
  // PuntosRef typed, then Puntos: the reference wins at the commit.
  Teclea(*e, S::Prefijo, "EA");
  Teclea(*e, S::PuntosRef, "3");
  Teclea(*e, S::Puntos, "5");
  EXPECT_EQ(Fila(*e), "*|EA|*|*|*|*|5|3");
  Guarda();
  EXPECT_EQ(e->Lista("ListaPuntosEsp"), std::vector<std::string>{""});
  EXPECT_EQ(e->Lista("ListaPuntosRefEsp"), std::vector<std::string>{"3"});
  EXPECT_EQ(e->Lista("ListaPreEsp"), std::vector<std::string>{"EA"});
  // Two identical rules are both stored.
  e->Form_KeyDown(tecla::Abajo);
  Teclea(*e, S::Prefijo, "EA");
  Teclea(*e, S::PuntosRef, "3");
  Guarda();
  EXPECT_EQ(e->NumeroElementos, 2);
}

TEST_F(Estaciones, ModificarUnaReglaConEstacionYPrefijoGuardados) {
  enlace.listas = {{"ListaEstEsp", {"EA1A", "*"}},   {"ListaPreEsp", {"EA", "*"}},
                   {"ListaDistEsp", {"*", "EA4"}},   {"ListaProvEsp", {"*", "M"}},
                   {"ListaBandaEsp", {"*", "*"}},    {"ListaModoEsp", {"*", "*"}},
                   {"ListaPuntosEsp", {"2", "3"}},   {"ListaPuntosRefEsp", {"*", "*"}}};
  e = std::make_unique<EditorEstacionesEspeciales>(enlace);
  e->PonMensajero(&soporte::Mensajes());
  e->Form_Load();
  e->Form_Activate();
  e->Pulsa(Boton::ConfProv);
  for (int fila : {0, 1}) {
    e->Form_KeyDown(tecla::F3);
    e->Form_KeyDown(tecla::F12);
    EXPECT_EQ(e->EstadoLinea, "");
    e->Form_KeyDown(tecla::Abajo);
    (void)fila;
  }
  EXPECT_EQ(e->Lista("ListaPreEsp"), (std::vector<std::string>{"*", "*"}));
  EXPECT_EQ(e->Lista("ListaEstEsp"), (std::vector<std::string>{"EA1A", "*"}));
  EXPECT_EQ(e->Lista("ListaProvEsp"), (std::vector<std::string>{"*", "*"}));
  EXPECT_EQ(e->Lista("ListaDistEsp"), (std::vector<std::string>{"*", "EA4"}));
}

TEST_F(Estaciones, ChequeoDeConfiguracionYPuntos) {
  Teclea(*e, S::Puntos, "5");
  Guarda("La configuración no es correcta ");
  EXPECT_EQ(e->FocoActual(), Foco::EnCelda(0, S::Estacion));
  Reinicia();
  Teclea(*e, S::Banda, "14");
  Guarda("Faltan los puntos");
  EXPECT_EQ(e->FocoActual(), Foco::EnCelda(0, S::Puntos));
  for (const char* malo : {"0", "00", "-1", "*"}) {
    e->Escribe(0, S::Puntos, malo);
    Guarda("El valor de los puntos debe ser númerico y mayor de 0");
  }
  e->Escribe(0, S::Puntos, "");
  for (const char* malo : {"0", "AB"}) {
    e->Escribe(0, S::PuntosRef, malo);
    Guarda("El valor de los puntos por referencia debe ser númerico y mayor de 0");
    EXPECT_EQ(e->FocoActual(), Foco::EnCelda(0, S::PuntosRef));
  }
  EXPECT_EQ(e->EstadoLinea, "ALTA");
  EXPECT_TRUE(e->Lista("ListaEstEsp").empty());
  e->Escribe(0, S::PuntosRef, "*");
  e->Escribe(0, S::Puntos, "5");
  Guarda();
  EXPECT_EQ(e->Lista("ListaBandaEsp"), std::vector<std::string>{"14"});
  EXPECT_EQ(e->Lista("ListaPuntosEsp"), std::vector<std::string>{"5"});
}

TEST_F(Estaciones, BandaSoloSiSuCasillaEstaMarcada) {
  for (const char* mala : {"20", "1,8", "7"}) {
    Reinicia();
    Teclea(*e, S::Banda, mala);
    Teclea(*e, S::Puntos, "5");
    Guarda("Banda no permitida o no existente", ".- ERROR EN BANDA");
    EXPECT_EQ(soporte::Mensajes().Cajas().back().icono, plataforma::Icono::Error);
    EXPECT_EQ(e->FocoActual(), Foco::EnCelda(0, S::Banda));
  }
  enlace.bandas[2] = true;
  Reinicia();
  Teclea(*e, S::Banda, "7");
  Teclea(*e, S::Puntos, "5");
  Guarda();
  EXPECT_EQ(e->NumeroElementos, 1);
}

TEST_F(Estaciones, ModosDeCabrillo) {
  struct Caso {
    std::vector<int> marcados;
    std::string modo;
    bool pasa;
  };
  for (const Caso& c : {Caso{{4, 6}, "SSB", false}, Caso{{6}, "RY", false}, Caso{{0}, "PH", true},
                        Caso{{6}, "PS", true}, Caso{{7}, "PS", true}, Caso{{5}, "FM", true}, Caso{{1}, "FM", false},
                        Caso{{1}, "CW", true}, Caso{{8, 9, 10, 11}, "PH", false}, Caso{{}, "*", true}}) {
    enlace.modos = {};
    for (int m : c.marcados) enlace.modos[static_cast<std::size_t>(m)] = true;
    Reinicia();
    Teclea(*e, S::Modo, c.modo);
    Teclea(*e, S::Prefijo, "EA");
    Teclea(*e, S::Puntos, "1");
    if (c.pasa) {
      Guarda();
      EXPECT_EQ(e->NumeroElementos, 1) << c.modo;
    } else {
      Guarda(EditorEstacionesEspeciales::TextoErrorModo(), "ERROR EN MODO");
      EXPECT_EQ(soporte::Mensajes().Cajas().back().icono, plataforma::Icono::Ninguno);
      EXPECT_EQ(e->FocoActual(), Foco::EnCelda(0, S::Modo)) << c.modo;
    }
  }
  EXPECT_EQ(EditorEstacionesEspeciales::TextoErrorModo(),
            "Modo no permitido o no existente\r\n\r\nMODOS PERMITIDOS PARA CABRILLO\r\n\r\n"
            ".- PH (Para Fonía SSB, LSB, USB, AM).\r\n\r\n.- CW.\r\n\r\n.- FM.\r\n\r\n"
            ".- PS (Para RTTY o PACKET).\r\n\r\n");
}

TEST(Numeros, PositivosSegunLaPruebaNumerica) {
  for (const char* si : {"1", "99", "+3", "2.5", ".5", " 7 "}) EXPECT_TRUE(EsNumeroPositivo(si)) << si;
  for (const char* no : {"0", "00", "-1", "0.0", "", "*", "AB", "1,5", "1e3", "-"})
    EXPECT_FALSE(EsNumeroPositivo(no)) << no;
}

}  // namespace
