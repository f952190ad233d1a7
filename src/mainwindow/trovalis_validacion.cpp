// Checks of the contest in the editor before it is created or saved. Each
// check that fails tells the operator with one box, puts the focus on the
// control to correct and answers false; what was typed stays in place, with
// the normalisations of the checks that passed.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <cstdlib>

#include "common/reglas_qso.h"
#include "common/ventanas.h"
#include "database/carpetas.h"
#include "cabrillo/contexto_concurso.h"
#include "mainwindow/trovalis.h"
#include "mainwindow/validacion_concurso.h"

using principal::IconoMensaje;

namespace {

constexpr const char* kMensajeNumerico = ".- ERROR en FORMATO NUMERICO";
constexpr const char* kTituloNumerico = "VERIFICAR NUMERO ";

std::string TextoDe(const QLineEdit* caja) { return caja->text().toStdString(); }

}  // namespace

bool Trovalis::VerificarCampoVacio(std::string& Valor) { return EsCampoEnBlanco(Valor); }

bool Trovalis::VerificaFormatoFecha(std::string& Campo) {
  if (VerificarCampoVacio(Campo)) return true;
  if (principal::NormalizaFecha(Campo)) return true;
  servicios_->Mensaje(std::string(reglas::kMensajeFecha), std::string(reglas::kTituloFecha), IconoMensaje::Pregunta);
  return false;
}

bool Trovalis::VerificaFormatoHora(std::string& Hora) {
  if (Hora.empty()) return true;
  switch (reglas::VerificaFormatoHora(Hora)) {
    case reglas::ResultadoHora::Correcta: return true;
    case reglas::ResultadoHora::ErrorSinAviso: return false;
    case reglas::ResultadoHora::ErrorConAviso: break;
  }
  servicios_->Mensaje(std::string(reglas::kMensajeHora), std::string(reglas::kTituloHora), IconoMensaje::Informacion);
  return false;
}

bool Trovalis::VerificaFormatoCampos(const dao::TableDef& Tdef, std::vector<std::string>& Texto, std::int16_t& I) {
  dao::Fields campos = Tdef.Fields();
  for (I = 1; I < principal::kNumeroCamposTexto; ++I) {
    std::string& texto = Texto[static_cast<std::size_t>(I)];
    // The points grid is text in the table, but the scoring reads each box
    // as a whole number of points.
    if (I >= principal::kPrimerPunto && I <= principal::kUltimoPunto) {
      VerificarCampoVacio(texto);
      if (!principal::EsPuntuacionValida(texto)) {
        servicios_->Mensaje(kMensajeNumerico, kTituloNumerico, IconoMensaje::Pregunta);
        return false;
      }
      continue;
    }
    if (I >= campos.Count()) continue;
    switch (campos[I].Type()) {
      case dao::Tipo::Date:
        if (!VerificaFormatoFecha(texto)) return false;
        break;
      case dao::Tipo::Integer:
      case dao::Tipo::Long:
      case dao::Tipo::Double:
        if (!VerificaFormatoNumerico(texto)) return false;
        break;
      default:
        break;
    }
  }
  return true;
}

bool Trovalis::VerificaDatosConcurso(std::vector<std::string>& Campos) {
  auto foco = [this](int indice) { Text3[static_cast<std::size_t>(indice)]->setFocus(); };
  auto error = [this](const std::string& texto, const std::string& titulo) {
    servicios_->Mensaje(texto, titulo, IconoMensaje::Error);
  };

  // Name and edition, which also name the contest's folder.
  if (VerificarCampoVacio(Campos[1])) {
    AvisaDatoEnBlanco("Concurso");
    foco(1);
    return false;
  }
  if (!TextoValidoParaCarpeta(Campos[1])) {
    error(".- El nombre del concurso no puede contener \"/\", \"\\\", \"..\" ni caracteres de control, "
          "porque da nombre a la carpeta del concurso",
          "VERIFICAR NOMBRE DEL CONCURSO");
    foco(1);
    return false;
  }
  if (VerificarCampoVacio(Campos[2])) {
    AvisaDatoEnBlanco("Edicion");
    foco(2);
    return false;
  }
  if (!TextoValidoParaCarpeta(Campos[2])) {
    error(".- La edición del concurso no puede contener \"/\", \"\\\", \"..\" ni caracteres de control, "
          "porque da nombre a la carpeta del concurso",
          "VERIFICAR EDICION DEL CONCURSO");
    foco(2);
    return false;
  }

  // Another contest with the name typed and the same edition.
  std::string nombre = TextoDe(Text3[1]);
  if (nombre != Contexto().NombreConcurso) {
    dao::Recordset otro =
        Contexto().BaseConcursos.OpenRecordset("Select * From Concursos Where Concurso = ? and Edicion = ?",
                                               {dao::Variant(nombre), dao::Variant(TextoDe(Text3[2]))});
    bool existe = !otro.Eof();
    otro.Close();
    if (existe) {
      error("Ya existe otro Concurso con la misma Edición", ".- ERROR EN NUEVA EDICIÖN)");
      foco(2);
      return false;
    }
  }

  // Another contest whose folder would be this one's (names that differ
  // only in case, blanks or control characters, or in where the "_" falls):
  // their logs and results would mix.
  if (auto otro = servicios_->Concursos().OtroEnLaMismaCarpeta(Campos[1], Campos[2],
                                                               static_cast<std::int32_t>(Text3[0]->text().toLong()))) {
    error(principal::MensajeCarpetaDeOtroConcurso(NombreCarpetaConcurso(Campos[1], Campos[2]), otro->Nombre,
                                                  otro->Edicion),
          std::string(principal::kTituloCarpetaDeOtroConcurso));
    foco(1);
    return false;
  }

  // The period.
  struct Paso {
    int indice;
    bool esFecha;
    const char* tituloBlanco;
  };
  static constexpr Paso kPeriodo[] = {{3, true, "FECHA DEL CONCURSO"},
                                      {4, false, "HORA DEL COMIENZO CONCURSO"},
                                      {5, true, "FECHA DEL CONCURSO"},
                                      {6, false, "HORA DEL FINAL CONCURSO"}};
  for (const Paso& p : kPeriodo) {
    std::string& campo = Campos[static_cast<std::size_t>(p.indice)];
    if (VerificarCampoVacio(campo)) {
      AvisaDatoEnBlanco(p.tituloBlanco);
      foco(p.indice);
      return false;
    }
    if (!(p.esFecha ? VerificaFormatoFecha(campo) : VerificaFormatoHora(campo))) {
      foco(p.indice);
      return false;
    }
  }
  for (int i = 0; i <= 6; ++i)
    Text3[static_cast<std::size_t>(i)]->setText(QString::fromStdString(Campos[static_cast<std::size_t>(i)]));
  if (!principal::ComienzoAnteriorAlFinal(TextoDe(Text3[3]), TextoDe(Text3[4]), TextoDe(Text3[5]),
                                          TextoDe(Text3[6]))) {
    QApplication::beep();
    servicios_->Mensaje("Fecha y Hora de comienzo del CONCURSO mayor o igual que la fecha final",
                        ".- ERROR EN FECHAS", IconoMensaje::Pregunta);
    foco(5);
    return false;
  }

  if (!VerificaBandas()) {
    error("No hay ninguna BANDA configurada", "VERIFICAR BANDA");
    foco(1);
    return false;
  }
  if (!VerificaModos()) {
    error("No hay ningún MODO configurado", "VERIFICAR MODO");
    foco(1);
    return false;
  }

  // The repeat interval, only under "Repetir cada".
  if (RepetirCadaHoras->isChecked()) {
    std::string& horas = Campos[principal::kCampoHoras];
    bool correcto = !VerificarCampoVacio(horas);
    if (!correcto) {
      error("Falta el número de horas en que se puede REPETIR ESTACIÓN (Poner 24 para repetir contacto por dia )",
            "VERIFICAR HORAS DE REPETICION");
    } else {
      horas = reglas::HorasRepeticion(horas);
      correcto = VerificaFormatoHora(horas);
    }
    if (!correcto) {
      // Ticking "Distinta Banda" or "Distinto Modo" after "Repetir cada"
      // closes the hours box; the operator must be able to type them.
      QLineEdit* caja = Text3[principal::kCampoHoras];
      caja->setEnabled(true);
      PonBloqueo(principal::kCampoHoras, false);
      foco(principal::kCampoHoras);
      return false;
    }
    Text3[principal::kCampoHoras]->setText(QString::fromStdString(horas));
  }

  if (Multiplicadores->isChecked()) {
    bool algunTipo = false;
    for (QCheckBox* c : {CadaCuadricula, CadaEstacion, CadaPais, CadaPrefijo, CadaProv, CadaDistrito, CadaCq,
                         CadaSufijo, Otros})
      algunTipo = algunTipo || c->isChecked();
    if (!algunTipo) {
      error("Se ha configurado 'Multiplicadores Por' y no se ha definido ningún tipo de multiplicador",
            "VERIFICAR MULTIPLICADORES");
      Multiplicadores->setFocus();
      return false;
    }
  }
  return true;
}

bool Trovalis::VerificaBandas() { return LeeModelo().HayBanda(); }

bool Trovalis::VerificaModos() { return LeeModelo().HayModo(); }

bool Trovalis::VerificaListasMultiplicadores() {
  auto cuenta = [this](const char* nombre) {
    QListWidget* lista = ListaOculta(nombre);
    return lista ? lista->count() : 0;
  };
  principal::EstadoListasConcurso e;
  LeeModelo().PonOpcionesEn(e);
  e.ListaProv = cuenta("ListaProv");
  e.ListaExProv = cuenta("ListaExProv");
  e.ListaDistritos = cuenta("ListaDistritos");
  e.ListaExDistritos = cuenta("ListaExDistritos");
  e.ListaMultEstEsp = cuenta("ListaMultEstEsp");
  e.ListaExPaises = cuenta("ListaExPaises");
  e.ListaExPrefijos = cuenta("ListaExPrefijos");
  e.ListaExZonasCq = cuenta("ListaExZonasCq");
  e.OpcionExcluirMismoPais = Contexto().OpcionExcluirMismoPais;

  // A number box that is not a number names no contest.
  std::string numero = TextoDe(Text3[0]);
  char* fin = nullptr;
  long valor = std::strtol(numero.c_str(), &fin, 10);
  if (!numero.empty() && fin && *fin == '\0') {
    dao::Recordset fila = Contexto().BaseConcursos.OpenRecordset("Select * From ResumenCabrillo Where NumeroOrden = ?",
                                                                 {dao::Variant(valor)});
    e.HayCategorias = !fila.Eof();
    fila.Close();
  }
  int fallo = principal::PrimeraListaQueFalta(e);
  if (fallo == 0) return true;
  const principal::AvisoListaConcurso& aviso = principal::AvisoListaQueFalta(fallo);
  servicios_->Mensaje(aviso.Texto(), std::string(aviso.Titulo), IconoMensaje::Error);
  return false;
}

bool Trovalis::ExisteConcurso(const std::string& Nombre, const std::string& Edicion) {
  // A connection of its own, closed before returning.
  dao::Database base = dao::OpenDatabase(RutaBaseDeDatos(Contexto(), "Ledrima"));
  dao::Recordset fila = base.OpenRecordset("Select Concurso, Edicion from Concursos Where Concurso = ? and Edicion = ?",
                                           {dao::Variant(Nombre), dao::Variant(Edicion)});
  bool existe = !fila.Eof();
  fila.Close();
  base.Close();
  return existe;
}
