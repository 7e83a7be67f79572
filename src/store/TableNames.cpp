#include "TableNames.h"
