#include "unitcalc/conversionlist.h"
