// Checks of the contest in the editor before it is created or saved.
#include "mainwindow/trovalis.h"

bool Trovalis::VerificarCampoVacio(std::string&) { return false; }
bool Trovalis::VerificaFormatoFecha(std::string&) { return true; }
bool Trovalis::VerificaFormatoHora(std::string&) { return true; }
bool Trovalis::VerificaFormatoCampos(const dao::TableDef&, std::vector<std::string>&, std::int16_t&) { return true; }
bool Trovalis::VerificaDatosConcurso(std::vector<std::string>&) { return true; }
bool Trovalis::VerificaBandas() { return true; }
bool Trovalis::VerificaModos() { return true; }
bool Trovalis::VerificaListasMultiplicadores() { return true; }
bool Trovalis::ExisteConcurso(const std::string&, const std::string&) { return false; }
