#pragma once
// Version of the program, shown in the main window caption.
namespace plataforma {
inline constexpr const char* kVersionPrograma = "1.0.0";
}
