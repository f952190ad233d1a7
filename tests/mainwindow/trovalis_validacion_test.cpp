#include <QListWidget>
#include <functional>

#include "editor_prueba.h"
#include "soporte/mensajes_guion.h"

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

  // The window started again on the same folder, with the valid contest in
  // the editor.
  void Prepara() {
    Arranca();
    EmpiezaEdicion(false);
    // A valid contest, typed in the forms the checks normalise.
    PonTexto(0, "1");
    PonTexto(1, "PRUEBA");
    PonTexto(2, "2025");
    PonTexto(3, "05/03/2018");
    PonTexto(4, "1230");
    PonTexto(5, "06032018");
    PonTexto(6, "12:30");
    ventana->Banda[4]->setChecked(true);
    ventana->Modo[1]->setChecked(true);
    ventana->Contexto().NombreConcurso = "PRUEBA";
  }

  // The checks as a create or a save runs them; the focus moves of the
  // caller included.
  bool Guarda() {
    auto& campos = ventana->CamposConcurso;
    for (int i = 0; i < principal::kNumeroCamposTexto; ++i) campos[static_cast<std::size_t>(i)] = Texto(i);
    std::int16_t indice = 0;
    if (!ventana->VerificaFormatoCampos(ventana->Contexto().DefinicionConcursos, campos, indice)) {
      ventana->Text3[static_cast<std::size_t>(indice)]->setFocus();
      return false;
    }
    for (int i = 0; i < principal::kNumeroCamposTexto; ++i) PonTexto(i, campos[static_cast<std::size_t>(i)]);
    if (!ventana->VerificaDatosConcurso(campos)) return false;
    if (!ventana->VerificaListasMultiplicadores()) {
      ventana->Text3[1]->setFocus();
      return false;
    }
    return true;
  }
};

constexpr int kFocoMultiplicadores = -1;

struct Fallo {
  const char* descripcion;
  std::function<void(Validacion&)> prepara;
  const char* texto;   // nullptr: no box
  const char* titulo;
  Icono icono;
  int foco;  // text box, or kFocoMultiplicadores
};

const char* const kBlanco = "Este dato no se puede dejar en blanco";
const char* const kFecha = ".- ERROR en FORMATO fecha";
const char* const kHora =
    ".- ERROR en formato de la hora.- Formato admitido: hh:mm. Hora igual o menor que 23 y minutos igual o menor "
    "que 59";
const char* const kFechas = "Fecha y Hora de comienzo del CONCURSO mayor o igual que la fecha final";

std::vector<Fallo> Fallos() {
  auto texto = [](int i, const char* t) { return [i, t](Validacion& v) { v.PonTexto(i, t); }; };
  return {
      {"nombre de blancos", texto(1, "   "), kBlanco, "Concurso", Icono::Pregunta, 1},
      {"nombre con barra", texto(1, "A/B"), nullptr, "VERIFICAR NOMBRE DEL CONCURSO", Icono::Error, 1},
      {"nombre con barra invertida", texto(1, "A\\B"), nullptr, "VERIFICAR NOMBRE DEL CONCURSO", Icono::Error, 1},
      {"nombre con dos puntos seguidos", texto(1, ".."), nullptr, "VERIFICAR NOMBRE DEL CONCURSO", Icono::Error, 1},
      {"edición vacía", texto(2, ""), kBlanco, "Edicion", Icono::Pregunta, 2},
      {"edición con dos puntos", texto(2, "1..2"), nullptr, "VERIFICAR EDICION DEL CONCURSO", Icono::Error, 2},
      {"otro concurso con la misma edición",
       [](Validacion& v) { v.PonTexto(1, "OTRO"); },
       "Ya existe otro Concurso con la misma Edición", ".- ERROR EN NUEVA EDICIÖN)", Icono::Error, 2},
      {"un nombre con apóstrofo se busca como cualquier otro",
       [](Validacion& v) {
         v.PonTexto(1, "O'DONNELL");
         v.PonTexto(2, "2024");
       },
       "Ya existe otro Concurso con la misma Edición", ".- ERROR EN NUEVA EDICIÖN)", Icono::Error, 2},
      {"fecha de comienzo vacía", texto(3, ""), kBlanco, "FECHA DEL CONCURSO", Icono::Pregunta, 3},
      {"fecha imposible", texto(3, "31-02-2018"), kFecha, "VERIFICAR FORMATO FECHA ", Icono::Pregunta, 3},
      {"fecha sin ceros", texto(3, "5/3/2018"), kFecha, "VERIFICAR FORMATO FECHA ", Icono::Pregunta, 3},
      {"hora de comienzo vacía", texto(4, ""), kBlanco, "HORA DEL COMIENZO CONCURSO", Icono::Pregunta, 4},
      {"hora 24", texto(4, "24:00"), kHora, "VERIFICAR HORA", Icono::Informacion, 4},
      {"minuto 60", texto(4, "1260"), kHora, "VERIFICAR HORA", Icono::Informacion, 4},
      {"hora de tres cifras", texto(4, "123"), kHora, "VERIFICAR HORA", Icono::Informacion, 4},
      {"hora de cinco sin dos puntos, sin aviso", texto(4, "12.30"), nullptr, nullptr, Icono::Ninguno, 4},
      {"minuto 60 con dos puntos", texto(4, "12:60"), kHora, "VERIFICAR HORA", Icono::Informacion, 4},
      {"una letra por hora", texto(4, "A"), kHora, "VERIFICAR HORA", Icono::Informacion, 4},
      {"fecha final vacía", texto(5, ""), kBlanco, "FECHA DEL CONCURSO", Icono::Pregunta, 5},
      {"hora final vacía", texto(6, " "), kBlanco, "HORA DEL FINAL CONCURSO", Icono::Pregunta, 6},
      {"hora final imposible", texto(6, "25:00"), kHora, "VERIFICAR HORA", Icono::Informacion, 6},
      {"comienzo igual al final",
       [](Validacion& v) {
         v.PonTexto(5, "05-03-2018");
         v.PonTexto(6, "12:30");
       },
       kFechas, ".- ERROR EN FECHAS", Icono::Pregunta, 5},
      {"comienzo después del final", texto(5, "04-03-2018"), kFechas, ".- ERROR EN FECHAS", Icono::Pregunta, 5},
      {"sin banda", [](Validacion& v) { v.ventana->Banda[4]->setChecked(false); },
       "No hay ninguna BANDA configurada", "VERIFICAR BANDA", Icono::Error, 1},
      {"sin banda y con fecha mala: solo la fecha",
       [](Validacion& v) {
         v.ventana->Banda[4]->setChecked(false);
         v.PonTexto(5, "32-01-2018");
       },
       kFecha, "VERIFICAR FORMATO FECHA ", Icono::Pregunta, 5},
      {"sin modo", [](Validacion& v) { v.ventana->Modo[1]->setChecked(false); }, "No hay ningún MODO configurado",
       "VERIFICAR MODO", Icono::Error, 1},
      {"repetir cada sin horas", [](Validacion& v) { v.ventana->RepetirCadaHoras->setChecked(true); },
       "Falta el número de horas en que se puede REPETIR ESTACIÓN (Poner 24 para repetir contacto por dia )",
       "VERIFICAR HORAS DE REPETICION", Icono::Error, 26},
      {"repetir cada con hora mala",
       [](Validacion& v) {
         v.ventana->RepetirCadaHoras->setChecked(true);
         v.PonTexto(26, "25:00");
       },
       kHora, "VERIFICAR HORA", Icono::Informacion, 26},
      {"multiplicadores solo por banda",
       [](Validacion& v) {
         v.ventana->Multiplicadores->setChecked(true);
         v.ventana->CadaBanda->setChecked(true);
       },
       "Se ha configurado 'Multiplicadores Por' y no se ha definido ningún tipo de multiplicador",
       "VERIFICAR MULTIPLICADORES", Icono::Error, kFocoMultiplicadores},
      {"puntos que no son un número entero",
       [](Validacion& v) {
         v.ventana->RecibirPuntos->setChecked(true);
         v.PonTexto(12, "1.");
       },
       ".- ERROR en FORMATO NUMERICO", "VERIFICAR NUMERO ", Icono::Pregunta, 12},
      {"puntos con letras",
       [](Validacion& v) {
         v.ventana->RecibirPuntos->setChecked(true);
         v.PonTexto(25, "X");
       },
       ".- ERROR en FORMATO NUMERICO", "VERIFICAR NUMERO ", Icono::Pregunta, 25},
      {"provincias sin lista",
       [](Validacion& v) {
         v.ventana->Multiplicadores->setChecked(true);
         v.ventana->CadaProv->setChecked(true);
       },
       ".- Se ha activado 'multiplicador por Provincia' y no se ha configurado la Lista de códigos de Provincias "
       "válidas.\n\n.- Pulse el botón 'Configuración Avanzada' del panel de multiplicadores y configure los códigos",
       ".- ERROR MULTIPLICADORES POR PROVINCIAS", Icono::Error, 1},
  };
}

TEST_F(Validacion, UnConcursoValidoPasaNormalizado) {
  EXPECT_TRUE(Guarda());
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
  EXPECT_EQ(Texto(3), "05-03-2018");
  EXPECT_EQ(Texto(4), "12:30");
  EXPECT_EQ(Texto(5), "06-03-2018");
  EXPECT_EQ(Texto(6), "12:30");
  // A blank points box stays blank (the scoring reads it as no points).
  EXPECT_EQ(Texto(7), "");
}

TEST_F(Validacion, CadaPasoFallidoDaSuMensajeYPoneElFoco) {
  for (const Fallo& f : Fallos()) {
    SCOPED_TRACE(f.descripcion);
    TearDown();
    soporte::Mensajes().Reinicia();
    Prepara();
    f.prepara(*this);
    if (f.titulo)
      soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar,
                                 f.texto ? std::optional<std::string>(f.texto) : std::nullopt);
    EXPECT_FALSE(Guarda());
    const auto& cajas = soporte::Mensajes().Cajas();
    EXPECT_EQ(cajas.size(), f.titulo ? 1u : 0u);
    if (f.titulo && cajas.size() == 1) {
      EXPECT_EQ(cajas[0].titulo, f.titulo);
      EXPECT_EQ(cajas[0].icono, f.icono);
    }
    QWidget* foco = f.foco == kFocoMultiplicadores ? static_cast<QWidget*>(ventana->Multiplicadores)
                                                   : ventana->Text3[static_cast<std::size_t>(f.foco)];
    EXPECT_EQ(Foco(), foco) << (Foco() ? Foco()->objectName().toStdString() : "ninguno");
  }
}

TEST_F(Validacion, LasFechasSeCompruebanTambienEnLosDatosDelConcurso) {
  // Straight to the editor checks, without the typed-field pass before them.
  for (int indice : {3, 5}) {
    SCOPED_TRACE(indice);
    soporte::Mensajes().Reinicia();
    auto& campos = ventana->CamposConcurso;
    for (int i = 0; i < principal::kNumeroCamposTexto; ++i) campos[static_cast<std::size_t>(i)] = Texto(i);
    campos[static_cast<std::size_t>(indice)] = "30-02-2018";
    soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar, ".- ERROR en FORMATO fecha");
    EXPECT_FALSE(ventana->VerificaDatosConcurso(campos));
    EXPECT_EQ(Foco(), ventana->Text3[static_cast<std::size_t>(indice)]);
    // Nothing is written back before the whole period has passed.
    EXPECT_EQ(Texto(3), "05/03/2018");
  }
}

TEST_F(Validacion, LasFechasYHorasSeGuardanNormalizadas) {
  PonTexto(3, "0503201812");  // two digits too many
  PonTexto(4, "0");
  PonTexto(5, "07-03-18");    // two-digit year
  PonTexto(6, "0930");
  ASSERT_TRUE(Guarda());
  EXPECT_EQ(Texto(3), "05-03-2018");
  EXPECT_EQ(Texto(4), "00:00");
  EXPECT_EQ(Texto(5), "07-03-2018");
  EXPECT_EQ(Texto(6), "09:30");
}

TEST_F(Validacion, LaRepeticionDe24HorasEsUnDiaYSinRepetirCadaNoSeMira) {
  PonTexto(26, "XX");
  EXPECT_TRUE(Guarda());
  ventana->RepetirCadaHoras->setChecked(true);
  PonTexto(26, "24");
  EXPECT_TRUE(Guarda());
  EXPECT_EQ(Texto(26), "23:59");
}

TEST_F(Validacion, ElCampoDeHorasCerradoSeAbreParaCorregirlo) {
  ventana->RepetirCadaHoras->setChecked(true);
  ventana->RepetirEnCadaBanda->setChecked(true);
  ASSERT_FALSE(ventana->Text3[26]->isEnabled());
  soporte::Mensajes().Espera();
  EXPECT_FALSE(Guarda());
  EXPECT_TRUE(ventana->Text3[26]->isEnabled());
  EXPECT_FALSE(ventana->Bloqueado(26));
  EXPECT_EQ(Foco(), ventana->Text3[26]);
}

// The name as loaded is not looked up again with the edition; a name and
// edition that are another contest's are still refused, for the folder they
// would share.
TEST_F(Validacion, SinCambiarElNombreNoSeBuscaOtraEdicion) {
  PonTexto(1, "OTRO");
  PonTexto(2, "2024");
  ventana->Contexto().NombreConcurso = "OTRO";
  EXPECT_TRUE(Guarda());
  PonTexto(2, "2025");
  soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar);
  EXPECT_FALSE(Guarda());
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, "VERIFICAR NOMBRE DEL CONCURSO");
}

TEST_F(Validacion, ListasQueFaltanYCategorias) {
  // Exclude-own-country covers an empty excluded-country list.
  ventana->Multiplicadores->setChecked(true);
  ventana->CadaPais->setChecked(true);
  ventana->ExcluirPais->setChecked(true);
  ventana->Contexto().OpcionExcluirMismoPais = true;
  EXPECT_TRUE(Guarda());
  ventana->Contexto().OpcionExcluirMismoPais = false;
  soporte::Mensajes().Espera();
  EXPECT_FALSE(Guarda());
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, ".- ERROR PAÍSES EXCLUIDOS");
  ventana->ListaOculta("ListaExPaises")->addItem("EA8");
  EXPECT_TRUE(Guarda());

  // A contest whose categories were never configured.
  PonTexto(0, "2");
  PonTexto(1, "OTRO");
  ventana->Contexto().NombreConcurso = "OTRO";
  soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar,
                             ".- No se han configurado las categorías válidas para el concurso\n\n.- Pulse el "
                             "botón 'Configurar CATEGORÍAS concurso' y configure las categorías");
  EXPECT_FALSE(Guarda());
  EXPECT_EQ(soporte::Mensajes().Cajas().back().titulo, ".- ERROR MULTIPLICADORES POR SUFIJOS");
  EXPECT_EQ(Foco(), ventana->Text3[1]);
}

TEST_F(Validacion, ExisteConcursoBuscaNombreYEdicionComoValores) {
  EXPECT_TRUE(ventana->ExisteConcurso("PRUEBA", "2025"));
  EXPECT_FALSE(ventana->ExisteConcurso("PRUEBA", "2024"));
  EXPECT_TRUE(ventana->ExisteConcurso("O'DONNELL", "2024"));
  EXPECT_FALSE(ventana->ExisteConcurso("X' OR '1'='1", "2025"));
}

TEST_F(Validacion, ComprobacionesPublicasDeCampos) {
  std::string v = "   ";
  EXPECT_TRUE(ventana->VerificarCampoVacio(v));
  EXPECT_EQ(v, "");
  v = " \tA";
  EXPECT_FALSE(ventana->VerificarCampoVacio(v));
  v = "  ";
  EXPECT_TRUE(ventana->VerificaFormatoFecha(v));
  EXPECT_EQ(v, "");
  v = "";
  EXPECT_TRUE(ventana->VerificaFormatoHora(v));
  v = "12:30";
  EXPECT_TRUE(ventana->VerificaFormatoHora(v));
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
  // Longer than the box takes, as another caller may pass it.
  v = "12:300";
  soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar, kHora);
  EXPECT_FALSE(ventana->VerificaFormatoHora(v));
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, "VERIFICAR HORA");
}

}  // namespace
