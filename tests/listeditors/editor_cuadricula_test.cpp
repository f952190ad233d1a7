// The grid editor's paging, keys, row operations and copying, without a
// window (over the special multipliers instance).
#include <gtest/gtest.h>

#include "enlace_prueba.h"
#include "listeditors/mult_especiales.h"
#include "soporte/mensajes_guion.h"

using namespace listeditors;
using plataforma::Respuesta;

namespace {

class Paginas : public ::testing::Test {
 protected:
  // A main window whose special multipliers are n stations "S1".."Sn".
  void Prepara(int n, int soloConsulta = 0) {
    enlace.soloConsulta = soloConsulta;
    for (const std::string& l : EditorMultEspeciales::Definicion().listas) enlace.listas[l].clear();
    for (int i = 1; i <= n; ++i) {
      enlace.listas["ListaEstMultEsp"].push_back("S" + std::to_string(i));
      for (const char* l : {"ListaPaisMultEsp", "ListaDistritoMultEsp", "ListaPrefijoMultEsp",
                            "ListaProvinciasMultEsp", "ListaZonaCqMultEsp", "ListaOtrosMultEsp"})
        enlace.listas[l].push_back("*");
      enlace.listas["ListaPuntosMultEsp"].push_back(std::to_string(i % 9 + 1));
    }
    antes = enlace.listas;
    e = std::make_unique<EditorMultEspeciales>(enlace);
    e->PonMensajero(&soporte::Mensajes());
    e->Form_Load();
    e->Form_Activate();
  }
  void Abre() { e->Pulsa(Boton::ConfProv); }
  bool Tecla(int codigo, int mod = 0) { return e->Form_KeyDown(codigo, mod); }

  // The numbers drawn in the grid, "-" for an empty row, from row 1 to the
  // last non-empty one.
  std::string Pagina() const {
    std::string r;
    int ultima = -1;
    for (int f = 0; f < e->NumeroLineas; ++f)
      if (!e->Serie(f).empty()) ultima = f;
    for (int f = 0; f <= ultima; ++f) r += (f ? " " : "") + (e->Serie(f).empty() ? "-" : e->Serie(f));
    return r;
  }
  // Cursor: element, row, and which rows are marked yellow.
  std::string Cursor() const {
    std::string r = std::to_string(e->ElementoActual) + "@" + std::to_string(e->LineaActual);
    for (int f = 0; f < e->NumeroLineas; ++f)
      if (e->Marcada(f)) r += " *" + std::to_string(f + 1);
    return r;
  }
  static std::string Serie(int desde, int hasta) {
    std::string r;
    for (int i = desde; i <= hasta; ++i) r += (i > desde ? " " : "") + std::to_string(i);
    return r;
  }

  prueba::EnlacePrueba enlace;
  decltype(enlace.listas) antes;
  std::unique_ptr<EditorMultEspeciales> e;
};

TEST_F(Paginas, ActivacionYAperturaDibujanLaPrimeraPagina) {
  Prepara(20);
  EXPECT_EQ(Pagina(), Serie(1, 15));
  EXPECT_EQ(e->NumeroEspeciales, 20);
  EXPECT_EQ(e->FocoActual(), Foco::EnBoton(Boton::Cancelar));
  EXPECT_TRUE(e->Habilitado(Boton::ConfProv));
  EXPECT_TRUE(e->Habilitado(Boton::Aceptar));
  EXPECT_FALSE(e->Habilitado(Boton::Finalizar));
  EXPECT_EQ(e->TituloConfProv(), "Insertar Especiales");
  EXPECT_EQ(e->TituloFinalizar(), "Finalizar Insertar");
  EXPECT_EQ(e->Informacion(), EditorCuadricula::TextoAyuda(1));
  Abre();
  EXPECT_EQ(Cursor(), "1@1 *1");
  EXPECT_EQ(e->FocoActual(), Foco::EnSerie(0));
  EXPECT_FALSE(e->Habilitado(Boton::ConfProv));
  EXPECT_FALSE(e->Habilitado(Boton::Aceptar));
  EXPECT_FALSE(e->Habilitado(Boton::Cancelar));
  EXPECT_TRUE(e->Habilitado(Boton::Modificar));
  EXPECT_EQ(e->Informacion(), EditorCuadricula::TextoAyuda(2));
  EXPECT_EQ(e->Celda(2, EditorMultEspeciales::Estacion), "S3");
}

TEST_F(Paginas, QuinceElementosFinYAbajoEmpiezaElDieciseisEnLaFila1YArribaLoAbandona) {
  Prepara(15);
  Abre();
  EXPECT_TRUE(Tecla(tecla::Fin));
  EXPECT_EQ(Pagina(), Serie(1, 15));
  EXPECT_EQ(Cursor(), "15@15 *15");
  EXPECT_TRUE(Tecla(tecla::Abajo));
  EXPECT_EQ(e->EstadoLinea, "ALTA");
  EXPECT_EQ(Pagina(), "16");
  EXPECT_EQ(Cursor(), "15@1 *1");
  EXPECT_EQ(e->Celda(0, EditorMultEspeciales::Estacion), "*");
  EXPECT_EQ(e->Celda(0, EditorMultEspeciales::Puntos), "");
  EXPECT_EQ(e->FocoActual(), Foco::EnCelda(0, EditorMultEspeciales::Estacion));
  EXPECT_TRUE(e->Habilitado(Boton::Anadir));
  EXPECT_FALSE(e->Habilitado(Boton::Anular));
  EXPECT_FALSE(e->Habilitado(Boton::Finalizar));
  // Esc does nothing while a new row is entered; the navigation keys beep.
  const int pitidos = e->Pitidos();
  Tecla(tecla::Esc);
  EXPECT_EQ(e->EstadoLinea, "ALTA");
  for (int t : {tecla::Abajo, tecla::RePag, tecla::AvPag, tecla::Inicio, tecla::Fin}) Tecla(t);
  EXPECT_EQ(e->Pitidos(), pitidos + 5);
  EXPECT_EQ(e->EstadoLinea, "ALTA");
  Tecla(tecla::Arriba);
  EXPECT_EQ(e->Pitidos(), pitidos + 6);
  EXPECT_EQ(e->EstadoLinea, "");
  EXPECT_EQ(Pagina(), Serie(1, 15));
  EXPECT_EQ(Cursor(), "15@15 *15");
  EXPECT_EQ(e->NumeroElementos, 15);
  EXPECT_EQ(e->Listas()[0].size(), 15u);
}

TEST_F(Paginas, VeintePaginasAdelanteYAtras) {
  Prepara(20);
  Abre();
  Tecla(tecla::AvPag);
  EXPECT_EQ(Pagina(), Serie(16, 20));
  EXPECT_EQ(Cursor(), "16@1 *1");
  Tecla(tecla::Abajo);
  Tecla(tecla::Abajo);
  EXPECT_EQ(Cursor(), "18@3 *3");
  Tecla(tecla::AvPag);  // last page: back to row 1 without redrawing
  EXPECT_EQ(Pagina(), Serie(16, 20));
  EXPECT_EQ(Cursor(), "16@1 *1");
  Tecla(tecla::Fin);
  EXPECT_EQ(Cursor(), "20@5 *5");
  int pitidos = e->Pitidos();
  Tecla(tecla::AvPag);
  EXPECT_EQ(e->Pitidos(), pitidos + 1);
  EXPECT_EQ(Cursor(), "20@5 *5");
  Tecla(tecla::Inicio);
  Tecla(tecla::AvPag);
  Tecla(tecla::Arriba);  // row 1 of page 2: page 1, cursor on row 15
  EXPECT_EQ(Pagina(), Serie(1, 15));
  EXPECT_EQ(Cursor(), "15@15 *15");
  Tecla(tecla::Abajo);  // last row: next page
  EXPECT_EQ(Pagina(), Serie(16, 20));
  EXPECT_EQ(Cursor(), "16@1 *1");
  Tecla(tecla::RePag);
  EXPECT_EQ(Pagina(), Serie(1, 15));
  EXPECT_EQ(Cursor(), "15@15 *15");
  pitidos = e->Pitidos();
  Tecla(tecla::RePag);  // first page: beep, row 1
  EXPECT_EQ(Cursor(), "1@1 *1");
  Tecla(tecla::Arriba);  // element 1: beep
  EXPECT_EQ(Cursor(), "1@1 *1");
  EXPECT_EQ(e->Pitidos(), pitidos + 2);
  Tecla(tecla::Fin);
  Tecla(tecla::Inicio);
  EXPECT_EQ(Pagina(), Serie(1, 15));
  EXPECT_EQ(Cursor(), "1@1 *1");
}

TEST_F(Paginas, AltaEnUnaListaVaciaYEnMitadDePagina) {
  Prepara(0);
  Abre();
  EXPECT_EQ(Cursor(), "0@0");
  EXPECT_FALSE(e->Habilitado(Boton::Modificar));
  int pitidos = e->Pitidos();
  for (int t : {tecla::RePag, tecla::AvPag, tecla::Inicio, tecla::Fin, tecla::Arriba}) Tecla(t);
  EXPECT_EQ(e->Pitidos(), pitidos + 5);
  EXPECT_EQ(e->FocoActual(), Foco::EnSerie(0));
  Tecla(tecla::Abajo);
  EXPECT_EQ(e->EstadoLinea, "ALTA");
  EXPECT_EQ(Pagina(), "1");
  EXPECT_EQ(Cursor(), "0@1 *1");
  Tecla(tecla::Arriba);  // abandoned: no cursor row again
  EXPECT_EQ(Cursor(), "0@0");
  EXPECT_EQ(Pagina(), "");
  Tecla(tecla::Abajo);
  e->Escribe(0, EditorMultEspeciales::Estacion, "ea1abc");
  e->PonFoco(Foco::EnCelda(0, EditorMultEspeciales::Puntos));
  e->Escribe(0, EditorMultEspeciales::Puntos, "2");
  EXPECT_TRUE(Tecla(tecla::F12));
  EXPECT_EQ(e->EstadoLinea, "");
  EXPECT_EQ(e->NumeroElementos, 1);
  EXPECT_EQ(Cursor(), "1@1 *1");
  EXPECT_EQ(e->Lista("ListaEstMultEsp"), std::vector<std::string>{"EA1ABC"});
  EXPECT_EQ(e->Lista("ListaPaisMultEsp"), std::vector<std::string>{"*"});
  EXPECT_EQ(e->Lista("ListaPuntosMultEsp"), std::vector<std::string>{"2"});
  EXPECT_TRUE(e->Habilitado(Boton::Modificar));
  EXPECT_TRUE(e->Bloqueada(0));
}

TEST_F(Paginas, AltaAlFinalDeUnaPaginaAMediasSeGuardaYQuedaBajoElCursor) {
  Prepara(17);
  Abre();
  Tecla(tecla::Fin);
  Tecla(tecla::Abajo);
  EXPECT_EQ(Pagina(), "16 17 18");
  EXPECT_EQ(Cursor(), "17@3 *3");
  e->Escribe(2, EditorMultEspeciales::ZonaCQ, "14");
  e->PonFoco(Foco::EnCelda(2, EditorMultEspeciales::Puntos));
  e->Escribe(2, EditorMultEspeciales::Puntos, "3");
  e->Pulsa(Boton::Anadir);
  EXPECT_EQ(e->NumeroElementos, 18);
  EXPECT_EQ(Cursor(), "18@3 *3");
  EXPECT_EQ(e->Lista("ListaZonaCqMultEsp").back(), "14");
  EXPECT_EQ(e->Lista("ListaEstMultEsp").back(), "*");
}

TEST_F(Paginas, ModificarGuardaEnSuSitioYAnularRestaura) {
  Prepara(20);
  Abre();
  Tecla(tecla::AvPag);
  Tecla(tecla::Abajo);  // element 17, row 2
  EXPECT_TRUE(Tecla(tecla::F3));
  EXPECT_EQ(e->EstadoLinea, "MODIFICAR");
  EXPECT_FALSE(e->NavegacionActiva);
  EXPECT_TRUE(e->Habilitado(Boton::Anular));
  EXPECT_EQ(e->FocoActual(), Foco::EnCelda(1, EditorMultEspeciales::Estacion));
  // While a row is modified the navigation keys stay in the cell.
  EXPECT_FALSE(Tecla(tecla::Abajo));
  EXPECT_FALSE(Tecla(tecla::Inicio));
  EXPECT_EQ(Cursor(), "17@2 *2");
  e->Escribe(1, EditorMultEspeciales::Estacion, "ZZ9");
  EXPECT_TRUE(Tecla(tecla::Esc));
  EXPECT_EQ(e->EstadoLinea, "");
  EXPECT_TRUE(e->NavegacionActiva);
  EXPECT_EQ(e->Celda(1, EditorMultEspeciales::Estacion), "S17");
  EXPECT_EQ(e->Lista("ListaEstMultEsp")[16], "S17");

  Tecla(tecla::F3);
  e->Escribe(1, EditorMultEspeciales::Estacion, " zz9 ");
  Tecla(tecla::F12);
  EXPECT_EQ(e->EstadoLinea, "");
  EXPECT_EQ(e->Lista("ListaEstMultEsp")[16], "ZZ9");
  EXPECT_EQ(e->Lista("ListaEstMultEsp").size(), 20u);
  EXPECT_EQ(Pagina(), Serie(16, 20));
  EXPECT_EQ(Cursor(), "17@2 *2");
}

TEST_F(Paginas, BorrarPreguntaYMuestraLaUltimaPagina) {
  Prepara(20);
  Abre();
  Tecla(tecla::Abajo);
  Tecla(tecla::Abajo);  // element 3
  soporte::Mensajes().Espera(Respuesta::No, "¿ De Verdad quiere ELIMINAR este dato ?");
  EXPECT_TRUE(Tecla(tecla::F4));
  EXPECT_EQ(e->NumeroElementos, 20);
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, "");
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].icono, plataforma::Icono::Pregunta);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].botones, plataforma::Botones::SiNo);
  soporte::Mensajes().Espera(Respuesta::Si);
  Tecla(tecla::F4);
  EXPECT_EQ(e->NumeroElementos, 19);
  EXPECT_EQ(Pagina(), Serie(16, 19));
  EXPECT_EQ(Cursor(), "19@4 *4");
  EXPECT_EQ(e->Lista("ListaEstMultEsp")[2], "S4");
  EXPECT_EQ(e->Lista("ListaPuntosMultEsp")[2], antes["ListaPuntosMultEsp"][3]);
  EXPECT_EQ(e->Celda(3, EditorMultEspeciales::Estacion), "S20");
}

TEST_F(Paginas, BorrarElUnicoElementoVaciaLaCuadricula) {
  Prepara(1);
  Abre();
  soporte::Mensajes().Espera(Respuesta::Si);
  e->Pulsa(Boton::Borra);
  EXPECT_EQ(e->NumeroElementos, 0);
  EXPECT_EQ(Pagina(), "");
  EXPECT_FALSE(e->Habilitado(Boton::Modificar));
  EXPECT_FALSE(e->Habilitado(Boton::Borra));
  EXPECT_EQ(e->FocoActual(), Foco::EnSerie(0));
  EXPECT_TRUE(e->Lista("ListaEstMultEsp").empty());
}

TEST_F(Paginas, LasTeclasDeFuncionSoloSinModificadoresYConElBotonActivo) {
  Prepara(3);
  Abre();
  for (int mod : {EditorCuadricula::kShift, EditorCuadricula::kCtrl, EditorCuadricula::kAlt}) {
    Tecla(tecla::F3, mod);
    Tecla(tecla::F10, mod);
    EXPECT_EQ(e->EstadoLinea, "");
    EXPECT_TRUE(e->ListaAbierta());
  }
  // F12 and Esc with their buttons disabled do nothing.
  EXPECT_FALSE(Tecla(tecla::F12));
  EXPECT_FALSE(Tecla(tecla::Esc));
  // A modifier does not stop the navigation keys.
  Tecla(tecla::Abajo, EditorCuadricula::kShift);
  EXPECT_EQ(Cursor(), "2@2 *2");
  EXPECT_TRUE(Tecla(tecla::F10));
  EXPECT_FALSE(e->ListaAbierta());
  EXPECT_EQ(e->FocoActual(), Foco::EnBoton(Boton::Cancelar));
  EXPECT_EQ(Cursor(), "1@1");
}

TEST_F(Paginas, SinListaAbiertaLasTeclasDeNavegacionNoHacenNada) {
  Prepara(15);
  // Before opening and after leaving the list: no row can be started unseen.
  for (int vuelta = 0; vuelta < 2; ++vuelta) {
    for (int t : {tecla::Fin, tecla::Abajo, tecla::Abajo, tecla::AvPag, tecla::Arriba, tecla::Inicio})
      EXPECT_FALSE(Tecla(t));
    EXPECT_EQ(e->EstadoLinea, "");
    EXPECT_EQ(e->NumeroElementos, 15);
    EXPECT_EQ(e->Pitidos(), 0);
    EXPECT_EQ(Pagina(), Serie(1, 15));
    Abre();
    e->Pulsa(Boton::Finalizar);
  }
  e->Pulsa(Boton::Aceptar);
  EXPECT_EQ(enlace.listas, antes);
}

TEST_F(Paginas, SoloConsulta) {
  Prepara(0, 1);
  EXPECT_EQ(e->TituloConfProv(), "Explorar Lista");
  EXPECT_EQ(e->TituloFinalizar(), "Finalizar Explorar");
  EXPECT_FALSE(e->Habilitado(Boton::Aceptar));
  Abre();  // an empty list is not opened
  EXPECT_FALSE(e->ListaAbierta());
  EXPECT_EQ(e->FocoActual(), Foco::EnBoton(Boton::Cancelar));

  Prepara(3, 1);
  Abre();
  EXPECT_TRUE(e->ListaAbierta());
  EXPECT_FALSE(e->Habilitado(Boton::Modificar));
  EXPECT_FALSE(e->Habilitado(Boton::Borra));
  Tecla(tecla::Fin);
  Tecla(tecla::Abajo);  // on the last element: nothing
  EXPECT_EQ(e->EstadoLinea, "");
  EXPECT_EQ(Cursor(), "3@3 *3");
  EXPECT_FALSE(Tecla(tecla::F3));
  e->Pulsa(Boton::Finalizar);
  e->Pulsa(Boton::Aceptar);  // disabled
  EXPECT_FALSE(e->Cerrada());
  e->Pulsa(Boton::Cancelar);
  EXPECT_TRUE(e->Cerrada());
}

TEST_F(Paginas, AceptarDevuelveLasListasYCancelarNo) {
  Prepara(2);
  Abre();
  soporte::Mensajes().Espera(Respuesta::Si);
  e->Pulsa(Boton::Borra);
  e->Pulsa(Boton::Finalizar);
  EXPECT_EQ(e->NumeroEspeciales, 1);
  e->Pulsa(Boton::Cancelar);
  EXPECT_EQ(enlace.listas, antes);

  Prepara(2);
  Abre();
  soporte::Mensajes().Espera(Respuesta::Si);
  e->Pulsa(Boton::Borra);
  e->Pulsa(Boton::Finalizar);
  e->Pulsa(Boton::Aceptar);
  EXPECT_TRUE(e->Cerrada());
  EXPECT_EQ(enlace.listas["ListaEstMultEsp"], std::vector<std::string>{"S2"});
  EXPECT_EQ(enlace.listas["ListaPuntosMultEsp"], std::vector<std::string>{antes["ListaPuntosMultEsp"][1]});
}

TEST_F(Paginas, ListasDeMasDe32767Elementos) {
  Prepara(33000);
  EXPECT_EQ(e->NumeroEspeciales, 33000);
  Abre();
  Tecla(tecla::Fin);
  EXPECT_EQ(e->ElementoActual, 33000);
  EXPECT_EQ(e->Serie(e->LineaActual - 1), "33000");
  Tecla(tecla::Abajo);
  EXPECT_EQ(e->Serie(e->LineaActual - 1), "33001");
}

TEST(LongitudCampos, PorTipoDeCampo) {
  struct Caso {
    dao::Tipo tipo;
    int tamano, esperada;
  };
  for (Caso c : {Caso{dao::Tipo::Boolean, 0, 2}, Caso{dao::Tipo::Integer, 2, 5}, Caso{dao::Tipo::Long, 4, 11},
                 Caso{dao::Tipo::Double, 8, 11}, Caso{dao::Tipo::Date, 8, 10}, Caso{dao::Tipo::Text, 7, 7}}) {
    int l = 0;
    EditorCuadricula::VerLongitudTipoCampo({c.tipo, c.tamano}, l);
    EXPECT_EQ(l, c.esperada);
  }
}

TEST(LongitudCampos, DeLaTablaYFijasParaLosPuntos) {
  prueba::EnlacePrueba enlace;
  enlace.campos["MultEspeciales.Pais"] = {dao::Tipo::Text, 3};
  EditorMultEspeciales e(enlace);
  e.PonMensajero(&soporte::Mensajes());
  e.Form_Load();
  EXPECT_EQ(e.Longitud(EditorMultEspeciales::Estacion), 10);
  EXPECT_EQ(e.Longitud(EditorMultEspeciales::Pais), 3);
  EXPECT_EQ(e.Longitud(EditorMultEspeciales::OtrasSiglas), 6);
  EXPECT_EQ(e.Longitud(EditorMultEspeciales::Puntos), 2);
  e.Escribe(0, EditorMultEspeciales::Pais, "abcdef");
  EXPECT_EQ(e.Celda(0, EditorMultEspeciales::Pais), "ABC");
  // A table without one of the fields: the database engine's error.
  enlace.campos.erase("MultEspeciales.ZonaCQ");
  EditorMultEspeciales sinCampo(enlace);
  EXPECT_THROW(sinCampo.Form_Load(), dao::Error);
}

}  // namespace
