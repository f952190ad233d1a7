#include "mail/recepcion.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <optional>

#include "cabrillo/lectura_concurso.h"
#include "cabrillo/lista_valida.h"
#include "common/listas_carpetas.h"
#include "common/ventana_proceso.h"
#include "database/concursos_especiales.h"
#include "mail/diario_respuestas.h"
#include "mail/limite_respuestas.h"
#include "mail/ventana_correo.h"
#include "plataforma/correo/correo.h"
#include "plataforma/dao.h"
#include "plataforma/errores.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace mail {

namespace {

using plataforma::Mayusculas;
using plataforma::Recorta;

bool TerminaEn(std::string_view texto, std::string_view fin) {
  return texto.size() >= fin.size() && texto.substr(texto.size() - fin.size()) == fin;
}

// "*.LOG" or "*.CBR" on an upper-cased name.
bool EsNombreDeLog(std::string_view nombre) { return TerminaEn(nombre, ".LOG") || TerminaEn(nombre, ".CBR"); }

// The name of an attachment as the intake keeps it: upper case, only the
// part after the last folder separator, reduced to a plain file name.
std::string NombreDeAdjunto(const std::string& nombre) {
  if (nombre.empty()) return {};
  return Mayusculas(plataforma::NombreSeguro(nombre));
}

// A name the file system takes, once upper-cased (which may lengthen it),
// with room for the names made from it.
std::string NombreQueCabe(const std::string& nombre) { return plataforma::AcortaNombre(nombre); }

ListaVentana* ListaDe(VentanaProceso& ventana, std::string_view nombre) { return ventana.Lista(nombre); }

}  // namespace

bool CargaConfiguracionCorreo(dao::Database& base, std::int32_t numero_orden, ConfiguracionCorreo& configuracion) {
  dao::Recordset rs =
      base.OpenRecordset("Select * From ResumenCabrillo Where NumeroOrden = ?", {dao::Variant(numero_orden)});
  if (rs.Eof()) {
    rs.Close();
    return false;
  }
  configuracion.EMailConcurso = rs["EMailConcurso"].IsNull() ? std::string() : rs["EMailConcurso"].CStr();
  configuracion.AsuntoConcurso = rs["AsuntoConcurso"].IsNull() ? std::string() : rs["AsuntoConcurso"].CStr();
  rs.Close();
  return true;
}

namespace {

// The mailboxes of every contest of the database, upper-cased.
std::set<std::string> BuzonesConcursos(dao::Database& base) {
  std::set<std::string> buzones;
  dao::Recordset rs = base.OpenRecordset("Select EMailConcurso From ResumenCabrillo");
  for (; !rs.Eof(); rs.MoveNext())
    if (!rs["EMailConcurso"].IsNull()) {
      const std::string b = Mayusculas(Recorta(rs["EMailConcurso"].CStr()));
      if (!b.empty()) buzones.insert(b);
    }
  rs.Close();
  return buzones;
}

std::string Minusculas(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

}  // namespace

std::string Eco(std::string_view texto) {
  return plataforma::Longitud(texto) <= kMaximoEco ? std::string(texto) : plataforma::Izquierda(texto, kMaximoEco);
}

std::string MotivoSinRespuesta(const plataforma::correo::SesionCorreo& sesion, const ConcursoRecepcion& concurso) {
  // The first word of a field's value, in lower case ("auto-replied; x=y").
  auto palabra = [&](std::string_view campo) -> std::optional<std::string> {
    const std::optional<std::string> v = sesion.Cabecera(campo);
    if (!v) return std::nullopt;
    return Minusculas(Recorta(std::string_view(*v).substr(0, v->find(';'))));
  };
  if (const auto a = palabra("Auto-Submitted"); a && *a != "no") return std::string(kMotivoAutomatico);
  if (const auto p = palabra("Precedence"); p && (*p == "bulk" || *p == "junk" || *p == "list"))
    return std::string(kMotivoAutomatico);
  if (sesion.Cabecera("List-Id")) return std::string(kMotivoAutomatico);
  if (const auto r = sesion.Cabecera("Return-Path")) {
    std::string camino;
    for (char c : *r)
      if (c != ' ' && c != '\t') camino += c;
    if (camino.empty() || camino == "<>") return std::string(kMotivoAutomatico);
  }
  const std::string remitente = Recorta(sesion.DireccionRemitente());
  const std::string local = Minusculas(std::string_view(remitente).substr(0, remitente.find('@')));
  if (local == "mailer-daemon" || local == "postmaster") return std::string(kMotivoAutomatico);
  const std::string propio = Mayusculas(remitente);
  if (!propio.empty() &&
      (concurso.buzonesConcursos.count(propio) || propio == Mayusculas(Recorta(concurso.correo.EMailConcurso)) ||
       propio == Mayusculas(Recorta(sesion.Remitente()))))
    return std::string(kMotivoBuzonConcurso);
  return {};
}

bool CargaConcursoRecepcion(dao::Database& base, std::int32_t numero_orden,
                            const cabrillo::AjustesVentanaPrincipal& ajustes, const std::string& carpeta_concurso,
                            const std::string& carpeta_trabajo, ConcursoRecepcion& concurso) {
  if (!CargaConfiguracionCorreo(base, numero_orden, concurso.correo)) return false;
  if (!cabrillo::LeeDatosConcursoLog(base, numero_orden, concurso.datos)) return false;
  concurso.datos.SiglasONumeral = ajustes.SiglasONumeral;
  concurso.datos.VerificarNombreExacto = ajustes.VerificarNombreExacto;
  concurso.categorias = cabrillo::GeneraCategoriasAdmitidas(base, concurso.datos.Concurso, numero_orden);
  concurso.buzonesConcursos = BuzonesConcursos(base);
  concurso.carpetaConcurso = carpeta_concurso;
  concurso.carpetaTrabajo = carpeta_trabajo;
  return true;
}

std::string BaseNombreLog(std::string_view nombre) {
  const std::size_t p = nombre.find(".LOG");
  return p == std::string_view::npos ? std::string() : std::string(nombre.substr(0, p + 1));
}

void QuitaListaSWL(VentanaProceso& ventana, const std::string& indicativo) {
  ListaVentana* lista = ListaDe(ventana, "ListasDeSWL");
  if (!lista) return;
  for (std::size_t i = 0; i < lista->Cuenta(); ++i)
    if (lista->Elemento(i) == indicativo) {
      lista->Quita(i);
      return;
    }
}

void AnotaListaSWL(VentanaProceso& ventana, const std::string& indicativo) {
  ListaVentana* lista = ListaDe(ventana, "ListasDeSWL");
  if (!lista) return;
  std::vector<std::string> lineas;
  for (std::size_t i = 0; i < lista->Cuenta(); ++i) {
    lineas.push_back(lista->Elemento(i));
    if (lineas.back() == indicativo) return;
  }
  // The list keeps itself in alphabetical order (letter case ignored, as a
  // sorted list box does).
  auto antes = [](const std::string& a, const std::string& b) { return Mayusculas(a) < Mayusculas(b); };
  lineas.insert(std::upper_bound(lineas.begin(), lineas.end(), indicativo, antes), indicativo);
  lista->Limpia();
  for (const std::string& l : lineas) lista->Agrega(l);
}

void AnotaFicheroManualBorrar(VentanaProceso& ventana, const std::string& nombre) {
  if (ListaVentana* cola = ListaDe(ventana, "ListaBorrarManuales")) cola->Agrega(nombre);
}

void BorraFicherosManuales(VentanaProceso& ventana, const std::string& carpeta_concurso) {
  ListaVentana* cola = ListaDe(ventana, "ListaBorrarManuales");
  if (!cola) return;
  for (std::size_t i = 0; i < cola->Cuenta(); ++i)
    plataforma::BorraFichero(plataforma::UneRuta(plataforma::UneRuta(carpeta_concurso, "FicherosManuales"),
                                                 plataforma::NombreSeguro(cola->Elemento(i))));
  cola->Limpia();
}

// ---------------------------------------------------------------------------

RecepcionListas::RecepcionListas(const ConcursoRecepcion& concurso, VentanaCorreo& ventana,
                                 plataforma::correo::SesionCorreo* sesion)
    : concurso_(concurso), ventana_(ventana), sesion_(sesion) {}

RecepcionListas::~RecepcionListas() = default;

EstadoCarpetaConcurso RecepcionListas::Carpetas() const {
  return EstadoCarpetaConcurso(concurso_.carpetaConcurso, concurso_.Nombre());
}

// The folders whose lists the intake keeps up to date, with their count
// labels, in the order they are refreshed.
constexpr std::pair<std::string_view, std::string_view> kListasCarpetas[] = {
    {"FicherosRecibidos", "LRecibidos"},
    {"ListasValidas", "LValidas"},
    {"FicherosErrores", "LErrores"},
    {"FicherosConfirmacion", "LConfirmaciones"},
};

std::string RecepcionListas::Ruta(std::string_view subcarpeta, std::string_view fichero) const {
  // Every file the intake writes is named here: no name from outside (a
  // sender's address, say) passes the file system's limit.
  const std::string nombre = NombreQueCabe(plataforma::NombreSeguro(fichero));
  for (const auto& [carpeta, etiqueta] : kListasCarpetas)
    if (carpeta == subcarpeta) tocados_.emplace(std::string(subcarpeta), nombre);
  return plataforma::ResuelveRuta(
      plataforma::UneRuta(plataforma::UneRuta(concurso_.carpetaConcurso, subcarpeta), nombre));
}

void RecepcionListas::ActualizaListasCarpetas() {
  const bool todas = !listasCargadas_;
  listasCargadas_ = true;
  std::set<std::pair<std::string, std::string>> tocados;
  tocados.swap(tocados_);
  if (todas) {
    // The first log of a pass lists the folders whole; every later one
    // puts right only the names its log touched.
    CargaFicherosRecibidos(Carpetas(), ventana_);
    CargaListasValidas(Carpetas(), ventana_);
    CargaFicherosErrores(Carpetas(), ventana_);
    CargaFicherosConfirmacion(Carpetas(), ventana_);
    return;
  }
  // The order of the folder lists: by name without regard to case, names
  // equal but for case in byte order.
  auto antes = [](const std::string& a, const std::string& b) {
    const std::string ma = Mayusculas(a), mb = Mayusculas(b);
    return ma != mb ? ma < mb : a < b;
  };
  for (const auto& [carpeta, etiqueta] : kListasCarpetas) {
    ListaVentana* lista = ListaDe(ventana_, carpeta);
    if (!lista) throw ErrorVentana("La ventana no tiene la lista " + std::string(carpeta));
    const std::string ruta_carpeta = plataforma::ResuelveRuta(plataforma::UneRuta(concurso_.carpetaConcurso, carpeta));
    for (auto t = tocados.lower_bound({std::string(carpeta), std::string()}); t != tocados.end() && t->first == carpeta;
         ++t) {
      const std::string ruta = plataforma::ResuelveRuta(plataforma::UneRuta(ruta_carpeta, t->second));
      const std::string nombre = ruta.substr(ruta.find_last_of('/') + 1);
      const bool existe = plataforma::ExisteFichero(ruta) && !nombre.empty() && nombre.front() != '.';
      // The first item not before the name, by binary search.
      std::size_t bajo = 0, alto = lista->Cuenta();
      const std::string clave = existe ? nombre : Mayusculas(t->second);
      while (bajo < alto) {
        const std::size_t medio = bajo + (alto - bajo) / 2;
        if (existe ? antes(lista->Elemento(medio), clave) : Mayusculas(lista->Elemento(medio)) < clave)
          bajo = medio + 1;
        else
          alto = medio;
      }
      if (existe) {
        if (bajo >= lista->Cuenta() || lista->Elemento(bajo) != nombre) lista->Inserta(bajo, nombre);
        continue;
      }
      // Gone: the items under its name (in any case) that are no longer on
      // disk leave the list.
      while (bajo < lista->Cuenta() && Mayusculas(lista->Elemento(bajo)) == clave) {
        if (plataforma::ExisteFichero(plataforma::UneRuta(ruta_carpeta, lista->Elemento(bajo))))
          ++bajo;
        else
          lista->Quita(bajo);
      }
    }
    ventana_.PonTexto(etiqueta, TextoCuentaListas(lista->Cuenta()));
  }
}

void RecepcionListas::EmpiezaLog() {
  nombreFicheroErrores_.clear();
  nombreFicheroLog_.clear();
  cabecera_.Limpia();
  informe_.Cierra();
  indiceAdjunto_ = 0;
  deCorreo_ = false;
  correoBorrado_ = false;
  rechazado_ = false;
  identidad_.clear();
  motivoAutomatico_.clear();
  sinRespuesta_.clear();
}

std::string RecepcionListas::FechaCorreo() const {
  if (!deCorreo_ || !sesion_) return {};
  const plataforma::correo::FechaHora f = plataforma::correo::FechaLocal(sesion_->FechaRecibido());
  char texto[32];
  std::snprintf(texto, sizeof texto, "%02d-%02d-%04d", f.dia, f.mes, f.anio);
  return texto;
}

std::string RecepcionListas::AsuntoCorreo() const {
  return deCorreo_ && sesion_ ? Eco(sesion_->Asunto()) : std::string();
}

bool RecepcionListas::ProcesaSesion() {
  if (!sesion_) return false;
  // The folders of the contest are listed once for the session.
  const plataforma::ListadosEnMemoria listados;
  cabecera_.Limpia();
  if (!sesion_->LeerNoLeidos()) return false;
  vistos_.clear();
  lecturaFallida_ = false;
  LeeCorreoEntrante();
  // Answers noted for mails that have left the inbox are forgotten (the
  // walk read every mail still there); with a mail that could not be read,
  // nothing is (it may be one of them).
  if (!lecturaFallida_) Diario().ConservaSolo(vistos_);
  try {
    GuardaListasDeSWL(Carpetas(), ventana_);
  } catch (const std::exception& e) {
    // Each listener log already went to the file before its mail was
    // deleted; the list stays in the window for the next session.
    ventana_.InformaFallo(e.what());
  }
  return true;
}

void RecepcionListas::LeeCorreoEntrante() {
  ListaVentana* entrantes = ListaDe(ventana_, "ListaCorreoEntrante");
  if (entrantes) entrantes->Limpia();
  if (!sesion_) return;
  const std::string buzon = Mayusculas(concurso_.correo.EMailConcurso);
  // Mails of the snapshot already taken in (or unreadable) in this walk.
  std::vector<bool> hecho(static_cast<std::size_t>(std::max(0, sesion_->NumeroCorreos())), false);
  bool procesado = true;
  while (procesado) {
    procesado = false;
    const int n = sesion_->NumeroCorreos();
    hecho.resize(static_cast<std::size_t>(std::max(0, n)), false);
    for (int i = 0; i < n; ++i) {
      const std::size_t k = static_cast<std::size_t>(i);
      if (hecho[k]) continue;
      if (!sesion_->SeleccionarCorreo(i)) {
        hecho[k] = true;
        lecturaFallida_ = true;
        ventana_.InformaFallo("No se ha podido leer un E-MAIL: " + sesion_->UltimoError().descripcion);
        continue;
      }
      vistos_.insert(sesion_->IdentidadCorreo());
      if (!EsDelConcurso()) continue;
      const std::string asunto = sesion_->Asunto();
      const std::string listado = asunto.empty() ? "\u00BB " + sesion_->NombreRemitente() : asunto;
      if (entrantes) entrantes->Agrega(Mayusculas(listado));
      ProcesaCorreo(i);
      // A mail taken in but not answered says why.
      if (!sinRespuesta_.empty() && entrantes && entrantes->Cuenta()) {
        const std::size_t ultimo = entrantes->Cuenta() - 1;
        const std::string linea = entrantes->Elemento(ultimo) + "  (SIN RESPUESTA: " + sinRespuesta_ + ")";
        entrantes->Quita(ultimo);
        entrantes->Agrega(linea);
      }
      if (sesion_->NumeroCorreos() < n)
        hecho.erase(hecho.begin() + i);
      else
        hecho[k] = true;
      procesado = true;
      break;
    }
  }
  ventana_.PonTexto("LEntrada", std::to_string(entrantes ? entrantes->Cuenta() : 0) + " Correos");
  if (entrantes) entrantes->QuitaSeleccion();
}

bool RecepcionListas::EsDelConcurso() const {
  const std::string destinatario = Mayusculas(sesion_->DireccionDestinatario());
  if (destinatario == Mayusculas(concurso_.correo.EMailConcurso)) return true;
  // A refused mail whose header does not show the recipient cannot be told
  // to be another mailbox's: it is not left in the inbox for ever.
  return destinatario.empty() && !sesion_->MotivoRechazo().empty();
}

void RecepcionListas::ProcesaCorreo(int indice) {
  EmpiezaLog();
  if (!sesion_ || !sesion_->SeleccionarCorreo(indice)) return;
  if (!EsDelConcurso()) return;
  deCorreo_ = true;
  direccionRemitente_ = sesion_->DireccionRemitente();
  identidad_ = sesion_->IdentidadCorreo();
  rechazado_ = !sesion_->MotivoRechazo().empty();
  if (Diario().Contiene(identidad_)) {
    // Answered by a session that stopped before deleting it: its log is
    // filed already and its sender has had the answer.
    BorraCorreoEnCurso();
    return;
  }
  motivoAutomatico_ = MotivoSinRespuesta(*sesion_, concurso_);
  try {
    if (!informe_.Crea(concurso_.carpetaTrabajo, FechaCorreo(), AsuntoCorreo()))
      throw plataforma::ErrorFichero(plataforma::UneRuta(concurso_.carpetaTrabajo, cabrillo::kNombreFicheroErrores),
                                     "No se puede crear el informe de errores");
    if (rechazado_) {
      RechazaCorreo();
    } else if (!VerificaAdjuntoYAsunto()) {
      EnviaCorreoErrores();
    } else {
      if (TerminaEn(nombreFicheroLog_, ".CBR")) {
        const std::size_t p = nombreFicheroLog_.find(".CBR");
        nombreFicheroLog_.replace(p, 4, ".LOG");
      }
      const std::string destino = Ruta("FicherosRecibidos", nombreFicheroLog_);
      if (!sesion_->GuardarAdjunto(indiceAdjunto_, destino))
        throw plataforma::ErrorFichero(destino, sesion_->UltimoError().descripcion);
      BorraFicherosAnteriores(nombreFicheroLog_);
      ValidaYArchiva(false);
    }
  } catch (const std::exception& e) {
    informe_.Cierra();
    ventana_.InformaFallo("No se ha podido procesar el E-MAIL de " + direccionRemitente_ +
                          (nombreFicheroLog_.empty() ? std::string() : " (" + nombreFicheroLog_ + ")") + ": " +
                          e.what() + (correoBorrado_ ? "" : ". El E-MAIL queda sin leer."));
  }
  ActualizaListasCarpetas();
}

void RecepcionListas::RechazaCorreo() {
  const std::string motivo = sesion_->MotivoRechazo();
  ventana_.InformaFallo("El E-MAIL de " +
                        (direccionRemitente_.empty() ? "remitente desconocido" : direccionRemitente_) +
                        " no se puede procesar porque " + motivo + ": se guarda sin leer en la carpeta " +
                        plataforma::correo::kCarpetaRechazados + " del buzón.");
  if (!plataforma::correo::DireccionValida(direccionRemitente_)) {
    // Nobody to answer: out of the inbox all the same.
    informe_.Cierra();
    plataforma::BorraFichero(informe_.Ruta());
    if (ventana_.GestionAutomatica()) TerminaCorreo(false);
    return;
  }
  informe_.EscribeLinea(".- ERROR: El E-MAIL no se puede procesar porque " + motivo + ".");
  informe_.EscribeLinea(".- El E-MAIL queda guardado para la Organización del concurso, que lo revisará.");
  informe_.EscribeLinea(".- Debe adjuntar UNICAMENTE su lista como INDICATIVO.LOG sin otros adjuntos (fotos,etc.)");
  informe_.EscribeLinea();
  EnviaCorreoErrores();
}

void RecepcionListas::ValidaYArchiva(bool manual) {
  ventana_.PonTexto("LProceso", "Procesando " + nombreFicheroLog_);
  ventana_.Cede();
  const cabrillo::EntornoValidacion entorno{concurso_.datos, concurso_.categorias, informe_, cabecera_,
                                            concurso_.paises};
  if (cabrillo::VerificaFicheroCabrillo(ventana_, concurso_.carpetaConcurso, nombreFicheroLog_, entorno)) {
    informe_.Cierra();
    QuitaListaSWL(ventana_, cabecera_.IndicativoParticipante);
    const bool swl = !cabecera_.MarcaSwl.empty();
    if (swl) AnotaListaSWL(ventana_, cabecera_.IndicativoParticipante);
    // Once its mail is deleted, a listener log lives only in this list: the
    // list is on disk before that.
    if (deCorreo_) GuardaListasDeSWL(Carpetas(), ventana_);
    if (swl) {
      // Filed in the list alone.
    } else if (!concurso_.EsDiploma()) {
      if (!cabrillo::GeneraListaValida(ventana_, concurso_.carpetaConcurso, nombreFicheroLog_))
        throw plataforma::ErrorFichero(Ruta("ListasValidas", nombreFicheroLog_), "No se puede escribir la lista");
    } else {
      GeneraListaAdmitida(ventana_, concurso_.carpetaConcurso, nombreFicheroLog_);
      if (manual) AnotaFicheroManualBorrar(ventana_, nombreFicheroLog_);
    }
    EnviaCorreoConfirmacion();
  } else {
    EnviaCorreoErrores();
  }
}

bool RecepcionListas::VerificaAdjuntoYAsunto() {
  if (!sesion_) return false;
  const int adjuntos = sesion_->NumeroAdjuntos();
  std::string nombre = indiceAdjunto_ < adjuntos ? sesion_->NombreAdjunto(indiceAdjunto_) : std::string();
  if (nombre.empty()) {
    informe_.EscribeLinea(".- ERROR 1: No se ha incluido ningún adjunto.");
    informe_.EscribeLinea(".- Debe adjuntar UNICAMENTE su lista como INDICATIVO.LOG sin otros adjuntos (fotos,etc.)");
    informe_.EscribeLinea();
    return false;
  }
  nombreFicheroLog_ = NombreDeAdjunto(nombre);
  int actual = indiceAdjunto_;
  for (int siguiente = actual + 1; !EsNombreDeLog(nombreFicheroLog_) && siguiente < adjuntos; ++siguiente) {
    const std::string otro = sesion_->NombreAdjunto(siguiente);
    if (otro.empty()) continue;
    nombreFicheroLog_ = NombreDeAdjunto(otro);
    actual = siguiente;
  }
  indiceAdjunto_ = actual;

  // "QQ1ABC (2).LOG", as a mail client names a second copy, is "QQ1ABC.LOG".
  const std::size_t parentesis = nombreFicheroLog_.find('(');
  if (parentesis != std::string::npos) {
    const std::size_t log = nombreFicheroLog_.find(".LOG");
    if (log != std::string::npos)
      nombreFicheroLog_ =
          Recorta(std::string_view(nombreFicheroLog_).substr(0, parentesis)) + nombreFicheroLog_.substr(log);
  }
  const std::string enviado = nombreFicheroLog_;
  nombreFicheroLog_ = NombreQueCabe(nombreFicheroLog_);
  informe_.EscribeLinea("ADJUNTO:" + Eco(nombreFicheroLog_));
  if (nombreFicheroLog_ != enviado)
    informe_.EscribeLinea(".- El nombre del fichero adjunto es demasiado largo: se ha guardado como " +
                          Eco(nombreFicheroLog_) + ".");

  if (!EsNombreDeLog(nombreFicheroLog_)) {
    informe_.EscribeLinea(".- ERROR 0: El fichero adjunto no es con extensión .LOG o .CBR.");
    informe_.EscribeLinea(".- El fichero adjunto con la LISTA debe llamarse su INDICATIVO.LOG o INDICATIVO.CBR");
    informe_.EscribeLinea(".- Debe adjuntar UNICAMENTE su lista como INDICATIVO.LOG sin otros adjuntos (fotos,etc.)");
    informe_.EscribeLinea();
    return false;
  }

  const std::string indicativo_fichero =
      Recorta(std::string_view(nombreFicheroLog_).substr(0, nombreFicheroLog_.size() - 4));
  const std::string asunto = Recorta(sesion_->Asunto());
  const std::string& patron = concurso_.correo.AsuntoConcurso;
  std::string esperado = patron;
  std::string indicativo_asunto = indicativo_fichero;
  const std::size_t dolar = patron.find('$');
  if (dolar != std::string::npos) {
    esperado = patron.substr(0, dolar) + indicativo_fichero + patron.substr(dolar + 1);
    // The part of the subject that stands where the "$" stands, counted in
    // characters.
    const std::u32string a = plataforma::ACodigos(asunto);
    const std::u32string p = plataforma::ACodigos(std::string_view(patron).substr(0, dolar));
    const long long cuantos =
        static_cast<long long>(a.size()) - static_cast<long long>(plataforma::ACodigos(patron).size()) + 1;
    indicativo_asunto.clear();
    if (cuantos > 0 && p.size() < a.size())
      indicativo_asunto = plataforma::DesdeCodigos(a.substr(p.size(), static_cast<std::size_t>(cuantos)));
  }
  const std::string esperado_may = Mayusculas(esperado);
  const std::string pide =
      ".- En el ASUNTO del E-MAIL debe poner '" + esperado_may + "' solamente sin otros comentarios";

  if (asunto.empty()) {
    informe_.EscribeLinea(".- ERROR 33: El E-MAIL ha sido enviado sin el ASUNTO que exigen las bases.");
    informe_.EscribeLinea(pide + ".");
    informe_.EscribeLinea();
    return false;
  }
  if (concursos::Tiene(concurso_.Nombre(), &concursos::PerfilConcurso::asunto_libre)) return true;
  if (Mayusculas(asunto) != esperado_may) {
    informe_.EscribeLinea(".- ERROR 2: El ASUNTO del E-MAIL no se corresponde con el exigido por las bases.");
    informe_.EscribeLinea(pide + ".");
    informe_.EscribeLinea();
    return false;
  }
  if (Mayusculas(indicativo_asunto) != Mayusculas(indicativo_fichero)) {
    informe_.EscribeLinea(".- ERROR 3: El CONCURSANTE del asunto no se corresponde con el del fichero adjunto.. ");
    informe_.EscribeLinea(pide);
    informe_.EscribeLinea(".- El fichero adjunto debe llamarse su INDICATIVO.LOG");
    informe_.EscribeLinea(".- Debe adjuntar UNICAMENTE su lista como INDICATIVO.LOG sin otros adjuntos (fotos,etc.)");
    informe_.EscribeLinea();
    return false;
  }
  return true;
}

DiarioRespuestas& RecepcionListas::Diario() {
  if (!diario_) diario_ = std::make_unique<DiarioRespuestas>(concurso_.carpetaConcurso);
  return *diario_;
}

void RecepcionListas::LeeFicherosManuales() {
  const plataforma::ListadosEnMemoria listados;
  ventana_.HabilitaBotones(false);
  EmpiezaLog();
  if (ListaVentana* cola = ListaDe(ventana_, "ListaBorrarManuales")) cola->Limpia();
  ListaVentana* manuales = ListaDe(ventana_, "FicherosManuales");
  const std::size_t n = manuales ? manuales->Cuenta() : 0;
  for (std::size_t i = 0; i < n; ++i) {
    ProcesaFicheroManual(i);
    ventana_.PonProgreso(0);
  }
  if (concurso_.EsDiploma()) BorraFicherosManuales(ventana_, concurso_.carpetaConcurso);
  try {
    const std::vector<std::string> sin_renombrar = CargaFicherosManuales(Carpetas(), ventana_);
    if (!sin_renombrar.empty()) ventana_.Aviso(TextoCbrNoRenombrados(sin_renombrar));
    GuardaListasDeSWL(Carpetas(), ventana_);
  } catch (const std::exception& e) {
    ventana_.InformaFallo(e.what());
  }
  ventana_.HabilitaBotones(true);
}

void RecepcionListas::ProcesaFicheroManual(std::size_t indice) {
  EmpiezaLog();
  ListaVentana* manuales = ListaDe(ventana_, "FicherosManuales");
  if (!manuales || indice >= manuales->Cuenta()) return;
  const std::string listado = manuales->Elemento(indice);
  nombreFicheroLog_ = NombreQueCabe(Mayusculas(plataforma::NombreSeguro(listado)));
  try {
    // The listed file, found whatever the case of its name on disk.
    const std::string origen = Ruta("FicherosManuales", listado);
    const std::string destino = Ruta("FicherosRecibidos", nombreFicheroLog_);
    if (!plataforma::CopiaFichero(origen, destino))
      throw plataforma::ErrorFichero(origen, "No se puede copiar a FicherosRecibidos");
    BorraFicherosAnteriores(nombreFicheroLog_);
    if (!informe_.Crea(concurso_.carpetaTrabajo, cabrillo::FechaDeHoy(), ""))
      throw plataforma::ErrorFichero(plataforma::UneRuta(concurso_.carpetaTrabajo, cabrillo::kNombreFicheroErrores),
                                     "No se puede crear el informe de errores");
    informe_.EscribeAdjunto(nombreFicheroLog_, true);
    ValidaYArchiva(true);
  } catch (const std::exception& e) {
    informe_.Cierra();
    ventana_.InformaFallo("No se ha podido procesar " + nombreFicheroLog_ + ": " + e.what());
  }
  ActualizaListasCarpetas();
}

void RecepcionListas::BorraFicherosAnteriores(const std::string& nombre) {
  const std::string base = BaseNombreLog(nombreFicheroLog_);
  plataforma::BorraFichero(Ruta("ListasValidas", Mayusculas(nombre)));
  plataforma::BorraFichero(Ruta("FicherosErrores", base + "ERR"));
  plataforma::BorraFichero(Ruta("FicherosConfirmacion", base + "OK"));
  plataforma::BorraFichero(Ruta("ListasValidas", base + "LOG"));
  if (deCorreo_) plataforma::BorraFichero(Ruta("FicherosErrores", NombreInformeRemitente()));
}

}  // namespace mail
