#include "errors/bugreport.h"
