#include "database/concursos_especiales.h"

#include <string>

namespace concursos {
namespace {

// The text a profile is looked for by inside a name.
std::string_view Texto(const PerfilConcurso& p) { return p.familia.empty() ? p.nombre : p.familia; }

bool Contiene(std::string_view nombre, std::string_view texto) { return nombre.find(texto) != std::string_view::npos; }

// The value of the rule of the first profile recognising `nombre` (each as
// `alcance` of the profile says) that sets it.
template <class T>
T Primera(std::string_view nombre, T PerfilConcurso::*regla, Alcance PerfilConcurso::*alcance = nullptr) {
  for (const PerfilConcurso* p : kPerfiles) {
    if (p->*regla == T{}) continue;
    if (Reconoce(*p, nombre, alcance ? p->*alcance : Alcance::ComoElPerfil)) return p->*regla;
  }
  return T{};
}

template <class T>
std::span<const T> PrimeraTabla(std::string_view nombre, std::span<const T> PerfilConcurso::*tabla) {
  for (const PerfilConcurso* p : kPerfiles)
    if (!(p->*tabla).empty() && Reconoce(*p, nombre)) return p->*tabla;
  return {};
}

std::string_view PrimerTexto(std::string_view nombre, std::string_view EjemploQso::*campo) {
  for (const PerfilConcurso* p : kPerfiles)
    if (!(p->ejemplo.*campo).empty() && Reconoce(*p, nombre)) return p->ejemplo.*campo;
  return {};
}

}  // namespace

bool Reconoce(const PerfilConcurso& perfil, std::string_view nombre, Alcance alcance) {
  if (alcance == Alcance::ComoElPerfil) alcance = perfil.alcance;
  switch (alcance) {
    case Alcance::ComoElPerfil:
    case Alcance::Nombre: return nombre == perfil.nombre;
    case Alcance::Dentro: return Contiene(nombre, Texto(perfil));
    case Alcance::Comienzo: return nombre.starts_with(perfil.nombre);
  }
  return false;
}

const PerfilConcurso* PerfilDe(std::string_view nombre) {
  for (const PerfilConcurso* p : kPerfiles)
    if (Reconoce(*p, nombre)) return p;
  return nullptr;
}

bool Tiene(std::string_view nombre, bool PerfilConcurso::*regla) { return Primera(nombre, regla); }

ReglaOperador OperadorDe(std::string_view nombre) { return Primera(nombre, &PerfilConcurso::operador); }
ReescrituraOperador ReescrituraOperadorDe(std::string_view nombre) {
  return Primera(nombre, &PerfilConcurso::reescritura_operador);
}
ReglaClave ClaveDe(std::string_view nombre) { return Primera(nombre, &PerfilConcurso::clave); }
ReglaLetras LetrasDe(std::string_view nombre) { return Primera(nombre, &PerfilConcurso::letras); }
ReglaMultiplicadores MultiplicadoresDe(std::string_view nombre) {
  return Primera(nombre, &PerfilConcurso::multiplicadores);
}
ReglaPuntos PuntosDe(std::string_view nombre) {
  return Primera(nombre, &PerfilConcurso::puntos, &PerfilConcurso::alcance_puntos);
}

bool AplicaPuntos(std::string_view nombre, ReglaPuntos regla) {
  for (const PerfilConcurso* p : kPerfiles)
    if (p->puntos == regla && Reconoce(*p, nombre, p->alcance_puntos)) return true;
  return false;
}

std::string_view EstacionEspecialDe(std::string_view nombre) {
  for (const PerfilConcurso* p : kPerfiles)
    if (!p->estacion_especial.empty() && Reconoce(*p, nombre)) return p->estacion_especial;
  return {};
}

std::span<const std::string_view> CategoriasDe(std::string_view nombre) {
  return PrimeraTabla(nombre, &PerfilConcurso::categorias);
}

NotaCategoria NotaCategoriaDe(std::string_view nombre) {
  for (const PerfilConcurso* p : kPerfiles)
    if (p->nota_categoria.entrada != 0 && Reconoce(*p, nombre)) return p->nota_categoria;
  return {};
}

ColumnasFijas ColumnasFijasDe(std::string_view nombre) {
  for (const PerfilConcurso* p : kPerfiles)
    if (p->columnas_fijas.indicativo != 0 && Reconoce(*p, nombre)) return p->columnas_fijas;
  return {};
}

std::span<const std::string_view> CategoriasBasesDe(std::string_view nombre) {
  return PrimeraTabla(nombre, &PerfilConcurso::categorias_bases);
}

std::string_view TituloCategoriasDe(std::string_view nombre) {
  for (const PerfilConcurso* p : kPerfiles)
    if (!p->titulo_categorias.empty() && Reconoce(*p, nombre)) return p->titulo_categorias;
  return {};
}

EjemploQso EjemploDe(std::string_view nombre) {
  return {PrimerTexto(nombre, &EjemploQso::letras_enviadas), PrimerTexto(nombre, &EjemploQso::letras_recibidas),
          PrimerTexto(nombre, &EjemploQso::puntos), PrimerTexto(nombre, &EjemploQso::indicativo_trabajado)};
}

std::string_view ModoEjemploDe(std::string_view nombre) {
  std::string_view modo;
  for (const PerfilConcurso* p : kPerfiles)
    for (const ModoEjemplo& m : p->modos_ejemplo)
      if (Contiene(nombre, std::string(Texto(*p)) + std::string(m.sufijo))) modo = m.modo;
  return modo;
}

bool PuntosEnIntercambioAlGuardar(std::string_view nombre) {
  return Primera(nombre, &PerfilConcurso::puntos_en_intercambio, &PerfilConcurso::alcance_puntos_intercambio);
}

Disposicion DisposicionDe(std::string_view nombre) {
  for (const PerfilConcurso* p : kPerfiles)
    if (p->disposicion != Disposicion::PorOpciones && p->disposicion != Disposicion::CaminoSantiago &&
        Reconoce(*p, nombre))
      return p->disposicion;
  return Disposicion::PorOpciones;
}

Disposicion DisposicionDeLog(std::string_view nombre, std::string_view linea_contest) {
  for (const PerfilConcurso* p : kPerfiles)
    if (p->disposicion == Disposicion::CaminoSantiago && Contiene(linea_contest, p->nombre))
      return Disposicion::CaminoSantiago;
  return DisposicionDe(nombre);
}

ReglasQso ReglasQsoDe(std::string_view nombre) {
  ReglasQso r;
  r.puntos = PuntosDe(nombre);
  r.puntos_espanolas_rtty = AplicaPuntos(nombre, ReglaPuntos::EspanolasRtty);
  r.puntos_socios_del_club = AplicaPuntos(nombre, ReglaPuntos::SociosDelClub);
  r.km_doble_en_cw = Tiene(nombre, &PerfilConcurso::km_doble_en_cw);
  r.multiplicadores = MultiplicadoresDe(nombre);
  r.log_por_banda = Tiene(nombre, &PerfilConcurso::log_por_banda);
  r.repeticion_estacion_especial = Tiene(nombre, &PerfilConcurso::repeticion_estacion_especial);
  return r;
}

bool EsDiploma(std::string_view nombre) { return Tiene(nombre, &PerfilConcurso::diploma); }

std::string_view NombreDiploma() {
  for (const PerfilConcurso* p : kPerfiles)
    if (p->diploma) return p->nombre;
  return {};
}

}  // namespace concursos
