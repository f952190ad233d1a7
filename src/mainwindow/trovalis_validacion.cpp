// The checks of the contest in the editor before it is created or saved
// (principal::CompruebaConcurso) as the window shows them: the texts as the
// checks left them, one box for a check that failed, and the focus on the
// control to correct; what was typed stays in place, with the
// normalisations of the checks that passed.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>

#include "cabrillo/contexto_concurso.h"
#include "database/conexiones.h"
#include "mainwindow/comprobacion_concurso.h"
#include "mainwindow/trovalis.h"
#include "ui_trovalis.h"

namespace {

// The stored contests as the checks ask about them, on the context's
// contest database.
class ConsultasEnBase : public principal::ConsultasComprobacion {
 public:
  ConsultasEnBase(ContextoConcurso& contexto, database::RepositorioConcursos& concursos)
      : contexto_(contexto), concursos_(concursos) {}

  bool HayConNombreYEdicion(const std::string& nombre, const std::string& edicion) override {
    dao::Recordset otro = contexto_.BaseConcursos.OpenRecordset(
        "Select * From Concursos Where Concurso = ? and Edicion = ?", {dao::Variant(nombre), dao::Variant(edicion)});
    const bool existe = !otro.Eof();
    otro.Close();
    return existe;
  }

  std::optional<OtroConcurso> OtroEnLaMismaCarpeta(const std::string& nombre, const std::string& edicion,
                                                   std::int32_t numero) override {
    if (auto otro = concursos_.OtroEnLaMismaCarpeta(nombre, edicion, numero))
      return OtroConcurso{otro->Nombre, otro->Edicion};
    return std::nullopt;
  }

  bool HayCategorias(long numero) override {
    dao::Recordset fila = contexto_.BaseConcursos.OpenRecordset("Select * From ResumenCabrillo Where NumeroOrden = ?",
                                                                {dao::Variant(numero)});
    const bool hay = !fila.Eof();
    fila.Close();
    return hay;
  }

 private:
  ContextoConcurso& contexto_;
  database::RepositorioConcursos& concursos_;
};

principal::IconoMensaje Icono(principal::IconoAviso i) {
  switch (i) {
    case principal::IconoAviso::Error: return principal::IconoMensaje::Error;
    case principal::IconoAviso::Pregunta: return principal::IconoMensaje::Pregunta;
    case principal::IconoAviso::Informacion: return principal::IconoMensaje::Informacion;
  }
  return principal::IconoMensaje::Ninguno;
}

}  // namespace

bool Trovalis::VerificaEditor() {
  principal::EntornoComprobacion entorno;
  for (const principal::ColumnaConcurso& c : servicios_->DefinicionConcursos()) entorno.Tipos.push_back(c.Tipo);
  entorno.NombreEnCurso = Contexto().NombreConcurso;
  entorno.ExcluirMismoPais = Contexto().OpcionExcluirMismoPais;
  ConsultasEnBase consultas(Contexto(), servicios_->Concursos());

  const principal::ConcursoEnEdicion antes = LeeModelo();
  principal::ConcursoEnEdicion concurso = antes;
  const principal::ResultadoComprobacion r = principal::CompruebaConcurso(concurso, entorno, consultas);
  // The texts as the checks left them.
  MuestraModelo(antes, concurso);
  if (r.Correcto) return true;
  if (r.Aviso) {
    if (r.Aviso->Pitido) QApplication::beep();
    servicios_->Mensaje(r.Aviso->Texto, r.Aviso->Titulo, Icono(r.Aviso->Icono));
  }
  if (r.AbreHoras) {
    textos_[principal::kCampoHoras]->setEnabled(true);
    PonBloqueo(principal::kCampoHoras, false);
  }
  if (r.Foco == principal::kFocoMultiplicadores)
    Casilla(principal::Opcion::Multiplicadores)->setFocus();
  else if (r.Foco >= 0)
    textos_[static_cast<std::size_t>(r.Foco)]->setFocus();
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
