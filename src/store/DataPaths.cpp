#include "DataPaths.h"
