#include "plataforma/version.h"
