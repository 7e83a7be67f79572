#include "InitialContents.h"
