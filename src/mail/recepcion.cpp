#include "mail/recepcion.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <optional>

#include "cabrillo/lectura_concurso.h"
#include "cabrillo/lista_valida.h"
#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"
#include "database/concursos_especiales.h"
#include "mail/diario_respuestas.h"
#include "mail/ges_automatica_textos.h"
#include "mail/limite_respuestas.h"
#include "mail/lista_admitida.h"
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

const std::string kTitulo(kTituloFallo);

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

void QuitaListaSWL(EdicionConcurso& edicion, const std::string& indicativo) {
  edicion.Quita(ListaEdicion::Oyentes, indicativo);
}

void AnotaListaSWL(EdicionConcurso& edicion, const std::string& indicativo) {
  const std::vector<std::string>& lineas = edicion.Lista(ListaEdicion::Oyentes);
  if (std::find(lineas.begin(), lineas.end(), indicativo) != lineas.end()) return;
  // The list keeps itself in alphabetical order (letter case ignored, as a
  // sorted list box does).
  auto antes = [](const std::string& a, const std::string& b) { return Mayusculas(a) < Mayusculas(b); };
  const auto sitio = std::upper_bound(lineas.begin(), lineas.end(), indicativo, antes);
  edicion.Inserta(ListaEdicion::Oyentes, static_cast<std::size_t>(sitio - lineas.begin()), indicativo);
}

// ---------------------------------------------------------------------------

RecepcionListas::RecepcionListas(const ConcursoRecepcion& concurso, EdicionConcurso& edicion, ProgresoEtapa& progreso,
                                 VentanaCorreo& ventana, plataforma::correo::SesionCorreo* sesion)
    : concurso_(concurso), edicion_(edicion), progreso_(progreso), ventana_(ventana), sesion_(sesion) {}

RecepcionListas::~RecepcionListas() = default;

// The folders whose listings the intake keeps up to date, in the order they
// are refreshed.
constexpr ListaEdicion kListasCarpetas[] = {
    ListaEdicion::Recibidos,
    ListaEdicion::Validas,
    ListaEdicion::Errores,
    ListaEdicion::Confirmaciones,
};

std::string RecepcionListas::Ruta(std::string_view subcarpeta, std::string_view fichero) const {
  // Every file the intake writes is named here: no name from outside (a
  // sender's address, say) passes the file system's limit.
  return plataforma::ResuelveRuta(plataforma::UneRuta(plataforma::UneRuta(concurso_.carpetaConcurso, subcarpeta),
                                                      NombreQueCabe(plataforma::NombreSeguro(fichero))));
}

std::string RecepcionListas::Ruta(ListaEdicion carpeta, std::string_view fichero) const {
  const std::string nombre = NombreQueCabe(plataforma::NombreSeguro(fichero));
  for (ListaEdicion lista : kListasCarpetas)
    if (lista == carpeta) tocados_.emplace(carpeta, nombre);
  return plataforma::ResuelveRuta(
      plataforma::UneRuta(plataforma::UneRuta(concurso_.carpetaConcurso, CarpetaDeLista(carpeta)), nombre));
}

void RecepcionListas::ActualizaListasCarpetas() {
  const bool todas = !listasCargadas_;
  listasCargadas_ = true;
  std::set<std::pair<ListaEdicion, std::string>> tocados;
  tocados.swap(tocados_);
  if (todas) {
    // The first log of a pass lists the folders whole; every later one
    // puts right only the names its log touched.
    for (ListaEdicion lista : kListasCarpetas) edicion_.Lee(lista);
    return;
  }
  // The order of the folder lists: by name without regard to case, names
  // equal but for case in byte order.
  auto antes = [](const std::string& a, const std::string& b) {
    const std::string ma = Mayusculas(a), mb = Mayusculas(b);
    return ma != mb ? ma < mb : a < b;
  };
  for (ListaEdicion que : kListasCarpetas) {
    const std::vector<std::string>& lista = edicion_.Lista(que);
    const std::string ruta_carpeta =
        plataforma::ResuelveRuta(plataforma::UneRuta(concurso_.carpetaConcurso, CarpetaDeLista(que)));
    for (auto t = tocados.lower_bound({que, std::string()}); t != tocados.end() && t->first == que; ++t) {
      const std::string ruta = plataforma::ResuelveRuta(plataforma::UneRuta(ruta_carpeta, t->second));
      const std::string nombre = ruta.substr(ruta.find_last_of('/') + 1);
      const bool existe = plataforma::ExisteFichero(ruta) && !nombre.empty() && nombre.front() != '.';
      // The first item not before the name, by binary search.
      std::size_t bajo = 0, alto = lista.size();
      const std::string clave = existe ? nombre : Mayusculas(t->second);
      while (bajo < alto) {
        const std::size_t medio = bajo + (alto - bajo) / 2;
        if (existe ? antes(lista[medio], clave) : Mayusculas(lista[medio]) < clave)
          bajo = medio + 1;
        else
          alto = medio;
      }
      if (existe) {
        if (bajo >= lista.size() || lista[bajo] != nombre) edicion_.Inserta(que, bajo, nombre);
        continue;
      }
      // Gone: the items under its name (in any case) that are no longer on
      // disk leave the list.
      while (bajo < lista.size() && Mayusculas(lista[bajo]) == clave) {
        if (plataforma::ExisteFichero(plataforma::UneRuta(ruta_carpeta, lista[bajo])))
          ++bajo;
        else
          edicion_.QuitaEn(que, bajo);
      }
    }
  }
}

void RecepcionListas::EmpiezaLog() {
  log_ = ResultadoRecepcion{};
  informe_.Cierra();
  indiceAdjunto_ = 0;
  deCorreo_ = false;
  correoBorrado_ = false;
  rechazado_ = false;
  identidad_.clear();
  motivoAutomatico_.clear();
}

void RecepcionListas::GuardaOyentes() {
  try {
    edicion_.Guarda(ListaEdicion::Oyentes);
  } catch (const std::exception& e) {
    progreso_.Fallo(e.what(), kTitulo);
  }
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
  log_.Cabecera.Limpia();
  if (!sesion_->LeerNoLeidos()) return false;
  vistos_.clear();
  lecturaFallida_ = false;
  LeeCorreoEntrante();
  // Answers noted for mails that have left the inbox are forgotten (the
  // walk read every mail still there); with a mail that could not be read,
  // nothing is (it may be one of them).
  if (!lecturaFallida_) Diario().ConservaSolo(vistos_);
  // Each listener log already went to the file before its mail was deleted;
  // on a failure the list stays in the edition for the next session.
  GuardaOyentes();
  return true;
}

void RecepcionListas::LeeCorreoEntrante() {
  correos_.clear();
  ventana_.MuestraCorreos(correos_);
  if (!sesion_) return;
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
        progreso_.Fallo("No se ha podido leer un E-MAIL: " + sesion_->UltimoError().descripcion, kTitulo);
        continue;
      }
      vistos_.insert(sesion_->IdentidadCorreo());
      if (!EsDelConcurso()) continue;
      const std::string asunto = sesion_->Asunto();
      const std::string listado = asunto.empty() ? "\u00BB " + sesion_->NombreRemitente() : asunto;
      correos_.push_back(Mayusculas(listado));
      ventana_.MuestraCorreos(correos_);
      const ResultadoRecepcion log = ProcesaCorreo(i);
      // A mail taken in but not answered says why.
      if (!log.SinRespuesta.empty()) {
        correos_.back() += "  (SIN RESPUESTA: " + log.SinRespuesta + ")";
        ventana_.MuestraCorreos(correos_);
      }
      if (sesion_->NumeroCorreos() < n)
        hecho.erase(hecho.begin() + i);
      else
        hecho[k] = true;
      procesado = true;
      break;
    }
  }
}

bool RecepcionListas::EsDelConcurso() const {
  const std::string destinatario = Mayusculas(sesion_->DireccionDestinatario());
  if (destinatario == Mayusculas(concurso_.correo.EMailConcurso)) return true;
  // A refused mail whose header does not show the recipient cannot be told
  // to be another mailbox's: it is not left in the inbox for ever.
  return destinatario.empty() && !sesion_->MotivoRechazo().empty();
}

ResultadoRecepcion RecepcionListas::ProcesaCorreo(int indice) {
  EmpiezaLog();
  if (!sesion_ || !sesion_->SeleccionarCorreo(indice)) return std::move(log_);
  if (!EsDelConcurso()) return std::move(log_);
  deCorreo_ = true;
  log_.DireccionRemitente = sesion_->DireccionRemitente();
  identidad_ = sesion_->IdentidadCorreo();
  rechazado_ = !sesion_->MotivoRechazo().empty();
  if (Diario().Contiene(identidad_)) {
    // Answered by a session that stopped before deleting it: its log is
    // filed already and its sender has had the answer.
    BorraCorreoEnCurso();
    return std::move(log_);
  }
  motivoAutomatico_ = MotivoSinRespuesta(*sesion_, concurso_);
  try {
    if (!cabrillo::CreaFicheroErrores(cabrillo::DatosCorreoEnCurso{FechaCorreo(), AsuntoCorreo()}, informe_,
                                      concurso_.carpetaTrabajo))
      throw plataforma::ErrorFichero(plataforma::UneRuta(concurso_.carpetaTrabajo, cabrillo::kNombreFicheroErrores),
                                     "No se puede crear el informe de errores");
    if (rechazado_) {
      RechazaCorreo();
    } else if (!VerificaAdjuntoYAsunto()) {
      EnviaCorreoErrores();
    } else {
      std::string& nombre = log_.NombreFichero;
      if (TerminaEn(nombre, ".CBR")) nombre.replace(nombre.find(".CBR"), 4, ".LOG");
      const std::string destino = Ruta(ListaEdicion::Recibidos, nombre);
      if (!sesion_->GuardarAdjunto(indiceAdjunto_, destino))
        throw plataforma::ErrorFichero(destino, sesion_->UltimoError().descripcion);
      BorraFicherosAnteriores(nombre);
      ValidaYArchiva(false);
    }
  } catch (const std::exception& e) {
    informe_.Cierra();
    log_.Veredicto = VeredictoRecepcion::SinProcesar;
    progreso_.Fallo("No se ha podido procesar el E-MAIL de " + log_.DireccionRemitente +
                        (log_.NombreFichero.empty() ? std::string() : " (" + log_.NombreFichero + ")") + ": " +
                        e.what() + (correoBorrado_ ? "" : ". El E-MAIL queda sin leer."),
                    kTitulo);
  }
  ActualizaListasCarpetas();
  return std::move(log_);
}

void RecepcionListas::RechazaCorreo() {
  const std::string motivo = sesion_->MotivoRechazo();
  const std::string& remitente = log_.DireccionRemitente;
  progreso_.Fallo("El E-MAIL de " + (remitente.empty() ? "remitente desconocido" : remitente) +
                      " no se puede procesar porque " + motivo + ": se guarda sin leer en la carpeta " +
                      plataforma::correo::kCarpetaRechazados + " del buzón.",
                  kTitulo);
  if (!plataforma::correo::DireccionValida(remitente)) {
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
  const std::string nombre = log_.NombreFichero;
  progreso_.Paso("Procesando " + nombre);
  progreso_.Cede();
  ventana_.EmpiezaLog(nombre);
  const cabrillo::EntornoValidacion entorno{concurso_.datos, concurso_.categorias, informe_, log_.Cabecera,
                                            concurso_.paises};
  cabrillo::ResultadoVerificacion validado =
      cabrillo::VerificaFicheroCabrillo(progreso_, concurso_.carpetaConcurso, nombre, entorno);
  log_.Lineas = std::move(validado.Lineas);
  ventana_.MuestraLog(log_);
  if (!validado.Aceptada) {
    log_.Veredicto = VeredictoRecepcion::Rechazada;
    EnviaCorreoErrores();
    return;
  }
  informe_.Cierra();
  QuitaListaSWL(edicion_, log_.Cabecera.IndicativoParticipante);
  if (log_.EsOyente()) AnotaListaSWL(edicion_, log_.Cabecera.IndicativoParticipante);
  // Once its mail is deleted, a listener log lives only in this list: the
  // list is on disk before that.
  if (deCorreo_) GuardaOyentes();
  if (log_.EsOyente()) {
    // Filed in the list alone.
  } else if (!concurso_.EsDiploma()) {
    if (!cabrillo::GeneraListaValida(progreso_, concurso_.carpetaConcurso, nombre, log_.Lineas))
      throw plataforma::ErrorFichero(Ruta(ListaEdicion::Validas, nombre), "No se puede escribir la lista");
  } else {
    log_.LineasAdmitidas = FusionaListaAdmitida(edicion_, progreso_, nombre, log_.Lineas).Lineas;
    ventana_.MuestraLog(log_);
    if (manual) edicion_.Agrega(ListaEdicion::ManualesPorBorrar, nombre);
  }
  log_.Veredicto = VeredictoRecepcion::Aceptada;
  EnviaCorreoConfirmacion();
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
  log_.NombreFichero = NombreDeAdjunto(nombre);
  int actual = indiceAdjunto_;
  for (int siguiente = actual + 1; !EsNombreDeLog(log_.NombreFichero) && siguiente < adjuntos; ++siguiente) {
    const std::string otro = sesion_->NombreAdjunto(siguiente);
    if (otro.empty()) continue;
    log_.NombreFichero = NombreDeAdjunto(otro);
    actual = siguiente;
  }
  indiceAdjunto_ = actual;

  // "QQ1ABC (2).LOG", as a mail client names a second copy, is "QQ1ABC.LOG".
  const std::size_t parentesis = log_.NombreFichero.find('(');
  if (parentesis != std::string::npos) {
    const std::size_t log = log_.NombreFichero.find(".LOG");
    if (log != std::string::npos)
      log_.NombreFichero =
          Recorta(std::string_view(log_.NombreFichero).substr(0, parentesis)) + log_.NombreFichero.substr(log);
  }
  const std::string enviado = log_.NombreFichero;
  log_.NombreFichero = NombreQueCabe(log_.NombreFichero);
  informe_.EscribeLinea("ADJUNTO:" + Eco(log_.NombreFichero));
  if (log_.NombreFichero != enviado)
    informe_.EscribeLinea(".- El nombre del fichero adjunto es demasiado largo: se ha guardado como " +
                          Eco(log_.NombreFichero) + ".");

  if (!EsNombreDeLog(log_.NombreFichero)) {
    informe_.EscribeLinea(".- ERROR 0: El fichero adjunto no es con extensión .LOG o .CBR.");
    informe_.EscribeLinea(".- El fichero adjunto con la LISTA debe llamarse su INDICATIVO.LOG o INDICATIVO.CBR");
    informe_.EscribeLinea(".- Debe adjuntar UNICAMENTE su lista como INDICATIVO.LOG sin otros adjuntos (fotos,etc.)");
    informe_.EscribeLinea();
    return false;
  }

  const std::string indicativo_fichero =
      Recorta(std::string_view(log_.NombreFichero).substr(0, log_.NombreFichero.size() - 4));
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
  edicion_.Vacia(ListaEdicion::ManualesPorBorrar);
  // The listing as read before the pass: the pass does not change it.
  const std::vector<std::string> manuales = edicion_.Lista(ListaEdicion::Manuales);
  for (const std::string& listado : manuales) {
    ProcesaFicheroManual(listado);
    progreso_.Porcentaje(0);
  }
  if (concurso_.EsDiploma()) edicion_.BorraManualesPorBorrar();
  try {
    const std::vector<std::string> sin_renombrar = edicion_.RenombraCbrManuales();
    edicion_.Lee(ListaEdicion::Manuales);
    if (!sin_renombrar.empty()) progreso_.Fallo(TextoCbrNoRenombrados(sin_renombrar), std::string(kTituloAdvertencia));
    edicion_.Guarda(ListaEdicion::Oyentes);
  } catch (const std::exception& e) {
    progreso_.Fallo(e.what(), kTitulo);
  }
  ventana_.HabilitaBotones(true);
}

ResultadoRecepcion RecepcionListas::ProcesaFicheroManual(const std::string& listado) {
  EmpiezaLog();
  std::string& nombre = log_.NombreFichero;
  nombre = NombreQueCabe(Mayusculas(plataforma::NombreSeguro(listado)));
  try {
    // The listed file, found whatever the case of its name on disk.
    const std::string origen = Ruta(ListaEdicion::Manuales, listado);
    const std::string destino = Ruta(ListaEdicion::Recibidos, nombre);
    if (!plataforma::CopiaFichero(origen, destino))
      throw plataforma::ErrorFichero(origen, "No se puede copiar a FicherosRecibidos");
    BorraFicherosAnteriores(nombre);
    if (!cabrillo::CreaFicheroErrores(std::nullopt, informe_, concurso_.carpetaTrabajo))
      throw plataforma::ErrorFichero(plataforma::UneRuta(concurso_.carpetaTrabajo, cabrillo::kNombreFicheroErrores),
                                     "No se puede crear el informe de errores");
    informe_.EscribeAdjunto(nombre, true);
    ValidaYArchiva(true);
  } catch (const std::exception& e) {
    informe_.Cierra();
    log_.Veredicto = VeredictoRecepcion::SinProcesar;
    progreso_.Fallo("No se ha podido procesar " + nombre + ": " + e.what(), kTitulo);
  }
  ActualizaListasCarpetas();
  return std::move(log_);
}

void RecepcionListas::BorraFicherosAnteriores(const std::string& nombre) {
  const std::string base = BaseNombreLog(log_.NombreFichero);
  plataforma::BorraFichero(Ruta(ListaEdicion::Validas, Mayusculas(nombre)));
  plataforma::BorraFichero(Ruta(ListaEdicion::Errores, base + "ERR"));
  plataforma::BorraFichero(Ruta(ListaEdicion::Confirmaciones, base + "OK"));
  plataforma::BorraFichero(Ruta(ListaEdicion::Validas, base + "LOG"));
  if (deCorreo_) plataforma::BorraFichero(Ruta(ListaEdicion::Errores, NombreInformeRemitente()));
}

}  // namespace mail
