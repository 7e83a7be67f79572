#include "Gbk.h"
