#include "TextFiles.h"
