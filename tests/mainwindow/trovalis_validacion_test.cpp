// The checks before a save as the main window shows them: the operator
// presses F12 on a modified contest and gets the box of the first check that
// fails, the focus on the control to correct and the texts as the checks
// left them. The checks themselves are tested headless in
// comprobacion_concurso_test.cpp.
#include <functional>

#include "editor_prueba.h"
#include "soporte/mensajes_guion.h"

using prueba::Formulario;

namespace {

using plataforma::Icono;

class Validacion : public prueba::EditorConcurso {
 public:
  void SetUp() override {
    EditorConcurso::SetUp();
    CreaConcurso();
    carpeta.AgregaConcurso(2, "OTRO", "2025");
    carpeta.AgregaConcurso(3, "O'DONNELL", "2024");
    Prepara();
  }

  // The window started again on the same folder, modifying contest 1 with
  // valid values typed in the forms the checks normalise.
  void Prepara() {
    Arranca();
    Formulario(*ventana).ModificarReg->click();
    ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Modificar);
    PonTexto(3, "05/03/2018");
    PonTexto(4, "1230");
    PonTexto(5, "06032018");
    PonTexto(6, "12:30");
    Formulario(*ventana).Banda[4]->click();
    Formulario(*ventana).Modo[1]->click();
  }

  // The operator's F12.
  void PulsaF12() { prueba::PulsaTecla(ventana.get(), Qt::Key_F12); }
};

constexpr int kFocoMultiplicadores = -1;

struct Fallo {
  const char* descripcion;
  std::function<void(Validacion&)> prepara;
  const char* titulo;  // nullptr: no box
  Icono icono;
  int foco;  // text box, or kFocoMultiplicadores
};

std::vector<Fallo> Fallos() {
  auto texto = [](int i, const char* t) { return [i, t](Validacion& v) { v.PonTexto(i, t); }; };
  return {
      {"nombre de blancos", texto(1, "   "), "Concurso", Icono::Pregunta, 1},
      {"fecha imposible", texto(3, "31-02-2018"), "VERIFICAR FORMATO FECHA ", Icono::Pregunta, 3},
      {"hora de cinco sin dos puntos, sin aviso", texto(4, "12.30"), nullptr, Icono::Ninguno, 4},
      {"comienzo después del final", texto(5, "04-03-2018"), ".- ERROR EN FECHAS", Icono::Pregunta, 5},
      {"sin modo", [](Validacion& v) { Formulario(*v.ventana).Modo[1]->click(); }, "VERIFICAR MODO", Icono::Error, 1},
      {"multiplicadores solo por banda",
       [](Validacion& v) {
         Formulario(*v.ventana).Multiplicadores->click();
         Formulario(*v.ventana).CadaBanda->click();
       },
       "VERIFICAR MULTIPLICADORES", Icono::Error, kFocoMultiplicadores},
      {"puntos con letras",
       [](Validacion& v) {
         Formulario(*v.ventana).RecibirPuntos->click();
         v.PonTexto(25, "X");
       },
       "VERIFICAR NUMERO ", Icono::Pregunta, 25},
      {"provincias sin lista",
       [](Validacion& v) {
         Formulario(*v.ventana).Multiplicadores->click();
         Formulario(*v.ventana).CadaProv->click();
       },
       ".- ERROR MULTIPLICADORES POR PROVINCIAS", Icono::Error, 1},
  };
}

TEST_F(Validacion, UnConcursoValidoSeGuardaNormalizado) {
  soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar, "Modificación del Concurso efectuada");
  PulsaF12();
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
  EXPECT_EQ(Texto(3), "05-03-2018");
  EXPECT_EQ(Texto(4), "12:30");
  EXPECT_EQ(Texto(5), "06-03-2018");
  EXPECT_EQ(Texto(6), "12:30");
  // A blank points box stays blank (the scoring reads it as no points).
  EXPECT_EQ(Texto(7), "");
  const prueba::Filas filas =
      prueba::LeeFilas(carpeta.Ruta() + "/Ledrima", "SELECT DesdeDia, DesdeHora FROM Concursos WHERE NumeroOrden = 1");
  ASSERT_EQ(filas.size(), 1u);
  EXPECT_EQ(filas[0][1], "12:30");
}

TEST_F(Validacion, CadaPasoFallidoDaSuCajaYPoneElFoco) {
  for (const Fallo& f : Fallos()) {
    SCOPED_TRACE(f.descripcion);
    TearDown();
    soporte::Mensajes().Reinicia();
    Prepara();
    f.prepara(*this);
    if (f.titulo) soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar);
    PulsaF12();
    const auto& cajas = soporte::Mensajes().Cajas();
    EXPECT_EQ(cajas.size(), f.titulo ? 1u : 0u);
    if (f.titulo && cajas.size() == 1) {
      EXPECT_EQ(cajas[0].titulo, f.titulo);
      EXPECT_EQ(cajas[0].icono, f.icono);
    }
    // Still editing, with the focus where the correction goes.
    EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Modificar);
    QWidget* foco = f.foco == kFocoMultiplicadores ? static_cast<QWidget*>(Formulario(*ventana).Multiplicadores)
                                                   : Formulario(*ventana).Text3[static_cast<std::size_t>(f.foco)];
    EXPECT_EQ(Foco(), foco) << (Foco() ? Foco()->objectName().toStdString() : "ninguno");
  }
}

TEST_F(Validacion, LasFechasSoloSeMuestranNormalizadasCuandoPasaElPeriodo) {
  // The typed fields pass (the start date is normalised), the period does
  // not: the boxes show the typed-field pass only.
  PonTexto(6, "25:00");
  soporte::Mensajes().Espera();
  PulsaF12();
  EXPECT_EQ(Texto(3), "05-03-2018");
  EXPECT_EQ(Texto(4), "1230");
  EXPECT_EQ(Foco(), Formulario(*ventana).Text3[6]);
}

TEST_F(Validacion, ElCampoDeHorasCerradoSeAbreParaCorregirlo) {
  Formulario(*ventana).RepetirCadaHoras->click();
  Formulario(*ventana).RepetirEnCadaBanda->click();
  ASSERT_FALSE(Formulario(*ventana).Text3[26]->isEnabled());
  soporte::Mensajes().Espera();
  PulsaF12();
  EXPECT_TRUE(Formulario(*ventana).Text3[26]->isEnabled());
  EXPECT_FALSE(Formulario(*ventana).Bloqueado(26));
  EXPECT_EQ(Foco(), Formulario(*ventana).Text3[26]);
  // The hours typed there are taken.
  PonTexto(26, "24");
  soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar, "Modificación del Concurso efectuada");
  PulsaF12();
  EXPECT_EQ(Texto(26), "23:59");
}

TEST_F(Validacion, LaListaQueDaElEditorDeListasCuentaAlGuardar) {
  Formulario(*ventana).Multiplicadores->click();
  Formulario(*ventana).CadaPais->click();
  Formulario(*ventana).ExcluirPais->click();
  ventana->Contexto().OpcionExcluirMismoPais = false;
  soporte::Mensajes().Espera();
  PulsaF12();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, ".- ERROR PAÍSES EXCLUIDOS");
  EXPECT_EQ(Foco(), Formulario(*ventana).Text3[1]);

  ventana->EnlaceListas()->PonLista("ListaExPaises", {"EA8"});
  soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar, "Modificación del Concurso efectuada");
  PulsaF12();
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
  EXPECT_EQ(ventana->EnlaceListas()->Lista("ListaExPaises"), std::vector<std::string>{"EA8"});
}

// A create with the name and edition of a stored contest is refused before
// any other check; the name and edition are looked up as values.
TEST_F(Validacion, ElAltaNoRepiteNombreYEdicion) {
  struct Caso {
    const char* nombre;
    const char* edicion;
    bool existe;
  };
  const Caso casos[] = {{"PRUEBA", "2025", true},
                        {"PRUEBA", "2024", false},
                        {"O'DONNELL", "2024", true},
                        {"X' OR '1'='1", "2025", false}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    TearDown();
    soporte::Mensajes().Reinicia();
    Arranca();
    EmpiezaEdicion(false);
    PonTexto(1, c.nombre);
    PonTexto(2, c.edicion);
    soporte::Mensajes().Espera();
    PulsaF12();
    ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
    const soporte::CajaMostrada& caja = soporte::Mensajes().Cajas()[0];
    if (c.existe) {
      EXPECT_EQ(caja.texto, "Ya hay un concurso con el MISMO NOMBRE y EDICIÓN");
      EXPECT_EQ(Foco(), Formulario(*ventana).Text3[1]);
    } else {
      // On to the period, which is blank.
      EXPECT_EQ(caja.titulo, "FECHA DEL CONCURSO");
    }
  }
}

}  // namespace
