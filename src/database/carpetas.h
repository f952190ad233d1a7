#pragma once
// The folder tree of a contest edition under the working folder.
#include <string>
#include <string_view>
#include <vector>

#include "database/estado.h"

// Subfolders of every contest folder, in creation order.
const std::vector<std::string>& SubcarpetasComunes();
// Subfolders of an ordinary contest, after the common ones.
const std::vector<std::string>& SubcarpetasConcurso();
// Subfolders of the award contest, after the common ones.
const std::vector<std::string>& SubcarpetasDiploma();

// True when a contest name or edition may become part of a folder name: it
// holds no "/", "\", "..", nor control characters (C0, DEL or, written in
// UTF-8, C1). The contest validation refuses a name or edition that fails it.
bool TextoValidoParaCarpeta(std::string_view texto);

// The name of a contest edition's folder: the name, "_" and the edition,
// reduced to a plain folder name (plataforma::NombreSeguro), so that no name
// reaches outside the working folder. Different names and editions may give
// one folder name: ("CQ_EA", "2025") and ("CQ", "EA_2025"), a name with a
// control character or a leading blank and the same name without it.
std::string NombreCarpetaConcurso(std::string_view nombre, std::string_view edicion);

// True when two contests would live in one folder: their folder names are
// equal without regard to letter case, as the folder lookup compares them.
bool CompartenCarpeta(std::string_view nombreA, std::string_view edicionA, std::string_view nombreB,
                      std::string_view edicionB);

// The folder of a contest edition: the working folder and
// NombreCarpetaConcurso. An existing folder whose name differs only in
// letter case is the same folder.
std::string RutaCarpetaConcurso(const EstadoConcurso& estado, std::string_view nombre, std::string_view edicion);

// Sets CarpetaConcurso to RutaCarpetaConcurso(nombre, edicion) and creates
// that folder and its subfolders: the common ones, then the award's when
// NombreConcurso is the award, the contest's otherwise. A folder that exists
// already is no failure. Returns the folders that could not be created.
std::vector<std::string> CreaArbolCarpetasConcurso(EstadoConcurso& estado, std::string_view nombre,
                                                   std::string_view edicion);

// The text that tells the operator of the folders CreaArbolCarpetasConcurso
// could not create, one a line.
std::string TextoCarpetasNoCreadas(const std::vector<std::string>& fallidas);
