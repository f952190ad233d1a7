#include <gtest/gtest.h>
#include <sqlite3.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <cstdlib>
#include <filesystem>

#include "fixture_principal.h"
#include "mail/ges_automatica.h"
#include "cabrillo/contexto_concurso.h"
#include "mainwindow/trovalis.h"
#include "soporte/mensajes_guion.h"

using prueba::Formulario;

using principal::VentanaSecundaria;

namespace {

class VentanaPrincipal : public ::testing::Test {
 protected:
  void SetUp() override {}
  void TearDown() override { ventana.reset(); }

  // Builds the window on the fixture folder and runs its loading.
  bool Carga(std::vector<std::string> impresoras = {"PDF", "Laser"}) {
    auto s = std::make_unique<prueba::ServiciosGrabados>(std::move(impresoras));
    servicios = s.get();
    ventana = std::make_unique<Trovalis>(std::move(s));
    return ventana->Form_Load();
  }
  // Loading, showing and the first activation.
  void Arranca() {
    ASSERT_TRUE(Carga());
    ventana->show();
    ventana->activateWindow();
    QApplication::setActiveWindow(ventana.get());
    ventana->Form_Activate();
    QApplication::processEvents();
  }

  void Pulsa(int tecla, Qt::KeyboardModifiers mod = Qt::NoModifier, const QString& texto = {}) {
    QWidget* destino = QApplication::focusWidget() ? QApplication::focusWidget() : ventana.get();
    QKeyEvent pulsada(QEvent::KeyPress, tecla, mod, texto);
    QApplication::sendEvent(destino, &pulsada);
    QKeyEvent soltada(QEvent::KeyRelease, tecla, mod, texto);
    QApplication::sendEvent(destino, &soltada);
  }
  void Teclea(const QString& texto) {
    for (QChar c : texto) Pulsa(c.toUpper().unicode(), Qt::NoModifier, QString(c));
  }
  int Enfocado() const {
    for (int i = 0; i < principal::kNumeroCamposTexto; ++i)
      if (Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->hasFocus()) return i;
    return -1;
  }
  void Enfoca(int i) {
    Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->setFocus();
    QApplication::processEvents();
  }
  std::string Texto(int i) const {
    return Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->text().toStdString();
  }
  void PonTexto(int i, const std::string& t) {
    Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->setText(QString::fromStdString(t));
  }
  // The record's fields as a create or a save writes them: the contest in
  // the editor with the shared values of the run's context.
  void GrabaConcurso(principal::RegistroConcurso& fila) {
    const ContextoConcurso& c = ventana->Contexto();
    ventana->Concurso().GrabaCampos(
        fila, {c.OpcionExcluirMismaProv, c.OpcionExcluirMismoDist, c.OpcionExcluirMismoPais,
               c.OpcionExcluirMismoPrefijo, c.OpcionExcluirMismaZonaCQ, c.CorreoReclamaciones, c.DireccionWebConcurso});
  }
  // Background colour of a box as the active window paints it.
  QColor Fondo(int i) const {
    return Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->palette().color(QPalette::Active, QPalette::Base);
  }
  // The colour actually drawn in the middle of an empty stretch of the box.
  QColor Pintado(int i) const {
    QLineEdit* t = Formulario(*ventana).Text3[static_cast<std::size_t>(i)];
    const QImage imagen = t->grab().toImage();
    return imagen.pixelColor(imagen.width() - 6, imagen.height() / 2);
  }
  // A click of the left button on a box, delivered to the window as the
  // windowing system delivers it (the window finds the box under it).
  void Pincha(int i) {
    QLineEdit* t = Formulario(*ventana).Text3[static_cast<std::size_t>(i)];
    QWindow* w = ventana->window()->windowHandle();
    ASSERT_NE(w, nullptr);
    const QPointF punto = t->mapTo(ventana->window(), QPointF(t->width() - 4, t->height() / 2));
    const QPointF global = ventana->window()->mapToGlobal(punto);
    QMouseEvent pulsado(QEvent::MouseButtonPress, punto, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &pulsado);
    QMouseEvent soltado(QEvent::MouseButtonRelease, punto, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &soltado);
    QApplication::processEvents();
  }
  std::int64_t ConcursoActivoGuardado() {
    sqlite3* db = nullptr;
    sqlite3_open((carpeta.Ruta() + "/Ledrima").c_str(), &db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT ConcursoActivo FROM ControlConcursos", -1, &st, nullptr);
    std::int64_t r = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
    sqlite3_finalize(st);
    sqlite3_close(db);
    return r;
  }

  prueba::CarpetaPrueba carpeta;
  prueba::ServiciosGrabados* servicios = nullptr;
  std::unique_ptr<Trovalis> ventana;
};

// The captions the operator reads, as the window is designed (before the
// start-up, which rewrites the captions of the three period boxes).
TEST_F(VentanaPrincipal, RotulosYEstadoDeDiseno) {
  Trovalis v(std::make_unique<prueba::ServiciosGrabados>(std::vector<std::string>{}));
  const std::vector<std::pair<const char*, const char*>> rotulos = {
      // frames
      {"MarcoBandas", "Bandas MHZ"},
      {"MarcoModos", "Modos"},
      {"MarcoPuntos", "PUNTOS  por banda y continente"},
      {"MarcoControles", "Controles"},
      {"MarcoRepetir", "REPETIR ESTACIÓN"},
      {"MarcoMultiplicadores", "MULTIPLICADORES"},
      {"PanelImpresora", "SELECCIONE UNA IMPRESORA"},
      {"SeleccionConcurso", "SELECCIONE UN CONCURSO"},
      // labels of the text boxes
      {"LNumero", "Número"},
      {"LConcurso", "Concurso"},
      {"LEdicion", "Edición"},
      {"LDesdeDia", "Desde día"},
      {"LDesdeHora", "Hora"},
      {"LHastaDia", "Hasta día"},
      {"LHastaHora", "Hora"},
      {"LPuntos_0", "1,8"},
      {"LPuntos_1", "3.5"},
      {"LPuntos_8", "28"},
      {"LMismoContinente", "Mismo Continente"},
      {"LDistintoContinente", "Distinto"},
      {"LPuntosMismoPais", "PUNTOS con mismo País"},
      {"LHoras", "Horas"},
      {"LEnviar", "A ENVIAR"},
      {"LRecibir", "A RECIBIR"},
      // command buttons
      {"AltaReg", "&Altas"},
      {"ConsultaReg", "&Consultar "},
      {"ModificarReg", "&Modificar "},
      {"BorrarReg", "&Borrar"},
      {"Bases", "&Obtener Bases "},
      {"GestionListas", "Gestión de LISTAS"},
      {"Aceptar", "&Aceptar"},
      {"Cancelar", "&Cancelar"},
      {"FinClientes", "SALIR"},
      {"SeleccionarImpresora", "Selección Impresora"},
      {"AceptarImpresora", "Aceptar"},
      {"ConfDistritosValidos", "Configurar Distritos Válidos"},
      {"ConfSiglasValidas", "Configurar Siglas Válidas"},
      {"ConfPaisesExc", "Configurar Países Excluidos"},
      {"ConfPrefijos", "Configurar Prefijos Excluidos"},
      {"ConfZonaExcluida", "Configurar Zonas Excluidas"},
      {"ConfSufijo", "Configurar Formato Sufijo"},
      {"ConfEstEsp", "Configurar Estaciones"},
      {"ConfMultEstacionesEspeciales", "Configurar Multiplicadores Estaciones Especiales"},
      {"Especiales", "Puntos por Banda,Modo y Especiales"},
      {"ConfigurarCabrillo", "Configurar CATEGORÍAS concurso"},
      // option buttons and check boxes
      {"GestionAutomatica", "Gestión CORREO"},
      {"GestionManual", "Gestión MANUAL"},
      {"VerificaNombre", "Verificar nombre EXACTO del concurso"},
      {"EnviarNumeral", "NUMERAL"},
      {"RecibirNumeral", "NUMERAL"},
      {"EnviarLocator", "LOCATOR"},
      {"RecibirLocator", "LOCATOR"},
      {"EnviarSiglas", "SIGLAS/LETRAS"},
      {"RecibirSiglas", "SIGLAS/LETRAS"},
      {"RecibirPuntos", "PUNTOS por QSO"},
      {"RecibirPuntosPorKM", "1 PUNTO por KM"},
      {"SiglasONumeral", "Recibir/Enviar SIGLAS o NUMERAL"},
      {"NoRepetir", "No repetir"},
      {"RepetirEstacion", "Puede Repetir"},
      {"RepetirEnCadaBanda", "Distinta Banda"},
      {"RepetirEnCadaModo", "Distinto Modo"},
      {"RepetirCadaHoras", "Repetir cada"},
      {"Multiplicadores", "Multiplicadores Por"},
      {"CadaBanda", "x Banda"},
      {"CadaDia", "x Día"},
      {"CadaModo", "x Modo"},
      {"CadaPais", "País"},
      {"CadaPrefijo", "Prefijo"},
      {"CadaProv", "Prov./Estados/Letras"},
      {"CadaDistrito", "Distrito"},
      {"CadaCq", "Por Zona CQ"},
      {"CadaSufijo", "Sufijo"},
      {"CadaEstacion", "Estaciones Multiplicadoras"},
      {"Otros", "Otras Letras"},
      {"CadaCuadricula", "Cuadrícula"},
      {"PaisPorBanda", "x Banda"},
      {"CQPorDia", "x Día"},
      {"CuadriculaPorModo", "x Modo"},
      {"ExcluirPais", "Excluir alguno"},
      {"ExcluirPrefijo", "Excluir alguno"},
      {"ExcluirProv", "Excluir alguna"},
      {"ExcluirDistrito", "Excluir alguno"},
      {"ExcluirCq", "Excluir alguna"},
      {"Banda_0", "1.8"},
      {"Banda_1", "3.5"},
      {"Banda_12", "1296"},
      {"Banda_13", "27"},
      {"Modo_0", "AM"},
      {"Modo_1", "CW"},
      {"Modo_6", "RY"},
      {"Modo_7", "PS"},
      {"Modo_11", "USER4"},
  };
  for (const auto& [nombre, rotulo] : rotulos) {
    SCOPED_TRACE(nombre);
    QWidget* w = v.findChild<QWidget*>(nombre);
    ASSERT_NE(w, nullptr);
    QString texto;
    if (auto* marco = qobject_cast<QGroupBox*>(w))
      texto = marco->title();
    else if (auto* boton = qobject_cast<QAbstractButton*>(w))
      texto = boton->text();
    else if (auto* etiqueta = qobject_cast<QLabel*>(w))
      texto = etiqueta->text();
    EXPECT_EQ(texto.toStdString(), rotulo);
  }

  // Enabled as designed: the seven list buttons of the option types wait for
  // their type; the three others are always there.
  const prueba::FormularioPrincipal f = Formulario(v);
  for (QPushButton* b : {f.AltaReg, f.Bases, f.FinClientes, f.SeleccionarImpresora, f.AceptarImpresora,
                         f.ConfMultEstacionesEspeciales, f.Especiales, f.ConfigurarCabrillo})
    EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
  for (QPushButton* b :
       {f.ConsultaReg, f.ModificarReg, f.BorrarReg, f.GestionListas, f.Aceptar, f.Cancelar, f.ConfDistritosValidos,
        f.ConfSiglasValidas, f.ConfPaisesExc, f.ConfPrefijos, f.ConfZonaExcluida, f.ConfSufijo, f.ConfEstEsp})
    EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
  EXPECT_FALSE(f.Text3[26]->isEnabled());
}

TEST_F(VentanaPrincipal, ArrancaConLaListaDeConcursosYElActivoEnElEditor) {
  carpeta.CreaBases(2);
  carpeta.AgregaConcurso(1, "zeta concurso", "2023");
  carpeta.AgregaConcurso(2, "COMARCAS", "2024", {{"DesdeDia", "2024-03-09"}, {"DesdeHora", "08:00"},
                                                 {"PuntosMismoPais", "2"}, {"CadaPais", "1"}});
  carpeta.AgregaConcurso(3, "Antena", "2022");
  Arranca();

  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
  EXPECT_EQ(ventana->windowTitle().toStdString(), "Trovalis - Versión 1.0.0.0");
  EXPECT_EQ(ventana->Contexto().CarpetaTrabajo, QDir::currentPath().toStdString());
  ASSERT_EQ(Formulario(*ventana).Combo1->count(), 3);
  EXPECT_EQ(Formulario(*ventana).Combo1->itemText(0).toStdString(), "Antena .- Edición: 2022");
  EXPECT_EQ(Formulario(*ventana).Combo1->itemText(1).toStdString(), "COMARCAS .- Edición: 2024");
  EXPECT_EQ(Formulario(*ventana).Combo1->itemText(2).toStdString(), "zeta concurso .- Edición: 2023");
  EXPECT_EQ(Formulario(*ventana).Combo1->currentData().toInt(), 2);

  EXPECT_EQ(Texto(0), "2");
  EXPECT_EQ(Texto(1), "COMARCAS");
  EXPECT_EQ(Texto(3), "09-03-2024");
  EXPECT_EQ(Texto(25), "2");
  EXPECT_TRUE(Formulario(*ventana).CadaPais->isChecked());
  EXPECT_FALSE(Formulario(*ventana).CadaPais->isEnabled());
  EXPECT_EQ(ventana->Contexto().NombreConcurso, "COMARCAS");
  EXPECT_EQ(ventana->Contexto().NumeroConcursoActual, 2);
  EXPECT_TRUE(std::filesystem::is_directory(carpeta.Ruta() + "/COMARCAS_2024/ListasValidas"));
  EXPECT_EQ(ConcursoActivoGuardado(), 2);

  for (QPushButton* b :
       {Formulario(*ventana).AltaReg, Formulario(*ventana).ConsultaReg, Formulario(*ventana).SeleccionarImpresora,
        Formulario(*ventana).FinClientes, Formulario(*ventana).GestionListas, Formulario(*ventana).ModificarReg,
        Formulario(*ventana).BorrarReg, Formulario(*ventana).Bases})
    EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
  EXPECT_FALSE(Formulario(*ventana).Aceptar->isEnabled());
  EXPECT_FALSE(Formulario(*ventana).Cancelar->isEnabled());
  EXPECT_TRUE(Formulario(*ventana).AltaReg->hasFocus());
  EXPECT_FALSE(Formulario(*ventana).SeleccionConcurso->isVisible());
  EXPECT_FALSE(Formulario(*ventana).PanelImpresora->isVisible());

  // Maximum lengths from the table definition.
  EXPECT_EQ(Formulario(*ventana).Text3[0]->maxLength(), 11);
  EXPECT_EQ(Formulario(*ventana).Text3[1]->maxLength(), 64);
  EXPECT_EQ(Formulario(*ventana).Text3[2]->maxLength(), 4);
  EXPECT_EQ(Formulario(*ventana).Text3[3]->maxLength(), 10);
  EXPECT_EQ(Formulario(*ventana).Text3[4]->maxLength(), 5);
  EXPECT_EQ(Formulario(*ventana).Text3[12]->maxLength(), 2);
  EXPECT_EQ(Formulario(*ventana).Text3[26]->maxLength(), 5);
  // Every box starts closed.
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i) EXPECT_TRUE(Formulario(*ventana).Bloqueado(i)) << i;
}

TEST_F(VentanaPrincipal, SinConcursoActivoSeCargaElPrimeroDeLaLista) {
  carpeta.CreaBases(0);
  carpeta.AgregaConcurso(5, "BETA", "1");
  carpeta.AgregaConcurso(4, "alfa", "1");
  Arranca();
  EXPECT_EQ(Formulario(*ventana).Combo1->currentIndex(), 0);
  EXPECT_EQ(ventana->Contexto().NombreConcurso, "alfa");
  EXPECT_EQ(ConcursoActivoGuardado(), 4);
}

TEST_F(VentanaPrincipal, SinConcursosAvisaYDejaSoloLoQueNoLosNecesita) {
  carpeta.CreaBases(-1);
  soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar, "No hay Concursos CONFIGURADOS");
  Arranca();
  const auto& cajas = soporte::Mensajes().Cajas();
  ASSERT_EQ(cajas.size(), 1u);
  EXPECT_EQ(cajas[0].titulo, "DEFINA ALGUN CONCURSO");
  EXPECT_EQ(cajas[0].icono, plataforma::Icono::Informacion);
  EXPECT_EQ(Formulario(*ventana).Combo1->count(), 0);
  EXPECT_FALSE(ventana->Contexto().HayConcursoCargado);
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i) EXPECT_EQ(Texto(i), "") << i;
  for (QPushButton* b : {Formulario(*ventana).AltaReg, Formulario(*ventana).ConsultaReg,
                         Formulario(*ventana).SeleccionarImpresora, Formulario(*ventana).FinClientes})
    EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
  for (QPushButton* b :
       {Formulario(*ventana).Bases, Formulario(*ventana).BorrarReg, Formulario(*ventana).ModificarReg,
        Formulario(*ventana).GestionListas, Formulario(*ventana).Aceptar, Formulario(*ventana).Cancelar})
    EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
  EXPECT_TRUE(Formulario(*ventana).AltaReg->hasFocus());
  // The list buttons do nothing while no contest is known.
  Formulario(*ventana).ConfigurarCabrillo->click();
  Formulario(*ventana).Especiales->click();
  EXPECT_TRUE(servicios->ventanasAbiertas.empty());
}

TEST_F(VentanaPrincipal, UnaBaseQueFaltaDetieneElArranqueNombrandoElFichero) {
  carpeta.CreaBases(0);
  std::filesystem::remove(carpeta.Ruta() + "/Terravia");
  soporte::Mensajes().Espera();
  EXPECT_FALSE(Carga());
  const auto& cajas = soporte::Mensajes().Cajas();
  ASSERT_EQ(cajas.size(), 1u);
  EXPECT_EQ(cajas[0].titulo, "ERROR");
  EXPECT_EQ(cajas[0].icono, plataforma::Icono::Error);
  EXPECT_NE(cajas[0].texto.find(carpeta.Ruta() + "/Terravia"), std::string::npos) << cajas[0].texto;
  ventana->Form_Activate();  // nothing happens after a failed start-up
  EXPECT_EQ(cajas.size(), 1u);
}

TEST_F(VentanaPrincipal, SinLaBaseDeConcursosNoSeCreaOtraVacia) {
  carpeta.CreaBases(0);
  std::filesystem::remove(carpeta.Ruta() + "/Ledrima");
  soporte::Mensajes().Espera();
  EXPECT_FALSE(Carga());
  const auto& cajas = soporte::Mensajes().Cajas();
  ASSERT_EQ(cajas.size(), 1u);
  EXPECT_EQ(cajas[0].titulo, "ERROR");
  EXPECT_NE(cajas[0].texto.find(carpeta.Ruta() + "/Ledrima"), std::string::npos) << cajas[0].texto;
  EXPECT_FALSE(std::filesystem::exists(carpeta.Ruta() + "/Ledrima"));
}

TEST_F(VentanaPrincipal, UnaBaseBloqueadaDetieneElArranque) {
  carpeta.CreaBases(0);
  sqlite3* db = nullptr;
  sqlite3_open((carpeta.Ruta() + "/Ledrima").c_str(), &db);
  sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
  soporte::Mensajes().Espera();
  EXPECT_FALSE(Carga());
  sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  const auto& cajas = soporte::Mensajes().Cajas();
  ASSERT_EQ(cajas.size(), 1u);
  EXPECT_NE(cajas[0].texto.find("Ledrima"), std::string::npos) << cajas[0].texto;
}

TEST_F(VentanaPrincipal, CargarUnConcursoPoneCadaCajaDesdeSuColumna) {
  carpeta.CreaBases(7);
  // Every bound Boolean column gets a value that differs from its
  // neighbours; texts get their own position as value.
  std::vector<prueba::Columna> columnas;
  std::vector<std::string> valores;
  valores.reserve(200);
  auto definicion = prueba::ColumnasConcursos();
  for (std::size_t i = 3; i < definicion.size(); ++i) {
    const auto& c = definicion[i];
    if (c.Nombre == "DesdeDia" || c.Nombre == "HastaDia") {
      valores.push_back(c.Nombre == "DesdeDia" ? "2024-01-02" : "2024-12-31");
    } else if (c.Tipo == principal::TipoColumna::Booleano) {
      valores.push_back((i * 7 / 3) % 2 ? "1" : "0");
    } else if (c.Nombre == "EMailReclamaciones" || c.Nombre == "WEBConcurso") {
      continue;  // left Null
    } else {
      valores.push_back(std::to_string(i % 100));
    }
    columnas.push_back({c.Nombre, valores.back().c_str()});
  }
  carpeta.AgregaConcurso(7, "PRUEBA", "2025", columnas);
  ASSERT_TRUE(Carga());
  ventana->Contexto().CorreoReclamaciones = "viejo@x";
  ventana->show();
  QApplication::setActiveWindow(ventana.get());
  ventana->Form_Activate();
  QApplication::processEvents();

  principal::RegistroConcurso* fila = servicios->ConcursoActual();
  ASSERT_NE(fila, nullptr);
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i) {
    std::string esperado = fila->LeeTexto(i).value_or("");
    if (i == 3) esperado = "02-01-2024";
    if (i == 5) esperado = "31-12-2024";
    EXPECT_EQ(Texto(i), esperado) << i;
  }
  for (int j = 0; j < principal::kNumeroBandas; ++j)
    EXPECT_EQ(Formulario(*ventana).Banda[static_cast<std::size_t>(j)]->isChecked(), fila->LeeBooleano(27 + j)) << j;
  for (int k = 0; k < principal::kNumeroModos; ++k)
    EXPECT_EQ(Formulario(*ventana).Modo[static_cast<std::size_t>(k)]->isChecked(), fila->LeeBooleano(41 + k)) << k;
  // The interlocks reconcile these arbitrary option values as the editor
  // model does: each option's box (the one named after its column) shows
  // what the model makes of the row.
  principal::ConcursoEnEdicion modelo;
  modelo.CargaOpciones(*fila);
  ASSERT_EQ(principal::OpcionesEnOrdenDeCarga().size(), 59u);
  const prueba::FormularioPrincipal f = Formulario(*ventana);
  for (principal::Opcion o : principal::OpcionesEnOrdenDeCarga()) {
    const std::string columna(principal::ColumnaOpcion(o));
    QCheckBox* casilla = f.Casilla(o);
    ASSERT_NE(casilla, nullptr) << columna;
    EXPECT_EQ(casilla->isChecked(), modelo.Valor(o)) << columna;
    EXPECT_EQ(ventana->Concurso().Valor(o), modelo.Valor(o)) << columna;
  }
  EXPECT_EQ(ventana->Contexto().OpcionExcluirMismaProv, fila->LeeBooleano("ExcluirMismaProv"));
  EXPECT_EQ(ventana->Contexto().OpcionExcluirMismaZonaCQ, fila->LeeBooleano("ExcluirMismaZonaCQ"));
  EXPECT_EQ(ventana->Concurso().Sufijo.UltimaLetra, fila->LeeBooleano("UltimaLetra"));
  EXPECT_EQ(ventana->Contexto().CorreoReclamaciones, "");
  EXPECT_EQ(ventana->Contexto().DireccionWebConcurso, "");

  // Written back, every bound column is the same (Null texts become empty;
  // the options as the interlocks left them); the annulment options,
  // ExcluirSufijo and NumeroListas are not the editor's and are left alone.
  principal::RegistroConcursoMemoria copia(prueba::ColumnasConcursos());
  GrabaConcurso(copia);
  ventana->Concurso().GrabaOpciones(copia);
  for (std::size_t i = 0; i < definicion.size(); ++i) {
    const auto& c = definicion[i];
    if (c.Nombre.starts_with("Anular") || c.Nombre == "ExcluirSufijo" || c.Nombre == "NumeroListas") {
      EXPECT_FALSE(copia.LeeTexto(c.Nombre).has_value()) << c.Nombre;
      continue;
    }
    if (c.Tipo == principal::TipoColumna::Booleano) {
      if (c.Nombre == "PrimerNumero" || c.Nombre == "PrimeraLetra" || c.Nombre == "SegundaLetra" ||
          c.Nombre == "TerceraLetra" || c.Nombre == "UltimaLetra")
        continue;
      bool esperado = fila->LeeBooleano(c.Nombre);
      for (principal::Opcion o : principal::OpcionesEnOrdenDeCarga())
        if (principal::ColumnaOpcion(o) == c.Nombre) esperado = modelo.Valor(o);
      EXPECT_EQ(copia.LeeBooleano(c.Nombre), esperado) << c.Nombre;
    } else if (c.Tipo != principal::TipoColumna::Fecha) {
      EXPECT_EQ(copia.LeeTexto(c.Nombre).value_or(""), fila->LeeTexto(c.Nombre).value_or("")) << c.Nombre;
    }
  }
}

TEST_F(VentanaPrincipal, SinSufijoSeGuardaElFormatoDeSufijoVacio) {
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "S", "1", {{"PrimerNumero", "1"}, {"UltimaLetra", "1"}});
  Arranca();
  ASSERT_TRUE(ventana->Concurso().Sufijo.PrimerNumero);
  principal::RegistroConcursoMemoria copia(prueba::ColumnasConcursos());
  Formulario(*ventana).CadaSufijo->setChecked(true);
  GrabaConcurso(copia);
  EXPECT_TRUE(copia.LeeBooleano("PrimerNumero"));
  Formulario(*ventana).CadaSufijo->setChecked(false);
  GrabaConcurso(copia);
  EXPECT_FALSE(copia.LeeBooleano("PrimerNumero"));
  EXPECT_FALSE(copia.LeeBooleano("UltimaLetra"));
}

TEST_F(VentanaPrincipal, ElConcursoDelDiplomaEmpiezaEnGestionManual) {
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "ZEDAZIV OZIRUDUZ UV ERAZUDOZO", "2024");
  Arranca();
  EXPECT_TRUE(Formulario(*ventana).GestionManual->isChecked());
  EXPECT_FALSE(Formulario(*ventana).GestionAutomatica->isChecked());
  EXPECT_EQ(servicios->municipiosCargados, 1);
  EXPECT_TRUE(std::filesystem::is_directory(carpeta.Ruta() + "/ZEDAZIV OZIRUDUZ UV ERAZUDOZO_2024/ListasAdmitidas"));
}

TEST_F(VentanaPrincipal, LasTeclasDeFuncionSoloSinMayusculasYConElBotonActivo) {
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "A", "1");
  Arranca();
  int altas = 0, listas = 0;
  QObject::connect(Formulario(*ventana).AltaReg, &QPushButton::clicked, [&] { ++altas; });
  QObject::connect(Formulario(*ventana).GestionListas, &QPushButton::clicked, [&] { ++listas; });
  Enfoca(1);
  Pulsa(Qt::Key_F2, Qt::ShiftModifier);
  Pulsa(Qt::Key_F2, Qt::ControlModifier);
  EXPECT_EQ(altas, 0);
  EXPECT_EQ(Enfocado(), 1);
  Pulsa(Qt::Key_F2);
  EXPECT_EQ(altas, 1);
  // The create puts the focus on the name; Esc, with Cancelar enabled, ends it.
  EXPECT_EQ(Enfocado(), 1);
  Pulsa(Qt::Key_Escape);
  EXPECT_TRUE(Formulario(*ventana).AltaReg->hasFocus());

  Formulario(*ventana).GestionListas->setEnabled(false);
  Pulsa(Qt::Key_F7);
  EXPECT_EQ(listas, 0);
  Formulario(*ventana).GestionListas->setEnabled(true);
  Pulsa(Qt::Key_F7);
  EXPECT_EQ(listas, 1);
  ASSERT_EQ(servicios->ventanasAbiertas.size(), 1u);
  EXPECT_EQ(servicios->ventanasAbiertas[0], VentanaSecundaria::GestionCorreo);
  // The mail window is not there yet: the main window stays.
  EXPECT_TRUE(ventana->isVisible());

  // A key whose button is disabled is not taken: it goes on as any other.
  EXPECT_FALSE(Formulario(*ventana).Cancelar->isEnabled());
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(ventana.get(), &escape);
  EXPECT_FALSE(escape.isAccepted());
}

TEST_F(VentanaPrincipal, LoTecleadoSaleEnMayusculasYUnaCajaCerradaNoLoAdmite) {
  carpeta.CreaBases(-1);
  soporte::Mensajes().Espera();
  Arranca();
  // A create (F2) opens the boxes; the points grid stays closed.
  Pulsa(Qt::Key_F2);
  Enfoca(1);
  Teclea("añb");
  EXPECT_EQ(Texto(1), "AÑB");
  Enfoca(2);
  Teclea("é1");
  EXPECT_EQ(Texto(2), "É1");
  // Leaving the name box keeps the name typed.
  EXPECT_EQ(ventana->Contexto().NombreConcurso, "AÑB");
  EXPECT_EQ(ventana->Contexto().EdicionConcurso, "");
  Enfoca(3);
  EXPECT_EQ(ventana->Contexto().EdicionConcurso, "É1");

  Enfoca(7);
  Teclea("xy");
  EXPECT_EQ(Texto(7), "");
  EXPECT_TRUE(Formulario(*ventana).Text3[7]->isReadOnly());
}

TEST_F(VentanaPrincipal, EnterRecorreElAnilloFijoSaltandoLaCajaDesactivada) {
  carpeta.CreaBases(-1);
  soporte::Mensajes().Espera();
  Arranca();
  Formulario(*ventana).Text3[26]->setEnabled(true);
  Enfoca(0);
  std::vector<int> visto;
  for (int n = 0; n < 8; ++n) {
    Pulsa(Qt::Key_Return);
    visto.push_back(Enfocado());
  }
  EXPECT_EQ(visto, (std::vector<int>{1, 2, 3, 4, 5, 6, 1, 2}));
  Enfoca(7);
  visto.clear();
  for (int n = 0; n < 18; ++n) {
    Pulsa(Qt::Key_Enter);
    visto.push_back(Enfocado());
  }
  std::vector<int> esperado;
  for (int i = 8; i <= 24; ++i) esperado.push_back(i);
  esperado.push_back(7);
  EXPECT_EQ(visto, esperado);
  Enfoca(25);
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(Enfocado(), 26);
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(Enfocado(), 1);
  // Enter is never typed into the box.
  EXPECT_EQ(Texto(26), "");

  Formulario(*ventana).Text3[26]->setEnabled(false);
  Enfoca(25);
  Pulsa(Qt::Key_Return);
  EXPECT_EQ(Enfocado(), 1);
  Enfoca(25);
  Pulsa(Qt::Key_Down);
  EXPECT_EQ(Enfocado(), 1);
}

TEST_F(VentanaPrincipal, LasFlechasMuevenElFocoSegunLaOperacion) {
  carpeta.CreaBases(-1);
  soporte::Mensajes().Espera();
  Arranca();
  Enfoca(1);
  Pulsa(Qt::Key_Up);
  EXPECT_EQ(Enfocado(), 6);
  Pulsa(Qt::Key_Down);
  EXPECT_EQ(Enfocado(), 1);
  // A query (F3) takes the number box into the ring.
  Formulario(*ventana).ConsultaReg->click();
  Enfoca(1);
  Pulsa(Qt::Key_Up);
  EXPECT_EQ(Enfocado(), 0);
  Formulario(*ventana).Cancelar->click();
  Enfoca(24);
  Pulsa(Qt::Key_Down);
  EXPECT_EQ(Enfocado(), 7);
  Pulsa(Qt::Key_Up);
  EXPECT_EQ(Enfocado(), 24);
  // Outside the text boxes the arrows are left alone.
  Formulario(*ventana).AltaReg->setFocus();
  Pulsa(Qt::Key_Down);
  EXPECT_EQ(Enfocado(), -1);
}

TEST_F(VentanaPrincipal, ElColorDeFocoSigueAlFoco) {
  carpeta.CreaBases(-1);
  soporte::Mensajes().Espera();
  Arranca();
  Pulsa(Qt::Key_F2);
  Enfoca(1);
  EXPECT_EQ(Fondo(1), QColor(Qt::yellow));
  Enfoca(2);
  EXPECT_EQ(Fondo(1), QColor(Qt::white));
  EXPECT_EQ(Fondo(2), QColor(Qt::yellow));
  // The arrows start from the box with the focus.
  Pulsa(Qt::Key_Up);
  EXPECT_EQ(Enfocado(), principal::CampoArriba(2, false));
  Enfoca(2);
  Formulario(*ventana).Aceptar->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(Fondo(2), QColor(Qt::white));
  // A closed box with the focus is yellow too: the operator sees where it is.
  ASSERT_TRUE(Formulario(*ventana).Bloqueado(7));
  Enfoca(7);
  EXPECT_EQ(Fondo(7), QColor(Qt::yellow));
}

// A box that cannot be edited looks so, as drawn on the screen: a closed box
// has the platform's read-only look (the window's background, its text not
// greyed), a disabled box the platform's disabled look; neither is the
// bright white of an open box.
TEST_F(VentanaPrincipal, UnaCajaCerradaOInactivaNoPareceEditable) {
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "A", "1");
  Arranca();
  QLineEdit* nombre = Formulario(*ventana).Text3[1];
  QLineEdit* horas = Formulario(*ventana).Text3[principal::kCampoHoras];
  const QPalette plataforma = QApplication::palette(nombre);
  const QColor soloLectura = plataforma.color(QPalette::Active, QPalette::Window);
  const QColor inactiva = QApplication::palette(horas).color(QPalette::Disabled, QPalette::Base);
  ASSERT_NE(soloLectura, QColor(Qt::white));
  ASSERT_NE(inactiva, QColor(Qt::white));

  ASSERT_TRUE(Formulario(*ventana).Bloqueado(1));
  EXPECT_TRUE(nombre->isReadOnly());
  EXPECT_EQ(Pintado(1), soloLectura);
  EXPECT_EQ(nombre->palette().color(QPalette::Active, QPalette::Text),
            plataforma.color(QPalette::Active, QPalette::Text));
  ASSERT_FALSE(horas->isEnabled());
  EXPECT_EQ(Pintado(principal::kCampoHoras), inactiva);

  Formulario(*ventana).ModificarReg->click();
  QApplication::processEvents();
  EXPECT_FALSE(nombre->isReadOnly());
  EXPECT_EQ(Pintado(2), QColor(Qt::white));
  EXPECT_EQ(Pintado(1), QColor(Qt::yellow));
  EXPECT_EQ(Pintado(principal::kCampoHoras), inactiva);
  Formulario(*ventana).Cancelar->click();
  QApplication::processEvents();
  EXPECT_EQ(Pintado(1), soloLectura);
  EXPECT_EQ(Pintado(2), soloLectura);
}

// Clicking a closed box during a create gives it the focus, where typing
// does nothing: what is typed next never lands in the box that had the
// focus before.
TEST_F(VentanaPrincipal, UnClicEnUnaCajaCerradaSeLlevaElFoco) {
  carpeta.CreaBases(-1);
  soporte::Mensajes().Espera();
  Arranca();
  Formulario(*ventana).AltaReg->click();
  QApplication::processEvents();
  ASSERT_EQ(Enfocado(), 1);
  Teclea("ab");
  ASSERT_TRUE(Formulario(*ventana).Bloqueado(principal::kPrimerPunto));
  Pincha(principal::kPrimerPunto);
  EXPECT_EQ(Enfocado(), principal::kPrimerPunto);
  Teclea("57");
  EXPECT_EQ(Texto(1), "AB");
  EXPECT_EQ(Texto(principal::kPrimerPunto), "");
  EXPECT_EQ(Fondo(principal::kPrimerPunto), QColor(Qt::yellow));
  // An open box clicked takes the typing as before.
  Pincha(2);
  Teclea("7");
  EXPECT_EQ(Texto(2), "7");
}

// A viewed contest is browsed by keyboard: a click puts the focus in a
// closed box, the arrows step through the fields as the table says (the
// number box joins the ring during a query), and typing changes nothing.
TEST_F(VentanaPrincipal, UnConcursoVistoSeRecorreConLasFlechas) {
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "VISTO", "2025");
  Arranca();
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i) ASSERT_TRUE(Formulario(*ventana).Bloqueado(i)) << i;
  Pincha(1);
  ASSERT_EQ(Enfocado(), 1);
  std::vector<int> visto;
  for (int n = 0; n < 7; ++n) {
    Pulsa(Qt::Key_Down);
    visto.push_back(Enfocado());
  }
  EXPECT_EQ(visto, (std::vector<int>{2, 3, 4, 5, 6, 1, 2}));
  Pulsa(Qt::Key_Up);
  Pulsa(Qt::Key_Up);
  EXPECT_EQ(Enfocado(), 6);
  Teclea("x");
  Pulsa(Qt::Key_Backspace);
  EXPECT_EQ(Texto(1), "VISTO");
  Pincha(principal::kPrimerPunto);
  Pulsa(Qt::Key_Up);
  EXPECT_EQ(Enfocado(), 24);
  Pulsa(Qt::Key_Down);
  EXPECT_EQ(Enfocado(), principal::kPrimerPunto);

  // During a query the number box is reached from the name and the period.
  Formulario(*ventana).ConsultaReg->click();
  QApplication::processEvents();
  Pincha(1);
  Pulsa(Qt::Key_Up);
  EXPECT_EQ(Enfocado(), 0);
  Pincha(6);
  Pulsa(Qt::Key_Down);
  EXPECT_EQ(Enfocado(), 0);
  EXPECT_EQ(Texto(1), "VISTO");
}

TEST_F(VentanaPrincipal, GruposDeCamposYBotones) {
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "A", "1", {{"RepetirHoras", "12:00"}});
  Arranca();
  // A create (F2): the text boxes open but the number and the points grid,
  // and the buttons of the contest in hand close.
  Pulsa(Qt::Key_F2);
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i)
    EXPECT_EQ(Formulario(*ventana).Bloqueado(i), i == 0 || (i >= 7 && i <= 25)) << i;
  for (QPushButton* b :
       {Formulario(*ventana).AltaReg, Formulario(*ventana).ConsultaReg, Formulario(*ventana).SeleccionarImpresora,
        Formulario(*ventana).GestionListas, Formulario(*ventana).ModificarReg, Formulario(*ventana).BorrarReg,
        Formulario(*ventana).FinClientes, Formulario(*ventana).Bases})
    EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
  // The master multiplier box opens the multiplier boxes; unticking it
  // unticks and closes them.
  EXPECT_FALSE(Formulario(*ventana).ExcluirCq->isEnabled());
  Formulario(*ventana).Multiplicadores->click();
  EXPECT_TRUE(Formulario(*ventana).ExcluirCq->isEnabled());
  Formulario(*ventana).CadaCq->click();
  Formulario(*ventana).CQPorDia->click();
  ASSERT_TRUE(Formulario(*ventana).CQPorDia->isChecked());
  Formulario(*ventana).Multiplicadores->click();
  EXPECT_FALSE(Formulario(*ventana).Multiplicadores->isChecked());
  EXPECT_FALSE(Formulario(*ventana).CQPorDia->isChecked());
  EXPECT_FALSE(Formulario(*ventana).CQPorDia->isEnabled());
  // A cancelled create clears the form and the working lists.
  ventana->EnlaceListas()->PonLista("ListaProv", {"CANTABRIA"});
  PonTexto(26, "12:00");
  Formulario(*ventana).Text3[26]->setEnabled(true);
  Pulsa(Qt::Key_Escape);
  EXPECT_EQ(Texto(26), "");
  EXPECT_TRUE(Formulario(*ventana).Text3[26]->isEnabled());
  EXPECT_TRUE(ventana->EnlaceListas()->Lista("listaprov").empty());
  EXPECT_EQ(ventana->Concurso().Listas.size(), 24u);
}

TEST_F(VentanaPrincipal, EleccionDeImpresora) {
  carpeta.CreaBases(-1);
  soporte::Mensajes().Espera();
  Arranca();
  ASSERT_EQ(Formulario(*ventana).Impresora.size(), 2u);
  EXPECT_EQ(Formulario(*ventana).Impresora[0]->text().toStdString(), "PDF");
  EXPECT_EQ(Formulario(*ventana).Impresora[1]->text().toStdString(), "Laser");
  EXPECT_TRUE(Formulario(*ventana).Impresora[1]->isChecked());
  Formulario(*ventana).SeleccionarImpresora->click();
  EXPECT_TRUE(Formulario(*ventana).PanelImpresora->isVisible());
  // The panel opens on the current printer.
  EXPECT_TRUE(Formulario(*ventana).Impresora[1]->hasFocus());
  EXPECT_FALSE(Formulario(*ventana).AltaReg->isEnabled());
  Formulario(*ventana).Impresora[0]->click();
  Formulario(*ventana).AceptarImpresora->click();
  EXPECT_EQ(servicios->establecida, "PDF");
  EXPECT_FALSE(Formulario(*ventana).PanelImpresora->isVisible());
  EXPECT_TRUE(Formulario(*ventana).AltaReg->isEnabled());
}

TEST_F(VentanaPrincipal, SinImpresorasElArranqueSigue) {
  carpeta.CreaBases(-1);
  soporte::Mensajes().Espera();
  ASSERT_TRUE(Carga({}));
  EXPECT_FALSE(Formulario(*ventana).Impresora[0]->isVisibleTo(ventana.get()));
  Formulario(*ventana).SeleccionarImpresora->click();
  // The open panel says why it offers no printer.
  auto* aviso = Formulario(*ventana).PanelImpresora->findChild<QLabel*>("SinImpresoras");
  ASSERT_NE(aviso, nullptr);
  EXPECT_TRUE(aviso->isVisibleTo(ventana.get()));
  EXPECT_EQ(aviso->text().toStdString(), "No hay ninguna impresora instalada");
  Formulario(*ventana).AceptarImpresora->click();
  EXPECT_EQ(servicios->establecida, "");
}

TEST_F(VentanaPrincipal, ConImpresorasNoHayAvisoDeQueFaltan) {
  carpeta.CreaBases(-1);
  soporte::Mensajes().Espera();
  ASSERT_TRUE(Carga({"PDF"}));
  EXPECT_EQ(Formulario(*ventana).PanelImpresora->findChild<QLabel*>("SinImpresoras"), nullptr);
}

TEST_F(VentanaPrincipal, ElNombreYLaListaDeConcursosMuestranTextosLargos) {
  carpeta.CreaBases(1);
  const std::string nombre = std::string(64, 'W');
  carpeta.AgregaConcurso(1, nombre, "2025");
  ASSERT_TRUE(Carga());
  // The name box is wide enough for 64 capitals.
  QLineEdit* caja = Formulario(*ventana).Text3[1];
  caja->setText(QString::fromStdString(std::string(64, 'N')));
  EXPECT_GE(caja->minimumWidth(), caja->fontMetrics().horizontalAdvance(QString(64, 'N')) * 8 / 10);
  // The open list is as wide as its longest entry, edition included.
  const QString entrada = Formulario(*ventana).Combo1->itemText(0);
  ASSERT_TRUE(entrada.endsWith(" .- Edición: 2025")) << entrada.toStdString();
  EXPECT_GE(Formulario(*ventana).Combo1->view()->minimumWidth(),
            Formulario(*ventana).Combo1->view()->fontMetrics().horizontalAdvance(entrada));
  EXPECT_EQ(Formulario(*ventana).Combo1->toolTip(), entrada);
}

TEST_F(VentanaPrincipal, ConUnaSolaImpresora) {
  carpeta.CreaBases(-1);
  soporte::Mensajes().Espera();
  ASSERT_TRUE(Carga({"Laser"}));
  ASSERT_EQ(Formulario(*ventana).Impresora.size(), 1u);
  EXPECT_EQ(Formulario(*ventana).Impresora[0]->text().toStdString(), "Laser");
  EXPECT_TRUE(Formulario(*ventana).Impresora[0]->isChecked());
  Formulario(*ventana).SeleccionarImpresora->click();
  Formulario(*ventana).AceptarImpresora->click();
  EXPECT_EQ(servicios->establecida, "Laser");
  TearDown();
  // The only printer is not the current one: nothing is selected, and
  // accepting keeps the current printer.
  soporte::Mensajes().Espera();
  ASSERT_TRUE(Carga({"PDF"}));
  ASSERT_EQ(Formulario(*ventana).Impresora.size(), 1u);
  EXPECT_FALSE(Formulario(*ventana).Impresora[0]->isChecked());
  Formulario(*ventana).SeleccionarImpresora->click();
  Formulario(*ventana).AceptarImpresora->click();
  EXPECT_EQ(servicios->establecida, "");
}

// The mail window may change the current folder while it loads; the main
// window takes the working folder back, and hands the mail window the name
// and edition in the editor.
TEST_F(VentanaPrincipal, AbrirElCorreoDejaLaCarpetaDeTrabajo) {
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "A", "1");
  class CambiaCarpeta : public prueba::ServiciosGrabados {
   public:
    bool AbreVentana(principal::VentanaSecundaria v, principal::EnlacesVentanaPrincipal& w) override {
      QDir::setCurrent(QDir::tempPath());
      return ServiciosGrabados::AbreVentana(v, w);
    }
  };
  auto s = std::make_unique<CambiaCarpeta>();
  servicios = s.get();
  ventana = std::make_unique<Trovalis>(std::move(s));
  ASSERT_TRUE(ventana->Form_Load());
  ventana->show();
  ventana->Form_Activate();
  Formulario(*ventana).Text3[1]->setText("OTRO");
  Formulario(*ventana).Text3[2]->setText("2030");
  Formulario(*ventana).GestionListas->click();
  ASSERT_EQ(servicios->ventanasAbiertas.size(), 1u);
  EXPECT_EQ(QDir::currentPath().toStdString(), ventana->Contexto().CarpetaTrabajo);
  EXPECT_EQ(ventana->Contexto().CarpetaTrabajo,
            QDir(QString::fromStdString(carpeta.Ruta())).canonicalPath().toStdString());
  EXPECT_EQ(ventana->Contexto().NombreConcurso, "OTRO");
  EXPECT_EQ(ventana->Contexto().EdicionConcurso, "2030");
}

// F7 opens the mail window in the main window's place; closing it brings
// the main window back.
TEST_F(VentanaPrincipal, F7AbreLaVentanaDeCorreoYAlCerrarlaVuelveLaPrincipal) {
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "A", "1");
  class AbreCorreo : public prueba::ServiciosGrabados {
   public:
    bool AbreVentana(principal::VentanaSecundaria v, principal::EnlacesVentanaPrincipal& w) override {
      if (v == VentanaSecundaria::GestionCorreo) return ServiciosPrograma::AbreVentana(v, w);
      return ServiciosGrabados::AbreVentana(v, w);
    }
  };
  auto s = std::make_unique<AbreCorreo>();
  servicios = s.get();
  ventana = std::make_unique<Trovalis>(std::move(s));
  ASSERT_TRUE(ventana->Form_Load());
  ventana->show();
  ventana->activateWindow();
  ventana->Form_Activate();
  QApplication::processEvents();
  Pulsa(Qt::Key_F7);
  mail::GesAutomatica* correo = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* g = qobject_cast<mail::GesAutomatica*>(w); g && g->isVisible()) correo = g;
  ASSERT_NE(correo, nullptr);
  EXPECT_FALSE(ventana->isVisible());
  EXPECT_EQ(correo->findChild<QLabel*>("LConcurso")->text().toStdString(), "A EDICIÓN 1");
  // The main window's intake mode is the mail window's.
  EXPECT_EQ(correo->findChild<QPushButton*>("Conectar")->text().toStdString(),
            Formulario(*ventana).GestionManual->isChecked() ? "LEER Fich. Manuales" : "LEER Correo");
  QPointer<mail::GesAutomatica> vigilada(correo);
  correo->findChild<QPushButton*>("FinClientes")->click();
  EXPECT_TRUE(ventana->isVisible());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(vigilada.isNull());
}

TEST_F(VentanaPrincipal, BotonesDeListasSegunLaOperacion) {
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "A", "1");
  Arranca();
  Formulario(*ventana).ConsultaReg->click();
  Formulario(*ventana).ConfigurarCabrillo->click();
  EXPECT_TRUE(servicios->ventanasAbiertas.empty());
  Formulario(*ventana).Cancelar->click();
  Formulario(*ventana).BorrarReg->click();
  ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Borrar);
  Formulario(*ventana).ConfigurarCabrillo->click();
  ASSERT_EQ(servicios->ventanasAbiertas.size(), 1u);
  EXPECT_EQ(servicios->ventanasAbiertas[0], VentanaSecundaria::FormatoCabrillo);
  EXPECT_EQ(ventana->Contexto().ListasSoloConsulta, 1);
  // With nothing in hand the window opens view-only and the focus goes back
  // to the command buttons.
  Formulario(*ventana).Cancelar->click();
  ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
  Formulario(*ventana).ConfigurarCabrillo->click();
  ASSERT_EQ(servicios->ventanasAbiertas.size(), 2u);
  EXPECT_EQ(ventana->Contexto().ListasSoloConsulta, 1);
  EXPECT_EQ(ventana->focusWidget(), Formulario(*ventana).AltaReg);
  Formulario(*ventana).AltaReg->click();
  ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Alta);
  Formulario(*ventana).Especiales->click();
  EXPECT_EQ(ventana->Contexto().ListasSoloConsulta, 0);
  EXPECT_EQ(servicios->ventanasAbiertas.back(), VentanaSecundaria::EstacionesEspeciales);
  EXPECT_EQ(ventana->focusWidget(), Formulario(*ventana).Text3[1]);
  EXPECT_TRUE(ventana->isVisible());
}

TEST_F(VentanaPrincipal, MaximizarYRestaurarReescalanUnaVezCadaVez) {
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "A", "1");
  Arranca();
  auto letra = [&] { return Formulario(*ventana).AltaReg->font().pointSizeF(); };
  double normal = letra();
  auto espera = [] {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  };
  ventana->setWindowState(Qt::WindowMaximized);
  espera();
  // The rescale ran (it notes the maximised size).
  EXPECT_TRUE(ventana->property("AnchuraMaximizada").isValid());
  double maximizada = letra();
  // Minimised and maximised again: no second rescale.
  ventana->setWindowState(Qt::WindowMinimized);
  espera();
  EXPECT_DOUBLE_EQ(letra(), maximizada);
  ventana->setWindowState(Qt::WindowMaximized);
  espera();
  EXPECT_DOUBLE_EQ(letra(), maximizada);
  ventana->setWindowState(Qt::WindowNoState);
  espera();
  EXPECT_DOUBLE_EQ(letra(), normal);
  // Resizing the normal window scales nothing.
  ventana->resize(ventana->width() + 40, ventana->height() + 20);
  espera();
  EXPECT_DOUBLE_EQ(letra(), normal);
}

// TROVALIS_CAPTURA=fichero.png: saves a picture of the window on a contest.
TEST_F(VentanaPrincipal, Captura) {
  const char* destino = std::getenv("TROVALIS_CAPTURA");
  if (!destino) GTEST_SKIP() << "sin TROVALIS_CAPTURA";
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "CONCURSO NACIONAL DE PRUEBA", "2025",
                         {{"DesdeDia", "2025-03-08"}, {"DesdeHora", "15:00"}, {"HastaDia", "2025-03-09"},
                          {"HastaHora", "15:00"}, {"Banda3'5", "1"}, {"Banda7", "1"}, {"Banda14", "1"},
                          {"ModoCW", "1"}, {"ModoSSB", "1"}, {"RecibirPuntos", "1"}, {"EnviarNumeral", "1"},
                          {"RecibirNumeral", "1"}, {"Multiplicadores", "1"}, {"CadaProv", "1"},
                          {"ProvPorBanda", "1"}, {"MismoContinente3-5", "1"}, {"DistintoContinente3-5", "3"},
                          {"PuntosMismoPais", "1"}, {"NoRepetir", "1"}});
  carpeta.AgregaConcurso(2, "OTRO CONCURSO", "2024");
  Arranca();
  if (std::getenv("TROVALIS_CAPTURA_CONSULTA")) {
    Formulario(*ventana).SeleccionConcurso->show();
    Formulario(*ventana).PanelImpresora->show();
  }
  QApplication::processEvents();
  Formulario(*ventana).Text3[1]->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(ventana->grab().save(destino));
}

}  // namespace
