#include "shell/helpwindow.h"
