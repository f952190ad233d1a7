#include "mail/envios_resultados.h"

#include "plataforma/correo/correo.h"
#include "plataforma/dao.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace mail {

namespace {

constexpr std::string_view kTituloPuntuacion =
    "------------------- PUNTUACIÓN OBTENIDA POR EL CONCURSANTE ----------------";
constexpr std::string_view kTituloAnulados =
    "----------------------- RELACIÓN DE QSO ANULADOS ---------------------------";

bool EmpiezaPor(std::string_view texto, std::string_view inicio) { return texto.substr(0, inicio.size()) == inicio; }

std::string Ruta(const std::string& carpeta_concurso, std::string_view subcarpeta, const std::string& fichero) {
  return plataforma::ResuelveRuta(
      plataforma::UneRuta(plataforma::UneRuta(carpeta_concurso, subcarpeta), plataforma::NombreSeguro(fichero)));
}

// Every line of a text file, each followed by CR LF; false when the file
// does not exist.
bool AgregaFichero(const std::string& ruta, std::string& texto) {
  std::vector<std::string> lineas;
  if (!plataforma::ExisteFichero(ruta) || !plataforma::LeerLineas(ruta, lineas)) return false;
  for (const std::string& l : lineas) texto += l + "\r\n";
  return true;
}

std::string Columna(dao::Recordset& rs, const char* nombre) {
  try {
    return rs[nombre].IsNull() ? std::string() : rs[nombre].CStr();
  } catch (const dao::Error&) {
    return {};  // a database from before the column was added
  }
}

// The shared loop: one mail to each recipient.
template <typename Mensaje>
void EnviaATodos(const std::vector<std::string>& destinatarios, const ConcursoEnvios& concurso, SalidaEnvios& salida,
                 Mensaje mensaje) {
  for (const std::string& fichero : destinatarios) {
    const Destinatario d = LeeDestinatario(concurso.CarpetaConcurso, fichero);
    std::string asunto, texto;
    mensaje(d, asunto, texto);
    salida.Envia(d.Direccion, asunto, texto);
  }
}

class SalidaSesion : public SalidaEnvios {
 public:
  SalidaSesion(const std::string& carpeta_trabajo, AvisoFalloEnvio al_fallar)
      : sesion_(carpeta_trabajo), al_fallar_(std::move(al_fallar)) {}
  void Envia(const std::string& direccion, const std::string& asunto, const std::string& texto) override {
    bool enviado = false;
    if (sesion_.IniciarSesion()) {
      enviado = sesion_.EnviarMensaje(direccion, asunto, texto);
      const plataforma::correo::ErrorCorreo error = sesion_.UltimoError();
      sesion_.CerrarSesion();
      if (!enviado) Falla(error.numero);
    } else {
      Falla(sesion_.UltimoError().numero);
    }
  }

 private:
  void Falla(int numero) const {
    if (al_fallar_) al_fallar_(TextoFalloEnvio(numero));
  }
  plataforma::correo::SesionCorreo sesion_;
  AvisoFalloEnvio al_fallar_;
};

}  // namespace

bool LeeConcursoEnvios(dao::Database& base, std::int32_t numero_orden, const std::string& carpeta_concurso,
                       const std::string& carpeta_trabajo, ConcursoEnvios& concurso) {
  dao::Recordset rs = base.OpenRecordset("Select * From Concursos Where NumeroOrden = ?", dao::TipoRecordset::Snapshot,
                                         {dao::Variant(numero_orden)});
  if (rs.Eof()) return false;
  concurso.CarpetaConcurso = carpeta_concurso;
  concurso.CarpetaTrabajo = carpeta_trabajo;
  concurso.NombreConcurso = Columna(rs, "Concurso");
  concurso.CorreoReclamaciones = Columna(rs, "EMailReclamaciones");
  concurso.DireccionWebConcurso = Columna(rs, "WEBConcurso");
  rs.Close();
  return true;
}

std::vector<std::string> TextoAgradecimiento(std::string_view nombre_concurso, std::string_view correo_reclamaciones,
                                             std::string_view direccion_web) {
  const std::string nombre(nombre_concurso);
  std::vector<std::string> v = {
      "",
      "AGRADECIMIENTO",
      "",
      "La Organización del CONCURSO " + nombre + " agradece su participación y le invita a participar ",
      "en la próxima edición.",
      "",
  };
  if (EmpiezaPor(nombre_concurso, "50RS-VHF")) {
    v.push_back("Información y reclamaciones sobre el concurso: diríjase a la Organización del " + nombre + ".");
    v.push_back("Actividades del organizador: consulte los comunicados de la Organización.");
    v.push_back("");
  } else {
    if (!correo_reclamaciones.empty()) {
      v.push_back(".- Para más información o reclamaciones sobre el concurso contacte con " +
                  std::string(correo_reclamaciones));
      v.push_back("");
    }
    if (!direccion_web.empty()) {
      v.push_back(".- Para información sobre nuestras actividades y resultados del concurso acceda a " +
                  std::string(direccion_web));
      v.push_back("");
    }
  }
  v.push_back(
      "Verificación y control de listas, cálculo de puntuaciones y clasificaciones finales han sido realizadas por ");
  v.push_back("él programa AUTÓMATA 'El Vigilor' de Brelmont, programa universal y gratuito de ");
  v.push_back("Trovalis en formato Cabrillo.");
  v.push_back("");
  v.push_back(".- Para más información sobre este programa visite la página de la Organización del concurso.");
  v.push_back("");
  v.push_back(".- Para contactar con el autor dirigirse a la Organización del concurso.");
  v.push_back("");
  return v;
}

std::string TextoResultados(const ConcursoEnvios& concurso, const std::string& indicativo, bool con_puntuacion) {
  std::string texto;
  if (con_puntuacion) {
    // The score file starts with an empty line, so the title ends that line.
    std::string puntuacion = "\r\n" + std::string(kTituloPuntuacion);
    if (AgregaFichero(Ruta(concurso.CarpetaConcurso, "ListasPuntuaciones", indicativo + ".PTS"), puntuacion))
      texto += puntuacion;
  }
  std::string anulados = "\r\n" + std::string(kTituloAnulados) + "\r\n";
  if (AgregaFichero(Ruta(concurso.CarpetaConcurso, "ListasQsoAnulados", indicativo + ".NUL"), anulados))
    texto += anulados;
  for (const std::string& l :
       TextoAgradecimiento(concurso.NombreConcurso, concurso.CorreoReclamaciones, concurso.DireccionWebConcurso))
    texto += l + "\r\n";
  return texto;
}

Destinatario LeeDestinatario(const std::string& carpeta_concurso, const std::string& fichero) {
  Destinatario d;
  d.Fichero = fichero;
  d.Indicativo = fichero.substr(0, fichero.find('.'));
  std::string bytes;
  if (plataforma::LeerBytes(Ruta(carpeta_concurso, "ListasEmail", fichero), bytes)) {
    const std::vector<std::string> lineas = plataforma::PartirLineas(bytes);
    if (!lineas.empty()) d.Direccion = plataforma::Recorta(lineas.front());
  }
  return d;
}

std::unique_ptr<SalidaEnvios> SalidaPorSesion(const std::string& carpeta_trabajo, AvisoFalloEnvio al_fallar) {
  return std::make_unique<SalidaSesion>(carpeta_trabajo, std::move(al_fallar));
}

std::string TextoFalloEnvio(int numero) {
  return "Ha ocurrido un error durante el envío: " + std::string(numero >= 0 ? " " : "") + std::to_string(numero);
}

std::vector<std::string> ListaDestinatarios(const ConcursoEnvios& concurso) {
  return plataforma::ListaFicheros(
      plataforma::ResuelveRuta(plataforma::UneRuta(concurso.CarpetaConcurso, "ListasEmail")));
}

void EnviaResultadosPorEmail(const std::vector<std::string>& lista, const ConcursoEnvios& concurso,
                             SalidaEnvios& salida) {
  EnviaATodos(lista, concurso, salida, [&](const Destinatario& d, std::string& asunto, std::string& texto) {
    asunto = std::string(kAsuntoResultados) + concurso.NombreConcurso;
    texto = TextoResultados(concurso, d.Indicativo, true);
  });
}

void EnviaQsoAnuladosPorEmail(const std::vector<std::string>& lista, const ConcursoEnvios& concurso,
                              SalidaEnvios& salida) {
  EnviaATodos(lista, concurso, salida, [&](const Destinatario& d, std::string& asunto, std::string& texto) {
    asunto = std::string(kAsuntoResultados) + concurso.NombreConcurso;
    texto = TextoResultados(concurso, d.Indicativo, false);
  });
}

void EnviaComunicadoPorEmail(const std::vector<std::string>& lista, const ConcursoEnvios& concurso,
                             const std::string& asunto, const std::string& texto, SalidaEnvios& salida) {
  EnviaATodos(lista, concurso, salida, [&](const Destinatario&, std::string& a, std::string& t) {
    a = asunto;
    t = texto;
  });
}

EnviosResultados::EnviosResultados(ConcursoEnvios concurso, AvisoFalloEnvio al_fallar,
                                   std::unique_ptr<SalidaEnvios> salida)
    : concurso_(std::move(concurso)),
      salida_(salida ? std::move(salida) : SalidaPorSesion(concurso_.CarpetaTrabajo, std::move(al_fallar))) {}

std::vector<std::string> EnviosResultados::Destinatarios() { return ListaDestinatarios(concurso_); }

void EnviosResultados::EnviaResultadosPorEmail(const std::vector<std::string>& lista) {
  mail::EnviaResultadosPorEmail(lista, concurso_, *salida_);
}

void EnviosResultados::EnviaQsoAnuladosPorEmail(const std::vector<std::string>& lista) {
  mail::EnviaQsoAnuladosPorEmail(lista, concurso_, *salida_);
}

void EnviosResultados::EnviaComunicadoPorEmail(const std::vector<std::string>& lista, const std::string& asunto,
                                               const std::string& texto) {
  mail::EnviaComunicadoPorEmail(lista, concurso_, asunto, texto, *salida_);
}

}  // namespace mail
