#include "Statements.h"
