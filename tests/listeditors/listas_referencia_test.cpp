// The multiplier reference lists window without its widgets: copying in by
// the kinds of multiplier in use, one list open at a time, the built-in
// lists, the element check with its messages, the suffix format, accepting
// and cancelling, view-only.
#include <gtest/gtest.h>

#include "enlace_prov_prueba.h"
#include "listeditors/listas_referencia.h"
#include "soporte/mensajes_guion.h"

using namespace listeditors;
using plataforma::Respuesta;
using B = EditorListProv::BotonProv;
using F = EditorListProv::FocoProv;
using Lista = std::vector<std::string>;

namespace {

class ListasReferencia : public ::testing::Test {
 protected:
  ListasReferencia() {
    for (const char* o : {"CadaProv", "DistritoPorBanda", "CadaPais", "PrefijoPorBanda", "CadaCq", "CadaEstacion"})
      enlace.opciones[o] = true;
    enlace.listas["ListaProv"] = {"M", "TO", "B"};
    enlace.listas["ListaExProv"] = {"", "SI", ""};
    enlace.listas["ListaDistritos"] = {"EA1", "EA2", "EA3", "EA4", "EA5"};
    enlace.listas["ListaExDistritos"] = {" ", " ", " ", "SI", " "};
    enlace.listas["ListaExPaises"] = {"CT", "F"};
    enlace.listas["ListaExPrefijos"] = {"EA8"};
    enlace.listas["ListaExZonasCq"] = {"14"};
    enlace.listas["ListaMultEstEsp"] = {"EA4URE", "EF4R", "AM4X"};
    enlace.sufijo = {true, true, false, false, true};
    enlace.excluir = {true, false, true, false, false};
  }
  EditorListProv& Abre() {
    e = std::make_unique<EditorListProv>(enlace);
    e->PonMensajero(&soporte::Mensajes());
    e->Form_Load();
    e->Form_Activate();
    return *e;
  }
  // Types into a cell of the cursor row of the open list and leaves it.
  void Teclea(int columna, const std::string& texto) {
    const int modo = e->ModoLista;
    const int fila = e->Lista(modo).LineaActual - 1;
    e->PonFoco({F::Tipo::Celda, modo, fila, columna, B::Cancelar});
    e->Escribe(modo, fila, columna, texto);
    e->PonFoco({F::Tipo::Serie, modo, fila, 0, B::Cancelar});
  }
  // Opens a list, goes to its end and starts a new row.
  void NuevaFila(B boton) {
    e->Pulsa(boton);
    e->Form_KeyDown(tecla::Fin);
    e->Form_KeyDown(tecla::Abajo);
    ASSERT_EQ(e->Lista(e->ModoLista).EstadoLinea, "ALTA");
  }
  prueba::EnlaceProv enlace;
  std::unique_ptr<EditorListProv> e;
};

TEST_F(ListasReferencia, ActivacionCopiaLasListasDeLosTiposEnUso) {
  enlace.opciones["CadaCq"] = false;  // CQ zones not in use
  EditorListProv& v = Abre();
  EXPECT_EQ(v.Lista(LProvincias).Lista("ListaProv"), (Lista{"M", "TO", "B"}));
  EXPECT_EQ(v.Lista(LProvincias).Lista("ListaExProv"), (Lista{"", "SI", ""}));
  EXPECT_EQ(v.Lista(LEstaciones).Lista("ListaEstaciones"), (Lista{"EA4URE", "EF4R", "AM4X"}));
  EXPECT_TRUE(v.Lista(LZonasCq).Lista("ListaExZonasCq").empty());
  EXPECT_EQ(v.Numero(LProvincias), 3);
  EXPECT_EQ(v.Numero(LDistritos), 5);
  EXPECT_EQ(v.Numero(LZonasCq), 0);
  EXPECT_FALSE(v.Habilitado(B::ConfZonaCq));
  EXPECT_FALSE(v.MarcoHabilitado(LZonasCq));
  for (B b : {B::ConfProv, B::ConfDistritos, B::ConfPaises, B::ConfPrefijos, B::ConfEstaciones, B::Aceptar,
              B::Cancelar})
    EXPECT_TRUE(v.Habilitado(b)) << static_cast<int>(b);
  for (B b : {B::ConfSufijos, B::InsertarProv, B::InsertarDist, B::Modificar, B::Anadir, B::Borra, B::Anular,
              B::Finalizar})
    EXPECT_FALSE(v.Habilitado(b)) << static_cast<int>(b);
  // Suffixes not in use: the boxes stay unticked; the exclude-own options
  // are copied whatever is in use.
  EXPECT_FALSE(v.MarcoHabilitado(EditorListProv::kFormatoSufijo));
  EXPECT_EQ(v.Sufijo(), (FormatoSufijo{}));
  EXPECT_EQ(v.Exclusiones(), enlace.excluir);
  // Every grid shows the start of its list; the CQ-zone list is in hand.
  EXPECT_EQ(v.ModoLista, LZonasCq);
  EXPECT_EQ(v.Lista(LProvincias).Celda(1, 0), "TO");
  EXPECT_EQ(v.Lista(LProvincias).Serie(2), "3");
  EXPECT_EQ(v.Lista(LEstaciones).Celda(2, 0), "AM4X");
  EXPECT_EQ(v.Lista(LProvincias).NumeroLineas, 14);
  EXPECT_EQ(v.Lista(LDistritos).NumeroLineas, 14);
  EXPECT_EQ(v.Lista(LPaises).NumeroLineas, 5);
  EXPECT_EQ(v.Lista(LPrefijos).NumeroLineas, 4);
  EXPECT_EQ(v.Lista(LZonasCq).NumeroLineas, 4);
  EXPECT_EQ(v.Lista(LEstaciones).NumeroLineas, 17);
  EXPECT_EQ(v.FocoActual(), (F{F::Tipo::Boton, 0, 0, 0, B::Cancelar}));
  EXPECT_EQ(v.Informacion(), EditorListProv::TextoAyuda(1));
  EXPECT_EQ(v.Lista(LProvincias).Longitud(0), 6);
  EXPECT_EQ(v.Lista(LProvincias).Longitud(1), 2);
  EXPECT_EQ(v.Lista(LPaises).Longitud(0), 10);
}

TEST_F(ListasReferencia, UnaListaAbiertaALaVez) {
  EditorListProv& v = Abre();
  v.Pulsa(B::ConfDistritos);
  EXPECT_TRUE(v.ListaAbierta());
  EXPECT_EQ(v.ModoLista, LDistritos);
  EXPECT_EQ(v.Informacion(), EditorListProv::TextoAyuda(2));
  for (B b : {B::ConfProv, B::ConfDistritos, B::ConfPaises, B::ConfEstaciones, B::ConfSufijos, B::Aceptar,
              B::Cancelar, B::InsertarProv, B::Anadir, B::Anular})
    EXPECT_FALSE(v.Habilitado(b)) << static_cast<int>(b);
  for (B b : {B::InsertarDist, B::Modificar, B::Borra, B::Finalizar}) EXPECT_TRUE(v.Habilitado(b));
  EXPECT_TRUE(v.Lista(LDistritos).Marcada(0));
  EXPECT_EQ(v.FocoActual(), (F{F::Tipo::Serie, LDistritos, 0, 0, B::Cancelar}));
  v.Pulsa(B::ConfProv);  // disabled: nothing
  EXPECT_EQ(v.ModoLista, LDistritos);

  EXPECT_TRUE(v.Form_KeyDown(tecla::F10));
  EXPECT_FALSE(v.ListaAbierta());
  EXPECT_EQ(v.ModoLista, LDistritos);
  EXPECT_FALSE(v.Habilitado(B::InsertarDist));
  EXPECT_TRUE(v.Habilitado(B::Aceptar));
  EXPECT_TRUE(v.Habilitado(B::ConfProv));
  EXPECT_EQ(v.Informacion(), EditorListProv::TextoAyuda(1));
  EXPECT_EQ(v.FocoActual(), (F{F::Tipo::Boton, 0, 0, 0, B::Cancelar}));
  // No list in hand: the navigation keys do nothing.
  EXPECT_FALSE(v.Form_KeyDown(tecla::Abajo));
  EXPECT_EQ(v.Lista(LDistritos).EstadoLinea, "");
}

TEST_F(ListasReferencia, MatriculasYDistritosIncorporados) {
  EditorListProv& v = Abre();
  v.Pulsa(B::ConfProv);
  ASSERT_TRUE(v.Habilitado(B::InsertarProv));
  for (int vez = 0; vez < 2; ++vez) {
    v.Pulsa(B::InsertarProv);
    const EditorListaReferencia& p = v.Lista(LProvincias);
    ASSERT_EQ(p.Lista("ListaProv").size(), 52u) << vez;
    EXPECT_EQ(p.Lista("ListaProv"), EditorListProv::MatriculasEA());
    EXPECT_EQ(p.Lista("ListaExProv"), Lista(52, ""));
    EXPECT_EQ(p.NumeroElementos, 52);
    EXPECT_EQ(p.Celda(0, 0), "AV");
    EXPECT_EQ(p.Celda(13, 0), "SO");
    EXPECT_TRUE(p.Marcada(0));
    EXPECT_EQ(v.FocoActual(), (F{F::Tipo::Serie, LProvincias, 0, 0, B::Cancelar}));
  }
  EXPECT_EQ(EditorListProv::MatriculasEA().front(), "AV");
  EXPECT_EQ(EditorListProv::MatriculasEA().back(), "ML");
  EXPECT_TRUE(v.Habilitado(B::Modificar));
  EXPECT_EQ(v.Numero(LProvincias), 3);  // stored by Finalizar
  v.Pulsa(B::Finalizar);
  EXPECT_EQ(v.Numero(LProvincias), 52);
  EXPECT_FALSE(v.Habilitado(B::InsertarProv));

  v.Pulsa(B::ConfDistritos);
  v.Pulsa(B::InsertarDist);
  EXPECT_EQ(v.Lista(LDistritos).Lista("ListaDistritos"),
            (Lista{"EA1", "EA2", "EA3", "EA4", "EA5", "EA6", "EA7", "EA8", "EA9"}));
  EXPECT_EQ(v.Lista(LDistritos).Lista("ListaExDistritos"), Lista(9, ""));
  EXPECT_EQ(v.FocoActual(), (F{F::Tipo::Boton, 0, 0, 0, B::InsertarDist}));
  v.Pulsa(B::Finalizar);
  v.Pulsa(B::Aceptar);
  EXPECT_EQ(enlace.listas["ListaProv"], EditorListProv::MatriculasEA());
  EXPECT_EQ(enlace.listas["ListaDistritos"].size(), 9u);
}

TEST_F(ListasReferencia, InsertarDuranteUnaAltaLaAbandona) {
  EditorListProv& v = Abre();
  NuevaFila(B::ConfProv);
  Teclea(0, "XX");
  v.Pulsa(B::InsertarProv);
  EXPECT_EQ(v.Lista(LProvincias).EstadoLinea, "");
  EXPECT_TRUE(v.Habilitado(B::Finalizar));
  EXPECT_FALSE(v.Habilitado(B::Anadir));
  v.Pulsa(B::Finalizar);
  EXPECT_EQ(v.Numero(LProvincias), 52);
}

// One refused element per row: the list, its value and mark, the message
// and title, and where the focus ends.
struct Rechazo {
  B boton;
  std::string valor;
  std::string marca;
  std::string texto;
  std::string titulo;
  F foco;  // fila is the cursor row, filled in by the test
};

TEST_F(ListasReferencia, ElementosRechazadosConSuMensaje) {
  const F enAnadir{F::Tipo::Boton, 0, 0, 0, B::Anadir};
  const std::vector<Rechazo> casos = {
      {B::ConfProv, "TO", "", "El Código de Provincia ya está registrado", "VERIFICAR PROVINCIA",
       {F::Tipo::Celda, LProvincias, -1, 0, B::Cancelar}},
      {B::ConfProv, "to", "", "El Código de Provincia ya está registrado", "VERIFICAR PROVINCIA",
       {F::Tipo::Celda, LProvincias, -1, 0, B::Cancelar}},
      {B::ConfProv, "", "", "Falta Código de la Provincia", "VERIFICAR PROVINCIA", enAnadir},
      {B::ConfProv, "GU", "NO", "Solo se admite SI o nada", "VERIFICAR ESCLUIR",
       {F::Tipo::Celda, LProvincias, -1, 1, B::Cancelar}},
      {B::ConfDistritos, "EA9", "S", "Solo se admite SI o nada", "VERIFICAR ESCLUIR",
       {F::Tipo::Celda, LDistritos, -1, 1, B::Cancelar}},
      {B::ConfDistritos, "EA2", "", "El Distrito ya está registrado", "VERIFICAR DISTRITO",
       {F::Tipo::Celda, LDistritos, -1, 0, B::Cancelar}},
      {B::ConfPaises, "", "", "Falta el Prefijo del País", "VERIFICAR PAÍS", enAnadir},
      {B::ConfPaises, "CT", "", "El País ya está registrado", "VERIFICAR PAÍS",
       {F::Tipo::Celda, LPaises, -1, 0, B::Cancelar}},
      {B::ConfPrefijos, "EA8", "", "El Prefijo ya está registrado", "VERIFICAR PREFIJO",
       {F::Tipo::Celda, LPrefijos, -1, 0, B::Cancelar}},
      {B::ConfZonaCq, "", "", "Falta la Zona Cq", "VERIFICAR ZONA CQ", enAnadir},
      {B::ConfZonaCq, "14", "", "La Zona Cq ya está registrada", "VERIFICAR ZONA CQ",
       {F::Tipo::Celda, LZonasCq, -1, 0, B::Cancelar}},
      {B::ConfEstaciones, "", "", "Falta la Estación Multiplicadora", "VERIFICAR ESTACIÓN", enAnadir},
      {B::ConfEstaciones, "ef4r", "", "La Estación ya está registrada", "VERIFICAR Estacion",
       {F::Tipo::Celda, LEstaciones, -1, 0, B::Cancelar}},
  };
  for (const Rechazo& c : casos) {
    SCOPED_TRACE(c.valor + "/" + c.marca + ": " + c.texto);
    soporte::Mensajes().Reinicia();
    EditorListProv& v = Abre();
    NuevaFila(c.boton);
    const int fila = v.Lista(v.ModoLista).LineaActual - 1;
    if (!c.valor.empty()) Teclea(0, c.valor);
    if (!c.marca.empty()) Teclea(1, c.marca);
    const Lista antes = v.Lista(v.ModoLista).Listas()[0];
    soporte::Mensajes().Espera(Respuesta::Aceptar, c.texto);
    v.Form_KeyDown(tecla::F12);
    ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
    EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, c.titulo);
    EXPECT_EQ(soporte::Mensajes().Cajas()[0].icono, plataforma::Icono::Error);
    F foco = c.foco;
    if (foco.tipo == F::Tipo::Celda) foco.fila = fila;
    EXPECT_EQ(v.FocoActual(), foco);
    // The row stays in hand, with what was typed.
    EXPECT_EQ(v.Lista(v.ModoLista).EstadoLinea, "ALTA");
    EXPECT_TRUE(v.Habilitado(B::Anadir));
    EXPECT_EQ(v.Lista(v.ModoLista).Listas()[0], antes);
  }
}

TEST_F(ListasReferencia, ElementosAdmitidos) {
  EditorListProv& v = Abre();
  NuevaFila(B::ConfProv);
  Teclea(0, "gu");
  Teclea(1, "si");
  v.Form_KeyDown(tecla::F12);
  EXPECT_EQ(v.Lista(LProvincias).Lista("ListaProv"), (Lista{"M", "TO", "B", "GU"}));
  EXPECT_EQ(v.Lista(LProvincias).Lista("ListaExProv"), (Lista{"", "SI", "", "SI"}));
  v.Pulsa(B::Finalizar);
  // A CQ zone keeps its blanks and letter case: " 14" is not "14".
  NuevaFila(B::ConfZonaCq);
  Teclea(0, " 14");
  v.Form_KeyDown(tecla::F12);
  EXPECT_EQ(v.Lista(LZonasCq).Lista("ListaExZonasCq"), (Lista{"14", " 14"}));
  v.Pulsa(B::Finalizar);
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
}

TEST_F(ListasReferencia, ModificarSinCambiarElValorPasa) {
  EditorListProv& v = Abre();
  v.Pulsa(B::ConfDistritos);
  v.Form_KeyDown(tecla::Abajo);
  v.Form_KeyDown(tecla::Abajo);
  ASSERT_EQ(v.Lista(LDistritos).ElementoActual, 3);
  // The district was loaded with a blank mark: it still passes, and is
  // stored without the blank.
  v.Form_KeyDown(tecla::F3);
  ASSERT_EQ(v.Lista(LDistritos).EstadoLinea, "MODIFICAR");
  v.Form_KeyDown(tecla::F12);
  EXPECT_EQ(v.Lista(LDistritos).EstadoLinea, "");
  EXPECT_EQ(v.Lista(LDistritos).Lista("ListaExDistritos"), (Lista{" ", " ", "", "SI", " "}));
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());

  v.Form_KeyDown(tecla::F3);
  Teclea(0, "EA5");
  soporte::Mensajes().Espera(Respuesta::Aceptar, "El Distrito ya está registrado");
  v.Form_KeyDown(tecla::F12);
  EXPECT_EQ(v.Lista(LDistritos).EstadoLinea, "MODIFICAR");
  v.Form_KeyDown(tecla::Esc);
  EXPECT_EQ(v.Lista(LDistritos).Celda(2, 0), "EA3");
}

TEST_F(ListasReferencia, BorrarQuitaElElementoDeSusDosListas) {
  EditorListProv& v = Abre();
  v.Pulsa(B::ConfProv);
  v.Form_KeyDown(tecla::Abajo);
  soporte::Mensajes().Espera(Respuesta::Si);
  v.Form_KeyDown(tecla::F4);
  EXPECT_EQ(v.Lista(LProvincias).Lista("ListaProv"), (Lista{"M", "B"}));
  EXPECT_EQ(v.Lista(LProvincias).Lista("ListaExProv"), (Lista{"", ""}));
  EXPECT_EQ(v.Lista(LProvincias).Serie(1), "2");
  EXPECT_EQ(v.Lista(LProvincias).Serie(2), "");
  v.Pulsa(B::Finalizar);
  EXPECT_EQ(v.Numero(LProvincias), 2);
}

TEST_F(ListasReferencia, AceptarDevuelveListasOpcionesYFormato) {
  enlace.opciones["CadaEstacion"] = false;  // stations not in use: emptied
  enlace.opciones["SufijoPorBanda"] = true;
  EditorListProv& v = Abre();
  EXPECT_EQ(v.Sufijo(), enlace.sufijo);
  EXPECT_TRUE(v.MarcoHabilitado(EditorListProv::kFormatoSufijo));
  v.MarcaSufijo(3, true);  // TerceraLetra unticks UltimaLetra
  EXPECT_EQ(v.Sufijo(), (FormatoSufijo{true, true, false, true, false}));
  v.MarcaSufijo(4, true);
  EXPECT_EQ(v.Sufijo(), (FormatoSufijo{true, true, false, false, true}));
  v.MarcaSufijo(4, false);
  v.MarcaExcluir(1, true);
  v.Pulsa(B::ConfEstaciones);  // disabled
  EXPECT_FALSE(v.ListaAbierta());
  v.Pulsa(B::ConfPaises);
  v.Form_KeyDown(tecla::F3);
  Teclea(0, "ea");
  v.Form_KeyDown(tecla::F12);
  v.Form_KeyDown(tecla::F10);
  EXPECT_EQ(enlace.listas["ListaExPaises"], (Lista{"CT", "F"}));  // nothing written before Aceptar
  v.Pulsa(B::Aceptar);
  EXPECT_TRUE(v.Cerrada());
  EXPECT_EQ(enlace.listas["ListaExPaises"], (Lista{"EA", "F"}));
  EXPECT_TRUE(enlace.listas["ListaMultEstEsp"].empty());
  EXPECT_EQ(enlace.listas["ListaExDistritos"], (Lista{" ", " ", " ", "SI", " "}));
  EXPECT_EQ(enlace.sufijo, (FormatoSufijo{true, true, false, false, false}));
  EXPECT_EQ(enlace.excluir, (ExcluirPropios{true, true, true, false, false}));

  // Suffixes not in use: the flags come back false.
  enlace.opciones["SufijoPorBanda"] = false;
  enlace.sufijo = {true, true, true, true, true};
  Abre().Pulsa(B::Aceptar);
  EXPECT_EQ(enlace.sufijo, (FormatoSufijo{}));
}

TEST_F(ListasReferencia, CancelarNoDevuelveNada) {
  enlace.opciones["CadaSufijo"] = true;
  const auto listas = enlace.listas;
  const auto sufijo = enlace.sufijo;
  const auto excluir = enlace.excluir;
  EditorListProv& v = Abre();
  v.Pulsa(B::ConfProv);
  v.Pulsa(B::InsertarProv);
  v.Pulsa(B::Finalizar);
  v.MarcaSufijo(0, false);
  v.MarcaExcluir(0, false);
  v.Pulsa(B::Cancelar);
  EXPECT_TRUE(v.Cerrada());
  EXPECT_EQ(enlace.listas, listas);
  EXPECT_EQ(enlace.sufijo, sufijo);
  EXPECT_EQ(enlace.excluir, excluir);
}

TEST_F(ListasReferencia, SoloConsulta) {
  enlace.soloConsulta = 1;
  enlace.opciones["CadaSufijo"] = true;
  enlace.listas["ListaExPrefijos"].clear();
  EditorListProv& v = Abre();
  EXPECT_EQ(v.Titulo(B::ConfProv), "Ver Provincias");
  EXPECT_EQ(v.Titulo(B::ConfZonaCq), "Configurar Zona Cq");
  EXPECT_EQ(v.Titulo(B::Finalizar), "F10   &Finalizar Ver");
  EXPECT_FALSE(v.Habilitado(B::Aceptar));
  EXPECT_FALSE(v.MarcoHabilitado(EditorListProv::kFormatoSufijo));
  EXPECT_TRUE(v.Habilitado(B::ConfSufijos));
  // An empty list is not opened for viewing.
  v.Pulsa(B::ConfPrefijos);
  EXPECT_FALSE(v.ListaAbierta());
  EXPECT_EQ(v.FocoActual(), (F{F::Tipo::Boton, 0, 0, 0, B::Cancelar}));
  v.Pulsa(B::ConfProv);
  EXPECT_TRUE(v.ListaAbierta());
  for (B b : {B::Modificar, B::Anadir, B::Borra, B::Anular, B::InsertarProv, B::Aceptar, B::Cancelar})
    EXPECT_FALSE(v.Habilitado(b));
  EXPECT_TRUE(v.Habilitado(B::Finalizar));
  v.Form_KeyDown(tecla::Fin);
  v.Form_KeyDown(tecla::Abajo);  // no new row
  EXPECT_EQ(v.Lista(LProvincias).EstadoLinea, "");
  v.Pulsa(B::Finalizar);
  EXPECT_FALSE(v.Habilitado(B::Aceptar));
  EXPECT_TRUE(v.Habilitado(B::Cancelar));
}

TEST_F(ListasReferencia, CatorceProvinciasYUnaMas) {
  enlace.listas["ListaProv"].clear();
  enlace.listas["ListaExProv"].clear();
  for (int i = 1; i <= 14; ++i) {
    enlace.listas["ListaProv"].push_back("P" + std::to_string(i));
    enlace.listas["ListaExProv"].push_back("");
  }
  EditorListProv& v = Abre();
  v.Pulsa(B::ConfProv);
  v.Form_KeyDown(tecla::Fin);
  const EditorListaReferencia& p = v.Lista(LProvincias);
  ASSERT_EQ(p.ElementoActual, 14);
  v.Form_KeyDown(tecla::Abajo);
  EXPECT_EQ(p.Serie(0), "15");
  EXPECT_EQ(p.Celda(1, 0), "");
  const int pitidos = v.Pitidos();
  v.Form_KeyDown(tecla::Arriba);
  EXPECT_EQ(v.Pitidos(), pitidos + 1);
  EXPECT_EQ(p.ElementoActual, 14);
  EXPECT_EQ(p.Celda(13, 0), "P14");
  v.Form_KeyDown(tecla::Abajo);
  Teclea(0, "XX");
  v.Form_KeyDown(tecla::F12);
  EXPECT_EQ(p.Celda(0, 0), "XX");
  EXPECT_EQ(p.Serie(0), "15");
  EXPECT_TRUE(p.Marcada(0));
}

}  // namespace
